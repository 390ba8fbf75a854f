#include "runtime/query/locateform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/dataset.h"
#include "common/prompts.h"
#include "common/modal.h"
#include "runtime/query/dialogkit.h"

namespace tess::query {

TLocateForm::TLocateForm(const QuerySource& source, QWidget* parent) : QDialog(parent), src(source)
{
    applyWindowFont(this);
    setWindowTitle(QStringLiteral("定位查找（修改记录用）"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel(QStringLiteral("可查找一个或同时查找多个（最多四个）字段"), this));
    auto* g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("选择查找字段"), this), 0, 0);
    g->addWidget(new QLabel(QStringLiteral("选择或输入查找数据"), this), 0, 1);
    for (int r = 0; r < 4; ++r) {
        fieldBoxes[r] = newFieldBox(this, src.fields);
        valueBoxes[r] = newValueBox(this);
        g->addWidget(fieldBoxes[r], r + 1, 0);
        g->addWidget(valueBoxes[r], r + 1, 1);
        connect(fieldBoxes[r], &QComboBox::currentIndexChanged, this, [this, r] { fieldPicked(r); });
    }
    g->setColumnStretch(1, 1);
    v->addLayout(g);
    v->addLayout(buttonRow(this, &okButton, &cancelButton));
    connect(okButton, &QPushButton::clicked, this, &TLocateForm::okClicked);
}

void TLocateForm::fieldPicked(int row)
{
    fillValueBox(valueBoxes[row], src.values(fieldBoxes[row]->currentIndex()), true);
}

void TLocateForm::okClicked()
{
    if (rowsEmpty(fieldBoxes, valueBoxes, 4))
        return;
    fields.clear();
    values.clear();
    for (int r = 0; r < 4; ++r) {
        const int f = fieldBoxes[r]->currentIndex();
        const QString value = boxText(valueBoxes[r]);
        if (f >= 0 && !value.isEmpty()) {
            fields << src.fields.names.at(f);
            values << value;
        }
    }
    accept();
}

bool locateKeys(QWidget* parent, DataSet& ds, const QStringList& fields, const QStringList& values)
{
    if (fields.isEmpty() || !ds.active())
        return false;
    LocateOptions o;
    if (fields.size() == 1) {
        o.partialKey = true;
    } else {
        o.caseInsensitive = true;
    }
    QVariantList v;
    for (const QString& s : values)
        v << s;
    try {
        if (ds.locate(fields.join(QLatin1Char(';')), v, o))
            return true;
    } catch (const Error& e) {
        message(parent, e.text(), QStringLiteral("错误   "), Buttons::Ok, Icon::Error);
        return false;
    }
    static const char* texts[] = {"没有此数据！  ", "没有此二个数据的组合！  ", "没有此三个数据的组合！  ",
                                  "没有此四个数据的组合！  "};
    warning(parent, QString::fromUtf8(texts[std::min<qsizetype>(fields.size(), 4) - 1]));
    return false;
}

bool TLocateForm::run(QWidget* parent, const QuerySource& source, DataSet& ds)
{
    TLocateForm f(source, parent);
    if (runModal(f) != QDialog::Accepted)
        return false;
    return locateKeys(parent, ds, f.keyFields(), f.keyValues());
}

} // namespace tess::query
