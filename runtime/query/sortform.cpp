#include "runtime/query/sortform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/prompts.h"
#include "common/modal.h"
#include "runtime/query/dialogkit.h"

namespace tess::query {

TSortForm::TSortForm(const QueryFields& f, QWidget* parent) : QDialog(parent), fields(f)
{
    applyWindowFont(this);
    setWindowTitle(QStringLiteral("排序"));
    auto* v = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("排序"), this);
    auto* g = new QGridLayout(group);
    g->addWidget(new QLabel(QStringLiteral("字段名"), group), 0, 1);
    g->addWidget(new QLabel(QStringLiteral("方式"), group), 0, 2);
    static const char* rows[] = {"第一排序", "第二排序", "第三排序", "第四排序"};
    // With k query fields the first k - 1 rows (at most four) take a field.
    const int enabled = std::min(fields.count() - 1, 4);
    for (int r = 0; r < 4; ++r) {
        g->addWidget(new QLabel(QString::fromUtf8(rows[r]), group), r + 1, 0);
        fieldBoxes[r] = newFieldBox(group, fields);
        directionBoxes[r] = newListBox(group, directionCaptions());
        directionBoxes[r]->setMinimumWidth(70);
        fieldBoxes[r]->setEnabled(r < enabled);
        g->addWidget(fieldBoxes[r], r + 1, 1);
        g->addWidget(directionBoxes[r], r + 1, 2);
        connect(fieldBoxes[r], &QComboBox::currentIndexChanged, this, [this, r] { fieldPicked(r); });
    }
    g->setColumnStretch(1, 1);
    v->addWidget(group);
    v->addLayout(buttonRow(this, &okButton, &cancelButton));
    connect(okButton, &QPushButton::clicked, this, &TSortForm::okClicked);
}

void TSortForm::fieldPicked(int row)
{
    static const char* missing[] = {"", "第一排序未设置不能设置第二排序！  ", "第二排序未设置不能设置第三排序！  ",
                                    "第三排序未设置不能设置第四排序！  "};
    const int f = fieldBoxes[row]->currentIndex();
    if (f < 0)
        return;
    for (int r = 0; r < 4; ++r)
        if (r != row && fieldBoxes[r]->currentIndex() == f) {
            unpick(fieldBoxes[row]);
            warning(this, QStringLiteral("此字段已被设置！  "));
            return;
        }
    if (row > 0 && fieldBoxes[row - 1]->currentIndex() < 0) {
        unpick(fieldBoxes[row]);
        warning(this, QString::fromUtf8(missing[row]));
    }
}

void TSortForm::okClicked()
{
    if (fieldBoxes[0]->currentIndex() < 0) {
        warning(this, QStringLiteral("未设置排序字段！  "));
        return;
    }
    QList<SortKey> keys;
    for (int r = 0; r < 4; ++r) {
        const int f = fieldBoxes[r]->currentIndex();
        if (f >= 0)
            keys << SortKey{fields.names.at(f), directionBoxes[r]->currentIndex() == 1};
    }
    ord = orderClause(keys);
    accept();
}

QString TSortForm::run(QWidget* parent, const QueryFields& fields)
{
    TSortForm f(fields, parent);
    return runModal(f) == QDialog::Accepted ? f.order() : QString();
}

} // namespace tess::query
