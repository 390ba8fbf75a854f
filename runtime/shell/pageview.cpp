#include "runtime/shell/pageview.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimeEdit>
#include <QToolButton>

#include "common/datamodule.h"
#include "common/fieldlink.h"
#include "common/prompts.h"

namespace tess {

namespace {
constexpr int kBoxHeight = 21;

void setupDateEditor(QDateTimeEdit* e)
{
    // An empty field shows the minimum as blank text.
    e->setSpecialValueText(QStringLiteral(" "));
    e->setMinimumDateTime(QDateTime(QDate(1752, 9, 14), QTime(0, 0)));
    e->setCalendarPopup(true);
    e->hide();
}
} // namespace

PageView::PageView(QScrollArea* a, LayoutSettings* s, QObject* parent) : QObject(parent), area(a), settings(s)
{
    content = new QWidget;
    content->setObjectName(QStringLiteral("PageContent"));
    panel = new QWidget(content);
    panel->setObjectName(QStringLiteral("PagePanel"));
    area->setWidget(content);
    area->setWidgetResizable(false);
    panel->move(settings->LeftMargin, settings->TopMargin);

    comboBox = new QComboBox(panel);
    comboBox->setEditable(true);
    comboBox->hide();
    listButton = new QToolButton(panel);
    listButton->setArrowType(Qt::DownArrow);
    listButton->hide();
    optionList = new QListWidget(panel);
    optionList->hide();
    dateEdit = new QDateEdit(panel);
    dateEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setupDateEditor(dateEdit);
    dateTimeEdit = new QDateTimeEdit(panel);
    dateTimeEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    setupDateEditor(dateTimeEdit);
    timeButton = new QToolButton(panel);
    timeButton->setText(QStringLiteral("…"));
    timeButton->hide();
    timePicker = new QTimeEdit(panel);
    timePicker->setDisplayFormat(QStringLiteral("hh:mm:ss"));
    timePicker->hide();
    ellipsis = new QToolButton(panel);
    ellipsis->setText(QStringLiteral("…"));
    ellipsis->hide();
    pictureBox = new QLabel(panel);
    pictureBox->setScaledContents(true);
    pictureBox->setFrameShape(QFrame::Box);
    pictureBox->setToolTip(QStringLiteral("双击放大显示"));
    pictureBox->setAutoFillBackground(true);
    pictureBox->setBackgroundRole(QPalette::Base);
    pictureBox->hide();
    memoBox = new QPlainTextEdit(panel);
    memoBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoBox->setToolTip(QStringLiteral("双击放大显示"));
    memoBox->hide();
    for (QWidget* w : {static_cast<QWidget*>(pictureBox), static_cast<QWidget*>(memoBox->viewport()),
                       static_cast<QWidget*>(timePicker), static_cast<QWidget*>(comboBox),
                       static_cast<QWidget*>(dateEdit), static_cast<QWidget*>(dateTimeEdit)})
        w->installEventFilter(this);

    connect(listButton, &QToolButton::clicked, this, [this] {
        if (overlayField < 0)
            return;
        if (optionList->isVisible()) {
            optionList->hide();
            return;
        }
        const QStringList opts = dropDownOptions(*ds->connection(), ds->tableName(), defs.names.at(overlayField));
        optionList->clear();
        for (const QString& o : opts)
            if (!o.isEmpty())
                optionList->addItem(o);
        const int rowHeight = optionList->fontMetrics().height() + 2;
        optionList->setGeometry(tess::optionList(boxRect(overlayField), optionList->count(), rowHeight, visibleTop(), visibleBottom()));
        optionList->show();
        optionList->raise();
        optionList->setFocus();
    });
    connect(optionList, &QListWidget::itemClicked, this, [this](QListWidgetItem* it) { pickOption(it->text()); });
    connect(ellipsis, &QToolButton::clicked, this, [this] {
        if (overlayField >= 0)
            emit ellipsisClicked(overlayField);
    });
    connect(timeButton, &QToolButton::clicked, this, [this] {
        if (overlayField < 0 || ds->isNull(overlayField))
            return;
        timeForDateTime = true;
        timePicker->setTime(ds->value(overlayField).toDateTime().time());
        timePicker->setGeometry(timePickerBelow(dateTimeEdit->geometry(), kBoxHeight + 2));
        timePicker->show();
        timePicker->raise();
        timePicker->setFocus();
    });
    connect(timePicker, &QTimeEdit::timeChanged, this, [this] { timePicked(); });
}

PageView::~PageView() = default;

void PageView::clearPairs()
{
    hideOverlays();
    qDeleteAll(links);
    links.clear();
    qDeleteAll(labels);
    qDeleteAll(edits);
    labels.clear();
    edits.clear();
    currentIndex = -1;
}

void PageView::build(const FieldDefinition& d, bool definitionsInUse, int row0)
{
    clearPairs();
    defs = d;
    inUse = definitionsInUse;
    firstRow = row0;
    panel->hide();
    panel->move(settings->LeftMargin, settings->TopMargin);
    for (int i = 0; i < defs.count(); ++i) {
        const int y = firstRow + i * settings->RowInterval;
        auto* label = new QLabel(defs.names.at(i), panel);
        label->setObjectName(QStringLiteral("Label_") + defs.names.at(i));
        label->setGeometry(0, y + 3, settings->LabelWidth, kBoxHeight - 4);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(panel);
        edit->setObjectName(QStringLiteral("Edit_") + defs.names.at(i));
        edit->setGeometry(settings->LabelWidth + settings->LabelEditInte, y, settings->EditWidth, kBoxHeight);
        edit->setFrame(true);
        const FieldKind k = defs.kinds.at(i);
        edit->setReadOnly(k == ftMemo || k == ftGraphic || k == ftBlob);
        edit->installEventFilter(this);
        label->setText(defs.captions.at(i));
        label->show();
        edit->show();
        labels << label;
        edits << edit;
    }
    for (QWidget* o : {static_cast<QWidget*>(comboBox), static_cast<QWidget*>(listButton), static_cast<QWidget*>(optionList),
                       static_cast<QWidget*>(dateEdit), static_cast<QWidget*>(dateTimeEdit), static_cast<QWidget*>(timeButton),
                       static_cast<QWidget*>(timePicker), static_cast<QWidget*>(ellipsis), static_cast<QWidget*>(pictureBox),
                       static_cast<QWidget*>(memoBox)})
        o->raise();
    applyPlacement(singleColumn(int(edits.size()), *settings));
    panel->show();
    if (ds)
        bind(ds, mode);
}

void PageView::bind(DataSet* d, int subsystem)
{
    hideOverlays();
    qDeleteAll(links);
    links.clear();
    ds = d;
    mode = subsystem;
    if (!ds)
        return;
    for (int i = 0; i < edits.size(); ++i) {
        auto* link = new FieldLink(edits.at(i), ds, defs.names.at(i));
        const FieldKind k = defs.kinds.at(i);
        link->setReadOnly(k == ftMemo || k == ftGraphic || k == ftBlob);
        links << link;
    }
}

void PageView::fitContent()
{
    const QRect r = panel->geometry();
    content->resize(std::max(r.right() + settings->LeftMargin, area->viewport()->width()),
                    std::max(r.bottom() + settings->TopMargin, area->viewport()->height()));
}

void PageView::applyPlacement(const PagePlacement& p)
{
    for (int i = 0; i < edits.size() && i < p.edits.size(); ++i) {
        labels.at(i)->move(p.labels.at(i));
        edits.at(i)->move(p.edits.at(i));
    }
    settings->PanelWidth = p.panelWidth;
    panel->resize(p.panelWidth, std::max(p.panelHeight, kBoxHeight));
    fitContent();
}

void PageView::reflow(bool fixedColumns)
{
    hideOverlays();
    panel->move(settings->LeftMargin, settings->TopMargin);
    const int n = int(edits.size());
    if (fixedColumns) {
        const PagePlacement p = reflowFixed(n, *settings);
        applyPlacement(p.edits.isEmpty() ? singleColumn(n, *settings) : p);
    } else {
        applyPlacement(tess::reflowByHeight(n, area->height(), panel->y(), *settings, firstRow));
    }
}

void PageView::reflowByHeight(int height)
{
    applyPlacement(tess::reflowByHeight(int(edits.size()), height, panel->y(), *settings, firstRow));
}

void PageView::applyLabelWidth()
{
    // Labels back at 0 and boxes right after them: the next reflow spreads
    // the pairs out again.
    for (int i = 0; i < edits.size(); ++i) {
        labels.at(i)->setGeometry(0, labels.at(i)->y(), settings->LabelWidth, labels.at(i)->height());
        edits.at(i)->move(settings->LabelWidth + 10, edits.at(i)->y());
    }
    panel->resize(settings->EditWidth + settings->LabelWidth + 20, panel->height());
}

void PageView::applyEditGeometry()
{
    for (int i = 0; i < edits.size(); ++i) {
        edits.at(i)->resize(settings->EditWidth, edits.at(i)->height());
        edits.at(i)->move(labels.at(i)->x() + settings->LabelWidth + settings->LabelEditInte, edits.at(i)->y());
    }
}

void PageView::applyRowInterval()
{
    for (int i = 0; i < edits.size(); ++i) {
        const int y = firstRow + i * settings->RowInterval;
        labels.at(i)->move(labels.at(i)->x(), y + 3);
        edits.at(i)->move(edits.at(i)->x(), y);
    }
    panel->resize(panel->width(), singleColumnHeight(int(edits.size()), *settings));
}

void PageView::setLabelFont(const QFont& f)
{
    const int h = QFontMetrics(f).height();
    for (QLabel* l : labels) {
        l->setFont(f);
        l->resize(l->width(), h);
    }
}

void PageView::setEditFont(const QFont& f)
{
    for (QLineEdit* e : edits)
        e->setFont(f);
}

void PageView::setEditColor(const QColor& c)
{
    for (QLineEdit* e : edits) {
        QPalette p = e->palette();
        p.setColor(QPalette::Base, c);
        e->setPalette(p);
    }
}

void PageView::setEdit3D(bool on)
{
    for (QLineEdit* e : edits)
        e->setStyleSheet(on ? QString() : QStringLiteral("QLineEdit { border: 1px solid #7a7a7a; }"));
    for (QWidget* w : {static_cast<QWidget*>(dateEdit), static_cast<QWidget*>(comboBox)})
        w->setStyleSheet(QString());
}

QRect PageView::boxRect(int i) const
{
    return edits.at(i)->geometry();
}

int PageView::visibleTop() const
{
    return area->verticalScrollBar()->value() - panel->y();
}

int PageView::visibleBottom() const
{
    return visibleTop() + area->viewport()->height();
}

void PageView::hideOverlays()
{
    for (QWidget* o : {static_cast<QWidget*>(comboBox), static_cast<QWidget*>(listButton), static_cast<QWidget*>(optionList),
                       static_cast<QWidget*>(dateEdit), static_cast<QWidget*>(dateTimeEdit), static_cast<QWidget*>(timeButton),
                       static_cast<QWidget*>(timePicker), static_cast<QWidget*>(ellipsis), static_cast<QWidget*>(pictureBox),
                       static_cast<QWidget*>(memoBox)})
        o->hide();
    delete overlayLink;
    overlayLink = nullptr;
    delete pictureLink;
    pictureLink = nullptr;
    delete memoLink;
    memoLink = nullptr;
    overlayField = -1;
}

void PageView::bindOverlay(QWidget* w, int field)
{
    delete overlayLink;
    overlayLink = new FieldLink(w, ds, defs.names.at(field));
}

void PageView::enter(int i)
{
    hideOverlays();
    currentIndex = i;
    emit entered(i);
    showOverlay(i);
}

void PageView::showOverlay(int i)
{
    if (!ds || !ds->active() || i < 0 || i >= defs.count())
        return;
    overlayField = i;
    const QRect box = boxRect(i);
    const FieldKind k = defs.kinds.at(i);
    const int style = defs.styles.at(i);
    const QString name = defs.names.at(i);
    const bool entry = mode == 1 && inUse;
    if (entry) {
        if (style == 2) {
            const QSignalBlocker block(comboBox);
            comboBox->clear();
            comboBox->addItems(dropDownOptions(*ds->connection(), ds->tableName(), name));
            comboBox->setGeometry(box);
            bindOverlay(comboBox, i);
            comboBox->show();
            comboBox->setFocus();
            return;
        }
        if (style == 3)
            listButton->setGeometry(overSmallButton(box)), listButton->show();
        if (k == ftDate) {
            dateEdit->setGeometry(box);
            bindOverlay(dateEdit, i);
            dateEdit->show();
            dateEdit->setFocus();
        } else if (k == ftDateTime) {
            dateTimeEdit->setGeometry(box);
            bindOverlay(dateTimeEdit, i);
            dateTimeEdit->show();
            timeButton->setGeometry(overSmallButton(QRect(box.left() + box.width(), box.top(), box.height(), box.height())));
            timeButton->show();
            dateTimeEdit->setFocus();
        } else if (k == ftTime) {
            timeForDateTime = false;
            const QSignalBlocker block(timePicker);
            const QTime t = QTime::fromString(ds->text(name), QStringLiteral("h:mm:ss"));
            timePicker->setTime(t.isValid() ? t : QTime(0, 0));
            timePicker->setGeometry(timePickerBelow(box, kBoxHeight + 2));
            timePicker->show();
        }
        if ((hasReference && hasReference(name)) || (isConditionField && isConditionField(name)))
            ellipsis->setGeometry(overSmallButton(box)), ellipsis->show();
    }
    if (k == ftBlob && inUse)
        ellipsis->setGeometry(overSmallButton(box)), ellipsis->show();
    if (k == ftGraphic) {
        pictureBox->setGeometry(tess::pictureBox(box, settings->ImageHeight, visibleTop(), visibleBottom()));
        delete pictureLink;
        pictureLink = new FieldLink(pictureBox, ds, name);
        pictureBox->show();
    } else if (k == ftMemo) {
        memoBox->setGeometry(tess::memoBox(box, visibleBottom()));
        delete memoLink;
        memoLink = new FieldLink(memoBox, ds, name);
        memoBox->show();
    }
    for (QWidget* o : {static_cast<QWidget*>(listButton), static_cast<QWidget*>(ellipsis), static_cast<QWidget*>(timeButton),
                       static_cast<QWidget*>(pictureBox), static_cast<QWidget*>(memoBox), static_cast<QWidget*>(timePicker)})
        if (o->isVisible())
            o->raise();
}

void PageView::pickOption(const QString& option)
{
    const int f = overlayField;
    if (f < 0 || !ds)
        return;
    optionList->hide();
    ds->edit();
    const QString old = ds->text(defs.names.at(f));
    ds->setText(defs.names.at(f), old.isEmpty() ? option : old + QStringLiteral("、") + option);
    ds->post();
    emit optionAppended(f);
    edits.at(f)->setFocus();
}

void PageView::timePicked()
{
    const int f = overlayField;
    if (f < 0 || !ds || mode != 1)
        return;
    if (ds->state() == DataSetState::Browse)
        ds->edit();
    const QString name = defs.names.at(f);
    const QString t = timePicker->time().toString(QStringLiteral("hh:mm:ss"));
    if (timeForDateTime) {
        const QDate d = ds->value(name).toDate();
        ds->setText(name, d.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') + t);
    } else {
        ds->setText(name, t);
    }
}

bool PageView::eventFilter(QObject* o, QEvent* e)
{
    const int i = edits.indexOf(qobject_cast<QLineEdit*>(o));
    if (i >= 0) {
        switch (e->type()) {
        case QEvent::FocusIn:
            if (overlayField != i)
                enter(i);
            break;
        case QEvent::FocusOut:
            currentIndex = i;
            break;
        case QEvent::MouseButtonDblClick:
            emit doubleClicked(i);
            return true;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && i + 1 < edits.size()) {
                edits.at(i + 1)->setFocus();
                return true;
            }
            break;
        }
        default:
            break;
        }
        return false;
    }
    if (e->type() == QEvent::KeyPress && (o == comboBox || o == dateEdit || o == dateTimeEdit)) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && overlayField >= 0 && overlayField + 1 < edits.size()) {
            edits.at(overlayField + 1)->setFocus();
            return true;
        }
    }
    if (e->type() == QEvent::MouseButtonDblClick) {
        if (o == pictureBox && overlayField >= 0) {
            emit pictureDoubleClicked(overlayField);
            return true;
        }
        if (o == memoBox->viewport() && overlayField >= 0) {
            emit memoDoubleClicked(overlayField);
            return true;
        }
    }
    if (o == timePicker && e->type() == QEvent::FocusOut)
        timePicker->hide();
    return false;
}

} // namespace tess
