#pragma once
// Binds one editor to one field of a data set, the way data-aware controls
// work: the editor shows the current record's value, typing puts the set
// into edit state, and the text is written into the field when the set asks
// its editors to update the record (before a post or a move).
//
// Editors: QLineEdit, QPlainTextEdit, QTextEdit, QComboBox, QCheckBox,
// QDateEdit/QDateTimeEdit/QTimeEdit, and QLabel (text, or a picture for blob
// fields).
#include <QObject>
#include <QPointer>

#include "common/dataset.h"

class QWidget;

namespace tess {

class FieldLink : public QObject {
    Q_OBJECT
public:
    FieldLink(QWidget* editor, DataSet* ds, const QString& field);
    ~FieldLink() override;

    QWidget* editor() const { return ed; }
    DataSet* dataSet() const { return ds; }
    const QString& fieldName() const { return name; }
    void setReadOnly(bool on);
    // Shows the current value again (discarding what was typed).
    void load();
    // Writes the typed text into the field; throws Error when it does not fit.
    void store();

signals:
    // The user changed the editor's text (after the set went into edit state).
    void edited();

private:
    void userEdited();
    void applyReadOnly();
    int fieldNo() const;

    QPointer<QWidget> ed;
    QPointer<DataSet> ds;
    QString name;
    bool ro = false;
    bool loading = false;
    bool dirty = false;
    bool storing = false;
};

} // namespace tess
