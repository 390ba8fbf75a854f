#include "platform/dbtypeform.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/prompts.h"
#include "platform/platformkit.h"

namespace tess {

namespace {

QHBoxLayout* buttonRow(QPushButton* a, QPushButton* b)
{
    auto* h = new QHBoxLayout;
    h->addStretch();
    h->addWidget(a);
    h->addSpacing(16);
    h->addWidget(b);
    h->addStretch();
    return h;
}

} // namespace

TDBTypeForm::TDBTypeForm(QWidget* parent) : QDialog(parent)
{
    applyWindowFont(this);
    setWindowTitle(QStringLiteral("选择数据库种类"));
    auto* group = new QGroupBox(QStringLiteral("数据库种类"), this);
    RadioButton1 = new QRadioButton(QStringLiteral("ACCESS"), group);
    RadioButton2 = new QRadioButton(QStringLiteral("MSSQL"), group);
    RadioButton3 = new QRadioButton(QStringLiteral("SQLite"), group);
    RadioButton4 = new QRadioButton(QStringLiteral("PostgreSQL"), group);
    RadioButton1->setChecked(true);
    auto* g = new QGridLayout(group);
    g->addWidget(RadioButton1, 0, 0);
    g->addWidget(RadioButton2, 0, 1);
    g->addWidget(RadioButton3, 1, 0);
    g->addWidget(RadioButton4, 1, 1);
    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button2 = new QPushButton(QStringLiteral("取消"), this);
    Button1->setDefault(true);
    auto* v = new QVBoxLayout(this);
    v->addWidget(group);
    v->addLayout(buttonRow(Button1, Button2));
    connect(Button1, &QPushButton::clicked, this, &TDBTypeForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(sizeHint().expandedTo(QSize(280, 150)));
}

void TDBTypeForm::Button1Click()
{
    if (RadioButton2->isChecked())
        kind = DatabaseKind::MSSQL;
    else if (RadioButton3->isChecked())
        kind = DatabaseKind::SQLite;
    else if (RadioButton4->isChecked())
        kind = DatabaseKind::PostgreSQL;
    else
        kind = DatabaseKind::Access;
    accept();
}

TMSSQLForm::TMSSQLForm(QWidget* parent, const QString& caption, const QString& presetUser) : QDialog(parent)
{
    applyWindowFont(this);
    setWindowTitle(caption);
    Edit1 = new QLineEdit(this);
    Edit2 = new QLineEdit(this);
    Edit3 = new QLineEdit(presetUser, this);
    Edit4 = new QLineEdit(this);
    Edit4->setEchoMode(QLineEdit::Password);
    auto* g = new QGridLayout;
    const QStringList labels{QStringLiteral("服务器："), QStringLiteral("数据库："), QStringLiteral("用户名："),
                             QStringLiteral("密  码：")};
    const QList<QLineEdit*> edits{Edit1, Edit2, Edit3, Edit4};
    for (int i = 0; i < edits.size(); ++i) {
        g->addWidget(new QLabel(labels.at(i), this), i, 0);
        g->addWidget(edits.at(i), i, 1);
    }
    Button1 = new QPushButton(QStringLiteral("打开"), this);
    Button2 = new QPushButton(QStringLiteral("取消"), this);
    Button1->setDefault(true);
    auto* v = new QVBoxLayout(this);
    v->addLayout(g);
    v->addLayout(buttonRow(Button1, Button2));
    connect(Button1, &QPushButton::clicked, this, &TMSSQLForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(sizeHint().expandedTo(QSize(300, 180)));
}

void TMSSQLForm::Button1Click()
{
    const QString s = Edit1->text().trimmed(), d = Edit2->text().trimmed(), u = Edit3->text().trimmed();
    auto refuse = [this](const QString& text) {
        message(this, text, QStringLiteral("提示"), Buttons::Ok, Icon::Error);
    };
    if (s.isEmpty())
        return refuse(QStringLiteral("请输入服务器名!"));
    if (d.isEmpty())
        return refuse(QStringLiteral("请输入数据库名!"));
    if (u.isEmpty())
        return refuse(QStringLiteral("请输入用户名!"));
    // Recorded only when complete: a dialog closed afterwards with "取消"
    // opens nothing.
    server = s;
    database = d;
    user = u;
    password = Edit4->text();
    accept();
}

} // namespace tess
