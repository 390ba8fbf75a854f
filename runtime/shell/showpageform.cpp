#include "runtime/shell/showpageform.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "common/modal.h"
#include "common/paths.h"
#include "common/prompts.h"
#include "runtime/shell/fieldwindows.h"
#include "runtime/shell/pageview.h"

namespace tess {

TShowPageForm::TShowPageForm(DataSet* ds, const FieldDefinition& defs, const QString& caption, int subsystem, QWidget* parent)
    : QDialog(parent), settings(LayoutSettings::read(dataIni()))
{
    setWindowTitle(caption);
    resize(632, 409);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    auto* nav = new QHBoxLayout;
    nav->setContentsMargins(4, 4, 4, 0);
    auto add = [&](const QString& text, std::function<void()> f) {
        auto* b = new QPushButton(text);
        b->setAutoDefault(false);
        nav->addWidget(b);
        connect(b, &QPushButton::clicked, this, [f] { f(); });
    };
    add(QStringLiteral("开头"), [ds] { ds->first(); });
    add(QStringLiteral("上一个"), [ds] { ds->prior(); });
    add(QStringLiteral("下一个"), [ds] { ds->next(); });
    add(QStringLiteral("结尾"), [ds] { ds->last(); });
    if (subsystem == 1 && ds->canModify()) {
        add(QStringLiteral("增加"), [ds] { ds->append(); });
        add(QStringLiteral("删除"), [this, ds] {
            if (message(this, QStringLiteral("确实要删除吗?  "), QStringLiteral("警告  "), Buttons::OkCancel, Icon::Question) == Answer::Ok)
                ds->deleteRecord();
        });
        add(QStringLiteral("修改"), [ds] { ds->edit(); });
        add(QStringLiteral("写入"), [ds] { ds->post(); });
        add(QStringLiteral("取消"), [ds] { ds->cancel(); });
    }
    nav->addStretch();
    v->addLayout(nav);
    area = new QScrollArea;
    v->addWidget(area);
    page = new PageView(area, &settings, this);
    page->build(defs, true, 18);
    page->bind(ds, subsystem);
    connect(page, &PageView::pictureDoubleClicked, this, [this, ds](int f) {
        TShowImageForm w(pictureOf(ds->value(page->definitions().names.at(f))), this);
        runModal(w);
    });
    connect(page, &PageView::memoDoubleClicked, this, [this, ds, subsystem](int f) {
        TShowMemoForm w(ds, page->definitions().names.at(f), subsystem == 1 && ds->canModify(), this);
        runModal(w);
    });
    reflow();
    // A page that fits a reasonable width gets the window fitted to it.
    if (settings.PanelWidth > 446 && settings.PanelWidth < 658)
        resize(settings.PanelWidth + 2 * settings.LeftMargin, height());
}

void TShowPageForm::reflow()
{
    page->reflowByHeight(area->height() - 18);
}

void TShowPageForm::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    reflow();
}

} // namespace tess
