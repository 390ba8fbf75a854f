#include "platform/deveform.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/datamodule.h"
#include "common/paths.h"
#include "common/prompts.h"
#include "common/sqltext.h"
#include "platform/accessfile.h"
#include "platform/designrules.h"
#include "platform/platformkit.h"
#include "platform/setdbform.h"
#include "platform/sysnameforms.h"

namespace tess {

namespace {

const QString kWarn = QStringLiteral("警告  ");

// Runs a command; an error it raises is shown with its text and the window goes on.
void guarded(QWidget* parent, const std::function<void()>& action)
{
    try {
        action();
    } catch (const Abort&) {
    } catch (const Error& e) {
        message(parent, e.text(), QApplication::applicationName(), Buttons::Ok, Icon::Error);
    }
}

// Restores the normal cursor however the block is left.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

TDeveForm::TDeveForm(QWidget* parent) : QMainWindow(parent)
{
    applyWindowFont(this);
    setWindowTitle(systemTitle() + QStringLiteral("开发平台"));
    resize(799, 572);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect g = s->availableGeometry();
        move(g.left() + (g.width() - width()) / 2, g.top() + (g.height() - height()) / 2);
    }

    // The grid table starts on the system database.
    ADOTable1 = new DataSet(dataModule() ? dataModule()->ADOConnection1 : nullptr, this);
    ADOTable1->setObjectName(QStringLiteral("ADOTable1"));
    model = new DataSetModel(ADOTable1, this);
    DBGrid1 = new QTableView;
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(model);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->verticalHeader()->setDefaultSectionSize(20);
    DBGrid1->verticalHeader()->setFixedWidth(14);
    model->follow(DBGrid1->selectionModel());

    buildNavigator();
    auto* central = new QWidget;
    auto* v = new QVBoxLayout(central);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(DBNavigator1);
    v->addWidget(DBGrid1, 1);
    setCentralWidget(central);

    StatusBar1 = new QLabel;
    statusBar()->addWidget(StatusBar1, 1);

