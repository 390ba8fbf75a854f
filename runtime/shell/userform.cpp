#include "runtime/shell/userform.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/modal.h"
#include "common/fieldlink.h"
#include "common/paths.h"
#include "common/prompts.h"

namespace tess {

namespace {

const QStringList kRightNames{QStringLiteral("录入"), QStringLiteral("查询"), QStringLiteral("导入"),
                              QStringLiteral("导出"), QStringLiteral("统计"), QStringLiteral("打印"),
                              QStringLiteral("备份"), QStringLiteral("恢复"), QStringLiteral("界面调整"),
                              QStringLiteral("系统设置")};
const QStringList kTypeNames{QStringLiteral("超级用户"), QStringLiteral("一级用户"), QStringLiteral("二级用户"),
                             QStringLiteral("三级用户"), QStringLiteral("自定义用户")};

QList<bool> ticked(std::initializer_list<int> on)
{
    QList<bool> r(10, false);
    for (int i : on)
        r[i] = true;
    return r;
}

} // namespace

QList<bool> userTypePreset(int type)
{
    switch (type) {
    case SuperUser: return QList<bool>(10, true);
    case FirstLevel: return ticked({0, 1, 2, 3, 4, 5, 6, 7, 8});
    case SecondLevel: return ticked({1, 3, 4, 5, 8});
    case ThirdLevel: return ticked({1, 8});
    default: return QList<bool>(10, false);
    }
}

int classifyUser(const QList<bool>& r)
{
    auto all = [&](std::initializer_list<int> idx, bool v) {
        for (int i : idx)
            if (r.value(i) != v)
                return false;
        return true;
    };
    if (all({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, true))
        return SuperUser;
    if (all({0, 1, 2, 3, 4, 5, 6, 7, 8}, true) && all({9}, false))
        return FirstLevel;
    // Right 7 (恢复) does not count for the second level.
    if (all({1, 3, 4, 5, 8}, true) && all({0, 2, 6, 9}, false))
        return SecondLevel;
    if (all({1, 8}, true) && all({0, 2, 3, 4, 5, 6, 7, 9}, false))
        return ThirdLevel;
    return CustomUser;
}

TUserForm::TUserForm(Connection* c, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("用户权限管理"));
    ADOTable1 = new DataSet(c, this);
    ADOTable1->setTableName(QStringLiteral("UserPopedom"));

    Edit1 = new QLineEdit;
    Edit2 = new QLineEdit;
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("用户名称："), Edit1);
    form->addRow(QStringLiteral("用户密码："), Edit2);

    auto nav = [this](const QString& t) {
        auto* b = new QPushButton(t);
        b->setMaximumWidth(60);
        return b;
    };
    FirstButton = nav(QStringLiteral("开头"));
    PriorButton = nav(QStringLiteral("上一个"));
    NextButton = nav(QStringLiteral("下一个"));
    LastButton = nav(QStringLiteral("结尾"));
    auto* navRow = new QHBoxLayout;
    for (auto* b : {FirstButton, PriorButton, NextButton, LastButton})
        navRow->addWidget(b);
    navRow->addStretch();

    auto* typeBox = new QGroupBox(QStringLiteral("用户类型："));
    auto* tl = new QVBoxLayout(typeBox);
    RadioGroup1 = new QButtonGroup(this);
    for (int i = 0; i < kTypeNames.size(); ++i) {
        auto* r = new QRadioButton(kTypeNames.at(i));
        RadioGroup1->addButton(r, i);
        typeButtons << r;
        tl->addWidget(r);
    }
    auto* rightsBox = new QGroupBox(QStringLiteral("功能权限"));
    auto* rl = new QVBoxLayout(rightsBox);
    CheckListBox1 = new QListWidget;
    for (const QString& n : kRightNames) {
        auto* it = new QListWidgetItem(n, CheckListBox1);
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        it->setCheckState(Qt::Unchecked);
    }
    rl->addWidget(CheckListBox1);
    auto* mid = new QHBoxLayout;
    mid->addWidget(typeBox);
    mid->addWidget(rightsBox);

    auto button = [](const QString& t) { return new QPushButton(t); };
    FindButton = button(QStringLiteral("查找"));
    AddButton = button(QStringLiteral("添加"));
    EditButton = button(QStringLiteral("修改"));
    DeleteButton = button(QStringLiteral("删除"));
    PostButton = button(QStringLiteral("写入"));
    CloseButton = button(QStringLiteral("关闭"));
    SysButton = button(QStringLiteral("系统权限"));
    auto* buttons = new QHBoxLayout;
    for (auto* b : {FindButton, AddButton, EditButton, DeleteButton, PostButton, SysButton, CloseButton})
        buttons->addWidget(b);

