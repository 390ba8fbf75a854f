#include "common/logon.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "common/datamodule.h"
#include "common/dataset.h"
#include "common/paths.h"
#include "common/prompts.h"

namespace tess {

void GradientPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient g(0, 0, width(), 0);
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(166, 202, 240));   // sky blue
    p.fillRect(rect(), g);
}

TLogonForm::TLogonForm(Program prog, QWidget* main) : QWidget(nullptr), program(prog), mainForm(main)
{
    endProgram = [] { QCoreApplication::exit(0); };
    setFont(QFont(QStringLiteral("宋体"), 9));
    setWindowTitle(QStringLiteral("系统登录"));

    Panel1 = new GradientPanel(this);
    Panel1->setFixedHeight(64);
    Label3 = new QLabel(Panel1);
    Label3->setAlignment(Qt::AlignCenter);
    QFont titleFont(QStringLiteral("宋体"), 16, QFont::Bold);
    Label3->setFont(titleFont);
    Label3->setStyleSheet(QStringLiteral("color: rgb(0,0,128); background: transparent;"));
    auto* bannerLayout = new QVBoxLayout(Panel1);
    bannerLayout->addWidget(Label3);

    Edit3 = new QLineEdit(this);
    Edit1 = new QLineEdit(this);
    Edit2 = new QLineEdit(this);
    Edit2->setEchoMode(QLineEdit::Password);
    Edit2->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    // No input method for user name and password.
    Edit1->setAttribute(Qt::WA_InputMethodEnabled, false);
    Edit2->setAttribute(Qt::WA_InputMethodEnabled, false);

    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button2 = new QPushButton(QStringLiteral("取消"), this);
    Button1->setDefault(true);
    Button1->setAutoDefault(true);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(30, 14, 30, 6);
    grid->setVerticalSpacing(10);
    grid->addWidget(new QLabel(QStringLiteral("服务器名："), this), 0, 0);
    grid->addWidget(Edit3, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("用户名称："), this), 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("用户密码："), this), 2, 0);
    grid->addWidget(Edit2, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addSpacing(16);
    buttons->addWidget(Button2);
    buttons->addStretch();
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 14);
    v->setSpacing(0);
    v->addWidget(Panel1);
    v->addLayout(grid);
    v->addStretch();
    v->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, &TLogonForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QWidget::close);
    connect(Edit2, &QLineEdit::returnPressed, this, &TLogonForm::Button1Click);

    FormCreate();
    setFixedSize(340, 250);
    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
}

void TLogonForm::FormCreate()
{
    const IniFile ini = exeIni();
    systemTitle() = ini.readString(QStringLiteral("Form"), QStringLiteral("SysName"), QStringLiteral("Tessaly"));
    if (program == Program::Runtime) {
        Label3->setText(systemTitle());
    } else {
        const QString t = systemTitle() + QStringLiteral("开发平台");
        setWindowTitle(t);
        Label3->setText(t);
    }
    initNetPath();
    Edit3->setText(ini.readString(QStringLiteral("Form"), QStringLiteral("Server"), QString()));
}

bool TLogonForm::connectDatabase()
{
    // The runtime keeps the first connection that succeeds; the platform
    // connects afresh on every attempt, so a corrected server name takes
    // effect at once.
    Connection* c = dataModule()->ADOConnection1;
    if (program == Program::Runtime && c->connected())
        return true;
    c->close();
    try {
        c->open(TADODataModule::logonParams(Edit3->text()));
        return true;
    } catch (const Error&) {
        message(this, QStringLiteral("数据库连接出错！  "), QStringLiteral("数据库连接出错   "), Buttons::Ok, Icon::Error);
        return false;
    }
}

void TLogonForm::Button1Click()
{
    if (Edit1->text().isEmpty()) {
        message(this, QStringLiteral("没有输入用户名  "), QStringLiteral("没有输入用户名   "));
        return;
    }
    if (Edit2->text().isEmpty()) {
        message(this, QStringLiteral("没有输入密码  "), QStringLiteral("没有输入密码   "));
        return;
    }
    if (Edit3->text().isEmpty()) {
        message(this, QStringLiteral("没有输入服务器名  "), QStringLiteral("没有输入服务器名   "));
        return;
    }
    if (!connectDatabase())
        return;

    DataSet users(dataModule()->ADOConnection1);
    users.setTableName(QStringLiteral("UserPopedom"));
    try {
        users.open();
    } catch (const Error& e) {
        message(this, e.text(), QStringLiteral("错误   "), Buttons::Ok, Icon::Error);
        return;
    }
    if (users.isEmpty()) {
        users.close();
        accept(false);
        return;
    }
    const LocateOptions ci{true, false};
    if (users.locate(QStringLiteral("FUser;FPass"), {Edit1->text(), Edit2->text()}, ci)) {
        if (program == Program::Runtime) {
            LogonState& s = logonState();
            s.user = Edit1->text();
            auto flag = [&](const char* name) { return users.value(QLatin1String(name)).toBool(); };
            s.FInput = flag("FInput");
            s.FQuery = flag("FQuery");
            s.FDerive = flag("FDerive");
            s.FLoad = flag("FLoad");
            s.FStat = flag("FStat");
            s.FPrint = flag("FPrint");
            s.FForm = flag("FForm");
            s.FCopy = flag("FCopy");
            s.FReturn = flag("FReturn");
            s.FType = flag("FType");
            s.Sys = flag("Sys");
            s.loggedOn = true;
        }
        users.close();
        accept(true);
        return;
    }
    if (failures > 2) {
        users.close();
        endProgram();
        return;
    }
    ++failures;
    if (!users.locate(QStringLiteral("FUser"), QVariant(Edit1->text()), ci)) {
        message(this, QStringLiteral("用户名错误！重新输入  "), QStringLiteral("错误   "), Buttons::Ok, Icon::Error);
        Edit1->clear();
        Edit1->setFocus();
    } else {
        message(this, QStringLiteral("密码错误！重新输入  "), QStringLiteral("错误   "), Buttons::Ok, Icon::Error);
        Edit2->clear();
        Edit2->setFocus();
    }
}

void TLogonForm::accept(bool userRow)
{
    if (mainForm)
        mainForm->show();
    hide();
    if (program == Program::Runtime && userRow)
        exeIni().writeString(QStringLiteral("Form"), QStringLiteral("server"), Edit3->text());
}

void TLogonForm::closeEvent(QCloseEvent* e)
{
    Edit1->clear();
    Edit2->clear();
    e->accept();
    endProgram();
}

} // namespace tess
