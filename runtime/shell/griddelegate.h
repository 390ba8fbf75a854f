#pragma once
// Cell editors of the grids in the entry subsystem, chosen by the column's
// definition: the option list of a drop-down column, date, date-time and
// time editors, and a "…" button for multi-select and reference columns.
#include <QStyledItemDelegate>
#include <functional>

#include "common/dataset.h"
#include "common/definitions.h"

namespace tess {

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    GridDelegate(DataSet* ds, const FieldDefinition* defs, QObject* parent = nullptr);
    void setActive(bool entry) { active = entry; }
    // Columns with a reference source get a "…" button.
    std::function<bool(const QString& field)> hasReference;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

signals:
    void referenceRequested(const QString& field) const;

private:
    DataSet* ds;
    const FieldDefinition* defs;
    bool active = false;
};

} // namespace tess
