#include "runtime/query/queryforms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/prompts.h"
#include "common/modal.h"
#include "runtime/query/dialogkit.h"

namespace tess::query {

// ---- single-item query ------------------------------------------------------------

TSingleQueryForm::TSingleQueryForm(const QuerySource& source, QWidget* parent) : QDialog(parent), src(source)
{
    applyWindowFont(this);
    setWindowTitle(QStringLiteral("单项查询"));
    auto* v = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("查询项目"), this), 0, 0);
    g->addWidget(new QLabel(QStringLiteral("操作符"), this), 0, 1);
    g->addWidget(new QLabel(QStringLiteral("查询值"), this), 0, 2);
    fieldBox = newFieldBox(this, src.fields);
    operatorBox = newListBox(this, {});
    operatorBox->setMinimumWidth(100);
    valueBox = newValueBox(this);
    g->addWidget(fieldBox, 1, 0);
    g->addWidget(operatorBox, 1, 1);
    g->addWidget(valueBox, 1, 2);
    g->setColumnStretch(2, 1);
    v->addLayout(g);
    pinyinBox = new QCheckBox(QStringLiteral("按照拼音首字符查找"), this);
    v->addWidget(pinyinBox);
    v->addLayout(buttonRow(this, &okButton, &cancelButton));
    connect(fieldBox, &QComboBox::currentIndexChanged, this, &TSingleQueryForm::fieldPicked);
    connect(okButton, &QPushButton::clicked, this, &TSingleQueryForm::okClicked);

    const SingleChoice saved = readSingleChoice(src.table);
    if (saved.field >= 0 && saved.field < src.fields.count()) {
        fieldBox->setCurrentIndex(saved.field);   // refills operators and values
        if (saved.op >= 0 && saved.op < operatorBox->count())
            operatorBox->setCurrentIndex(saved.op);
    }
    pinyinBox->setChecked(saved.pinyin);
}

bool TSingleQueryForm::pinyin() const
{
    return pinyinBox->isChecked();
}

int TSingleQueryForm::fieldIndex() const
{
    return fieldBox->currentIndex();
}

QString TSingleQueryForm::fieldName() const
{
    const int f = fieldIndex();
    return f >= 0 ? src.fields.names.at(f) : QString();
}

QString TSingleQueryForm::value() const
{
    return boxText(valueBox);
}

void TSingleQueryForm::fieldPicked()
{
    const int f = fieldBox->currentIndex();
    operatorBox->clear();
    if (f < 0)
        return;
    operatorBox->addItems(operatorCaptions(src.fields.kinds.at(f)));
    operatorBox->setCurrentIndex(0);
    fillValueBox(valueBox, src.values(f), false);
}

void TSingleQueryForm::okClicked()
{
    const int f = fieldBox->currentIndex();
    const int op = operatorBox->currentIndex();
    if (f < 0 || op < 0)
        return;
    const FieldKind kind = src.fields.kinds.at(f);
    if (operatorTakesValue(kind, op) && value().isEmpty()) {
        warning(this, QStringLiteral("查询值不能为空！  "));
        return;
    }
    cond = fragmentAt(src.fields.names.at(f), kind, op, value());
    writeSingleChoice(src.table, {f, op, pinyin()});
    accept();
}

// ---- range query ----------------------------------------------------------------------

TRangeQueryForm::TRangeQueryForm(const QuerySource& source, QWidget* parent) : QDialog(parent), src(source)
{
    applyWindowFont(this);
    setWindowTitle(QStringLiteral("范围查询"));
    auto* v = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("查询项目"), this), 0, 0);
    g->addWidget(new QLabel(QStringLiteral("起始值"), this), 0, 1);
    g->addWidget(new QLabel(QStringLiteral("终止值"), this), 0, 2);
    fieldBox = newFieldBox(this, src.fields);
    fromBox = newValueBox(this);
    toBox = newValueBox(this);
    g->addWidget(fieldBox, 1, 0);
    g->addWidget(fromBox, 1, 1);
    g->addWidget(toBox, 1, 2);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(2, 1);
    v->addLayout(g);
    v->addLayout(buttonRow(this, &okButton, &cancelButton));
    connect(fieldBox, &QComboBox::currentIndexChanged, this, &TRangeQueryForm::fieldPicked);
    connect(okButton, &QPushButton::clicked, this, &TRangeQueryForm::okClicked);
    // Only the field comes back; the lists fill when the field is changed.
    pickQuietly(fieldBox, readRangeChoice(src.table));
}

