#pragma once
// The grid's view of a data set: one row per record in the set's order, one
// column per field. Rows are read from the set only when the grid paints
// them. The grid's current row and the set's current record follow each
// other.
#include <QAbstractTableModel>
#include <QItemSelectionModel>
#include <functional>

#include "common/dataset.h"

namespace tess {

class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSetModel(DataSet* ds, QObject* parent = nullptr);
    DataSet* dataSet() const { return ds; }

    // Column titles (default: field names).
    void setCaptions(const QStringList& captions);
    QString caption(int column) const;
    // Display text of a value; the default is the set's display text.
    using Formatter = std::function<QString(int field, const QVariant& value)>;
    void setFormatter(Formatter f) { formatter = std::move(f); }
    void setReadOnly(bool on);
    bool readOnly() const { return ro; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Keeps a selection model's current row on the set's current record and
    // moves the record when the user moves the grid's current row.
    void follow(QItemSelectionModel* selection);

private:
    void reset();
    DataSet* ds;
    QStringList captions;
    Formatter formatter;
    bool ro = false;
    int rows = 0;
    QItemSelectionModel* sel = nullptr;
    bool syncing = false;
};

} // namespace tess
