#pragma once
// The locate window ("定位查找（修改记录用）"): up to four fields with a value
// each; moves the cursor of the entry view to the first record that matches.
// It also serves the reference pick, which hands every column as both name
// and caption.
#include <QDialog>
#include <QStringList>

#include "runtime/query/queryinput.h"

class QComboBox;
class QPushButton;

namespace tess {
class DataSet;
}

namespace tess::query {

class TLocateForm : public QDialog {
    Q_OBJECT
public:
    TLocateForm(const QuerySource& source, QWidget* parent = nullptr);

    // After 确定: the rows that take part (field picked, value non-empty) in
    // row order.
    QStringList keyFields() const { return fields; }
    QStringList keyValues() const { return values; }

    // Shows the window over the data set and locates on 确定. True when the
    // cursor moved to a matching record.
    static bool run(QWidget* parent, const QuerySource& source, DataSet& ds);

    QComboBox* fieldBoxes[4];
    QComboBox* valueBoxes[4];
    QPushButton* okButton;
    QPushButton* cancelButton;

public slots:
    void fieldPicked(int row);
    void okClicked();

private:
    QuerySource src;
    QStringList fields, values;
};

// One key: partial match from the start of the value, case significant.
// Several keys: whole values, case ignored. When nothing matches shows
// "没有此数据！  " or "没有此二/三/四个数据的组合！  " and the cursor stays.
bool locateKeys(QWidget* parent, DataSet& ds, const QStringList& fields, const QStringList& values);

} // namespace tess::query
