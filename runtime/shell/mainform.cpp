#include "runtime/shell/mainform.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/modal.h"
#include "common/datamodule.h"
#include "common/paths.h"
#include "common/prompts.h"
#include "runtime/query/querycommands.h"
#include "runtime/shell/fieldwindows.h"
#include "runtime/shell/griddelegate.h"
#include "runtime/shell/gridoverlay.h"
#include "runtime/shell/pageview.h"
#include "runtime/shell/userform.h"

namespace tess {

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    Connection* c = dataModule() ? dataModule()->ADOConnection1 : nullptr;
    auto make = [&](const char* name) {
        auto* ds = new DataSet(c, this);
        ds->setObjectName(QLatin1String(name));
        return ds;
    };
    ADOTable1 = make("ADOTable1");
    ADOQuery1 = make("ADOQuery1");
    ADOTable2 = make("ADOTable2");
    ADOTable3 = make("ADOTable3");
    ADOQuery2 = make("ADOQuery2");
    ADOQuery3 = make("ADOQuery3");
    ADOQuery21 = make("ADOQuery21");
    TempADOTable = make("TempADOTable");
    TempADOQuery = make("TempADOQuery");
    ADOQuery1->setReadOnly(true);
    ADOQuery2->setReadOnly(true);
    ADOQuery3->setReadOnly(true);
    ADOQuery21->setReadOnly(true);
    for (DataSet* ds : {ADOTable1, ADOQuery1}) {
        connect(ds, &DataSet::afterScroll, this, [this, ds] {
            if (ds == DataSource1) {
                updateCurrentRecordText();
                emit masterScrolled();
            }
        });
        connect(ds, &DataSet::afterPost, this, [this, ds] {
            if (ds == DataSource1)
                updateCurrentRecordText();
        });
    }
    queryCommands = new query::QueryCommands(c, ADOQuery1, this, this);
    FormCreate();
}

TMainForm::~TMainForm() = default;

DataSet* TMainForm::master() const
{
    if (ADOTable1->active())
        return ADOTable1;
    if (ADOQuery1->active())
        return ADOQuery1;
    return nullptr;
}

QAction* TMainForm::addItem(QMenu* m, const QString& caption, std::function<void()> action)
{
    QAction* a = m->addAction(caption);
    items.insert(caption, a);
    if (action)
        connect(a, &QAction::triggered, this, [action] { action(); });
    else
        connect(a, &QAction::triggered, this, [this, caption] { notAvailable(caption); });
    return a;
}

void TMainForm::notAvailable(const QString& feature)
{
    tess::notAvailable(this, feature);
}

