#pragma once
// The development platform's main window: the entry to every editor of the
// platform, a grid showing one table (the table designed last, or a table of
// an outside database), template conversion and the information systems.
#include <QMainWindow>
#include <QMap>
#include <memory>

#include "common/dataset.h"
#include "common/datasetmodel.h"
#include "platform/dbtypeform.h"

class QAction;
class QLabel;
class QMenu;
class QTableView;
class QToolButton;

namespace tess {

class AccessCopy;

class TDeveForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TDeveForm(QWidget* parent = nullptr);
    ~TDeveForm() override;

    // ---- window state ------------------------------------------------------------
    QString currentName;            // table designed last, or the outside database opened
    QString pickedTable;            // table last chosen from "数据库表"
    QList<ColumnInfo> fieldList;    // columns of the grid's table: what "转化成为模板" converts
    DatabaseKind databaseKind = DatabaseKind::Access;

    // ---- components ----------------------------------------------------------------
    DataSet* ADOTable1;             // the grid's table
    DataSetModel* model;
    QTableView* DBGrid1;
    QWidget* DBNavigator1;
    QList<QToolButton*> navigatorButtons;   // 开头 上一个 下一个 结尾 增加 删除 修改 写入 取消 刷新
    QLabel* StatusBar1;             // the status bar's one panel
    QMenu* TablesMenu;              // "数据库表"
    QMap<QString, QMenu*> menus;    // by caption
    QMap<QString, QAction*> items;  // by caption
    QAction* item(const QString& caption) const { return items.value(caption); }
    QMenu* menu(const QString& caption) const { return menus.value(caption); }

    // ---- commands ------------------------------------------------------------------
    void openDatabase();                        // "打开数据库"
    void pickTable(const QString& table);       // an item of "数据库表"
    void convertToTemplate();                   // "转化成为模板"
    void newTable();                            // "新建数据库表结构"
    void includeTable(const QString& table);    // "纳入数据库表"
    void setSystemName();                       // "设置系统名称"
    void manageSystems();                       // "删除或调整信息系统"
    void saveConfiguration();                   // "保存系统配置"
    void aboutBox();                            // "关于"

    // Shows a table of a connection in the grid; the grid is read-only on
    // an outside database.
    void showTable(Connection* c, const QString& table);
    void closeGrid();
    // Grid column widths: as the column needs, at most 100 pixels.
    void capColumnWidths();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenus();
    void buildNavigator();
    void updateNavigator();
    void navigate(int button);
    QAction* addItem(QMenu* m, const QString& caption, std::function<void()> action, bool closesGrid = true);
    void rebuildTablesMenu(const QStringList& tables);
    void setStatus(const QString& text);

    // The readable copy of the Access file opened last, if one is open.
    std::unique_ptr<AccessCopy> accessCopy;
};

} // namespace tess
