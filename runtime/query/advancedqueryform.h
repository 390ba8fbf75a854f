#pragma once
// The advanced query ("高级查询"): conditions are added one by one, each after
// the first with a logical word (并且/或者), and up to four sort keys are
// chosen. The caller goes through the AdvancedQuery holder, which carries the
// query fields in and the condition text and order text out. Besides the
// main window it serves as the condition builder of query-table tabs and of
// the advanced batch update (which hands names as captions).
#include <QDialog>
#include <QList>

#include "runtime/query/queryinput.h"

class QComboBox;
class QListWidget;
class QPushButton;

namespace tess::query {

class TAdvancedQueryForm : public QDialog {
    Q_OBJECT
public:
    TAdvancedQueryForm(const QuerySource& source, QWidget* parent = nullptr);

    // After 确定: the added conditions joined by one blank, and the order
    // text of the sort rows.
    QString condition() const { return cond; }
    QString order() const { return ord; }
    // The fragments as they stand now, logical words included.
    QStringList fragments() const;

    QComboBox* logicBox;       // 逻辑符
    QComboBox* fieldBox;       // 查询项目
    QComboBox* operatorBox;    // 操作符
    QComboBox* valueBox;       // 查询值
    QListWidget* conditionList;   // 已添加的条件
    QComboBox* sortFields[4];  // 排序项目
    QComboBox* sortDirections[4];   // 方式
    QPushButton* addButton;
    QPushButton* deleteButton;
    QPushButton* clearButton;
    QPushButton* okButton;
    QPushButton* cancelButton;

public slots:
    void fieldPicked();
    void operatorPicked();
    void addClicked();
    void deleteClicked();
    void clearClicked();
    void sortFieldPicked(int row);
    void okClicked();

private:
    struct Added {
        int logic = -1;      // caption position of the logical word
        QString fragment;    // without the logical word
        QString shown;       // field caption, operator caption and value
    };
    QString fragmentOf(int i) const;
    QString lineOf(int i) const;
    void resetConditionBoxes(bool withValue);

    QuerySource src;
    QList<Added> added;
    int addCount = 0;   // conditions added since the start or 清空
    QString cond, ord;
};

// The holder the callers use.
class AdvancedQuery {
public:
    explicit AdvancedQuery(QuerySource source) : src(std::move(source)) {}
    // Shows the window; true after 确定 (condition and order then set).
    bool execute(QWidget* parent);
    QString condition;
    QString order;

private:
    QuerySource src;
};

} // namespace tess::query