void TMainForm::FormCreate()
{
    setFont(QFont(QStringLiteral("宋体"), 9));
    resize(799, 572);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect g = s->availableGeometry();
        move(g.left() + (g.width() - width()) / 2, g.top() + (g.height() - (height() + 26)) / 2);
    }

    // ---- central area ------------------------------------------------------
    TreePanel = new QWidget;
    {
        auto* v = new QVBoxLayout(TreePanel);
        v->setContentsMargins(0, 0, 0, 0);
        v->setSpacing(0);
        auto* title = new QWidget;
        auto* h = new QHBoxLayout(title);
        h->setContentsMargins(4, 1, 1, 1);
        h->addWidget(new QLabel(QStringLiteral("分类查询")));
        h->addStretch();
        auto* closeTree = new QToolButton;
        closeTree->setText(QStringLiteral("×"));
        closeTree->setAutoRaise(true);
        h->addWidget(closeTree);
        TreeView1 = new QTreeWidget;
        TreeView1->setHeaderHidden(true);
        v->addWidget(title);
        v->addWidget(TreeView1);
        connect(closeTree, &QToolButton::clicked, this, [this] {
            item(QStringLiteral("导航栏"))->setChecked(false);
            arrange();
        });
        connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* n) { TreeView1Click(n); });
    }
    TreePanel->setMinimumHeight(60);

    auto makeGrid = [this](const char* name) {
        auto* g = new QTableView;
        g->setObjectName(QLatin1String(name));
        g->setSelectionBehavior(QAbstractItemView::SelectRows);
        g->verticalHeader()->setDefaultSectionSize(20);
        g->verticalHeader()->setFixedWidth(14);
        g->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
        return g;
    };
    DBGrid1 = makeGrid("DBGrid1");
    DBGrid2 = makeGrid("DBGrid2");
    DBGrid3 = makeGrid("DBGrid3");
    TopGridPanel = new QWidget;
    new QVBoxLayout(TopGridPanel);
    TopGridPanel->layout()->setContentsMargins(0, 0, 0, 0);

    PageControl1 = new QTabWidget;
    TabSheet1 = new QWidget;
    {
        auto* v = new QVBoxLayout(TabSheet1);
        v->setContentsMargins(0, 0, 0, 0);
        ScrollBox1 = new QScrollArea;
        ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
        ScrollBox1->installEventFilter(this);
        v->addWidget(ScrollBox1);
    }
    // With related tables the page view sits in this panel above the tabs,
    // and each tab shows the detail area.
    PageHost = new QWidget;
    PageHost->setObjectName(QStringLiteral("PageHost"));
    new QVBoxLayout(PageHost);
    PageHost->layout()->setContentsMargins(0, 0, 0, 0);
    PageHost->hide();
    RelationArea = new QSplitter(Qt::Vertical);
    RelationArea->setObjectName(QStringLiteral("RelationArea"));
    RelationArea->addWidget(DBGrid2);
    SubDetailPanel = new QWidget;
    {
        auto* v = new QVBoxLayout(SubDetailPanel);
        v->setContentsMargins(0, 0, 0, 0);
        v->setSpacing(0);
        SubDetailCaption = new QLabel;
        v->addWidget(SubDetailCaption);
        v->addWidget(DBGrid3);
    }
    RelationArea->addWidget(SubDetailPanel);
    SubDetailPanel->hide();
    RelationArea->hide();
    PageControl1->addTab(TabSheet1, QStringLiteral("页面形式"));

    leftSplitter = new QSplitter(Qt::Vertical);
    rightSplitter = new QSplitter(Qt::Vertical);
    leftArea = leftSplitter;
    rightArea = rightSplitter;
    mainSplitter = new QSplitter(Qt::Horizontal);
    mainSplitter->addWidget(leftArea);
    mainSplitter->addWidget(rightArea);
    mainSplitter->setChildrenCollapsible(false);
    setCentralWidget(mainSplitter);

    buildToolBar();
    buildMenus();
    buildStatusBar();

    // ---- settings of the data directory's file ----------------------------
    const IniFile ini = dataIni();
    currentSystem = ini.readString(QStringLiteral("Form"), QStringLiteral("DBSysName"), QStringLiteral("Tessaly"));
    currentTable = ini.readString(QStringLiteral("Form"), QStringLiteral("TableName"), QStringLiteral("system"));
    startSubsystem = ini.readInteger(QStringLiteral("Form"), QStringLiteral("Star"), 1);
    setWindowTitle(ini.readString(QStringLiteral("Form"), QStringLiteral("SysName"), QStringLiteral("Tessaly")));
    layoutSettings = LayoutSettings::read(ini);
    pageView = new PageView(ScrollBox1, &layoutSettings, this);
    PagePanel = pageView->pagePanel();
    item(QStringLiteral("页面视图"))->setChecked(layoutSettings.PageVisible);
    item(QStringLiteral("表格视图"))->setChecked(layoutSettings.GridVisible);
    item(QStringLiteral("左右结构"))->setChecked(layoutSettings.layout == 0);
    item(QStringLiteral("上下结构"))->setChecked(layoutSettings.layout == 1);
    item(QStringLiteral("导航栏"))->setChecked(true);
    buildLayoutMenu();
    applyFormColor();

    buildToolMenu();
    connectEditing();
    connectQuery();
    connectRelations();
    arrange();
    applySubsystemMenus();
}

