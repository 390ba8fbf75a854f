#include "runtime/query/advancedqueryform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "common/prompts.h"
#include "common/modal.h"
#include "runtime/query/dialogkit.h"

namespace tess::query {

namespace {

const char* const kPreviousRowMissing[] = {
    "",
    "第一排序未设置不能设置第二排序！  ",
    "第二排序未设置不能设置第三排序！  ",
    "第三排序未设置不能设置第四排序！  ",
};

} // namespace

TAdvancedQueryForm::TAdvancedQueryForm(const QuerySource& source, QWidget* parent) : QDialog(parent), src(source)
{
    applyWindowFont(this);
    setWindowTitle(QStringLiteral("高级查询"));
    auto* v = new QVBoxLayout(this);

    auto* preset = new QGroupBox(QStringLiteral("预设条件"), this);
    auto* pg = new QGridLayout(preset);
    pg->addWidget(new QLabel(QStringLiteral("逻辑符"), preset), 0, 0);
    pg->addWidget(new QLabel(QStringLiteral("查询项目"), preset), 0, 1);
    pg->addWidget(new QLabel(QStringLiteral("操作符"), preset), 0, 2);
    pg->addWidget(new QLabel(QStringLiteral("查询值"), preset), 0, 3);
    logicBox = newListBox(preset, logicalCaptions());
    logicBox->setMinimumWidth(70);
    logicBox->setEnabled(false);
    fieldBox = newFieldBox(preset, src.fields);
    operatorBox = newListBox(preset, {});
    operatorBox->setMinimumWidth(100);
    valueBox = newValueBox(preset);
    pg->addWidget(logicBox, 1, 0);
    pg->addWidget(fieldBox, 1, 1);
    pg->addWidget(operatorBox, 1, 2);
    pg->addWidget(valueBox, 1, 3);
    pg->setColumnStretch(3, 1);
    auto* actions = new QHBoxLayout;
    actions->addStretch();
    addButton = new QPushButton(QStringLiteral("添加"), preset);
    deleteButton = new QPushButton(QStringLiteral("删除"), preset);
    clearButton = new QPushButton(QStringLiteral("清空"), preset);
    actions->addWidget(addButton);
    actions->addWidget(deleteButton);
    actions->addWidget(clearButton);
    pg->addLayout(actions, 2, 0, 1, 4);
    v->addWidget(preset);

    auto* lower = new QHBoxLayout;
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(QStringLiteral("已添加的条件"), this));
    conditionList = new QListWidget(this);
    conditionList->setMinimumWidth(240);
    listColumn->addWidget(conditionList);
    lower->addLayout(listColumn, 1);
    auto* sort = new QGroupBox(QStringLiteral("排序"), this);
    auto* sg = new QGridLayout(sort);
    sg->addWidget(new QLabel(QStringLiteral("排序项目"), sort), 0, 0);
    sg->addWidget(new QLabel(QStringLiteral("方式"), sort), 0, 1);
    for (int r = 0; r < 4; ++r) {
        sortFields[r] = newFieldBox(sort, src.fields);
        sortDirections[r] = newListBox(sort, directionCaptions());
        sortDirections[r]->setMinimumWidth(70);
        sortDirections[r]->setCurrentIndex(0);
        sortFields[r]->setEnabled(false);
        sortDirections[r]->setEnabled(false);
        sg->addWidget(sortFields[r], r + 1, 0);
        sg->addWidget(sortDirections[r], r + 1, 1);
        connect(sortFields[r], &QComboBox::currentIndexChanged, this, [this, r] { sortFieldPicked(r); });
    }
    sg->setRowStretch(5, 1);
    lower->addWidget(sort);
    v->addLayout(lower);

    v->addLayout(buttonRow(this, &okButton, &cancelButton));
    okButton->setDefault(false);
    okButton->setEnabled(false);

    connect(fieldBox, &QComboBox::currentIndexChanged, this, &TAdvancedQueryForm::fieldPicked);
    connect(operatorBox, &QComboBox::currentIndexChanged, this, &TAdvancedQueryForm::operatorPicked);
    connect(addButton, &QPushButton::clicked, this, &TAdvancedQueryForm::addClicked);
    connect(deleteButton, &QPushButton::clicked, this, &TAdvancedQueryForm::deleteClicked);
    connect(clearButton, &QPushButton::clicked, this, &TAdvancedQueryForm::clearClicked);
    connect(okButton, &QPushButton::clicked, this, &TAdvancedQueryForm::okClicked);
}

QString TAdvancedQueryForm::fragmentOf(int i) const
{
    const Added& a = added.at(i);
    return i == 0 ? a.fragment : withLogicalWord(a.logic, a.fragment);
}

QString TAdvancedQueryForm::lineOf(int i) const
{
    const Added& a = added.at(i);
    return i == 0 ? a.shown : logicalCaptions().value(a.logic) + QLatin1Char(' ') + a.shown;
}

