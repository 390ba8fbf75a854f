#pragma once
// Information systems: placing a new table into a new or an existing
// system, and deleting and reordering the systems of [SysName].
#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tess {

// "纳入数据库表为某一信息系统中": writes [SysName] and [<system>Table] of the
// data directory's sys.ini for one table.
class TAddSysNameForm : public QDialog {
    Q_OBJECT
public:
    explicit TAddSysNameForm(const QString& table, QWidget* parent = nullptr);

    QString table;
    QRadioButton* RadioButton1;   // into a new system
    QRadioButton* RadioButton2;   // into an existing system
    QLineEdit* Edit1;             // name of the new system
    QListWidget* ListBox1;        // the systems there are
    QPushButton* Button1;         // 确定
    QPushButton* Button2;         // 关闭

    void Button1Click();
};

// "删除或调整信息系统": the keys of [SysName] in file order, each with its value.
class TDelSysNameForm : public QDialog {
    Q_OBJECT
public:
    explicit TDelSysNameForm(QWidget* parent = nullptr);

    QStringList names;    // [SysName] keys in list order
    QStringList values;   // their values, by position

    QLabel* Label1;
    QListWidget* ListBox1;
    QPushButton* Button1;   // 删除
    QPushButton* Button2;   // 关闭
    QPushButton* Button3;   // 向上移动
    QPushButton* Button4;   // 向下移动

    void Button1Click();
    void Button3Click();
    void Button4Click();

private:
    void move(int by);
    void writeBack();
    void fill();
};

} // namespace tess
