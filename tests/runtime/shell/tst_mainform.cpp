#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>

#include "runtime/query/querycommands.h"
#include "runtime/shell/mainform.h"
#include "shellfixture.h"

using namespace tess;
using namespace tess::test;

namespace {

QStringList captions(QMenu* m)
{
    QStringList out;
    for (QAction* a : m->actions())
        if (!a->isSeparator())
            out << a->text();
    return out;
}

bool shown(TMainForm& f, const QString& caption)
{
    QAction* a = f.item(caption);
    if (!a && f.menu(caption))
        a = f.menu(caption)->menuAction();
    return a && a->isVisible();
}

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT
private slots:
    void startSubsystem_data()
    {
        QTest::addColumn<bool>("input");
        QTest::addColumn<bool>("query");
        QTest::addColumn<int>("star");
        QTest::addColumn<int>("mode");
        QTest::newRow("both rights: Star") << true << true << 2 << 2;
        QTest::newRow("both rights, Star 0: none") << true << true << 0 << 0;
        QTest::newRow("query only, whatever Star says") << false << true << 1 << 2;
        QTest::newRow("entry only") << true << false << 2 << 1;
    }
    void startSubsystem()
    {
        QFETCH(bool, input);
        QFETCH(bool, query);
        QFETCH(int, star);
        QFETCH(int, mode);
        ShellWorld w;
        dataIni().writeInteger("Form", "Star", star);
        logonState().FInput = input;
        logonState().FQuery = query;
        PromptGuard p;
        TMainForm f;
        f.show();
        QVERIFY(f.started);
        QCOMPARE(f.subsystemMode, mode);
        QCOMPARE(f.currentTable, QStringLiteral("职工"));
        QCOMPARE(shown(f, "录入系统"), input);
        QCOMPARE(shown(f, "查询系统"), query);
        QCOMPARE(f.ToolButton6->isVisible(), mode == 1);   // 增加
        QCOMPARE(f.ToolButton5->isVisible(), mode != 0);   // 查询 / 查找
        QCOMPARE(shown(f, "编辑"), mode == 1);
        QCOMPARE(shown(f, "单项查询"), mode == 2);
        if (mode == 1) {
            QCOMPARE(f.ToolButton5->text(), QStringLiteral("查找"));
            QCOMPARE(f.windowTitle(), QStringLiteral("人事\\职工\\录入系统"));
        }
        if (mode == 2) {
            QCOMPARE(f.windowTitle(), QStringLiteral("人事\\职工\\查询系统"));
            QVERIFY(f.DBGrid1->editTriggers() == QAbstractItemView::NoEditTriggers);
        }
        if (mode != 0)
            QCOMPARE(f.StatusPanel2->text(), QStringLiteral("当前记录总数为3个！   "));
        f.item("上下结构")->trigger();
        shot(&f, QStringLiteral("mainform-%1-topbottom").arg(mode));
        f.item("左右结构")->trigger();
        shot(&f, QStringLiteral("mainform-%1-leftright").arg(mode));
    }

