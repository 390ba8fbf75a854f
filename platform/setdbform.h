#pragma once
// The table designer: edits a field-definition table Tb row by row and
// creates the data table T from it. Every table designed here is a template
// listed in [cyclostyle] of the executable directory's sys.ini.
#include <QDialog>
#include <QMap>

#include "common/dataset.h"
#include "common/datasetmodel.h"
#include "platform/designrules.h"

class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QTableView;
class QToolBar;

namespace tess {

class TSetDBForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetDBForm(QWidget* parent = nullptr);
    ~TSetDBForm() override;

    // ---- designer state --------------------------------------------------------
    QString currentName;         // table being designed = template name = caption
    RowValidation validation;    // rows validated since "新建" / "确定", key rows among them
    bool created = false;        // "确定" created the data table (read by the platform window)

    // ---- components -------------------------------------------------------------
    DataSet* ADOTable1;          // the definition table currentName + "b"
    DataSetModel* model;
    QTableView* DBGrid1;
    QPlainTextEdit* DBMemo1;     // option editor over the grid
    QMenuBar* MainMenu1;
    QMenu* TemplateMenu;         // "模板"
    QToolBar* ToolBar1;
    QMap<QString, QAction*> tools;   // toolbar buttons by caption
    QMap<QString, QAction*> items;   // menu items by caption ("文件"/"编辑"/"帮助")

    // ---- commands ---------------------------------------------------------------
    void newTable();                          // "新建", "新建模板"
    void openTemplate(const QString& name);   // an item of "模板"
    void saveAs();                            // "另存为", "模板另存为"
    void deleteTemplate();                    // "删除模板"
    void addRow();                            // "增加"
    void insertRow();                         // "插入"
    void editRow();                           // "修改"
    void deleteRow();                         // "删除"
    void moveUp();                            // "上移"
    void moveDown();                          // "下移"
    void renumber();                          // "自动排序号"
    void createTable();                       // "确定"

    // Validates the current row (messages as the user sees them); a row that
    // passes gets its caption from its name and is posted.
    bool validateCurrentRow();
    // The rows as they stand, in grid order.
    QList<DefinitionRow> rows();
    // Where the option editor goes for a cell of the grid (in the grid's
    // viewport coordinates): 260 pixels left of the cell, 2 below its top.
    static QRect optionEditorRect(const QRect& cell);
    // Shows or hides the option editor for the focused cell.
    void updateOptionEditor();

    // Grid column of a field of the definition table (-1 when closed).
    int column(const QString& field) const;

public slots:
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void buildMenus();
    void fillTemplateMenu();
    void addTemplateItem(const QString& name);
    void openDefinitionTable(const QString& name);
    void closeDefinitionTable();
    // Writes an open cell editor into the record.
    void commitGridEditor();
    // Posts what was typed in the current row (rows are stored as soon as
    // they are posted).
    void keepTypedRow();
    DefinitionRow currentRowValues() const;
    QStringList earlierFieldNames();
    bool exists(const QString& table);
    void swapWith(int by);
    void loadOptionEditor();

    QString confirmedName;   // "重新创建" answered with OK for this name in this window
    bool loadingOptions = false;
};

} // namespace tess