void TRangeQueryForm::fieldPicked()
{
    const QStringList values = src.values(fieldBox->currentIndex());
    fillValueBox(toBox, values, false);
    fillValueBox(fromBox, values, false);
}

void TRangeQueryForm::okClicked()
{
    const int f = fieldBox->currentIndex();
    const QString from = boxText(fromBox);
    const QString to = boxText(toBox);
    if (f < 0 || from.isEmpty() || to.isEmpty())
        return;
    cond = rangeFragment(src.fields.names.at(f), src.fields.kinds.at(f), from, to);
    writeRangeChoice(src.table, f);
    accept();
}

// ---- general query --------------------------------------------------------------------

TGeneralQueryForm::TGeneralQueryForm(const QuerySource& source, QWidget* parent) : QDialog(parent), src(source)
{
    applyWindowFont(this);
    setWindowTitle(QStringLiteral("可同时查询一个或多个（最多四个）字段"));
    auto* v = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("选择查询字段"), this), 0, 0);
    g->addWidget(new QLabel(QStringLiteral("选择或输入查询数据"), this), 0, 1);
    for (int r = 0; r < 4; ++r) {
        fieldBoxes[r] = newFieldBox(this, src.fields);
        valueBoxes[r] = newValueBox(this);
        g->addWidget(fieldBoxes[r], r + 1, 0);
        g->addWidget(valueBoxes[r], r + 1, 1);
        connect(fieldBoxes[r], &QComboBox::currentIndexChanged, this, [this, r] { fieldPicked(r); });
    }
    g->setColumnStretch(1, 1);
    v->addLayout(g);
    auto* group = new QGroupBox(QStringLiteral("查询方式"), this);
    auto* gh = new QHBoxLayout(group);
    exactButton = new QRadioButton(QStringLiteral("精确查询"), group);
    fuzzyButton = new QRadioButton(QStringLiteral("模糊查询"), group);
    exactButton->setChecked(true);
    gh->addWidget(exactButton);
    gh->addWidget(fuzzyButton);
    gh->addStretch();
    v->addWidget(group);
    pinyinBox = new QCheckBox(QStringLiteral("按照拼音首字符查找"), this);
    v->addWidget(pinyinBox);
    v->addLayout(buttonRow(this, &okButton, &cancelButton));
    connect(okButton, &QPushButton::clicked, this, &TGeneralQueryForm::okClicked);

    const std::array<int, 4> saved = readGeneralChoice(src.table);
    for (int r = 0; r < 4; ++r)
        if (saved[r] >= 0 && saved[r] < src.fields.count())
            fieldBoxes[r]->setCurrentIndex(saved[r]);   // fills the row's value list
}

bool TGeneralQueryForm::pinyin() const
{
    return pinyinBox->isChecked();
}

QString TGeneralQueryForm::pinyinFieldName() const
{
    return patternField >= 0 ? src.fields.names.at(patternField) : QString();
}

void TGeneralQueryForm::fieldPicked(int row)
{
    fillValueBox(valueBoxes[row], src.values(fieldBoxes[row]->currentIndex()), true);
}

void TGeneralQueryForm::okClicked()
{
    if (rowsEmpty(fieldBoxes, valueBoxes, 4))
        return;
    QStringList fragments;
    patternField = -1;
    pattern.clear();
    bool patternFound = false;
    std::array<int, 4> positions{};
    for (int r = 0; r < 4; ++r) {
        const int f = fieldBoxes[r]->currentIndex();
        const QString value = boxText(valueBoxes[r]);
        positions[r] = f;
        if (!value.isEmpty() && !patternFound) {
            patternFound = true;
            patternField = f;
            pattern = value;
        }
        if (f < 0 || value.isEmpty())
            continue;
        const QString& name = src.fields.names.at(f);
        const FieldKind kind = src.fields.kinds.at(f);
        if (fuzzyButton->isChecked() && valueClass(kind) == ValueClass::Text)
            fragments << fuzzyFragment(name, value);
        else
            fragments << equalityFragment(name, kind, value);
    }
    cond = joinAnd(fragments);
    writeGeneralChoice(src.table, positions);
    accept();
}

} // namespace tess::query
