#pragma once
// The runtime's main window: information systems and their tables, the
// entry and query subsystems, the grid, the page view, the category tree,
// and the menus and toolbar every other runtime window is started from.
//
// The window keeps the state the feature windows read (current system and
// table, subsystem, field definitions, data components) public, as the
// windows are written against it. Handlers are split by concern into
// mainform_*.cpp files.
#include <QMainWindow>
#include <QMap>
#include <QPointer>

#include "common/dataset.h"
#include "common/datasetmodel.h"
#include "common/definitions.h"
#include "runtime/shell/layoutsettings.h"

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QTableView;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tess {

class PageView;
class GridOverlay;
namespace query {
class QueryCommands;
}

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // ---- window state ------------------------------------------------------
    QString currentSystem;
    QString currentTable;
    int subsystemMode = 0;    // 0 none, 1 entry "录入系统", 2 query "查询系统"
    int startSubsystem = 1;
    int tableKind = 0;        // 0 ordinary, 1 enterable SQL table, 2 virtual table
    int relationMode = 0;     // 0 none, 1 master-detail, 2 query table
    QString activeSlot = QStringLiteral("Table1");
    bool started = false;
    bool multiTableQuery = false;
    int recordCount = 0;
    QStringList allowedSystems;
    QString relatedTable;     // table remembered while building the table menu
    LayoutSettings layoutSettings;
    FieldDefinition fieldDef;     // master ("Table1")
    FieldDefinition fieldDef2;    // detail ("Table2")
    FieldDefinition fieldDef3;    // sub-detail ("Table3")
    bool definitionsInUse = false;

    // ---- data components (all on the system database) ----------------------
    DataSet* ADOTable1;     // master table, entry subsystem
    DataSet* ADOQuery1;     // master query, query subsystem
    DataSet* ADOTable2;     // detail table, entry subsystem
    DataSet* ADOTable3;     // sub-detail table, entry subsystem
    DataSet* ADOQuery2;     // detail query, query subsystem
    DataSet* ADOQuery3;     // sub-detail query, query subsystem
    DataSet* ADOQuery21;    // query-table tab
    DataSet* TempADOTable;
    DataSet* TempADOQuery;
    // The set each grid shows (DataSource1..3).
    DataSet* DataSource1 = nullptr;
    DataSet* DataSource2 = nullptr;
    DataSet* DataSource3 = nullptr;
    // The master set that is open: ADOTable1 or ADOQuery1 (or null).
    DataSet* master() const;

    // ---- widgets -------------------------------------------------------------
    QToolBar* ToolBar1;
    QAction* ToolButton1;    // 开头
    QAction* ToolButton2;    // 上一个
    QAction* ToolButton3;    // 下一个
    QAction* ToolButton4;    // 结尾
    QAction* ToolButton5;    // 查询 / 查找
    QAction* ToolButton6;    // 增加
    QAction* ToolButton7;    // 插入
    QAction* ToolButton8;    // 修改
    QAction* ToolButton9;    // 写入
    QAction* ToolButton10;   // 删除
    QAction* ToolButton11;   // 图片
    QAction* ToolButton12;   // 退出
    QLabel* StatusPanel1;
    QLabel* StatusPanel2;
    QLabel* StatusPanel3;
    QWidget* TreePanel;      // "分类查询" with its close button
    QTreeWidget* TreeView1;
    QTableView* DBGrid1;
    QTableView* DBGrid2;
    QTableView* DBGrid3;
    QWidget* TopGridPanel;   // holds DBGrid1 in the top-bottom layout
    QTabWidget* PageControl1;
    QWidget* TabSheet1;      // "页面形式"
    QScrollArea* ScrollBox1; // the page view area
    QWidget* PagePanel;      // the page panel inside it
    PageView* pageView;
    query::QueryCommands* queryCommands;
    QSplitter* RelationArea; // the detail area: detail grid, sub-detail panel
    QWidget* SubDetailPanel;
    QLabel* SubDetailCaption;
    QWidget* PageHost;       // the page view's place above the tabs with related tables

    // ---- related tables --------------------------------------------------------
    QString detailTable;           // "Table2": the active tab's table
    QString masterLink, detailLink;        // a > b
    QString subDetailTable;        // "Table3"
    QString detailLink2, subDetailLink;    // c > f
    QStringList detailHomology, subDetailHomology;
    QString conditionField;        // query tables: the master's condition column
    QMap<QString, QString> queryTabOrder;   // query tab -> order chosen in the condition builder
    bool queryTabRan = false;
    QMetaObject::Connection subDetailFollow;
    void buildRelationTabs();
    void showTab(int index);
    void detachDetail();
    void openDetail(const QString& d);
    void openQueryTab(const QString& q);
    void runQueryTab();
    void conditionBuilder();
    void hideColumns(QTableView* grid, DataSet* ds, const QStringList& names, int lastAutoInc, bool engineAutoInc);

    // Menus and items, by caption.
    QMap<QString, QMenu*> menus;
    QMap<QString, QAction*> items;
    QAction* item(const QString& caption) const { return items.value(caption); }
    QMenu* menu(const QString& caption) const { return menus.value(caption); }

    // ---- operations -----------------------------------------------------------
    void startUp();
    void applyRights();
    void buildAllowedSystems();
    void chooseSystem(const QString& system);
    void buildTableMenu(const QString& system);
    void tableItemClicked(const QString& caption);
    bool openTable(const QString& table, int relation);
    bool enterEntry();
    bool enterQuery();
    void applySubsystemMenus();
    void arrange();
    void reflowPage();
    void buildCategoryTree();
    void showCount(const QString& prefix);   // "当前记录总数为" / "当前数据库记录总数为"
    void updateCurrentRecordText();
    void closeData();
    // Display text of a grid cell (real and BCD numbers as "#.##").
    QString gridText(const FieldDefinition& defs, DataSet* ds, int field, const QVariant& v) const;
    // "#.##": 0 shows empty, 0.5 shows ".5".
    static QString hashFormat(double v);

    // Tool-menu plug-ins and programs.
    void runPlugin(const QString& caption);
    void runDesigner();
    void startProgram(const QString& what);
    // Feature windows not built yet report so.
    void notAvailable(const QString& feature);

    // Layout saved at close; tests call it directly.
    void saveLayout();

    // ---- editing (entry subsystem) -------------------------------------------
    // The set of the active slot ("Table1" master, "Table2" detail, "Table3" sub-detail).
    DataSet* target() const;
    const FieldDefinition& targetDefinitions() const;
    QTableView* gridOf(const QString& slot) const;
    void ToolButton6Click();    // 增加
    void ToolButton7Click();    // 插入
    void ToolButton8Click();    // 修改
    void ToolButton9Click();    // 写入
    void ToolButton10Click();   // 删除
    void ToolButton11Click();   // 图片, 插入图片
    void deletePicture();       // 删除图片
    void toggleMultiSelect();   // 选择多行
    void copyRecord();          // 复制记录
    void locateClick();         // 定位查找, the entry subsystem's 查找
    // A file column: load a file into it (entry) or save it and open it (query).
    void fileColumn(DataSet* ds, const QString& field);
    // Before a set with an unwritten record is closed (another table,
    // subsystem or tab): write it, drop it, or stay. False means stay.
    bool resolvePending();
    // One more than the largest value of a table's column (1 for an empty table).
    qlonglong nextIdentity(const QString& table, const QString& column);
    void setWriteEnabled(bool on);
    bool writeEnabled = false;
    // The order a table is shown in when nobody asked for one: its default
    // order, else its numbered field ascending.
    QString defaultOrderOf(const QString& table) const;

signals:
    // The master's current record changed (page view, detail tabs follow).
    void masterScrolled();
    // A table was opened and its definitions loaded.
    void tableOpened();

    // Moments at which the field rules act, per slot ("Table1".."Table3").
    void setOpened(const QString& slot, DataSet* ds);            // add/subtract reads its settings
    void recordStarted(const QString& slot, DataSet* ds);        // appended or inserted
    void editStarted(const QString& slot, DataSet* ds);          // edit state began
    void recordWritten(const QString& slot, DataSet* ds);        // duplicate check, add/subtract, summation
    void numberRequested(const QString& slot, DataSet* ds, bool wasEmpty);   // 增加: automatic numbering
    void homologyRequested(const QString& slot, DataSet* ds);    // detail 增加: homology copying
    void resultFieldEntered(const QString& slot, DataSet* ds, int field);   // formulas
    void referenceRequested(const QString& slot, DataSet* ds, const QString& field);   // "…" of a reference column
    void conditionRequested(const QString& field);               // "…" of a query-table condition

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void FormCreate();
    void buildMenus();
    void buildToolBar();
    void buildToolMenu();
    void buildStatusBar();
    void setGridSource(QTableView* grid, DataSet* ds, const FieldDefinition* defs, bool readOnly);
    void TreeView1Click(QTreeWidgetItem* node);
    void navigate(int how);
    void aboutBox();
    void connectEditing();
    void connectQuery();
    void connectRelations();
    void buildLayoutMenu();
    void applyFormColor();
    void pageDoubleClicked(int field);
    void gridDoubleClicked(QTableView* grid, const QModelIndex& index);
    QString slotOf(DataSet* ds) const;
    QAction* addItem(QMenu* m, const QString& caption, std::function<void()> action = {});

    QMap<DataSet*, DataSetModel*> models;
    QMap<QTableView*, GridOverlay*> gridOverlays;
    QMenu* systemsMenu = nullptr;
    QMenu* tablesMenu = nullptr;
    QList<QAction*> pluginItems;
    QSplitter* mainSplitter = nullptr;
    QSplitter* leftSplitter = nullptr;
    QSplitter* rightSplitter = nullptr;
    QWidget* leftArea = nullptr;
    QWidget* rightArea = nullptr;
};

} // namespace tess
