// The "界面调整" menu: colours, fonts and geometry of the page view.
#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMenu>
#include <QScrollArea>
#include <QTableView>

#include "common/modal.h"
#include "common/prompts.h"
#include "runtime/shell/mainform.h"
#include "runtime/shell/pageview.h"

namespace tess {

namespace {

// Asks for a number with the one-line input dialog. Empty or cancelled:
// false; not a number: the conversion error, false.
bool askNumber(QWidget* parent, const QString& caption, const QString& prompt, int current, int* out)
{
    const QString text = inputText(parent, caption, prompt, QString::number(current));
    if (text.isEmpty())
        return false;
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok) {
        message(parent, QStringLiteral("“%1”不是有效的整数值").arg(text), QStringLiteral("错误   "), Buttons::Ok, Icon::Error);
        return false;
    }
    *out = v;
    return true;
}

} // namespace

void TMainForm::applyFormColor()
{
    const QColor c = colorOf(layoutSettings.FormColor);
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(ScrollBox1->viewport()), TopGridPanel}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, c);
        w->setPalette(p);
        w->setAutoFillBackground(w != this);
    }
    for (QTableView* g : {DBGrid1, DBGrid2, DBGrid3}) {
        QPalette p = g->palette();
        p.setColor(QPalette::Button, c);
        g->setPalette(p);
    }
}

void TMainForm::buildLayoutMenu()
{
    QMenu* m = menu(QStringLiteral("界面调整"));
    QMenu* bg = m->addMenu(QStringLiteral("背景色"));
    addItem(bg, QStringLiteral("默认色"), [this] {
        layoutSettings.FormColor = LayoutSettings::clBtnFace;
        applyFormColor();
    });
    addItem(bg, QStringLiteral("自定义"), [this] {
        QColor c = colorOf(layoutSettings.FormColor);
        if (!prompts().color(this, c))
            return;
        layoutSettings.FormColor = storedColor(c);
        applyFormColor();
    });
    QMenu* title = m->addMenu(QStringLiteral("标题栏"));
    addItem(title, QStringLiteral("标题栏宽度"), [this] {
        if (!askNumber(this, QStringLiteral("输入标题栏宽度"), QStringLiteral("标题栏宽度"), layoutSettings.LabelWidth,
                       &layoutSettings.LabelWidth))
            return;
        pageView->applyLabelWidth();
        reflowPage();
    });
    addItem(title, QStringLiteral("标题栏字体"), [this] {
        QFont f = pageView->labels.isEmpty() ? font() : pageView->labels.first()->font();
        if (prompts().font(this, f))
            pageView->setLabelFont(f);
    });
    addItem(title, QStringLiteral("标题栏左边据"), [this] {
        if (askNumber(this, QStringLiteral("输入标题栏左边据"), QStringLiteral("标题栏左边距"), layoutSettings.LeftMargin,
                      &layoutSettings.LeftMargin))
            PagePanel->move(layoutSettings.LeftMargin, PagePanel->y());
    });
    addItem(title, QStringLiteral("标题栏上边据"), [this] {
        if (askNumber(this, QStringLiteral("输入标题栏上边距"), QStringLiteral("标题栏上边距"), layoutSettings.TopMargin,
                      &layoutSettings.TopMargin))
            PagePanel->move(PagePanel->x(), layoutSettings.TopMargin);
    });
    addItem(title, QStringLiteral("标题栏与文本栏间距"), [this] {
        if (!askNumber(this, QStringLiteral("输入标题栏与文本框间距"), QStringLiteral("标题栏与文本框间距"),
                       layoutSettings.LabelEditInte, &layoutSettings.LabelEditInte))
            return;
        pageView->applyEditGeometry();
        reflowPage();
    });
    QMenu* box = m->addMenu(QStringLiteral("文本框"));
    addItem(box, QStringLiteral("文本框宽度"), [this] {
        if (!askNumber(this, QStringLiteral("输入文本框宽度"), QStringLiteral("文本框宽度"), layoutSettings.EditWidth,
                       &layoutSettings.EditWidth))
            return;
        pageView->applyEditGeometry();
        PagePanel->resize(layoutSettings.EditWidth + layoutSettings.LabelWidth + 20, PagePanel->height());
        reflowPage();
    });
    addItem(box, QStringLiteral("文本框字体"), [this] {
        QFont f = pageView->edits.isEmpty() ? font() : pageView->edits.first()->font();
        if (prompts().font(this, f))
            pageView->setEditFont(f);
    });
    addItem(box, QStringLiteral("文本框颜色"), [this] {
        QColor c = colorOf(layoutSettings.EditColor);
        if (!prompts().color(this, c))
            return;
        layoutSettings.EditColor = storedColor(c);
        pageView->setEditColor(c);
    });
    QAction* threeD = addItem(box, QStringLiteral("立体文本框"), [this] {
        layoutSettings.Edit3D = item(QStringLiteral("立体文本框"))->isChecked();
        pageView->setEdit3D(layoutSettings.Edit3D);
    });
    threeD->setCheckable(true);
    threeD->setChecked(layoutSettings.Edit3D);
    addItem(box, QStringLiteral("文本框列数"), [this] {
        QDialog d(this);
        d.setWindowTitle(QStringLiteral("设置整体列数"));
        auto* cols = new QLineEdit(QStringLiteral("2"));
        auto* gap = new QLineEdit(QStringLiteral("10"));
        auto* form = new QFormLayout(&d);
        form->addRow(QStringLiteral("列数"), cols);
        form->addRow(QStringLiteral("列间距"), gap);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
        buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
        form->addRow(buttons);
        connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
        if (runModal(d) != QDialog::Accepted)
            return;
        bool ok1 = false, ok2 = false;
        const int c = cols->text().toInt(&ok1), g = gap->text().toInt(&ok2);
        if (!ok1 || !ok2) {
            message(this, QStringLiteral("“%1”不是有效的整数值").arg(ok1 ? gap->text() : cols->text()), QStringLiteral("错误   "),
                    Buttons::Ok, Icon::Error);
            return;
        }
        if (c > 1) {
            layoutSettings.FixColCount = c;
            layoutSettings.ColInterval = g;
            reflowPage();
        }
    });
    addItem(box, QStringLiteral("文本框行间距"), [this] {
        if (!askNumber(this, QStringLiteral("输入文本框行间距"), QStringLiteral("文本框行间距"), layoutSettings.RowInterval,
                       &layoutSettings.RowInterval))
            return;
        pageView->applyRowInterval();
        reflowPage();
    });
}

} // namespace tess
