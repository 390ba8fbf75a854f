#pragma once
// The main window's query (ADOQuery1) and the state held with it: the query
// source, the condition text and order text last produced by a query window,
// the table's default order, the record count and multi-table mode. The
// three ways of re-running the query live here: applying a condition,
// showing all records and re-ordering.
//
// A statement the engine rejects (a non-numeric value for a numeric field, an
// ambiguous name in a join) is reported with the engine's text, and the query
// is opened again with the statement and held state it had before, so the
// window always keeps a usable result.
#include <QObject>
#include <QString>

class QWidget;

namespace tess {
class DataSet;
class Error;
}

namespace tess::query {

struct HeldQuery {
    QString source;          // the open table, after "Select * From " and "From "
    QString condition;       // WHERE fragment last applied
    QString order;           // ORDER BY list last chosen (advanced query, sort)
    QString defaultOrder;    // the table's default sort text
    int recordCount = 0;     // records in the last result
    bool multiTable = false; // a join has replaced the statement

    bool operator==(const HeldQuery&) const = default;
};

// "当前数据库记录总数为" + count + "个！   ".
QString recordCountText(int count);
// Shows an engine's (or any) error as the application does: its text, caption "错误   ".
void showError(QWidget* parent, const Error& e);

// The statements of the main query, their lines joined by "\n".
// Single table: "Select * From T" / "where C" / "order by O" (lines left out
// when C or O is empty).
QString singleTableStatement(const QString& source, const QString& condition, const QString& order);
// Multi-table: the join's WHERE line (its third line) moved to the end with
// " and " + C appended (nothing appended when C is empty), then
// "order by O". An order line already in the statement is dropped first, so
// the WHERE line never follows an ORDER BY.
QString joinStatement(const QString& current, const QString& condition, const QString& order);

class MainQuery : public QObject {
    Q_OBJECT
public:
    explicit MainQuery(DataSet* adoQuery1, QObject* parent = nullptr);

    DataSet* dataSet() const { return ds; }
    const HeldQuery& held() const { return h; }
    // Window under which messages appear.
    void setMessageParent(QWidget* w) { messageParent = w; }

    // A table was opened: condition, order, count and multi-table mode
    // start afresh for it.
    void tableOpened(const QString& table, const QString& defaultOrder);
    // Entering the query subsystem: "Select * From T" sorted by the given
    // text (the default order, or the numbered field). Throws EngineError
    // (the caller shows "文件打开出错！  "); the record count is kept.
    void openSource(const QString& sort);
    // A multi-table query's three-line join replaces the statement: multi-
    // table mode is set, the join opened, the count shown. On an engine error
    // the error is shown and the previous query and mode stay.
    bool openJoin(const QString& join);

    // Applies a condition keeping the held order text (single-item and range
    // queries) …
    bool applyCondition(const QString& condition, bool refreshPageView = true);
    // … or replacing it (the advanced query hands one over, the general
    // query clears it). Stores the condition, rebuilds the statement, opens,
    // sorts by the default order when no order text is held, stores the
    // count, emits statusText and, when asked, pageViewRefresh, and shows
    // "数据库中没有您要查找的记录  " for an empty result. Returns false when
    // the engine rejected the statement (state and query as before).
    bool applyCondition(const QString& condition, const QString& order, bool refreshPageView);
    // 全部记录: the whole source (single table, condition cleared) or the
    // join with the held condition; default order; count and status text.
    bool showAll();
    // The sort dialog's result replaces the order text; a non-empty one
    // re-orders.
    bool setOrder(const QString& order);
    // Re-runs the statement with the held condition and "order by" the held
    // order text. The record count is not touched. In multi-table mode the
    // join is kept.
    bool reorder();

signals:
    // Text for the second panel of the status bar.
    void statusText(const QString& text);
    void recordCountChanged(int count);
    // The page view should show the new current record.
    void pageViewRefresh();

private:
    enum class Sort { None, Default };
    bool run(const QString& statement, Sort sort, const HeldQuery& before);
    void counted(bool refreshPageView, bool warnWhenEmpty);

    DataSet* ds;
    HeldQuery h;
    QWidget* messageParent = nullptr;
};

} // namespace tess::query