    buildMenus();
    connect(ADOTable1, &DataSet::stateChanged, this, &TDeveForm::updateNavigator);
    connect(ADOTable1, &DataSet::afterScroll, this, &TDeveForm::updateNavigator);
    updateNavigator();
}

TDeveForm::~TDeveForm() = default;

QAction* TDeveForm::addItem(QMenu* m, const QString& caption, std::function<void()> action, bool closesGrid)
{
    QAction* a = m->addAction(caption);
    items.insert(caption, a);
    if (!action) {
        connect(a, &QAction::triggered, this, [this, caption] { notAvailable(this, caption); });
        return a;
    }
    connect(a, &QAction::triggered, this, [this, action, closesGrid] {
        guarded(this, [&] {
            if (closesGrid)
                closeGrid();
            action();
        });
    });
    return a;
}

void TDeveForm::buildMenus()
{
    auto top = [this](const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        menus.insert(caption, m);
        return m;
    };
    QMenu* file = top(QStringLiteral("文件"));
    addItem(file, QStringLiteral("打开数据库"), [this] { openDatabase(); }, false);
    file->addSeparator();
    addItem(file, QStringLiteral("退出"), [this] { close(); }, false);

    QMenu* tables = top(QStringLiteral("创建数据库表"));
    addItem(tables, QStringLiteral("新建数据库表结构"), [this] { newTable(); });
    addItem(tables, QStringLiteral("修改数据库表结构"), {});
    addItem(tables, QStringLiteral("修改字段附加设置"), {});
    addItem(tables, QStringLiteral("设置SQL数据表"), {});
    addItem(tables, QStringLiteral("删除或调整数据库表"), {});
    addItem(tables, QStringLiteral("共用数据库表"), {});
    addItem(tables, QStringLiteral("纳入数据库表"), [this] {
        if (!currentName.isEmpty())
            includeTable(currentName);
    });
    item(QStringLiteral("纳入数据库表"))->setVisible(false);
    addItem(tables, QStringLiteral("转化成为模板"), [this] { convertToTemplate(); }, false);
    addItem(tables, QStringLiteral("复制旧表结构建新表"), {});

    QMenu* relations = top(QStringLiteral("设置数据表关联"));
    for (const char* caption : {"主从关联", "引用关联", "汇总关联", "增减关联", "查询关联"})
        addItem(relations, QString::fromUtf8(caption), {});

    QMenu* other = top(QStringLiteral("其它设置"));
    addItem(other, QStringLiteral("设置计算公式"), {});
    addItem(other, QStringLiteral("设置系统名称"), [this] { setSystemName(); }, false);
    addItem(other, QStringLiteral("设置自动编号"), {});
    addItem(other, QStringLiteral("设置重名提示"), {});
    addItem(other, QStringLiteral("设置数据库表显示"), {});
    addItem(other, QStringLiteral("删除或调整信息系统"), [this] { manageSystems(); });
    other->addSeparator();
    addItem(other, QStringLiteral("保存系统配置"), [this] { saveConfiguration(); }, false);

    TablesMenu = top(QStringLiteral("数据库表"));
    TablesMenu->menuAction()->setVisible(false);

    QMenu* help = top(QStringLiteral("帮助"));
    addItem(help, QStringLiteral("帮助"), [this] { openPlatformHelp(this); }, false);
    addItem(help, QStringLiteral("关于"), [this] { aboutBox(); }, false);
}

// ---- grid and navigator ---------------------------------------------------------

void TDeveForm::buildNavigator()
{
    DBNavigator1 = new QWidget;
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    auto* h = new QHBoxLayout(DBNavigator1);
    h->setContentsMargins(2, 2, 2, 2);
    h->setSpacing(0);
    const QList<QPair<QString, QString>> buttons{
        {QStringLiteral("|◀"), QStringLiteral("开头")}, {QStringLiteral("◀"), QStringLiteral("上一个")},
        {QStringLiteral("▶"), QStringLiteral("下一个")}, {QStringLiteral("▶|"), QStringLiteral("结尾")},
        {QStringLiteral("+"), QStringLiteral("增加")},  {QStringLiteral("−"), QStringLiteral("删除")},
        {QStringLiteral("▲"), QStringLiteral("修改")},  {QStringLiteral("✓"), QStringLiteral("写入")},
        {QStringLiteral("✕"), QStringLiteral("取消")},  {QStringLiteral("↻"), QStringLiteral("刷新")},
    };
    for (int i = 0; i < buttons.size(); ++i) {
        auto* b = new QToolButton(DBNavigator1);
        b->setText(buttons.at(i).first);
        b->setToolTip(buttons.at(i).second);
        b->setFixedSize(26, 22);
        connect(b, &QToolButton::clicked, this, [this, i] { guarded(this, [&] { navigate(i); }); });
        navigatorButtons << b;
        h->addWidget(b);
    }
    h->addStretch();
}

void TDeveForm::navigate(int button)
{
    DataSet* t = ADOTable1;
    if (!t->active())
        return;
    switch (button) {
    case 0: t->first(); break;
    case 1: t->prior(); break;
    case 2: t->next(); break;
    case 3: t->last(); break;
    case 4: t->insert(); break;
    case 5:
        if (!t->isEmpty()
            && message(this, QStringLiteral("删除当前记录吗?  "), kWarn, Buttons::OkCancel, Icon::Question) == Answer::Ok)
            t->deleteRecord();
        break;
    case 6: t->edit(); break;
    case 7: t->post(); break;
    case 8: t->cancel(); break;
    case 9: t->refresh(); break;
    default: break;
    }
}

void TDeveForm::updateNavigator()
{
    const bool open = ADOTable1->active();
    const bool editing = open && ADOTable1->state() != DataSetState::Browse;
    const bool writable = open && ADOTable1->canModify() && !model->readOnly();
    const bool browsing = open && !editing;
    const QList<bool> enabled{browsing, browsing, browsing, browsing,
                              writable && browsing, writable && browsing && ADOTable1->recNo() > 0,
                              writable && browsing && ADOTable1->recNo() > 0,
                              editing, editing, browsing};
    for (int i = 0; i < navigatorButtons.size(); ++i)
        navigatorButtons.at(i)->setEnabled(enabled.at(i));
}

void TDeveForm::closeGrid()
{
    ADOTable1->close();
}

void TDeveForm::showTable(Connection* c, const QString& table)
{
    closeGrid();
    const bool outside = dataModule() && c != dataModule()->ADOConnection1;
    ADOTable1->setConnection(c);
    // An outside table may have a name our own tables could not have.
    ADOTable1->setTableName(sql::isBareIdentifier(table, nullptr, 1000)
                                ? table
                                : QLatin1Char('"') + QString(table).replace(QLatin1Char('"'), QLatin1String("\"\""))
                                      + QLatin1Char('"'));
    // Outside databases are read, never written.
    ADOTable1->setReadOnly(outside);
    model->setReadOnly(outside);
    if (outside && accessCopy)
        accessCopy->fill(table);
    DBGrid1->setEditTriggers(outside ? QAbstractItemView::NoEditTriggers
                                     : QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed
                                           | QAbstractItemView::EditKeyPressed);
    ADOTable1->open();
    fieldList = c->columns(table);
    capColumnWidths();
    updateNavigator();
}

void TDeveForm::capColumnWidths()
{
    // Characters a column wants to show: its size, or what its kind needs.
    auto chars = [](const ColumnInfo& c) {
        if (c.size > 0)
            return c.size;
        switch (c.kind) {
        case ftDate: return 10;
        case ftDateTime: return 19;
        case ftTime: return 8;
        case ftBoolean: return 5;
        default: return isNumericKind(c.kind) ? 12 : 10;
        }
    };
    const int digit = QFontMetrics(DBGrid1->font()).horizontalAdvance(QLatin1Char('0'));
    for (int i = 0; i < model->columnCount(); ++i) {
        const int wanted = std::max(DBGrid1->horizontalHeader()->sectionSizeHint(i),
                                    digit * chars(ADOTable1->fieldList().at(i)) + 10);
        DBGrid1->setColumnWidth(i, std::min(wanted, 100));
    }
}

void TDeveForm::setStatus(const QString& text)
{
    StatusBar1->setText(text);
}

// ---- outside databases -------------------------------------------------------------

void TDeveForm::openDatabase()
{
    TDBTypeForm kindForm(this);
    runModal(kindForm);
    databaseKind = kindForm.kind;

    std::function<void(Connection&)> connectTo;
    std::unique_ptr<AccessCopy> accessFile;
    switch (databaseKind) {
    case DatabaseKind::Access:
    case DatabaseKind::SQLite: {
        const bool access = databaseKind == DatabaseKind::Access;
        const QString file = prompts().openFile(
            this, QStringLiteral("打开"),
            access ? QStringLiteral("数据库文件(*.mdb)|*.mdb|所有文件(*.*)|*.*")
                   : QStringLiteral("SQLite数据库(*.sqlite;*.sqlite3;*.db)|*.sqlite;*.sqlite3;*.db|所有文件(*.*)|*.*"));
        if (file.isEmpty())
            return;
        currentName = file;
        const QString ext = QLatin1Char('.') + QFileInfo(file).suffix().toUpper();
        const QStringList accepted = access ? QStringList{QStringLiteral(".MDB"), QStringLiteral(".DBI")}
                                            : QStringList{QStringLiteral(".SQLITE"), QStringLiteral(".SQLITE3"), QStringLiteral(".DB")};
        if (!accepted.contains(ext))
            return;
        const QString password =
            access ? inputText(this, QStringLiteral("输入数据库密码"), QStringLiteral("数据库密码")) : QString();
        connectTo = [file, password, access, &accessFile](Connection& c) {
            // An Access file is read through a copy the engine layer can open.
            if (access && AccessCopy::available()) {
                if (!accessFile)
                    accessFile = std::make_unique<AccessCopy>(file);
                c.openFile(accessFile->copyPath());
            } else {
                c.openFile(file, password);
            }
        };
        break;
    }
    case DatabaseKind::MSSQL:
    case DatabaseKind::PostgreSQL: {
        const bool pg = databaseKind == DatabaseKind::PostgreSQL;
        TMSSQLForm serverForm(this, pg ? QStringLiteral("PostgreSQL数据库") : QStringLiteral("MSSQL数据库"),
                              pg ? QStringLiteral("postgres") : QStringLiteral("sa"));
        runModal(serverForm);
        if (serverForm.server.isEmpty())
            return;
        ConnectionParams p;
        p.databaseName = serverForm.database;
        p.userName = serverForm.user;
        p.password = serverForm.password;
        if (pg)
            p.server = QStringLiteral("pg:") + serverForm.server;
        else
            p.server = QStringLiteral("odbc:DRIVER={FreeTDS};SERVER=%1;DATABASE=%2;TDS_Version=7.3;ClientCharset=UTF-8;")
                           .arg(serverForm.server, serverForm.database);
        currentName = serverForm.database;
        connectTo = [p](Connection& c) { c.open(p); };
        break;
    }
    }

    // The database is tried on a connection of its own first, so that a
    // failure leaves the grid and the table menu as they were.
    QStringList tables;
    bool opened = false;
    {
        WaitCursor wait;
        Connection probe;
        try {
            connectTo(probe);
            tables = probe.tableNames();
            probe.close();
            opened = true;
        } catch (const Error&) {
        }
    }
    if (!opened) {
        warning(this, QStringLiteral("文件打开出错！  "), kWarn);
        return;
    }
    // Access keeps its own system tables beside the user's.
    if (databaseKind == DatabaseKind::Access)
        tables.removeIf([](const QString& t) { return t.startsWith(QLatin1String("MSys"), Qt::CaseInsensitive); });

    WaitCursor wait;
    closeGrid();
    Connection* outside = dataModule()->ADOConnection2;
    outside->close();
    connectTo(*outside);
    accessCopy = std::move(accessFile);
    rebuildTablesMenu(tables);
    if (!tables.isEmpty())
        showTable(outside, tables.first());
    else
        ADOTable1->setConnection(outside);
    setStatus(currentName + QLatin1Char('\\') + tables.value(0));
    TablesMenu->menuAction()->setVisible(true);
}

void TDeveForm::rebuildTablesMenu(const QStringList& tables)
{
    TablesMenu->clear();
    for (const QString& t : tables) {
        QAction* a = TablesMenu->addAction(t);
        connect(a, &QAction::triggered, this, [this, t] { guarded(this, [&] { pickTable(t); }); });
    }
}

void TDeveForm::pickTable(const QString& table)
{
    closeGrid();
    Connection* c = ADOTable1->connection();
    if (!c)
        return;
    showTable(c, table);
    pickedTable = table;
    setStatus(currentName + QLatin1Char('\\') + table);
}

void TDeveForm::convertToTemplate()
{
    if (!ADOTable1->active())
        return;
    const QString name = inputText(this, QStringLiteral("输入数据库模板名称"), QStringLiteral("数据库模板名称")).trimmed();
    if (name.isEmpty())
        return;
    const QString why = templateNameProblem(name);
    if (!why.isEmpty()) {
        warning(this, why, kWarn);
        return;
    }
    Connection& c = db();
    if (c.hasTable(name + QLatin1Char('b'))) {
        if (message(this, QStringLiteral("数据库模板已经存在，是否要重新创建?  "), kWarn, Buttons::OkCancel, Icon::Warning)
            != Answer::Ok)
            return;
        c.exec(QStringLiteral("DROP Table ") + name + QLatin1Char('b'));
    }
    tess::convertToTemplate(c, name, fieldList);
    message(this, QStringLiteral("转化成功  "), QStringLiteral("提示   "));
}

// ---- tables and systems --------------------------------------------------------------

void TDeveForm::newTable()
{
    TSetDBForm designer(this);
    runModal(designer);
    if (!designer.created)
        return;
    currentName = designer.currentName;
    includeTable(currentName);
    showTable(&db(), currentName);
    setStatus(currentName);
}

void TDeveForm::includeTable(const QString& table)
{
    TAddSysNameForm include(table, this);
    runModal(include);
    warning(this, QStringLiteral("纳入完毕！  "), kWarn);
}

void TDeveForm::setSystemName()
{
    const QString name = inputText(this, QStringLiteral("输入系统名称"), QStringLiteral("系统名称"), windowTitle());
    if (name.isEmpty())
        return;
    dataIni().writeString(QStringLiteral("Form"), QStringLiteral("SysName"), name);
    message(this, QStringLiteral("系统名称设置完毕！  "), QStringLiteral("设置完毕置   "));
}

void TDeveForm::manageSystems()
{
    TDelSysNameForm systems(this);
    runModal(systems);
}

void TDeveForm::saveConfiguration()
{
    DataSet t(&db());
    t.setTableName(QStringLiteral("SysIni"));
    t.open();
    if (t.isEmpty()) {
        t.append();
    } else {
        t.first();
        t.edit();
    }
    t.setValue(QStringLiteral("ID"), 1);
    t.setValue(QStringLiteral("FName"), QStringLiteral("sys.ini"));
    t.setValue(QStringLiteral("FFile"), exeIni().contents());
    t.post();
    warning(this, QStringLiteral("保存完毕！  "), kWarn);
}

void TDeveForm::aboutBox()
{
    message(this,
            windowTitle() + QStringLiteral("\n\n设计数据库表的结构和模板，把数据库表纳入信息系统，")
                + QStringLiteral("设置数据表之间的关联和字段规则。  "),
            QStringLiteral("关于  "));
}

void TDeveForm::closeEvent(QCloseEvent* e)
{
    try {
        closeGrid();
    } catch (const Error&) {
    }
    e->accept();
    QCoreApplication::exit(0);
}

} // namespace tess
