#include "platform/sysnameforms.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/paths.h"
#include "common/prompts.h"
#include "platform/designrules.h"
#include "platform/platformkit.h"

namespace tess {

namespace {
const QString kSysName = QStringLiteral("SysName");
}

TAddSysNameForm::TAddSysNameForm(const QString& t, QWidget* parent) : QDialog(parent), table(t)
{
    applyWindowFont(this);
    setWindowTitle(QStringLiteral("纳入数据库表为某一信息系统中"));
    RadioButton1 = new QRadioButton(QStringLiteral("将数据库表纳入到新建信息系统中"), this);
    RadioButton2 = new QRadioButton(QStringLiteral("将数据库表纳入到已有信息系统中"), this);
    RadioButton1->setChecked(true);
    Edit1 = new QLineEdit(this);
    ListBox1 = new QListWidget(this);
    ListBox1->addItems(dataIni().readSection(kSysName));
    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button2 = new QPushButton(QStringLiteral("关闭"), this);

    auto* v = new QVBoxLayout(this);
    v->addWidget(RadioButton1);
    auto* g1 = new QGridLayout;
    g1->setContentsMargins(20, 0, 0, 8);
    g1->addWidget(new QLabel(QStringLiteral("输入新建信息系统名称"), this), 0, 0);
    g1->addWidget(Edit1, 1, 0);
    v->addLayout(g1);
    v->addWidget(RadioButton2);
    auto* g2 = new QGridLayout;
    g2->setContentsMargins(20, 0, 0, 8);
    g2->addWidget(new QLabel(QStringLiteral("选择纳入到的信息系统名称"), this), 0, 0);
    g2->addWidget(ListBox1, 1, 0);
    v->addLayout(g2);
    auto* h = new QHBoxLayout;
    h->addStretch();
    h->addWidget(Button1);
    h->addSpacing(16);
    h->addWidget(Button2);
    h->addStretch();
    v->addLayout(h);

    // Typing or picking chooses the matching way.
    connect(Edit1, &QLineEdit::textEdited, this, [this] { RadioButton1->setChecked(true); });
    connect(ListBox1, &QListWidget::itemClicked, this, [this] { RadioButton2->setChecked(true); });
    connect(Button1, &QPushButton::clicked, this, &TAddSysNameForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    Edit1->setFocus();
    resize(360, 340);
}

void TAddSysNameForm::Button1Click()
{
    const QString caption = QStringLiteral("输入信息系统名称  ");
    QString system;
    IniFile ini = dataIni();
    if (RadioButton1->isChecked()) {
        system = Edit1->text().trimmed();
        if (system.isEmpty()) {
            message(this, QStringLiteral("新建的信息系统名称"), caption);
            return;
        }
        const QString why = systemNameProblem(system);
        if (!why.isEmpty()) {
            message(this, why, caption);
            return;
        }
        ini.writeString(kSysName, system, table);
    } else {
        if (!ListBox1->currentItem() || !ListBox1->currentItem()->isSelected()) {
            message(this, QStringLiteral("新建信息系统名称"), caption);
            return;
        }
        system = ListBox1->currentItem()->text();
    }
    ini.writeString(system + QStringLiteral("Table"), table, table);
    accept();
}

TDelSysNameForm::TDelSysNameForm(QWidget* parent) : QDialog(parent)
{
    applyWindowFont(this);
    setWindowTitle(QStringLiteral("删除或调整信息系统"));
    Label1 = new QLabel(QStringLiteral("请选择要删除的信息系统名称，然后按“删除”按钮"), this);
    Label1->setWordWrap(true);
    ListBox1 = new QListWidget(this);
    Button1 = new QPushButton(QStringLiteral("删除"), this);
    Button2 = new QPushButton(QStringLiteral("关闭"), this);
    Button3 = new QPushButton(QStringLiteral("向上移动"), this);
    Button4 = new QPushButton(QStringLiteral("向下移动"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {Button1, Button3, Button4, Button2})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* h = new QHBoxLayout;
    h->addWidget(ListBox1, 1);
    h->addLayout(buttons);
    auto* v = new QVBoxLayout(this);
    v->addWidget(Label1);
    v->addLayout(h);
    connect(Button1, &QPushButton::clicked, this, &TDelSysNameForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button3, &QPushButton::clicked, this, &TDelSysNameForm::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TDelSysNameForm::Button4Click);

    for (const QString& line : dataIni().readSectionValues(kSysName)) {
        const int eq = line.indexOf(QLatin1Char('='));
        names << (eq < 0 ? line : line.left(eq));
        values << (eq < 0 ? QString() : line.mid(eq + 1));
    }
    fill();
    resize(360, 300);
}

void TDelSysNameForm::fill()
{
    ListBox1->clear();
    ListBox1->addItems(names);
}

void TDelSysNameForm::Button1Click()
{
    const int i = ListBox1->currentRow();
    if (i < 0 || !ListBox1->currentItem()->isSelected())
        return;
    dataIni().deleteKey(kSysName, names.at(i));
    names.removeAt(i);
    values.removeAt(i);
    delete ListBox1->takeItem(i);
}

void TDelSysNameForm::Button3Click()
{
    move(-1);
}

void TDelSysNameForm::Button4Click()
{
    move(1);
}

void TDelSysNameForm::move(int by)
{
    const int i = ListBox1->currentRow();
    const int j = i + by;
    if (i < 0 || !ListBox1->currentItem()->isSelected() || j < 0 || j >= names.size())
        return;
    names.swapItemsAt(i, j);
    values.swapItemsAt(i, j);
    writeBack();
    fill();
    ListBox1->setCurrentRow(j);
}

void TDelSysNameForm::writeBack()
{
    IniFile ini = dataIni();
    ini.eraseSection(kSysName);
    for (int i = 0; i < names.size(); ++i)
        ini.writeString(kSysName, names.at(i), values.at(i));
}

} // namespace tess
