#pragma once
// The query-mode chooser ("选择查询方式") that the 查询 tool button opens in
// query mode 0, and the query-mode setting window ("设置查询方式").
#include <QDialog>

class QPushButton;
class QRadioButton;

namespace tess::query {

// Radio buttons 单项查询 (checked), 范围查询, 全部记录, 一般查询, 高级查询.
// 确定 gives 1, 2, 5, 3 or 4; 取消 gives 0.
class TQueryWayForm : public QDialog {
    Q_OBJECT
public:
    explicit TQueryWayForm(QWidget* parent = nullptr);
    int choice() const { return chosen; }
    // Shows the window; the choice, 0 when cancelled.
    static int run(QWidget* parent);

    QRadioButton* ways[5];
    QPushButton* okButton;
    QPushButton* cancelButton;

public slots:
    void okClicked();

private:
    int chosen = 0;
};

// The same buttons with 综合查询 in place of 全部记录, 综合查询 checked
// whatever the current setting. 确定 writes the checked value (单项查询 1,
// 范围查询 2, 综合查询 0, 一般查询 3, 高级查询 4) to [Form] QueWay of the
// executable directory's sys.ini; 取消 writes nothing and gives 0.
class TSetQueryWayForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetQueryWayForm(QWidget* parent = nullptr);
    int way() const { return chosen; }
    // Shows the window; the new query mode (0 after 取消).
    static int run(QWidget* parent);

    QRadioButton* ways[5];
    QPushButton* okButton;
    QPushButton* cancelButton;

public slots:
    void okClicked();

private:
    int chosen = 0;
};

} // namespace tess::query
