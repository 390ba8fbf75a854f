#pragma once
// User administration ("用户权限管理") and per-system permissions ("系统权限").
#include <QDialog>

#include "common/dataset.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tess {

class FieldLink;

// The five user types and the rights they stand for, by check-list position
// (录入 导入 ... 系统设置).
enum UserType { SuperUser, FirstLevel, SecondLevel, ThirdLevel, CustomUser };
QList<bool> userTypePreset(int type);
// The type a stored row is shown as.
int classifyUser(const QList<bool>& rights);

class TUserForm : public QDialog {
    Q_OBJECT
public:
    explicit TUserForm(Connection* c, QWidget* parent = nullptr);

    DataSet* ADOTable1;
    QLineEdit* Edit1;   // user name
    QLineEdit* Edit2;   // password
    QList<QRadioButton*> typeButtons;
    QButtonGroup* RadioGroup1;
    QListWidget* CheckListBox1;
    QPushButton *FindButton, *AddButton, *EditButton, *DeleteButton, *PostButton, *CloseButton, *SysButton;
    QPushButton *FirstButton, *PriorButton, *NextButton, *LastButton;
    bool adding = false;

    QList<bool> checks() const;
    void setChecks(const QList<bool>& rights);

public slots:
    void FindClick();
    void AddClick();
    void EditClick();
    void DeleteClick();
    void PostClick();
    void CloseClick();
    void SysClick();
    void typeChosen(int type);
    void checkClicked(int index);

protected:
    void showEvent(QShowEvent* e) override;
    void reject() override;

private:
    void browse();
    void setEditing(bool on);
    FieldLink* userLink;
    FieldLink* passLink;
};

class TSysQxForm : public QDialog {
    Q_OBJECT
public:
    explicit TSysQxForm(Connection* c, QWidget* parent = nullptr);

    QComboBox* ComboBox1;        // 用户名
    QListWidget* CheckListBox1;  // 系统权限
    QPushButton* PostButton;
    QPushButton* CloseButton;

public slots:
    void userChosen(const QString& user);
    void PostClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    Connection* conn;
};

} // namespace tess