void TMainForm::buildToolBar()
{
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setIconSize(QSize(16, 16));
    auto add = [&](const QString& caption, QStyle::StandardPixmap icon) {
        QAction* a = ToolBar1->addAction(style()->standardIcon(icon), caption);
        if (auto* b = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(a)))
            b->setMinimumWidth(36);
        return a;
    };
    ToolButton1 = add(QStringLiteral("开头"), QStyle::SP_MediaSkipBackward);
    ToolButton2 = add(QStringLiteral("上一个"), QStyle::SP_MediaSeekBackward);
    ToolButton3 = add(QStringLiteral("下一个"), QStyle::SP_MediaSeekForward);
    ToolButton4 = add(QStringLiteral("结尾"), QStyle::SP_MediaSkipForward);
    ToolButton5 = add(QStringLiteral("查询"), QStyle::SP_FileDialogContentsView);
    ToolButton6 = add(QStringLiteral("增加"), QStyle::SP_FileIcon);
    ToolButton7 = add(QStringLiteral("插入"), QStyle::SP_FileDialogNewFolder);
    ToolButton8 = add(QStringLiteral("修改"), QStyle::SP_FileDialogDetailedView);
    ToolButton9 = add(QStringLiteral("写入"), QStyle::SP_DialogSaveButton);
    ToolButton10 = add(QStringLiteral("删除"), QStyle::SP_TrashIcon);
    ToolButton11 = add(QStringLiteral("图片"), QStyle::SP_DesktopIcon);
    ToolButton12 = add(QStringLiteral("退出"), QStyle::SP_DialogCloseButton);
    connect(ToolButton1, &QAction::triggered, this, [this] { navigate(0); });
    connect(ToolButton2, &QAction::triggered, this, [this] { navigate(1); });
    connect(ToolButton3, &QAction::triggered, this, [this] { navigate(2); });
    connect(ToolButton4, &QAction::triggered, this, [this] { navigate(3); });
    connect(ToolButton12, &QAction::triggered, this, &QWidget::close);
    for (QAction* a : {ToolButton5, ToolButton6, ToolButton7, ToolButton8, ToolButton9, ToolButton10, ToolButton11})
        a->setVisible(false);
}

