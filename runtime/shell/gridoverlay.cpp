#include "runtime/shell/gridoverlay.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>

#include "common/dataset.h"
#include "common/datasetmodel.h"
#include "common/definitions.h"
#include "common/fieldlink.h"

namespace tess {

namespace {
const QSize kPicture(200, 182);
const QSize kMemo(240, 146);
}

GridOverlay::GridOverlay(QTableView* g, QObject* parent) : QObject(parent), grid(g)
{
    pictureBox = new QLabel(grid);
    pictureBox->setScaledContents(true);
    pictureBox->setFrameShape(QFrame::Box);
    pictureBox->setAutoFillBackground(true);
    pictureBox->setBackgroundRole(QPalette::Base);
    pictureBox->setToolTip(QStringLiteral("双击放大显示"));
    pictureBox->hide();
    memoBox = new QPlainTextEdit(grid);
    memoBox->setToolTip(QStringLiteral("双击放大显示"));
    memoBox->hide();
    pictureBox->installEventFilter(this);
    memoBox->viewport()->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        // Leaving the grid hides the boxes, unless the focus went into them.
        if (!now || now == grid || grid->isAncestorOf(now))
            return;
        hide();
    });
}

void GridOverlay::attach(DataSet* d, const FieldDefinition* f)
{
    hide();
    ds = d;
    defs = f;
    if (grid->selectionModel())
        connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this, &GridOverlay::currentChanged,
                Qt::UniqueConnection);
}

void GridOverlay::hide()
{
    pictureBox->hide();
    memoBox->hide();
    delete link;
    link = nullptr;
    field.clear();
}

QRect GridOverlay::place(const QRect& cell, const QSize& box, const QSize& area)
{
    int top = cell.bottom() + 1;
    if (top + box.height() > area.height()) {
        top = cell.top() - box.height();
        if (top < 0)
            top = 18;
    }
    int left = cell.left() + 25;
    if (left + box.width() > area.width())
        left = std::max(0, area.width() - box.width());
    return QRect(QPoint(left, top), box);
}

void GridOverlay::currentChanged()
{
    hide();
    const QModelIndex i = grid->currentIndex();
    if (!ds || !ds->active() || !i.isValid() || i.column() >= ds->fieldCount())
        return;
    const int c = i.column();
    const bool picture = defs && c < defs->count() ? defs->kinds.at(c) == ftGraphic : false;
    const bool memo = ds->fieldKind(c) == ftMemo;
    if (!picture && !memo)
        return;
    field = ds->fieldName(c);
    QRect cell = grid->visualRect(i);
    cell.translate(grid->viewport()->pos());
    QWidget* box = picture ? static_cast<QWidget*>(pictureBox) : static_cast<QWidget*>(memoBox);
    box->setGeometry(place(cell, picture ? kPicture : kMemo, grid->size()));
    link = new FieldLink(box, ds, field);
    box->show();
    box->raise();
}

bool GridOverlay::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonDblClick && !field.isEmpty()) {
        if (o == pictureBox) {
            emit pictureDoubleClicked(field);
            return true;
        }
        if (o == memoBox->viewport()) {
            emit memoDoubleClicked(field);
            return true;
        }
    }
    return false;
}

} // namespace tess
