#include "runtime/shell/griddelegate.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QTimeEdit>
#include <QToolButton>

namespace tess {

namespace {

// A line edit with a "…" button at its right end.
class EllipsisEditor : public QWidget {
public:
    explicit EllipsisEditor(QWidget* parent) : QWidget(parent)
    {
        auto* h = new QHBoxLayout(this);
        h->setContentsMargins(0, 0, 0, 0);
        h->setSpacing(0);
        edit = new QLineEdit(this);
        button = new QToolButton(this);
        button->setText(QStringLiteral("…"));
        h->addWidget(edit);
        h->addWidget(button);
        setFocusProxy(edit);
    }
    QLineEdit* edit;
    QToolButton* button;
};

} // namespace

GridDelegate::GridDelegate(DataSet* d, const FieldDefinition* f, QObject* parent) : QStyledItemDelegate(parent), ds(d), defs(f) {}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int c = index.column();
    if (!active || !defs->loaded || c >= defs->count())
        return QStyledItemDelegate::createEditor(parent, option, index);
    const QString name = defs->names.at(c);
    const FieldKind k = defs->kinds.at(c);
    const int style = defs->styles.at(c);
    if (style == 2) {
        auto* cb = new QComboBox(parent);
        cb->setEditable(true);
        cb->addItems(dropDownOptions(*ds->connection(), ds->tableName(), name));
        return cb;
    }
    if (k == ftDate || k == ftDateTime) {
        auto* e = k == ftDate ? new QDateEdit(parent) : new QDateTimeEdit(parent);
        e->setDisplayFormat(k == ftDate ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        e->setCalendarPopup(true);
        e->setSpecialValueText(QStringLiteral(" "));
        e->setMinimumDateTime(QDateTime(QDate(1752, 9, 14), QTime(0, 0)));
        return e;
    }
    if (k == ftTime) {
        auto* e = new QTimeEdit(parent);
        e->setDisplayFormat(QStringLiteral("hh:mm:ss"));
        return e;
    }
    if (style == 3 || (hasReference && hasReference(name))) {
        auto* e = new EllipsisEditor(parent);
        if (style == 3) {
            connect(e->button, &QToolButton::clicked, e, [this, e, name] {
                // Options are appended with "、" and the record is written at once.
                QMenu m(e);
                for (const QString& o : dropDownOptions(*ds->connection(), ds->tableName(), name))
                    if (!o.isEmpty())
                        m.addAction(o);
                QAction* a = m.exec(e->mapToGlobal(QPoint(0, e->height())));
                if (!a)
                    return;
                const QString old = e->edit->text();
                e->edit->setText(old.isEmpty() ? a->text() : old + QStringLiteral("、") + a->text());
                ds->edit();
                ds->setText(name, e->edit->text());
                ds->post();
            });
        } else {
            connect(e->button, &QToolButton::clicked, e, [this, name] { emit referenceRequested(name); });
        }
        return e;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QVariant v = index.data(Qt::EditRole);
    if (auto* cb = qobject_cast<QComboBox*>(editor)) {
        cb->setEditText(index.data(Qt::DisplayRole).toString());
    } else if (auto* te = qobject_cast<QTimeEdit*>(editor)) {
        const QTime t = QTime::fromString(v.toString(), QStringLiteral("h:mm:ss"));
        te->setTime(t.isValid() ? t : QTime(0, 0));
    } else if (auto* de = qobject_cast<QDateTimeEdit*>(editor)) {
        if (v.typeId() == QMetaType::QDate)
            de->setDateTime(v.toDate().startOfDay());
        else if (v.typeId() == QMetaType::QDateTime)
            de->setDateTime(v.toDateTime());
        else
            de->setDateTime(de->minimumDateTime());
    } else if (auto* ee = dynamic_cast<EllipsisEditor*>(editor)) {
        ee->edit->setText(index.data(Qt::DisplayRole).toString());
    } else {
        QStyledItemDelegate::setEditorData(editor, index);
    }
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* cb = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, cb->currentText());
    } else if (auto* te = qobject_cast<QTimeEdit*>(editor)) {
        model->setData(index, te->time().toString(QStringLiteral("hh:mm:ss")));
    } else if (auto* de = qobject_cast<QDateTimeEdit*>(editor)) {
        if (de->dateTime() == de->minimumDateTime())
            model->setData(index, QString());
        else if (qobject_cast<QDateEdit*>(editor))
            model->setData(index, de->date());
        else
            model->setData(index, de->dateTime());
    } else if (auto* ee = dynamic_cast<EllipsisEditor*>(editor)) {
        model->setData(index, ee->edit->text());
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
    }
}

} // namespace tess
