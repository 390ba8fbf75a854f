#pragma once
// The single-item ("单项查询"), range ("范围查询") and general
// ("可同时查询一个或多个（最多四个）字段") query windows. Each turns its boxes
// into a condition text on 确定 and remembers its choices for the table in
// the executable directory's sys.ini; the caller applies the condition (or
// runs the pinyin search) after the window has closed.
#include <QDialog>

#include "runtime/query/queryinput.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace tess::query {

// One field, an operator from the field's list and a value. Opening
// restores [T+"Query3"]; 确定 needs a field and an operator, and a value
// unless the operator is 空值/非空值 ("查询值不能为空！  ").
class TSingleQueryForm : public QDialog {
    Q_OBJECT
public:
    TSingleQueryForm(const QuerySource& source, QWidget* parent = nullptr);

    QString condition() const { return cond; }
    bool pinyin() const;
    int fieldIndex() const;
    QString fieldName() const;
    QString value() const;

    QComboBox* fieldBox;
    QComboBox* operatorBox;
    QComboBox* valueBox;
    QCheckBox* pinyinBox;
    QPushButton* okButton;
    QPushButton* cancelButton;

public slots:
    void fieldPicked();
    void okClicked();

private:
    QuerySource src;
    QString cond;
};

// One field and two bounds. Picking a field fills both value lists and
// clears both texts; opening restores only the field of [T+"Query4"].
class TRangeQueryForm : public QDialog {
    Q_OBJECT
public:
    TRangeQueryForm(const QuerySource& source, QWidget* parent = nullptr);

    QString condition() const { return cond; }

    QComboBox* fieldBox;
    QComboBox* fromBox;
    QComboBox* toBox;
    QPushButton* okButton;
    QPushButton* cancelButton;

public slots:
    void fieldPicked();
    void okClicked();

private:
    QuerySource src;
    QString cond;
};

// Four rows of field and value, equality (精确查询) or, for text fields,
// 模糊查询; the rows are joined with " and ". Opening restores the rows'
// fields from [T+"Query2"] and fills their value lists.
class TGeneralQueryForm : public QDialog {
    Q_OBJECT
public:
    TGeneralQueryForm(const QuerySource& source, QWidget* parent = nullptr);

    // Empty when no row had both a field and a value.
    QString condition() const { return cond; }
    bool pinyin() const;
    // The pinyin search's field and pattern: the first row with a value
    // (its field may be unpicked: -1 and an empty name).
    int pinyinField() const { return patternField; }
    QString pinyinFieldName() const;
    QString pinyinPattern() const { return pattern; }

    QComboBox* fieldBoxes[4];
    QComboBox* valueBoxes[4];
    QRadioButton* exactButton;
    QRadioButton* fuzzyButton;
    QCheckBox* pinyinBox;
    QPushButton* okButton;
    QPushButton* cancelButton;

public slots:
    void fieldPicked(int row);
    void okClicked();

private:
    QuerySource src;
    QString cond;
    int patternField = -1;
    QString pattern;
};

} // namespace tess::query
