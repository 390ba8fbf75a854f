#pragma once
// The sort window ("排序"): up to four fields, each ascending or descending,
// give the order text the main window re-runs its query with.
#include <QDialog>

#include "runtime/query/condition.h"

class QComboBox;
class QPushButton;

namespace tess::query {

class TSortForm : public QDialog {
    Q_OBJECT
public:
    explicit TSortForm(const QueryFields& fields, QWidget* parent = nullptr);

    // After 确定: "F1,F2 DESC"; empty otherwise.
    QString order() const { return ord; }
    // Shows the window; the order text, empty after 取消.
    static QString run(QWidget* parent, const QueryFields& fields);

    QComboBox* fieldBoxes[4];       // 字段名
    QComboBox* directionBoxes[4];   // 方式
    QPushButton* okButton;
    QPushButton* cancelButton;

public slots:
    void fieldPicked(int row);
    void okClicked();

private:
    QueryFields fields;
    QString ord;
};

} // namespace tess::query
