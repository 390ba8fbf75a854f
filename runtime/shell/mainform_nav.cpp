// Information systems, tables and the two subsystems.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidget>

#include "common/datamodule.h"
#include "common/paths.h"
#include "common/prompts.h"
#include "common/sqltext.h"
#include "runtime/query/querycommands.h"
#include "runtime/shell/mainform.h"
#include "runtime/shell/pageview.h"

namespace tess {

namespace {
const QString kWarn = QStringLiteral("警告  ");
}

// Menu items each right enables; an item is shown only when enabled.
void TMainForm::applyRights()
{
    const LogonState& s = logonState();
    const QList<QPair<bool, QStringList>> rules{
        {s.FInput, {QStringLiteral("录入系统")}},
        {s.FQuery, {QStringLiteral("查询系统")}},
        {s.FLoad, {QStringLiteral("导入")}},
        {s.FDerive, {QStringLiteral("导出")}},
        {s.FPrint, {QStringLiteral("普通报表"), QStringLiteral("主从报表"), QStringLiteral("打印")}},
        {s.FStat, {QStringLiteral("一般统计"), QStringLiteral("图表分析"), QStringLiteral("汇总报表")}},
        {s.FType, {QStringLiteral("数据表另存为"), QStringLiteral("用户权限管理"), QStringLiteral("利用旧表创建新表"),
                   QStringLiteral("从它表中导入数据")}},
    };
    for (const auto& r : rules)
        for (const QString& caption : r.second) {
            QAction* a = item(caption);
            a->setEnabled(r.first);
            a->setVisible(r.first);
        }
    for (const QString& m : {QStringLiteral("系统设置")}) {
        menu(m)->menuAction()->setEnabled(s.FType);
        menu(m)->menuAction()->setVisible(s.FType);
    }
    menu(QStringLiteral("界面调整"))->menuAction()->setEnabled(s.FForm);
    menu(QStringLiteral("界面调整"))->menuAction()->setVisible(s.FForm);
}

void TMainForm::startUp()
{
    started = true;
    applyRights();
    const LogonState& s = logonState();
    if (!s.FInput || !s.FQuery)
        startSubsystem = s.FInput ? 1 : s.FQuery ? 2 : startSubsystem;
    subsystemMode = startSubsystem;
    item(QStringLiteral("设置系统提醒"))->setVisible(true);
    item(QStringLiteral("数据表另存为"))->setVisible(item(QStringLiteral("数据表另存为"))->isEnabled());
    menu(QStringLiteral("数据库表"))->menuAction()->setVisible(true);
    menu(QStringLiteral("信息系统"))->menuAction()->setVisible(true);

    buildAllowedSystems();
    if (allowedSystems.isEmpty()) {
        setWindowTitle(QStringLiteral("Tessaly"));
        return;
    }
    systemsMenu->clear();
    for (const QString& sys : allowedSystems) {
        QAction* a = systemsMenu->addAction(sys);
        connect(a, &QAction::triggered, this, [this, sys] { chooseSystem(sys); });
    }
    menu(QStringLiteral("特殊处理"))->menuAction()->setVisible(true);
    buildTableMenu(currentSystem);
}

void TMainForm::buildAllowedSystems()
{
    allowedSystems = dataIni().readSection(QStringLiteral("SysName"));
    const LogonState& s = logonState();
    if (!s.Sys)
        return;
    Connection& c = db();
    if (c.scalar(QStringLiteral("Select count(*) From SysQx")).toInt() == 0)
        return;
    DataSet qx(&c);
    qx.setTableName(QStringLiteral("SysQx"));
    qx.open();
    QStringList keep;
    for (const QString& sys : allowedSystems)
        if (qx.locate(QStringLiteral("FUser;SysName"), {s.user, sys}, {true, false}) && qx.value(QStringLiteral("Popedom")).toBool())
            keep << sys;
    allowedSystems = keep;
}

void TMainForm::chooseSystem(const QString& system)
{
    currentSystem = system;
    ADOTable1->setFiltered(false);
    ADOTable1->setFilter(QString());
    buildTableMenu(system);
}

void TMainForm::buildTableMenu(const QString& system)
{
    const IniFile ini = dataIni();
    const QStringList tables = ini.readSection(system + QStringLiteral("Table"));
    if (tables.isEmpty())
        return;
    tablesMenu->clear();
    relatedTable.clear();
    int mode = 0;
    for (const QString& t : tables) {
        auto add = [&](const QString& caption) {
            QAction* a = tablesMenu->addAction(caption);
            connect(a, &QAction::triggered, this, [this, caption] { tableItemClicked(caption); });
        };
        if (ini.readBool(QStringLiteral("TableVisite"), t, true))
            add(t);
        if (!ini.readSection(system + t + QStringLiteral("AssoTable")).isEmpty()) {
            add(t + QStringLiteral("主从表"));
            if (relatedTable.isEmpty()) {
                relatedTable = t;
                mode = 1;
            }
        }
        if (!ini.readSection(t + QStringLiteral("QueryAsso")).isEmpty()) {
            add(t + QStringLiteral("查询表"));
            if (relatedTable.isEmpty())
                relatedTable = t;
            mode = 2;
        }
    }
    if (!relatedTable.isEmpty())
        openTable(relatedTable, mode);
    else
        openTable(tables.first(), 0);
}

void TMainForm::tableItemClicked(const QString& caption)
{
    int mode = 0;
    QString table = caption;
    if (caption.contains(QStringLiteral("主从表"))) {
        mode = 1;
        table = caption.left(caption.indexOf(QStringLiteral("主从表")));
    } else if (caption.contains(QStringLiteral("查询表"))) {
        mode = 2;
        table = caption.left(caption.indexOf(QStringLiteral("查询表")));
    }
    ADOTable1->setFiltered(false);
    ADOTable1->setFilter(QString());
    openTable(table, mode);
}

void TMainForm::closeData()
{
    detachDetail();
    for (DataSet* ds : {ADOTable3, ADOTable2, ADOQuery3, ADOQuery2, ADOQuery21, ADOTable1, ADOQuery1})
        ds->close();
}

bool TMainForm::openTable(const QString& table, int relation)
{
    if (!resolvePending())
        return false;
    ADOTable2->close();
    const QString kind = dataIni().readString(currentSystem + QStringLiteral("Table"), table, QStringLiteral("system"));
    int newKind = 0;
    if (kind == QLatin1String("False"))
        newKind = 1;
    else if (kind == QLatin1String("True")) {
        if (subsystemMode != 2) {
            warning(this, QStringLiteral("此表只能在查询系统中使用！  "), QStringLiteral("警告   "));
            return false;
        }
        newKind = 2;
    }
    if (newKind == 0) {
        // Open the table first: a table that cannot be opened leaves the
        // window with the table it had.
        auto* probe = new DataSet(&db(), this);
        probe->setTableName(table);
        try {
            probe->open();
        } catch (const Error& e) {
            delete probe;
            message(this, e.text(), QApplication::applicationName(), Buttons::Ok, Icon::Error);
            return false;
        }
        const QList<ColumnInfo> columns = probe->fieldList();
        delete probe;
        closeData();
        DBGrid1->setModel(nullptr);
        ADOTable1->setTableName(table);
        fieldDef = openDefinitions(db(), table, columns, this);
        definitionsInUse = true;
    } else {
        closeData();
        DBGrid1->setModel(nullptr);
        fieldDef = FieldDefinition();
        definitionsInUse = false;
    }
    currentTable = table;
    tableKind = newKind;
    relationMode = relation;
    multiTableQuery = false;
    buildCategoryTree();
    queryCommands->tableOpened(table, query::QueryFields::fromDefinition(fieldDef), defaultOrderOf(table), tableKind);
    pageView->build(fieldDef, definitionsInUse);
    // Extra tab pages of the previous table go; related tables get theirs.
    detachDetail();
    buildRelationTabs();
    if (relationMode == 0)
        RelationArea->hide();
    emit tableOpened();
    arrange();
    if (subsystemMode == 1)
        enterEntry();
    else if (subsystemMode == 2)
        enterQuery();
    return true;
}

bool TMainForm::enterEntry()
{
    if (tableKind == 2) {
        warning(this, QStringLiteral("当前数据库表是虚表，不能进入录入系统，请重新选择数据库表！  "));
        return false;
    }
    if (multiTableQuery) {
        warning(this, QStringLiteral("现在是多表查询状态，需要重新选择数据库表才能进入录入系统！  "));
        return false;
    }
    if (currentTable.isEmpty() || (!definitionsInUse && tableKind == 0))
        return false;
    if (!resolvePending())
        return false;
    ADOTable2->close();
    closeData();
    // Nothing of the previous table's reading settings carries over.
    for (DataSet* d : {ADOTable1, ADOQuery1}) {
        d->setFiltered(false);
        d->setFilter(QString());
        d->setSort(QString());
    }
    DataSet* ds = tableKind == 0 ? ADOTable1 : ADOQuery1;
    try {
        if (tableKind == 0) {
            ADOTable1->setTableName(currentTable);
        } else {
            ADOQuery1->setReadOnly(false);
            ADOQuery1->setSql(QStringLiteral("Select * From ") + currentTable);
        }
        ds->open();
    } catch (const Error&) {
        warning(this, QStringLiteral("文件打开出错！  "));
        return false;
    }
    // A default order the engine cannot follow is reported; the table stays open unsorted.
    try {
        ds->setSort(defaultOrderOf(currentTable));
    } catch (const Error& e) {
        message(this, e.text(), QApplication::applicationName(), Buttons::Ok, Icon::Error);
    }
    subsystemMode = 1;
    queryCommands->setSubsystemMode(1);
    queryCommands->setEntryView(ds, tableKind == 0 ? query::QueryFields::fromDefinition(fieldDef) : query::QueryFields::allOf(*ds));
    DataSource1 = ds;
    setWriteEnabled(false);
    setGridSource(DBGrid1, ds, &fieldDef, false);
    pageView->bind(ds, 1);
    showCount(QStringLiteral("当前记录总数为"));
    updateCurrentRecordText();
    applySubsystemMenus();
    ToolButton5->setText(QStringLiteral("查找"));
    menu(QStringLiteral("查询"))->setTitle(QStringLiteral("查找"));
    if (relationMode == 0)
        PageControl1->setTabText(0, currentTable);
    setWindowTitle(currentSystem + QStringLiteral("\\") + currentTable + QStringLiteral("\\") + QStringLiteral("录入系统"));
    showTab(PageControl1->currentIndex());
    emit masterScrolled();
    return true;
}

bool TMainForm::enterQuery()
{
    if (currentTable.isEmpty())
        return false;
    if (!resolvePending())
        return false;
    closeData();
    ADOQuery1->setFiltered(false);
    ADOQuery1->setFilter(QString());
    ADOQuery1->setReadOnly(true);
    try {
        queryCommands->mainQuery().openSource(defaultOrderOf(currentTable));
    } catch (const Error&) {
        try {
            // The default order may name a column that is gone: show the rows unsorted.
            queryCommands->mainQuery().openSource(QString());
        } catch (const Error&) {
            message(this, QStringLiteral("文件打开出错！  "), QStringLiteral("错误   "), Buttons::Ok, Icon::Error);
            return false;
        }
    }
    subsystemMode = 2;
    queryCommands->setSubsystemMode(2);
    DataSource1 = ADOQuery1;
    setGridSource(DBGrid1, ADOQuery1, &fieldDef, true);
    pageView->bind(ADOQuery1, 2);
    showCount(QStringLiteral("当前记录总数为"));
    updateCurrentRecordText();
    item(QStringLiteral("导航栏"))->setChecked(true);
    applySubsystemMenus();
    ToolButton5->setText(QStringLiteral("查询"));
    menu(QStringLiteral("查询"))->setTitle(QStringLiteral("查询"));
    if (relationMode == 0)
        PageControl1->setTabText(0, currentTable);
    setWindowTitle(currentSystem + QStringLiteral("\\") + currentTable + QStringLiteral("\\") + QStringLiteral("查询系统"));
    arrange();
    showTab(PageControl1->currentIndex());
    emit masterScrolled();
    return true;
}

void TMainForm::applySubsystemMenus()
{
    const LogonState& s = logonState();
    const bool entry = subsystemMode == 1, query = subsystemMode == 2;
    auto show = [&](const QString& caption, bool on) {
        if (QAction* a = item(caption))
            a->setVisible(on);
        else if (QMenu* m = menu(caption))
            m->menuAction()->setVisible(on);
    };
    show(QStringLiteral("导入"), entry && item(QStringLiteral("导入"))->isEnabled());
    show(QStringLiteral("导出"), query && item(QStringLiteral("导出"))->isEnabled());
    show(QStringLiteral("打印"), query && item(QStringLiteral("打印"))->isEnabled());
    // Without a logon through a user row the menus stay as designed.
    show(QStringLiteral("统计报表"), query && (s.FPrint || !started));
    show(QStringLiteral("定位查找"), !query);
    show(QStringLiteral("编辑"), !query && subsystemMode != 0);
    for (const char* c : {"一般查询", "高级查询", "全部记录", "排序", "单项查询", "范围查询", "多表查询"})
        show(QString::fromUtf8(c), query);
    menu(QStringLiteral("特殊报表"))->menuAction()->setVisible(query);
    show(QStringLiteral("转移记录到它表"), !query);
    show(QStringLiteral("多表操作"), !query && s.FType);
    if (entry) {
        const bool pic = !fieldDef.pictureField.isEmpty();
        show(QStringLiteral("插入图片"), pic);
        show(QStringLiteral("删除图片"), pic);
    }
    // Toolbar: navigation and 退出 always; 查询 in both subsystems; editing
    // buttons in the entry subsystem only.
    ToolButton5->setVisible(entry || query);
    for (QAction* a : {ToolButton6, ToolButton7, ToolButton8, ToolButton9, ToolButton10})
        a->setVisible(entry);
    ToolButton11->setVisible(entry && !fieldDef.pictureField.isEmpty());
}

void TMainForm::buildCategoryTree()
{
    TreeView1->clear();
    auto* root = new QTreeWidgetItem(TreeView1, {QStringLiteral("全部")});
    // SQL-defined tables take their drop-down columns from their source.
    QString source = currentTable;
    if (tableKind != 0)
        source = dataIni().readString(QStringLiteral("SourceTable"), currentTable, QString());
    if (source.isEmpty()) {
        root->setExpanded(true);
        return;
    }
    QList<QPair<QString, QString>> columns;   // name, caption
    if (tableKind == 0) {
        for (int i = 0; i < fieldDef.count(); ++i)
            if (fieldDef.styles.at(i) >= 2)
                columns.append({fieldDef.names.at(i), fieldDef.captions.at(i)});
    } else {
        try {
            QSqlQuery q = db().select(QStringLiteral("SELECT FName,FAlias,FStyle FROM ") + source + QStringLiteral("b ORDER BY ID"));
            while (q.next())
                if (styleCode(q.value(2).toString()) >= 2)
                    columns.append({q.value(0).toString(), q.value(1).toString().isEmpty() ? q.value(0).toString() : q.value(1).toString()});
        } catch (const Error&) {
        }
    }
    for (const auto& col : columns) {
        auto* node = new QTreeWidgetItem(root, {col.second});
        node->setData(0, Qt::UserRole, col.first);
        for (const QString& option : dropDownOptions(db(), source, col.first))
            if (!option.trimmed().isEmpty()) {
                auto* leaf = new QTreeWidgetItem(node, {option});
                leaf->setData(0, Qt::UserRole + 1, option);
            }
    }
    root->setExpanded(true);
}

void TMainForm::TreeView1Click(QTreeWidgetItem* node)
{
    DataSet* ds = master();
    if (!ds)
        return;
    ds->setFiltered(false);
    if (node && node->parent() && node->data(0, Qt::UserRole + 1).isValid()) {
        const QString column = node->parent()->data(0, Qt::UserRole).toString();
        ds->setFilter(column + QStringLiteral(" ='") + sql::escaped(node->data(0, Qt::UserRole + 1).toString()) + QLatin1Char('\''));
        ds->setFiltered(true);
        showCount(QStringLiteral("当前记录总数为"));
    } else {
        ds->setFilter(QString());
        showCount(QStringLiteral("当前记录总数为"));
    }
    updateCurrentRecordText();
    emit masterScrolled();
}

} // namespace tess
