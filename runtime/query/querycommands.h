#pragma once
// The query subsystem as the main window drives it.
//
// TMainForm owns one QueryCommands, made at creation with the connection,
// ADOQuery1 and the window itself (the parent of every query window and
// message). From then on:
//
//   creation                      loadQueryWay()          [Form] QueWay of the data directory's file
//   a table is opened             tableOpened(t, fields, defaultOrder, tableKind)
//                                 (condition, order, count and multi-table mode start afresh)
//   a subsystem is entered        setSubsystemMode(0 none / 1 录入系统 / 2 查询系统)
//   query subsystem, kind 0       mainQuery().openSource(sort) opens "Select * From T"
//   entry view ready              setEntryView(ADOTable1 or the SQL table's query, its fields)
//   multi-table query closed OK   openJoin(join, resultFields)
//
//   menu 查询 ▸ 定位查找          locate()
//            ▸ 单项查询          singleItemQuery()
//            ▸ 范围查询          rangeQuery()
//            ▸ 一般查询          generalQuery()
//            ▸ 高级查询          advancedQuery()
//            ▸ 全部记录          allRecords()
//            ▸ 排序              sortRecords()
//   系统设置 ▸ 查询方式设置       queryWaySetting()
//   tool button 查询              queryButtonClicked()
//   click on a column title       sortByColumn(field, kind); true: lay the grid's columns out again
//
// Connect statusText() to the status bar's second panel and pageViewRefresh()
// to the page view. Every message goes through tess::prompts(); engine
// errors are shown there with the engine's text and the query is reopened as
// it was. The held state (condition text, order text, default order, record
// count, multi-table mode) is in held(); the main window reads the condition
// text from there for statistics and reports.
#include <QObject>

#include "runtime/query/mainquery.h"
#include "runtime/query/queryinput.h"

class QWidget;

namespace tess {
class Connection;
class DataSet;
}

namespace tess::query {

class QueryCommands : public QObject {
    Q_OBJECT
public:
    QueryCommands(Connection* connection, DataSet* adoQuery1, QWidget* window, QObject* parent = nullptr);

    MainQuery& mainQuery() { return mq; }
    const HeldQuery& held() const { return mq.held(); }
    const QueryFields& queryFields() const { return fields; }
    // What the query windows are handed: the query fields, the query source
    // and the connection.
    QuerySource source() const;

    // ---- what the main window tells ------------------------------------------
    void loadQueryWay();
    int queryWay() const { return way; }
    void setQueryWay(int w) { way = w; }
    void setSubsystemMode(int mode) { subsystem = mode; }
    int subsystemMode() const { return subsystem; }
    // tableKind: 0 ordinary, 1 SQL-defined table that may be entered, 2 virtual.
    void tableOpened(const QString& table, const QueryFields& queryFields, const QString& defaultOrder,
                     int tableKind = 0);
    // The data set the locate window moves (the entry view) and its fields.
    void setEntryView(DataSet* ds, const QueryFields& fields);
    // A multi-table query's join replaces the statement; its result's query
    // fields replace the table's. False (and nothing changed) when the
    // engine rejects the join.
    bool openJoin(const QString& join, const QueryFields& resultFields);

    // ---- commands ----------------------------------------------------------------
    void queryButtonClicked();   // 查询 tool button
    void locate();               // 定位查找 (entry subsystem only)
    void singleItemQuery();      // 单项查询
    void rangeQuery();           // 范围查询
    void generalQuery();         // 一般查询 (query subsystem only)
    void advancedQuery();        // 高级查询 (query subsystem only)
    void allRecords();           // 全部记录 (query subsystem only)
    void sortRecords();          // 排序 (query subsystem; otherwise nothing)
    bool sortByColumn(const QString& field, FieldKind kind);
    void queryWaySetting();      // 查询方式设置
    void chooseQueryWay();       // the chooser that query mode 0 opens

signals:
    void statusText(const QString& text);
    void pageViewRefresh();

private:
    bool inQueryMode();
    void runLocate();
    void runSingleItem();
    void runRange();
    void runGeneral();
    void runAdvanced();

    Connection* conn;
    MainQuery mq;
    QWidget* window;
    QueryFields fields;
    DataSet* entry = nullptr;
    QueryFields entryFields;
    int way = 0;
    int subsystem = 0;
    int kind = 0;
};

} // namespace tess::query