    void systemsAndTables()
    {
        ShellWorld w;
        IniFile ini = dataIni();
        ini.writeBool("TableVisite", "订单", false);
        // 职工's order names a column 订单 does not have: it must not follow
        ini.writeString("OrderField", "职工", "姓名 DESC");
        PromptGuard p;
        TMainForm f;
        f.show();
        QCOMPARE(f.master()->text("姓名"), QStringLiteral("李四"));
        QCOMPARE(captions(f.menu("信息系统")), (QStringList{"人事", "销售管理"}));
        QCOMPARE(captions(f.menu("数据库表")), (QStringList{"职工", "虚表"}));
        f.chooseSystem("销售管理");
        // a hidden table keeps its master-detail item, which opens first
        QCOMPARE(captions(f.menu("数据库表")), (QStringList{"订单主从表", "订单明细"}));
        QCOMPARE(f.currentTable, QStringLiteral("订单"));
        QCOMPARE(f.relationMode, 1);
        QVERIFY(f.master() && f.master()->active());
        QVERIFY(!p->texts().contains(QStringLiteral("文件打开出错！  ")));
        f.tableItemClicked("订单明细");
        QCOMPARE(f.currentTable, QStringLiteral("订单明细"));
        QCOMPARE(f.relationMode, 0);
        // a system without tables leaves the menu as it was
        ini.writeString("SysName", "空系统", "");
        f.chooseSystem("空系统");
        QCOMPARE(captions(f.menu("数据库表")), (QStringList{"订单主从表", "订单明细"}));
        QCOMPARE(f.currentTable, QStringLiteral("订单明细"));

        // a virtual table is refused in the entry subsystem; the table stays
        f.chooseSystem("人事");
        f.enterEntry();
        QVERIFY(!f.openTable("虚表", 0));
        QCOMPARE(p->lastText(), QStringLiteral("此表只能在查询系统中使用！  "));
        QCOMPARE(p->lastCaption(), QStringLiteral("警告   "));
        QCOMPARE(f.currentTable, QStringLiteral("职工"));
        QVERIFY(f.ADOTable1->active());
        // a table the database does not have: the engine's message, nothing changes
        ini.writeString("人事Table", "没有的表", "没有的表");
        QVERIFY(!f.openTable("没有的表", 0));
        QVERIFY(!p->lastText().isEmpty());
        QCOMPARE(f.currentTable, QStringLiteral("职工"));
        QVERIFY(f.ADOTable1->active());
    }