void TMainForm::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto top = [&](const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        menus.insert(caption, m);
        return m;
    };
    QMenu* file = top(QStringLiteral("文件"));
    addItem(file, QStringLiteral("数据表另存为"));
    QMenu* imp = file->addMenu(QStringLiteral("导入"));
    menus.insert(QStringLiteral("导入"), imp);
    items.insert(QStringLiteral("导入"), imp->menuAction());
    addItem(imp, QStringLiteral("导入数据库文件"));
    addItem(imp, QStringLiteral("导入Excel文件"));
    addItem(imp, QStringLiteral("导入文本文件"));
    QMenu* exp = file->addMenu(QStringLiteral("导出"));
    menus.insert(QStringLiteral("导出"), exp);
    items.insert(QStringLiteral("导出"), exp->menuAction());
    addItem(exp, QStringLiteral("导出到Word中"));
    addItem(exp, QStringLiteral("导出到Excel中"));
    addItem(file, QStringLiteral("打印"));
    file->addSeparator();
    addItem(file, QStringLiteral("退出"), [this] { close(); });

    systemsMenu = top(QStringLiteral("信息系统"));
    top(QStringLiteral("特殊处理"));
    tablesMenu = top(QStringLiteral("数据库表"));

    QMenu* sub = top(QStringLiteral("子系统"));
    addItem(sub, QStringLiteral("录入系统"), [this] { enterEntry(); });
    addItem(sub, QStringLiteral("查询系统"), [this] { enterQuery(); });

    QMenu* edit = top(QStringLiteral("编辑"));
    for (const char* c : {"增加", "修改", "写入", "删除", "插入图片", "删除图片", "选择多行", "复制记录"})
        addItem(edit, QString::fromUtf8(c));
    edit->addSeparator();
    for (const char* c : {"高级批量修改", "批量修改", "全部删除", "利用SQL编辑"})
        addItem(edit, QString::fromUtf8(c));

    QMenu* multi = top(QStringLiteral("多表操作"));
    for (const char* c : {"利用旧表创建新表", "从它表中导入数据", "转移记录到它表"})
        addItem(multi, QString::fromUtf8(c));

    QMenu* browse = top(QStringLiteral("浏览"));
    addItem(browse, QStringLiteral("开头"), [this] { navigate(0); });
    addItem(browse, QStringLiteral("上一个"), [this] { navigate(1); });
    addItem(browse, QStringLiteral("下一个"), [this] { navigate(2); });
    addItem(browse, QStringLiteral("结尾"), [this] { navigate(3); });

    QMenu* query = top(QStringLiteral("查询"));
    for (const char* c : {"定位查找", "单项查询", "范围查询", "一般查询", "高级查询", "多表查询", "全部记录", "排序"})
        addItem(query, QString::fromUtf8(c));

    QMenu* stat = top(QStringLiteral("统计报表"));
    for (const char* c : {"一般统计", "普通报表", "主从报表", "汇总报表", "图表分析"})
        addItem(stat, QString::fromUtf8(c));

    top(QStringLiteral("特殊报表"));

    QMenu* view = top(QStringLiteral("视图"));
    for (const char* c : {"页面视图", "表格视图", "导航栏"}) {
        QAction* a = addItem(view, QString::fromUtf8(c), [this] { arrange(); });
        a->setCheckable(true);
    }
    view->addSeparator();
    auto* group = new QActionGroup(this);
    QAction* lr = addItem(view, QStringLiteral("左右结构"), [this] {
        layoutSettings.layout = 0;
        arrange();
    });
    QAction* tb = addItem(view, QStringLiteral("上下结构"), [this] {
        layoutSettings.layout = 1;
        arrange();
    });
    for (QAction* a : {lr, tb}) {
        a->setCheckable(true);
        group->addAction(a);
    }

    top(QStringLiteral("界面调整"));

    QMenu* settings = top(QStringLiteral("系统设置"));
    addItem(settings, QStringLiteral("系统启动设置"), [this] {
        TStarForm f(this);
        runModal(f);
    });
    addItem(settings, QStringLiteral("查询方式设置"));
    addItem(settings, QStringLiteral("用户权限管理"), [this] {
        TUserForm f(&db(), this);
        runModal(f);
    });
    for (const char* c : {"恢复系统配置", "设置排序字段", "设置系统提醒", "使用自定义界面"})
        addItem(settings, QString::fromUtf8(c));

    QMenu* tools = top(QStringLiteral("工具"));
    addItem(tools, QStringLiteral("界面设计器"), [this] { runDesigner(); });
    addItem(tools, QStringLiteral("报表设计器"));
    addItem(tools, QStringLiteral("修改下拉框选项"), [this] {
        TSetComboBoxForm f(&db(), currentSystem, this);
        runModal(f);
        buildCategoryTree();
    });
    tools->addSeparator();
    for (const char* c : {"计算器", "记事本", "画图", "上网", "发邮件", "万年历"}) {
        const QString caption = QString::fromUtf8(c);
        addItem(tools, caption, [this, caption] { startProgram(caption); });
    }

    QMenu* help = top(QStringLiteral("帮助"));
    addItem(help, QStringLiteral("使用帮助"), [this] { startProgram(QStringLiteral("使用帮助")); });
    addItem(help, QStringLiteral("补充帮助"), [this] { startProgram(QStringLiteral("补充帮助")); });
    addItem(help, QStringLiteral("关于"), [this] { aboutBox(); });
}

void TMainForm::buildStatusBar()
{
    auto make = [this](int width) {
        auto* l = new QLabel;
        l->setMinimumWidth(width);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(l, width == 50 ? 1 : 0);
        return l;
    };
    StatusPanel1 = make(300);
    StatusPanel2 = make(350);
    StatusPanel3 = make(50);
}

