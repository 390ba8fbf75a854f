#include "runtime/query/querywayforms.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/modal.h"
#include "runtime/query/dialogkit.h"
#include "runtime/query/queryinput.h"

namespace tess::query {

namespace {

// The group "查询方式" with five radio buttons and 确定/取消 below it.
template <class Form>
void buildWayWindow(Form* w, const QString& caption, const QStringList& captions, int checked)
{
    applyWindowFont(w);
    w->setWindowTitle(caption);
    auto* v = new QVBoxLayout(w);
    auto* group = new QGroupBox(QStringLiteral("查询方式"), w);
    auto* g = new QVBoxLayout(group);
    for (int i = 0; i < 5; ++i) {
        w->ways[i] = new QRadioButton(captions.at(i), group);
        g->addWidget(w->ways[i]);
    }
    w->ways[checked]->setChecked(true);
    v->addWidget(group);
    v->addLayout(buttonRow(w, &w->okButton, &w->cancelButton));
    QObject::connect(w->okButton, &QPushButton::clicked, w, &Form::okClicked);
    w->setMinimumWidth(240);
}

template <class Form>
int checkedValue(const Form* w, const int (&values)[5])
{
    for (int i = 0; i < 5; ++i)
        if (w->ways[i]->isChecked())
            return values[i];
    return 0;
}

} // namespace

// ---- chooser ------------------------------------------------------------------

TQueryWayForm::TQueryWayForm(QWidget* parent) : QDialog(parent)
{
    buildWayWindow(this, QStringLiteral("选择查询方式"),
                   {QStringLiteral("单项查询"), QStringLiteral("范围查询"), QStringLiteral("全部记录"),
                    QStringLiteral("一般查询"), QStringLiteral("高级查询")},
                   0);
}

void TQueryWayForm::okClicked()
{
    static const int values[5] = {1, 2, 5, 3, 4};
    chosen = checkedValue(this, values);
    accept();
}

int TQueryWayForm::run(QWidget* parent)
{
    TQueryWayForm f(parent);
    return runModal(f) == QDialog::Accepted ? f.choice() : 0;
}

// ---- setting --------------------------------------------------------------------

TSetQueryWayForm::TSetQueryWayForm(QWidget* parent) : QDialog(parent)
{
    buildWayWindow(this, QStringLiteral("设置查询方式"),
                   {QStringLiteral("单项查询"), QStringLiteral("范围查询"), QStringLiteral("综合查询"),
                    QStringLiteral("一般查询"), QStringLiteral("高级查询")},
                   2);
}

void TSetQueryWayForm::okClicked()
{
    static const int values[5] = {1, 2, 0, 3, 4};
    chosen = checkedValue(this, values);
    writeQueryWay(chosen);
    accept();
}

int TSetQueryWayForm::run(QWidget* parent)
{
    TSetQueryWayForm f(parent);
    return runModal(f) == QDialog::Accepted ? f.way() : 0;
}

} // namespace tess::query