    auto* v = new QVBoxLayout(this);
    v->addLayout(form);
    v->addLayout(navRow);
    v->addLayout(mid);
    v->addLayout(buttons);

    userLink = new FieldLink(Edit1, ADOTable1, QStringLiteral("FUser"));
    passLink = new FieldLink(Edit2, ADOTable1, QStringLiteral("FPass"));

    connect(FirstButton, &QPushButton::clicked, this, [this] { ADOTable1->first(); });
    connect(PriorButton, &QPushButton::clicked, this, [this] { ADOTable1->prior(); });
    connect(NextButton, &QPushButton::clicked, this, [this] { ADOTable1->next(); });
    connect(LastButton, &QPushButton::clicked, this, [this] { ADOTable1->last(); });
    connect(ADOTable1, &DataSet::afterScroll, this, [this] {
        if (ADOTable1->state() == DataSetState::Browse)
            browse();
    });
    connect(FindButton, &QPushButton::clicked, this, &TUserForm::FindClick);
    connect(AddButton, &QPushButton::clicked, this, &TUserForm::AddClick);
    connect(EditButton, &QPushButton::clicked, this, &TUserForm::EditClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TUserForm::DeleteClick);
    connect(PostButton, &QPushButton::clicked, this, &TUserForm::PostClick);
    connect(CloseButton, &QPushButton::clicked, this, &TUserForm::CloseClick);
    connect(SysButton, &QPushButton::clicked, this, &TUserForm::SysClick);
    connect(RadioGroup1, &QButtonGroup::idClicked, this, &TUserForm::typeChosen);
    connect(CheckListBox1, &QListWidget::itemChanged, this, [this](QListWidgetItem* it) {
        checkClicked(CheckListBox1->row(it));
    });
}

void TUserForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!ADOTable1->active()) {
        ADOTable1->open();
        browse();
    }
}

QList<bool> TUserForm::checks() const
{
    QList<bool> r;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        r << (CheckListBox1->item(i)->checkState() == Qt::Checked);
    return r;
}

void TUserForm::setChecks(const QList<bool>& rights)
{
    const QSignalBlocker block(CheckListBox1);
    for (int i = 0; i < CheckListBox1->count(); ++i)
        CheckListBox1->item(i)->setCheckState(rights.value(i) ? Qt::Checked : Qt::Unchecked);
}

void TUserForm::setEditing(bool on)
{
    PostButton->setEnabled(on);
    CheckListBox1->setEnabled(on);
}

// The current row as the window shows it: its type and its rights.
void TUserForm::browse()
{
    adding = false;
    setEditing(false);
    if (!ADOTable1->active() || ADOTable1->isEmpty())
        return;
    QList<bool> rights;
    for (int i = 2; i < 12 && i < ADOTable1->fieldCount(); ++i)   // third to twelfth column
        rights << ADOTable1->value(i).toBool();
    const int type = classifyUser(rights);
    typeButtons.at(type)->setChecked(true);
    setChecks(type == CustomUser ? rights : userTypePreset(type));
}

void TUserForm::typeChosen(int type)
{
    if (type == CustomUser && !adding) {
        QList<bool> rights;
        for (int i = 2; i < 12 && i < ADOTable1->fieldCount(); ++i)
            rights << ADOTable1->value(i).toBool();
        setChecks(rights);
        return;
    }
    setChecks(userTypePreset(type));
}

void TUserForm::checkClicked(int index)
{
    QList<bool> r = checks();
    if (index == 0 && !r.at(0))
        r[2] = false;   // no 录入, no 导入
    if (index == 1 && !r.at(1))
        r[3] = r[4] = r[5] = false;   // no 查询, no 导出, 统计, 打印
    setChecks(r);
}

void TUserForm::AddClick()
{
    ADOTable1->append();
    setEditing(true);
    for (auto* r : typeButtons)
        r->setEnabled(true);
    adding = true;
}

void TUserForm::EditClick()
{
    ADOTable1->edit();
    setEditing(true);
    for (auto* r : typeButtons)
        r->setEnabled(true);
    adding = true;
}

void TUserForm::PostClick()
{
    if (Edit1->text().isEmpty()) {
        message(this, QStringLiteral("请输入用户名称！  "), QStringLiteral("用户名称   "));
        return;
    }
    if (Edit2->text().isEmpty()) {
        message(this, QStringLiteral("请输入用户密码！  "), QStringLiteral("用户密码   "));
        return;
    }
    if (RadioGroup1->checkedId() < 0) {
        message(this, QStringLiteral("请选择用户类型！  "), QStringLiteral("用户类型   "));
        return;
    }
    ADOTable1->edit();
    const QList<bool> r = checks();
    for (int i = 0; i < 10; ++i)
        ADOTable1->setValue(i + 2, r.at(i));
    ADOTable1->post();
    setEditing(false);
    adding = false;
}