void TMainForm::setGridSource(QTableView* grid, DataSet* ds, const FieldDefinition* defs, bool readOnly)
{
    if (!ds) {
        grid->setModel(nullptr);
        return;
    }
    DataSetModel* m = models.value(ds);
    if (!m) {
        m = new DataSetModel(ds, this);
        models.insert(ds, m);
    }
    m->setReadOnly(readOnly);
    auto* delegate = qobject_cast<GridDelegate*>(grid->itemDelegate());
    if (!delegate || delegate->property("dataSet").value<QObject*>() != ds) {
        delegate = new GridDelegate(ds, defs ? defs : &fieldDef, grid);
        delegate->setProperty("dataSet", QVariant::fromValue<QObject*>(ds));
        const QString slot = slotOf(ds);
        connect(delegate, &GridDelegate::referenceRequested, this,
                [this, ds, slot](const QString& field) { emit referenceRequested(slot, ds, field); });
        grid->setItemDelegate(delegate);
    }
    delegate->setActive(!readOnly && subsystemMode == 1);
    if (defs) {
        m->setCaptions(defs->captions);
        m->setFormatter([this, defs, ds](int field, const QVariant& v) { return gridText(*defs, ds, field, v); });
    }
    if (grid->model() != m) {
        grid->setModel(m);
        m->follow(grid->selectionModel());
    }
    GridOverlay*& overlay = gridOverlays[grid];
    if (!overlay) {
        overlay = new GridOverlay(grid, this);
        connect(overlay, &GridOverlay::pictureDoubleClicked, this, [this, grid](const QString& field) {
            if (auto* gm = qobject_cast<DataSetModel*>(grid->model())) {
                TShowImageForm w(pictureOf(gm->dataSet()->value(field)), this);
                runModal(w);
            }
        });
        connect(overlay, &GridOverlay::memoDoubleClicked, this, [this, grid](const QString& field) {
            if (auto* gm = qobject_cast<DataSetModel*>(grid->model())) {
                DataSet* d = gm->dataSet();
                TShowMemoForm w(d, field, subsystemMode == 1 && d->canModify(), this);
                runModal(w);
            }
        });
    }
    overlay->attach(ds, defs);
    grid->setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                                   : QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed
                                         | QAbstractItemView::EditKeyPressed);
    // Columns wider than 100 pixels are narrowed to 100.
    grid->resizeColumnsToContents();
    for (int c = 0; c < m->columnCount(); ++c)
        if (grid->columnWidth(c) > 100)
            grid->setColumnWidth(c, 100);
}

QString TMainForm::hashFormat(double v)
{
    // Up to two decimals, no padding zeros, no leading zero.
    QString s = QString::number(v, 'f', 2);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    if (s == QLatin1String("0") || s == QLatin1String("-0"))
        return {};
    return s;
}

QString TMainForm::gridText(const FieldDefinition& defs, DataSet* ds, int field, const QVariant& v) const
{
    const FieldKind k = field < defs.kinds.size() ? defs.kinds.at(field) : ds->fieldKind(field);
    if ((k == ftFloat || k == ftBCD) && v.isValid() && !v.isNull())
        return hashFormat(v.toDouble());
    if (k == ftMemo && ds->fieldKind(field) == ftMemo)
        return v.isNull() ? QString() : QStringLiteral("(MEMO)");
    if (isBlobKind(k) || isBlobKind(ds->fieldKind(field)))
        return v.isNull() ? QString() : QStringLiteral("(BLOB)");
    return DataSet::displayText(v, k == ftDate || k == ftDateTime || k == ftTime ? k : ds->fieldKind(field));
}

