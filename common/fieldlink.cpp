#include "common/fieldlink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "common/prompts.h"

namespace tess {

FieldLink::FieldLink(QWidget* editor, DataSet* d, const QString& field)
    : QObject(editor), ed(editor), ds(d), name(field)
{
    connect(ds, &DataSet::controlsReset, this, &FieldLink::load);
    connect(ds, &DataSet::controlsCurrentChanged, this, &FieldLink::load);
    connect(ds, &DataSet::controlsRowChanged, this, [this](int row) {
        if (row == ds->recNo() - 1 && !dirty && !storing)
            load();
    });
    connect(ds, &DataSet::stateChanged, this, [this] {
        if (ds->state() == DataSetState::Browse || ds->state() == DataSetState::Inactive)
            dirty = false;
        applyReadOnly();
        if (!dirty)
            load();
    });
    ds->addEditor(this, [this] { store(); });

    if (auto* le = qobject_cast<QLineEdit*>(ed))
        connect(le, &QLineEdit::textEdited, this, &FieldLink::userEdited);
    else if (auto* pe = qobject_cast<QPlainTextEdit*>(ed))
        connect(pe, &QPlainTextEdit::textChanged, this, &FieldLink::userEdited);
    else if (auto* te = qobject_cast<QTextEdit*>(ed))
        connect(te, &QTextEdit::textChanged, this, &FieldLink::userEdited);
    else if (auto* cb = qobject_cast<QComboBox*>(ed)) {
        connect(cb, &QComboBox::currentTextChanged, this, &FieldLink::userEdited);
    } else if (auto* ch = qobject_cast<QCheckBox*>(ed))
        connect(ch, &QCheckBox::toggled, this, &FieldLink::userEdited);
    else if (auto* de = qobject_cast<QDateTimeEdit*>(ed))
        connect(de, &QDateTimeEdit::dateTimeChanged, this, &FieldLink::userEdited);
    applyReadOnly();
    load();
}

FieldLink::~FieldLink()
{
    if (ds)
        ds->removeEditor(this);
}

int FieldLink::fieldNo() const
{
    return ds && ds->active() ? ds->fieldIndex(name) : -1;
}

void FieldLink::setReadOnly(bool on)
{
    ro = on;
    applyReadOnly();
}

void FieldLink::applyReadOnly()
{
    const bool r = ro || !ds || !ds->active() || !ds->canModify();
    if (auto* le = qobject_cast<QLineEdit*>(ed))
        le->setReadOnly(r);
    else if (auto* pe = qobject_cast<QPlainTextEdit*>(ed))
        pe->setReadOnly(r);
    else if (auto* te = qobject_cast<QTextEdit*>(ed))
        te->setReadOnly(r);
    else if (auto* de = qobject_cast<QDateTimeEdit*>(ed))
        de->setReadOnly(r);
}

void FieldLink::load()
{
    if (!ed)
        return;
    const int f = fieldNo();
    QVariant v;
    QString text;
    if (f >= 0 && ds->recNo() > 0) {
        v = ds->value(f);
        text = DataSet::displayText(v, ds->fieldKind(f));
    }
    loading = true;
    if (auto* le = qobject_cast<QLineEdit*>(ed)) {
        if (le->text() != text) {
            le->setText(text);
            le->setCursorPosition(0);
        }
    } else if (auto* pe = qobject_cast<QPlainTextEdit*>(ed)) {
        if (pe->toPlainText() != text)
            pe->setPlainText(text);
    } else if (auto* te = qobject_cast<QTextEdit*>(ed)) {
        if (te->toPlainText() != text)
            te->setPlainText(text);
    } else if (auto* cb = qobject_cast<QComboBox*>(ed)) {
        if (cb->isEditable())
            cb->setEditText(text);
        else
            cb->setCurrentIndex(cb->findText(text));
    } else if (auto* ch = qobject_cast<QCheckBox*>(ed)) {
        ch->setChecked(v.toBool());
    } else if (auto* de = qobject_cast<QDateTimeEdit*>(ed)) {
        // An empty field shows the editor's minimum, drawn as its special
        // (blank) text.
        if (v.typeId() == QMetaType::QDate)
            de->setDateTime(v.toDate().startOfDay());
        else if (v.typeId() == QMetaType::QDateTime)
            de->setDateTime(v.toDateTime());
        else if (v.typeId() == QMetaType::QTime)
            de->setTime(v.toTime());
        else
            de->setDateTime(de->minimumDateTime());
    } else if (auto* lb = qobject_cast<QLabel*>(ed)) {
        if (f >= 0 && isBlobKind(ds->fieldKind(f))) {
            QImage img;
            if (v.typeId() == QMetaType::QByteArray)
                img.loadFromData(v.toByteArray());
            lb->setPixmap(img.isNull() ? QPixmap() : QPixmap::fromImage(img));
        } else {
            lb->setText(text);
        }
    }
    loading = false;
    dirty = false;
}

void FieldLink::userEdited()
{
    if (loading || !ds || !ds->active() || ro)
        return;
    const int f = fieldNo();
    if (f < 0)
        return;
    // Dirty first: going into edit state must not reload what was typed.
    dirty = true;
    if (ds->state() == DataSetState::Browse) {
        try {
            if (!ds->canModify())
                throw Error(QStringLiteral("数据集为只读，不能修改"));
            ds->edit();
        } catch (const Error& e) {
            dirty = false;
            load();
            message(ed, e.text(), QStringLiteral("错误   "), Buttons::Ok, Icon::Error);
            return;
        }
    }
    // Text fields take every keystroke at once, and so do pickers (dates,
    // check boxes, fixed lists); typed numbers and dates are converted when
    // the record is updated, so half-typed values are fine meanwhile.
    const auto* cb = qobject_cast<QComboBox*>(ed);
    const bool typed = qobject_cast<QLineEdit*>(ed) || qobject_cast<QPlainTextEdit*>(ed)
                       || qobject_cast<QTextEdit*>(ed) || (cb && cb->isEditable());
    if (isTextKind(ds->fieldKind(f)) || !typed) {
        try {
            store();
        } catch (const Error&) {
        }
    }
    emit edited();
}

void FieldLink::store()
{
    if (!dirty || !ed || !ds)
        return;
    const int f = fieldNo();
    if (f < 0 || (ds->state() != DataSetState::Edit && ds->state() != DataSetState::Insert))
        return;
    QVariant v;
    if (auto* le = qobject_cast<QLineEdit*>(ed))
        v = le->text();
    else if (auto* pe = qobject_cast<QPlainTextEdit*>(ed))
        v = pe->toPlainText();
    else if (auto* te = qobject_cast<QTextEdit*>(ed))
        v = te->toPlainText();
    else if (auto* cb = qobject_cast<QComboBox*>(ed))
        v = cb->currentText();
    else if (auto* ch = qobject_cast<QCheckBox*>(ed))
        v = ch->isChecked();
    else if (auto* de = qobject_cast<QDateTimeEdit*>(ed)) {
        const FieldKind k = ds->fieldKind(f);
        if (de->dateTime() == de->minimumDateTime() && !de->specialValueText().isEmpty())
            v = QVariant();
        else
            v = k == ftDate ? QVariant(de->date()) : k == ftTime ? QVariant(de->time()) : QVariant(de->dateTime());
    } else
        return;
    storing = true;
    try {
        if (v.typeId() == QMetaType::QString)
            ds->setText(f, v.toString());   // throws when the text does not fit
        else
            ds->setValue(f, v);
    } catch (...) {
        storing = false;
        throw;
    }
    storing = false;
    dirty = false;
}

} // namespace tess