void TUserForm::DeleteClick()
{
    // The first user row stays.
    if (ADOTable1->isEmpty() || ADOTable1->recNo() <= 1)
        return;
    if (message(this, QStringLiteral("确实要删除吗?  "), QStringLiteral("警告  "), Buttons::OkCancel, Icon::Question) == Answer::Ok)
        ADOTable1->deleteRecord();
}

void TUserForm::FindClick()
{
    const QString name = inputText(this, QStringLiteral("查找用户"), QStringLiteral("请输入用户名"));
    if (name.isEmpty())
        return;
    if (!ADOTable1->locate(QStringLiteral("FUser"), QVariant(name), {}))
        warning(this, QStringLiteral("没有此用户！  "));
}

void TUserForm::CloseClick()
{
    // At least one super user must remain.
    DataSet check(ADOTable1->connection());
    check.setTableName(QStringLiteral("UserPopedom"));
    check.open();
    bool any = false;
    for (int i = 0; i < check.recordCount() && !any; ++i)
        any = check.valueAt(i, check.field(QStringLiteral("FType"))).toBool();
    if (!any) {
        message(this, QStringLiteral("至少应设置一个是超级用户。  "), QStringLiteral("请设置一个管理员   "));
        return;
    }
    ADOTable1->close();
    accept();
}

void TUserForm::reject()
{
    CloseClick();
}

void TUserForm::SysClick()
{
    TSysQxForm f(ADOTable1->connection(), this);
    runModal(f);
}

TSysQxForm::TSysQxForm(Connection* c, QWidget* parent) : QDialog(parent), conn(c)
{
    setWindowTitle(QStringLiteral("系统权限"));
    ComboBox1 = new QComboBox;
    CheckListBox1 = new QListWidget;
    for (const QString& s : dataIni().readSection(QStringLiteral("SysName"))) {
        auto* it = new QListWidgetItem(s, CheckListBox1);
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        it->setCheckState(Qt::Unchecked);
    }
    PostButton = new QPushButton(QStringLiteral("写入"));
    CloseButton = new QPushButton(QStringLiteral("关闭"));
    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("用户名")));
    top->addWidget(ComboBox1, 1);
    v->addLayout(top);
    auto* box = new QGroupBox(QStringLiteral("系统权限"));
    auto* bl = new QVBoxLayout(box);
    bl->addWidget(CheckListBox1);
    v->addWidget(box);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(PostButton);
    buttons->addWidget(CloseButton);
    v->addLayout(buttons);
    connect(ComboBox1, &QComboBox::textActivated, this, &TSysQxForm::userChosen);
    connect(PostButton, &QPushButton::clicked, this, &TSysQxForm::PostClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TSysQxForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (ComboBox1->count() > 0)
        return;
    QSqlQuery q = conn->select(QStringLiteral("SELECT FUser FROM UserPopedom"));
    while (q.next())
        ComboBox1->addItem(q.value(0).toString());
    ComboBox1->setCurrentIndex(-1);
}

void TSysQxForm::userChosen(const QString& user)
{
    DataSet qx(conn);
    qx.setTableName(QStringLiteral("SysQx"));
    qx.open();
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        QListWidgetItem* it = CheckListBox1->item(i);
        if (qx.locate(QStringLiteral("FUser;SysName"), {user, it->text()}, {true, false}))
            it->setCheckState(qx.value(QStringLiteral("Popedom")).toBool() ? Qt::Checked : Qt::Unchecked);
    }
}

void TSysQxForm::PostClick()
{
    const QString user = ComboBox1->currentText();
    if (ComboBox1->currentIndex() < 0 || user.isEmpty())
        return;
    DataSet qx(conn);
    qx.setTableName(QStringLiteral("SysQx"));
    qx.open();
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        QListWidgetItem* it = CheckListBox1->item(i);
        if (qx.locate(QStringLiteral("FUser;SysName"), {user, it->text()}, {true, false}))
            qx.edit();
        else
            qx.append();
        qx.setValue(QStringLiteral("FUser"), user);
        qx.setValue(QStringLiteral("SysName"), it->text());
        qx.setValue(QStringLiteral("Popedom"), it->checkState() == Qt::Checked);
        qx.post();
    }
    // From the next logon on, this user sees only the permitted systems.
    DataSet users(conn);
    users.setTableName(QStringLiteral("UserPopedom"));
    users.open();
    if (users.locate(QStringLiteral("FUser"), QVariant(user), {})) {
        users.edit();
        users.setValue(QStringLiteral("Sys"), true);
        users.post();
    }
}

} // namespace tess
