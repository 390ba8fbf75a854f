#include "runtime/query/dialogkit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QDialog>
#include <QLineEdit>
#include <QSignalBlocker>

#include "runtime/query/condition.h"

namespace tess::query {

QComboBox* newListBox(QWidget* parent, const QStringList& items)
{
    auto* box = new QComboBox(parent);
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setMinimumWidth(120);
    return box;
}

QComboBox* newFieldBox(QWidget* parent, const QueryFields& fields)
{
    QComboBox* box = newListBox(parent, fields.captions);
    box->setMaxVisibleItems(16);
    return box;
}

QComboBox* newValueBox(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(150);
    box->setMaxVisibleItems(16);
    return box;
}

void fillValueBox(QComboBox* box, const QStringList& values, bool keepText)
{
    const QString text = keepText ? box->currentText() : QString();
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(values);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

void unpick(QComboBox* box)
{
    const QSignalBlocker block(box);
    box->setCurrentIndex(-1);
    if (box->isEditable())
        box->setEditText(QString());
}

void pickQuietly(QComboBox* box, int index)
{
    const QSignalBlocker block(box);
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

QString boxText(const QComboBox* box)
{
    return box->currentText();
}

bool rowsEmpty(QComboBox* const* fieldBoxes, QComboBox* const* valueBoxes, int rows)
{
    for (int r = 0; r < rows; ++r)
        if (fieldBoxes[r]->currentIndex() >= 0 || !boxText(valueBoxes[r]).isEmpty())
            return false;
    return true;
}

QHBoxLayout* buttonRow(QDialog* w, QPushButton** ok, QPushButton** cancel)
{
    auto* h = new QHBoxLayout;
    h->addStretch();
    *ok = new QPushButton(QStringLiteral("确定"), w);
    *cancel = new QPushButton(QStringLiteral("取消"), w);
    (*ok)->setDefault(true);
    h->addWidget(*ok);
    h->addWidget(*cancel);
    QObject::connect(*cancel, &QPushButton::clicked, w, &QDialog::reject);
    return h;
}

} // namespace tess::query
