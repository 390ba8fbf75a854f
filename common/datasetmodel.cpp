#include "common/datasetmodel.h"

#include "common/prompts.h"

namespace tess {

DataSetModel::DataSetModel(DataSet* d, QObject* parent) : QAbstractTableModel(parent), ds(d)
{
    connect(ds, &DataSet::controlsReset, this, &DataSetModel::reset);
    connect(ds, &DataSet::controlsRowInserted, this, [this](int row) {
        beginInsertRows({}, row, row);
        rows = ds->recordCount();
        endInsertRows();
    });
    connect(ds, &DataSet::controlsRowRemoved, this, [this](int row) {
        if (row < 0 || row >= rows) {
            reset();
            return;
        }
        beginRemoveRows({}, row, row);
        rows = ds->recordCount();
        endRemoveRows();
    });
    connect(ds, &DataSet::controlsRowChanged, this, [this](int row) {
        if (row >= 0 && row < rows)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    connect(ds, &DataSet::controlsCurrentChanged, this, [this](int row) {
        if (!sel || syncing || row < 0 || row >= rows)
            return;
        syncing = true;
        const int col = sel->currentIndex().isValid() ? sel->currentIndex().column() : 0;
        sel->setCurrentIndex(index(row, std::max(0, col)), QItemSelectionModel::NoUpdate);
        syncing = false;
    });
    reset();
}

void DataSetModel::reset()
{
    beginResetModel();
    rows = ds->active() ? ds->recordCount() : 0;
    endResetModel();
    if (sel && ds->recNo() > 0 && ds->recNo() <= rows) {
        syncing = true;
        sel->setCurrentIndex(index(ds->recNo() - 1, 0), QItemSelectionModel::NoUpdate);
        syncing = false;
    }
}

void DataSetModel::setCaptions(const QStringList& c)
{
    captions = c;
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QString DataSetModel::caption(int column) const
{
    if (column < captions.size() && !captions.at(column).isEmpty())
        return captions.at(column);
    return column < ds->fieldCount() ? ds->fieldName(column) : QString();
}

void DataSetModel::setReadOnly(bool on)
{
    ro = on;
}

int DataSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows;
}

int DataSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !ds->active() ? 0 : ds->fieldCount();
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows)
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    QVariant v;
    try {
        v = ds->valueAt(index.row(), index.column());
    } catch (const Error&) {
        return {};
    }
    if (role == Qt::EditRole)
        return v;
    if (formatter)
        return formatter(index.column(), v);
    return DataSet::displayText(v, ds->fieldKind(index.column()));
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || ro)
        return false;
    try {
        if (ds->recNo() != index.row() + 1)
            ds->setRecNo(index.row() + 1);
        if (ds->state() == DataSetState::Browse)
            ds->edit();
        if (value.typeId() == QMetaType::QString)
            ds->setText(index.column(), value.toString());
        else
            ds->setValue(index.column(), value);
    } catch (const Error& e) {
        message(nullptr, e.text(), QStringLiteral("错误   "), Buttons::Ok, Icon::Error);
        return false;
    }
    return true;
}

QVariant DataSetModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (o == Qt::Horizontal)
        return caption(section);
    if (ds->state() == DataSetState::Insert && section == ds->recNo() - 1)
        return QStringLiteral("*");
    return section + 1 == ds->recNo() ? QStringLiteral("▶") : QString();
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!ro && ds->canModify() && !isBlobKind(ds->fieldKind(index.column())))
        f |= Qt::ItemIsEditable;
    return f;
}

void DataSetModel::follow(QItemSelectionModel* selection)
{
    sel = selection;
    connect(sel, &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& now, const QModelIndex& before) {
        if (syncing || !now.isValid() || (before.isValid() && before.row() == now.row()))
            return;
        if (now.row() + 1 == ds->recNo())
            return;
        try {
            ds->setRecNo(now.row() + 1);
        } catch (const Error& e) {
            message(nullptr, e.text(), QStringLiteral("错误   "), Buttons::Ok, Icon::Error);
        }
        // The set may not have moved (a refused post): show where it is.
        if (ds->recNo() != now.row() + 1 && ds->recNo() > 0) {
            syncing = true;
            sel->setCurrentIndex(index(ds->recNo() - 1, now.column()), QItemSelectionModel::NoUpdate);
            syncing = false;
        }
    });
}

} // namespace tess