QStringList TAdvancedQueryForm::fragments() const
{
    QStringList out;
    for (int i = 0; i < added.size(); ++i)
        out << fragmentOf(i);
    return out;
}

void TAdvancedQueryForm::resetConditionBoxes(bool withValue)
{
    unpick(logicBox);
    unpick(fieldBox);
    unpick(operatorBox);
    if (withValue)
        unpick(valueBox);
}

void TAdvancedQueryForm::fieldPicked()
{
    const int f = fieldBox->currentIndex();
    if (f < 0)
        return;
    if (!added.isEmpty() && logicBox->currentIndex() < 0) {
        unpick(fieldBox);
        warning(this, QStringLiteral("逻辑关系不能为空！  "));
        return;
    }
    {
        const QSignalBlocker block(operatorBox);
        operatorBox->clear();
        operatorBox->addItems(operatorCaptions(src.fields.kinds.at(f)));
        operatorBox->setCurrentIndex(-1);
    }
    fillValueBox(valueBox, src.values(f), false);
}

void TAdvancedQueryForm::operatorPicked()
{
    if (operatorBox->currentIndex() < 0)
        return;
    if (fieldBox->currentIndex() < 0) {
        unpick(operatorBox);
        warning(this, QStringLiteral("字段名不能为空！  "));
    }
}

void TAdvancedQueryForm::addClicked()
{
    const int f = fieldBox->currentIndex();
    const int op = operatorBox->currentIndex();
    const int logic = logicBox->currentIndex();
    if (f < 0 || op < 0 || (!added.isEmpty() && logic < 0))
        return;
    const FieldKind kind = src.fields.kinds.at(f);
    const QString value = boxText(valueBox);
    const bool takesValue = operatorTakesValue(kind, op);
    if (takesValue && value.isEmpty()) {
        warning(this, QStringLiteral("字段值不能为空！  "));
        return;
    }
    Added a;
    a.logic = added.isEmpty() ? -1 : logic;
    a.fragment = fragmentAt(src.fields.names.at(f), kind, op, value);
    a.shown = src.fields.captions.at(f) + QLatin1Char(' ') + operatorBox->currentText();
    if (takesValue)
        a.shown += QLatin1Char(' ') + value;
    added << a;
    conditionList->addItem(lineOf(int(added.size()) - 1));
    logicBox->setEnabled(true);
    resetConditionBoxes(false);
    okButton->setEnabled(true);
    if (addCount < 4) {
        sortFields[addCount]->setEnabled(true);
        sortDirections[addCount]->setEnabled(true);
    }
    ++addCount;
}

void TAdvancedQueryForm::deleteClicked()
{
    resetConditionBoxes(true);
    const int row = conditionList->currentRow();
    if (row < 0 || !conditionList->item(row)->isSelected())
        return;
    added.removeAt(row);
    // The condition that moves up to the first place loses its logical word,
    // so what remains is always a well-formed condition.
    conditionList->clear();
    for (int i = 0; i < added.size(); ++i)
        conditionList->addItem(lineOf(i));
    if (added.isEmpty())
        logicBox->setEnabled(false);
}

void TAdvancedQueryForm::clearClicked()
{
    resetConditionBoxes(true);
    for (int r = 0; r < 4; ++r) {
        unpick(sortFields[r]);
        pickQuietly(sortDirections[r], 0);
        sortFields[r]->setEnabled(false);
        sortDirections[r]->setEnabled(false);
    }
    added.clear();
    conditionList->clear();
    addCount = 0;
    okButton->setEnabled(false);
    logicBox->setEnabled(false);
}

void TAdvancedQueryForm::sortFieldPicked(int row)
{
    const int f = sortFields[row]->currentIndex();
    if (f < 0)
        return;
    for (int r = 0; r < 4; ++r)
        if (r != row && sortFields[r]->currentIndex() == f) {
            unpick(sortFields[row]);
            warning(this, QStringLiteral("此字段已被设置！  "));
            return;
        }
    if (row > 0 && sortFields[row - 1]->currentIndex() < 0) {
        unpick(sortFields[row]);
        warning(this, QString::fromUtf8(kPreviousRowMissing[row]));
    }
}

void TAdvancedQueryForm::okClicked()
{
    if (added.isEmpty())
        return;
    cond = joinPrefixed(fragments());
    QList<SortKey> keys;
    for (int r = 0; r < 4; ++r) {
        const int f = sortFields[r]->currentIndex();
        if (f >= 0)
            keys << SortKey{src.fields.names.at(f), sortDirections[r]->currentIndex() == 1};
    }
    ord = orderClause(keys);
    accept();
}

bool AdvancedQuery::execute(QWidget* parent)
{
    TAdvancedQueryForm f(src, parent);
    if (runModal(f) != QDialog::Accepted)
        return false;
    condition = f.condition();
    order = f.order();
    return true;
}

} // namespace tess::query