    void allowedSystems_data()
    {
        QTest::addColumn<bool>("sys");
        QTest::addColumn<QStringList>("rows");   // "system:popedom"
        QTest::addColumn<QStringList>("allowed");
        QTest::newRow("no restriction") << false << QStringList{"人事:0"} << QStringList{"人事", "销售管理"};
        QTest::newRow("empty SysQx lifts it") << true << QStringList{} << QStringList{"人事", "销售管理"};
        QTest::newRow("permitted only") << true << QStringList{"销售管理:1", "人事:0"} << QStringList{"销售管理"};
        QTest::newRow("none permitted") << true << QStringList{"人事:0"} << QStringList{};
    }
    void allowedSystems()
    {
        QFETCH(bool, sys);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, allowed);
        ShellWorld w;
        Connection& c = w.db.conn();
        for (const QString& r : rows)
            c.exec("INSERT INTO SysQx VALUES (?,?,?)",
                   {"ADMIN", r.section(':', 0, 0), c.toEngine(r.section(':', 1) == "1", ftBoolean)});
        logonState().Sys = sys;
        PromptGuard p;
        TMainForm f;
        f.show();
        QCOMPARE(f.allowedSystems, allowed);
        QCOMPARE(captions(f.menu("信息系统")), allowed);
        if (allowed.isEmpty()) {
            QVERIFY(f.currentTable.isEmpty() || !f.master());
            QCOMPARE(f.windowTitle(), QStringLiteral("Tessaly"));
        }
    }

    void categoryTreeAndGrid()
    {
        ShellWorld w;
        PromptGuard p;
        TMainForm f;
        f.show();
        QTreeWidgetItem* root = f.TreeView1->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("全部"));
        QCOMPARE(root->childCount(), 2);
        QTreeWidgetItem* dept = root->child(0);
        QCOMPARE(dept->text(0), QStringLiteral("所在部门"));
        QCOMPARE(dept->childCount(), 2);   // empty option lines are skipped
        emit f.TreeView1->itemClicked(dept->child(0), 0);
        QCOMPARE(f.master()->recordCount(), 2);
        QCOMPARE(f.StatusPanel2->text(), QStringLiteral("当前记录总数为2个！   "));
        emit f.TreeView1->itemClicked(root, 0);
        QCOMPARE(f.master()->recordCount(), 3);
        // grid: captions from the definitions, real numbers as "#.##"
        QAbstractItemModel* m = f.DBGrid1->model();
        QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("所在部门"));
        QCOMPARE(m->data(m->index(0, 4)).toString(), QString());
        QCOMPARE(m->data(m->index(1, 4)).toString(), QStringLiteral(".5"));
        QCOMPARE(m->data(m->index(2, 4)).toString(), QStringLiteral("1234.57"));
        for (int c = 0; c < m->columnCount(); ++c)
            QVERIFY(f.DBGrid1->columnWidth(c) <= 100);
        QCOMPARE(f.StatusPanel1->text(), QStringLiteral("当前记录: 001  张三  销售部"));
        f.master()->next();
        QCOMPARE(f.StatusPanel1->text(), QStringLiteral("当前记录: 002  李四  财务部"));
    }

    void queryCommands()
    {
        ShellWorld w;
        dataIni().writeInteger("Form", "Star", 2);
        dataIni().writeString("OrderField", "职工", "姓名 DESC");
        PromptGuard p;
        TMainForm f;
        f.show();
        QCOMPARE(f.subsystemMode, 2);
        // opened in the default order
        QCOMPARE(f.master()->text("姓名"), QStringLiteral("李四"));
        // a click on a column title sorts by it and keeps the count
        emit f.DBGrid1->horizontalHeader()->sectionClicked(0);
        QCOMPARE(f.master()->text("编号"), QStringLiteral("001"));
        QCOMPARE(f.queryCommands->held().order, QStringLiteral("编号"));
        f.item("全部记录")->trigger();
        QCOMPARE(f.StatusPanel2->text(), QStringLiteral("当前数据库记录总数为3个！   "));
        // a new table starts with a fresh held query
        f.openTable("职工", 0);
        QVERIFY(f.queryCommands->held().order.isEmpty());
        QCOMPARE(f.queryCommands->held().defaultOrder, QStringLiteral("姓名 DESC"));
        // a default order naming a column that is gone still opens the table
        dataIni().writeString("OrderField", "职工", "没有的列 ASC");
        QVERIFY(f.openTable("职工", 0));
        QVERIFY(f.master()->active());
        QCOMPARE(f.master()->recordCount(), 3);
    }

    void hashFormat_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "";
        QTest::newRow("half") << 0.5 << ".5";
        QTest::newRow("rounded") << 2.345 << "2.35";
        QTest::newRow("whole") << 12.0 << "12";
        QTest::newRow("negative") << -0.25 << "-.25";
        QTest::newRow("tiny") << 0.001 << "";
    }
    void hashFormat()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(TMainForm::hashFormat(value), text);
    }

    void pluginsAndClose()
    {
        ShellWorld w;
        dataIni().writeString("ToolMenu", "甲工具", "nodot");
        dataIni().writeString("ToolMenu", "乙工具", "nosuchlib.Run");
        PromptGuard p;
        TMainForm f;
        f.show();
        const QStringList tools = captions(f.menu("工具"));
        QCOMPARE(tools.mid(0, 5), (QStringList{"界面设计器", "报表设计器", "修改下拉框选项", "乙工具", "甲工具"}));
        f.runPlugin("甲工具");
        QVERIFY(p->lastText().contains("nodot"));
        f.runPlugin("乙工具");
        QCOMPARE(p->lastText(), QStringLiteral("不能加载libnosuchlib.so"));
        f.runDesigner();
        QCOMPARE(p->lastText(), QStringLiteral("不能加载libtessform.so"));
        // closing writes the layout keys and the table in use
        f.item("上下结构")->trigger();
        f.close();
        QCOMPARE(dataIni().readString("Form", "TableName"), QStringLiteral("职工"));
        QCOMPARE(dataIni().readString("Form", "DBSysName"), QStringLiteral("人事"));
        QCOMPARE(dataIni().readInteger("Form", "layout", 0), 1);
        QCOMPARE(dataIni().readSection("Form").indexOf("ScrollBoxWidth") < dataIni().readSection("Form").indexOf("layout"), true);
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