void TMainForm::arrange()
{
    const bool grid = item(QStringLiteral("表格视图"))->isChecked();
    const bool page = item(QStringLiteral("页面视图"))->isChecked();
    const bool tree = item(QStringLiteral("导航栏"))->isChecked();
    const bool related = relationMode != 0;
    layoutSettings.GridVisible = grid;
    layoutSettings.PageVisible = page;
    TreePanel->setVisible(tree);
    DBGrid1->setVisible(grid);
    // With related tables the page view leaves the first tab for the panel
    // above the tabs.
    if (related) {
        PageHost->layout()->addWidget(ScrollBox1);
        PageHost->setVisible(page);
        PageControl1->setVisible(true);
    } else {
        TabSheet1->layout()->addWidget(ScrollBox1);
        PageHost->hide();
        PageControl1->setVisible(page);
    }
    ScrollBox1->show();
    if (layoutSettings.layout == 0) {
        // Left-right: the tree above the grid on the left, the page view right.
        leftSplitter->addWidget(TreePanel);
        leftSplitter->addWidget(DBGrid1);
        rightSplitter->addWidget(PageHost);
        rightSplitter->addWidget(PageControl1);
        TopGridPanel->hide();
        leftSplitter->setSizes({200, std::max(100, height() - 300)});
        leftArea->setVisible(grid || tree);
        rightArea->setVisible(page || related);
        if (grid && (page || related))
            mainSplitter->setSizes({std::max(100, width() - 642), 642});
    } else {
        // Top-bottom: the grid in a panel above the page view; the tree
        // fills the left side.
        TopGridPanel->layout()->addWidget(DBGrid1);
        leftSplitter->addWidget(TreePanel);
        rightSplitter->insertWidget(0, TopGridPanel);
        rightSplitter->addWidget(PageHost);
        rightSplitter->addWidget(PageControl1);
        TopGridPanel->setVisible(grid);
        leftArea->setVisible(tree);
        rightArea->setVisible(grid || page || related);
        if (tree)
            mainSplitter->setSizes({200, std::max(100, width() - 200)});
    }
    reflowPage();
    if (related) {
        // The page panel's height decides the panel above the tabs, up to a point.
        const int wanted = PagePanel->height() + 2 * layoutSettings.TopMargin;
        QList<int> sizes = rightSplitter->sizes();
        const int host = rightSplitter->indexOf(PageHost), tabs = rightSplitter->indexOf(PageControl1);
        if (wanted <= 349 && host >= 0 && tabs >= 0) {
            const int total = sizes.at(host) + sizes.at(tabs);
            sizes[host] = wanted + 5;
            sizes[tabs] = std::max(60, total - sizes.at(host));
            rightSplitter->setSizes(sizes);
        }
    } else if (layoutSettings.layout == 1) {
        rightSplitter->setSizes({175, 0, std::max(100, height() - 175)});
    }
}

void TMainForm::reflowPage()
{
    // Fixed columns with a master-detail relation in the left-right layout,
    // otherwise as many rows as the area holds.
    pageView->reflow(relationMode == 1 && layoutSettings.layout == 0);
}

bool TMainForm::eventFilter(QObject* o, QEvent* e)
{
    if (o == ScrollBox1 && e->type() == QEvent::Resize) {
        layoutSettings.ScrollBoxWidth = ScrollBox1->width();
        reflowPage();
    }
    return QMainWindow::eventFilter(o, e);
}

void TMainForm::updateCurrentRecordText()
{
    DataSet* ds = DataSource1;
    QString text = QStringLiteral("当前记录: ");
    if (ds && ds->active() && ds->recNo() > 0) {
        QStringList v;
        for (int i = 0; i < std::min(3, ds->fieldCount()); ++i)
            v << gridText(fieldDef, ds, i, ds->value(i));
        text += v.join(QStringLiteral("  "));
    }
    StatusPanel1->setText(text);
}

void TMainForm::showCount(const QString& prefix)
{
    DataSet* ds = master();
    recordCount = ds ? ds->recordCount() : 0;
    StatusPanel2->setText(prefix + QString::number(recordCount) + QStringLiteral("个！   "));
}

void TMainForm::navigate(int how)
{
    DataSet* ds = master();
    if (!ds)
        return;
    switch (how) {
    case 0: ds->first(); break;
    case 1: ds->prior(); break;
    case 2: ds->next(); break;
    default: ds->last(); break;
    }
}

void TMainForm::aboutBox()
{
    message(this, windowTitle().section(QLatin1Char('\\'), 0, 0), QStringLiteral("关于..."));
}

void TMainForm::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!started && logonState().loggedOn)
        startUp();
}

void TMainForm::saveLayout()
{
    IniFile ini = dataIni();
    layoutSettings.ScrollBoxWidth = ScrollBox1->width();
    layoutSettings.save(ini, currentSystem, currentTable);
}

void TMainForm::closeEvent(QCloseEvent* e)
{
    if (!resolvePending()) {
        e->ignore();
        return;
    }
    for (DataSet* ds : {ADOTable1, ADOQuery1}) {
        try {
            ds->close();
        } catch (const Error&) {
        }
    }
    if (definitionsInUse)
        saveLayout();
    e->accept();
    QCoreApplication::exit(0);
}

} // namespace tess
