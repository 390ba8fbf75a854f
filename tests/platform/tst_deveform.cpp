#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>

#include "common/definitions.h"
#include "platform/designrules.h"
#include "platform/deveform.h"
#include "platform/setdbform.h"
#include "platform/sysnameforms.h"
#include "platformworld.h"

using namespace tess;
using namespace tess::test;

namespace {

QStringList captions(QMenu* m, bool visibleOnly = true)
{
    QStringList out;
    for (QAction* a : m->actions())
        if (!a->isSeparator() && (a->isVisible() || !visibleOnly))
            out << a->text();
    return out;
}

QStringList topMenus(TDeveForm& f)
{
    QStringList out;
    for (QAction* a : f.menuBar()->actions())
        if (a->isVisible())
            out << a->text();
    return out;
}

// Chooses a kind in the database-kind dialog.
void chooseKind(DialogScript& s, QRadioButton* TDBTypeForm::*button)
{
    s.then<TDBTypeForm>([button](TDBTypeForm& d) {
        (d.*button)->setChecked(true);
        d.Button1Click();
        return d.result();
    });
}

// An SQLite file of somebody else's, with the column types a conversion meets.
QString outsideDatabase(const QString& dir)
{
    const QString path = dir + "outside.sqlite";
    Connection c;
    ConnectionParams p;
    p.server = path;
    p.create = true;
    c.open(p);
    c.exec("CREATE TABLE 产品(编号 INTEGER PRIMARY KEY, 名称 VARCHAR(12), 在售 BOOLEAN, 单价 DECIMAL(10,2), 说明 TEXT, "
           "上市 DATE, 图片 BLOB)");
    c.exec("INSERT INTO 产品(名称,在售,单价,说明,上市) VALUES ('螺丝',1,0.25,'十字','2020-01-02')");
    c.exec("CREATE TABLE 库存(数量 SMALLINT, 金额 MONEY, 时刻 TIME, 登记 DATETIME, 比率 FLOAT, 其它 WHATEVER)");
    c.close();
    return path;
}

QStringList templateRows(PlatformWorld& w, const QString& name)
{
    return w.rows("SELECT ID,FName,DType,FSize,CType,FAlias,FStyle FROM " + name + "b ORDER BY ID");
}

} // namespace

class TestDeveForm : public QObject {
    Q_OBJECT
private slots:
    void menusAndWindow()
    {
        PlatformWorld w;
        PromptGuard p;
        TDeveForm f;
        f.show();
        QCOMPARE(f.windowTitle(), QStringLiteral("Tessaly开发平台"));
        QCOMPARE(topMenus(f), (QStringList{"文件", "创建数据库表", "设置数据表关联", "其它设置", "帮助"}));
        QCOMPARE(captions(f.menu("文件")), (QStringList{"打开数据库", "退出"}));
        QCOMPARE(captions(f.menu("创建数据库表")),
                 (QStringList{"新建数据库表结构", "修改数据库表结构", "修改字段附加设置", "设置SQL数据表", "删除或调整数据库表",
                              "共用数据库表", "转化成为模板", "复制旧表结构建新表"}));
        QCOMPARE(captions(f.menu("创建数据库表"), false).indexOf("纳入数据库表"), 6);   // there, hidden
        QCOMPARE(captions(f.menu("设置数据表关联")), (QStringList{"主从关联", "引用关联", "汇总关联", "增减关联", "查询关联"}));
        QCOMPARE(captions(f.menu("其它设置")), (QStringList{"设置计算公式", "设置系统名称", "设置自动编号", "设置重名提示",
                                                           "设置数据库表显示", "删除或调整信息系统", "保存系统配置"}));
        QCOMPARE(captions(f.menu("帮助")), (QStringList{"帮助", "关于"}));
        QStringList hints;
        for (QToolButton* b : f.navigatorButtons)
            hints << b->toolTip();
        QCOMPARE(hints, (QStringList{"开头", "上一个", "下一个", "结尾", "增加", "删除", "修改", "写入", "取消", "刷新"}));
        // an editor still to come says so and leaves the grid alone
        f.item("主从关联")->trigger();
        QCOMPARE(p->texts(), QStringList{"“主从关联”功能尚未提供。  "});
        f.item("关于")->trigger();
        QCOMPARE(p->lastCaption(), QStringLiteral("关于  "));
        shot(&f, "deveform-empty");
    }

    void outsideDatabase()
    {
        PlatformWorld w;
        const QString file = ::outsideDatabase(w.db.dir());
        PromptGuard p;
        DialogScript s;
        TDeveForm f;
        f.show();

        // A cancelled kind chooser still asks for an Access file; another
        // extension does nothing.
        p->plan(QStringLiteral("/tmp/notes.txt"));
        f.item("打开数据库")->trigger();
        QCOMPARE(s.shown, QStringList{"TDBTypeForm"});
        QCOMPARE(p->calls.size(), 1);
        QCOMPARE(p->calls[0].kind, QStringLiteral("open"));
        QCOMPARE(p->calls[0].text, QStringLiteral("数据库文件(*.mdb)|*.mdb|所有文件(*.*)|*.*"));
        QVERIFY(!f.TablesMenu->menuAction()->isVisible());
        QVERIFY(!f.ADOTable1->active());

        // An SQLite file of ours.
        p->clear();
        chooseKind(s, &TDBTypeForm::RadioButton3);
        p->plan(file);
        f.item("打开数据库")->trigger();
        QVERIFY(p->texts().isEmpty());
        QVERIFY(f.TablesMenu->menuAction()->isVisible());
        QCOMPARE(captions(f.TablesMenu), (QStringList{"产品", "库存"}));
        QVERIFY(f.ADOTable1->active());
        QCOMPARE(f.ADOTable1->connection(), w.module.ADOConnection2);
        QCOMPARE(f.ADOTable1->recordCount(), 1);
        QCOMPARE(f.StatusBar1->text(), file + "\\产品");
        QVERIFY(!(f.model->flags(f.model->index(0, 1)) & Qt::ItemIsEditable));   // read, never written
        for (int c = 0; c < f.model->columnCount(); ++c)
            QVERIFY(f.DBGrid1->columnWidth(c) <= 100);
        shot(&f, "deveform-outside");

        // The grid's table becomes a template.
        p->clear();
        p->plan(QStringLiteral("产品模板"));
        f.item("转化成为模板")->trigger();
        QCOMPARE(p->calls[0].caption, QStringLiteral("输入数据库模板名称"));
        QCOMPARE(p->calls[0].text, QStringLiteral("数据库模板名称"));
        QCOMPARE(p->texts(), QStringList{"转化成功  "});
        QCOMPARE(p->lastCaption(), QStringLiteral("提示   "));
        QCOMPARE(templateRows(w, "产品模板"),
                 (QStringList{"1|编号|自动型|0|普通型|编号|文本框", "2|名称|字符型|12|普通型|名称|文本框",
                              "3|在售|字符型|0|普通型|在售|文本框", "4|单价|BCD数型|0|普通型|单价|文本框",
                              "5|说明|备注型|0|普通型|说明|备注框", "6|上市|日期型|0|普通型|上市|文本框",
                              "7|图片|文件型|0|普通型|图片|文本框"}));
        QCOMPARE(w.rows("SELECT count(*) FROM 产品模板b WHERE FSelect IS NULL AND FKey IS NULL"), QStringList{"7"});
        QCOMPARE(exeIni().readString("cyclostyle", "产品模板"), QStringLiteral("产品模板b"));

        // Another table from the menu.
        p->clear();
        f.TablesMenu->actions().at(1)->trigger();
        QCOMPARE(f.pickedTable, QStringLiteral("库存"));
        QCOMPARE(f.StatusBar1->text(), file + "\\库存");
        p->plan(QStringLiteral("库存模板"));
        f.item("转化成为模板")->trigger();
        QCOMPARE(w.rows("SELECT FName,DType,FStyle FROM 库存模板b ORDER BY ID"),
                 (QStringList{"数量|整数型|文本框", "金额|货币型|文本框", "时刻|时间型|文本框", "登记|日期时间型|文本框",
                              "比率|实数型|文本框", "其它|字符型|文本框"}));
        // Over an existing template: Cancel leaves it, OK makes it again.
        w.conn().exec("UPDATE 库存模板b SET FAlias='改过' WHERE ID=1");
        p->clear();
        p->plan(QStringLiteral("库存模板"));
        p->plan(Answer::Cancel);
        f.item("转化成为模板")->trigger();
        QCOMPARE(p->texts(), QStringList{"数据库模板已经存在，是否要重新创建?  "});
        QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));
        QCOMPARE(w.rows("SELECT FAlias FROM 库存模板b WHERE ID=1"), QStringList{"改过"});
        p->clear();
        p->plan(QStringLiteral("库存模板"));
        p->plan(Answer::Ok);
        f.item("转化成为模板")->trigger();
        QCOMPARE(w.rows("SELECT FAlias FROM 库存模板b WHERE ID=1"), QStringList{"数量"});
        QCOMPARE(exeIni().readSection("cyclostyle"), (QStringList{"产品模板", "库存模板"}));
        // A name no statement can carry is refused.
        p->clear();
        p->plan(QStringLiteral("库存 模板"));
        f.item("转化成为模板")->trigger();
        QCOMPARE(p->texts(), QStringList{"“库存 模板”不能作为模板名称：名称中不能有空格！  "});

        // A file that is no database: the message, and the window as it was.
        QFile bad(w.db.dir() + "bad.db");
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("this is not a database at all, just some text to fill the header");
        bad.close();
        p->clear();
        chooseKind(s, &TDBTypeForm::RadioButton3);
        p->plan(bad.fileName());
        f.item("打开数据库")->trigger();
        QCOMPARE(p->texts(), QStringList{"文件打开出错！  "});
        QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));
        QCOMPARE(captions(f.TablesMenu), (QStringList{"产品", "库存"}));
        QVERIFY(f.ADOTable1->active());
        f.TablesMenu->actions().at(0)->trigger();
        QCOMPARE(f.ADOTable1->tableName(), QStringLiteral("产品"));

        // Converting needs a table in the grid.
        f.closeGrid();
        p->clear();
        f.item("转化成为模板")->trigger();
        QVERIFY(p->calls.isEmpty());
    }

    void accessFiles()
    {
        PlatformWorld w;
        PromptGuard p;
        DialogScript s;
        TDeveForm f;
        chooseKind(s, &TDBTypeForm::RadioButton1);
        const QString jet3 = fixture("mdb/testV1997.mdb");
        p->plan(jet3);
        p->plan(QString());   // no password
        f.item("打开数据库")->trigger();
        QCOMPARE(p->calls.size(), 2);
        QCOMPARE(p->calls[1].caption, QStringLiteral("输入数据库密码"));
        QCOMPARE(p->calls[1].text, QStringLiteral("数据库密码"));
        QVERIFY2(p->texts().isEmpty(), qPrintable(p->texts().join(',')));
        QCOMPARE(captions(f.TablesMenu), (QStringList{"Table1", "Table2", "Table3", "Table4"}));   // no system tables
        QCOMPARE(f.currentName, jet3);
        QCOMPARE(f.StatusBar1->text(), jet3 + "\\Table1");
        QCOMPARE(f.ADOTable1->recordCount(), 2);
        f.ADOTable1->last();
        QCOMPARE(f.ADOTable1->text("A"), QStringLiteral("abcdefg"));
        QCOMPARE(f.ADOTable1->value("G").toDate(), QDate(1974, 9, 21));
        p->clear();
        p->plan(QStringLiteral("Access模板"));
        f.item("转化成为模板")->trigger();
        QCOMPARE(p->texts(), QStringList{"转化成功  "});
        // text, byte, integer, long, double, date, currency, yes/no
        QCOMPARE(w.rows("SELECT FName,DType,FSize FROM Access模板b ORDER BY ID"),
                 (QStringList{"A|字符型|50", "B|字符型|100", "C|整数型|0", "D|整数型|0", "E|整数型|0", "F|实数型|0",
                              "G|日期时间型|0", "H|货币型|0", "I|字符型|0"}));
        f.TablesMenu->actions().at(2)->trigger();
        QCOMPARE(f.fieldList.at(0).kind, ftAutoInc);

        // Jet 4 with Unicode text, in a table whose name is a keyword
        chooseKind(s, &TDBTypeForm::RadioButton1);
        p->clear();
        p->plan(fixture("mdb/testUnicodeCompV2003.mdb"));
        p->plan(QString());
        f.item("打开数据库")->trigger();
        QVERIFY2(p->texts().isEmpty(), qPrintable(p->texts().join(',')));
        QCOMPARE(captions(f.TablesMenu), QStringList{"Table"});
        QCOMPARE(f.ADOTable1->recordCount(), 8);
        f.ADOTable1->setRecNo(5);
        QCOMPARE(f.ADOTable1->text("Unicode"), QStringLiteral("漢字仮名交じり文"));
        p->plan(QStringLiteral("Unicode模板"));
        f.item("转化成为模板")->trigger();
        QCOMPARE(w.rows("SELECT FName,DType,FSize FROM Unicode模板b ORDER BY ID"),
                 (QStringList{"ID|自动型|0", "Unicode|字符型|255"}));
    }

    void serverDialog_data()
    {
        QTest::addColumn<QStringList>("texts");   // server, database, user
        QTest::addColumn<QString>("message");      // empty: accepted
        QTest::newRow("no server") << QStringList{"", "sales", "sa"} << "请输入服务器名!";
        QTest::newRow("no database") << QStringList{"db1", "", "sa"} << "请输入数据库名!";
        QTest::newRow("no user") << QStringList{"db1", "sales", ""} << "请输入用户名!";
        QTest::newRow("the first missing one") << QStringList{"", "", ""} << "请输入服务器名!";
        QTest::newRow("all three") << QStringList{"db1", "sales", "sa"} << "";
    }
    void serverDialog()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        PromptGuard p;
        TMSSQLForm d;
        QCOMPARE(d.windowTitle(), QStringLiteral("MSSQL数据库"));
        QCOMPARE(d.Edit3->text(), QStringLiteral("sa"));
        d.Edit1->setText(texts[0]);
        d.Edit2->setText(texts[1]);
        d.Edit3->setText(texts[2]);
        d.Edit4->setText("secret");
        d.Button1Click();
        if (message.isEmpty()) {
            QVERIFY(p->calls.isEmpty());
            QCOMPARE(d.result(), int(QDialog::Accepted));
            QCOMPARE((QStringList{d.server, d.database, d.user, d.password}), (QStringList{"db1", "sales", "sa", "secret"}));
        } else {
            QCOMPARE(p->texts(), QStringList{message});
            QCOMPARE(p->lastCaption(), QStringLiteral("提示"));
            QVERIFY(d.result() != int(QDialog::Accepted));
            QVERIFY(d.server.isEmpty());   // nothing to open after "取消"
        }
    }

    void outsidePostgres()
    {
        if (!postgresAvailable())
            QSKIP("no PostgreSQL server");
        PlatformWorld w;
        TestDb other(QStringLiteral("postgres"));
        other.conn().exec("Create Table 订单(订单号 Varchar(20),金额 Money)");
        PromptGuard p;
        DialogScript s;
        TDeveForm f;
        chooseKind(s, &TDBTypeForm::RadioButton4);
        const ConnectionParams where = other.params();
        s.then<TMSSQLForm>([&](TMSSQLForm& d) {
            d.Edit1->setText(where.server.mid(3));   // host:port
            d.Edit2->setText(where.databaseName);
            d.Edit3->setText(where.userName);
            d.Edit4->setText(where.password);
            d.Button1Click();
            return d.result();
        });
        f.item("打开数据库")->trigger();
        QVERIFY2(p->texts().isEmpty(), qPrintable(p->texts().join(',')));
        QCOMPARE(s.shown, (QStringList{"TDBTypeForm", "TMSSQLForm"}));
        QCOMPARE(captions(f.TablesMenu), QStringList{"订单"});
        QCOMPARE(f.StatusBar1->text(), where.databaseName + "\\订单");
        p->plan(QStringLiteral("订单模板"));
        f.item("转化成为模板")->trigger();
        QCOMPARE(w.rows("SELECT FName,DType,FSize FROM 订单模板b ORDER BY ID"),
                 (QStringList{"订单号|字符型|20", "金额|货币型|0"}));

        // a server dialog closed with "取消" opens nothing
        chooseKind(s, &TDBTypeForm::RadioButton2);
        s.then<TMSSQLForm>([](TMSSQLForm& d) {
            d.Edit1->setText("db1");
            d.Button1Click();   // no database: the dialog stays
            d.reject();
            return d.result();
        });
        p->clear();
        f.item("打开数据库")->trigger();
        QCOMPARE(p->texts(), QStringList{"请输入数据库名!"});
        QCOMPARE(captions(f.TablesMenu), QStringList{"订单"});
    }

    void includeInSystem()
    {
        PlatformWorld w;
        PromptGuard p;
        IniFile ini = dataIni();
        ini.writeString("SysName", "人事", "职工");
        TAddSysNameForm a("客户");
        QCOMPARE(a.windowTitle(), QStringLiteral("纳入数据库表为某一信息系统中"));
        QCOMPARE(a.ListBox1->count(), 1);
        QVERIFY(a.RadioButton1->isChecked());
        const QString caption = "输入信息系统名称  ";
        // a new system needs a name, and one sys.ini can carry
        a.Button1Click();
        QCOMPARE(p->texts(), QStringList{"新建的信息系统名称"});
        QCOMPARE(p->lastCaption(), caption);
        a.Edit1->setText("销售=管理");
        a.Button1Click();
        QCOMPARE(p->lastText(), QStringLiteral("信息系统名称中不能有“=”！  "));
        // an existing one needs a choice
        a.RadioButton2->setChecked(true);
        a.Button1Click();
        QCOMPARE(p->lastText(), QStringLiteral("新建信息系统名称"));
        QCOMPARE(p->lastCaption(), caption);
        QVERIFY(a.result() != int(QDialog::Accepted));
        QCOMPARE(ini.readSectionValues("SysName"), QStringList{"人事=职工"});
        QVERIFY(!ini.sectionExists("人事Table"));
        a.ListBox1->setCurrentRow(0);
        a.Button1Click();
        QCOMPARE(a.result(), int(QDialog::Accepted));
        QCOMPARE(ini.readSectionValues("SysName"), QStringList{"人事=职工"});
        QCOMPARE(ini.readSectionValues("人事Table"), QStringList{"客户=客户"});
        // a new system, and a new system of a name there is: its value is replaced
        for (const char* sys : {"客户管理", "人事"}) {
            TAddSysNameForm b("订单");
            b.Edit1->setText(QString::fromUtf8(sys));
            b.Button1Click();
            QCOMPARE(b.result(), int(QDialog::Accepted));
        }
        QCOMPARE(ini.readSectionValues("SysName"), (QStringList{"人事=订单", "客户管理=订单"}));
        QCOMPARE(ini.readSectionValues("人事Table"), (QStringList{"客户=客户", "订单=订单"}));
        QCOMPARE(ini.readSectionValues("客户管理Table"), QStringList{"订单=订单"});

        // the platform says it is done however the dialog was closed
        DialogScript s;
        TDeveForm f;
        p->clear();
        f.includeTable("产品");
        QCOMPARE(s.shown, QStringList{"TAddSysNameForm"});
        QCOMPARE(p->texts(), QStringList{"纳入完毕！  "});
        QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));
        QVERIFY(!ini.sectionExists("产品Table"));
        QCOMPARE(ini.readSection("SysName"), (QStringList{"人事", "客户管理"}));
    }

    void systems()
    {
        PlatformWorld w;
        PromptGuard p;
        IniFile ini = dataIni();
        for (const char* sys : {"A", "B", "C"})
            ini.writeString("SysName", sys, QString(sys).toLower());
        ini.writeString("BTable", "t", "t");
        TDelSysNameForm d;
        QCOMPARE(d.windowTitle(), QStringLiteral("删除或调整信息系统"));
        QCOMPARE(d.names, (QStringList{"A", "B", "C"}));
        QCOMPARE(d.values, (QStringList{"a", "b", "c"}));
        d.ListBox1->setCurrentRow(2);
        d.Button3Click();
        QCOMPARE(ini.readSectionValues("SysName"), (QStringList{"A=a", "C=c", "B=b"}));
        QCOMPARE(d.ListBox1->currentRow(), 1);
        // the first up, the last down and nothing chosen change nothing
        d.ListBox1->setCurrentRow(0);
        d.Button3Click();
        d.ListBox1->setCurrentRow(2);
        d.Button4Click();
        d.ListBox1->setCurrentRow(-1);
        d.Button4Click();
        d.Button1Click();
        QCOMPARE(ini.readSectionValues("SysName"), (QStringList{"A=a", "C=c", "B=b"}));
        d.ListBox1->setCurrentRow(0);
        d.Button4Click();
        QCOMPARE(ini.readSectionValues("SysName"), (QStringList{"C=c", "A=a", "B=b"}));
        QCOMPARE(d.ListBox1->currentItem()->text(), QStringLiteral("A"));
        // deleting asks nothing and leaves the system's tables
        d.ListBox1->setCurrentRow(2);
        d.Button1Click();
        QVERIFY(p->calls.isEmpty());
        QCOMPARE(ini.readSectionValues("SysName"), (QStringList{"C=c", "A=a"}));
        QCOMPARE(d.names, (QStringList{"C", "A"}));
        QCOMPARE(ini.readSectionValues("BTable"), QStringList{"t=t"});
        // so a new system of that name has its old tables again
        TAddSysNameForm a("u");
        a.Edit1->setText("B");
        a.Button1Click();
        QCOMPARE(ini.readSection("BTable"), (QStringList{"t", "u"}));
    }

    void systemTitle()
    {
        PlatformWorld w;
        PromptGuard p;
        TDeveForm f;
        p->plan(f.windowTitle());   // the preset, unchanged
        f.item("设置系统名称")->trigger();
        QCOMPARE(p->calls[0].kind, QStringLiteral("input"));
        QCOMPARE(p->calls[0].caption, QStringLiteral("输入系统名称"));
        QCOMPARE(p->calls[0].text, QStringLiteral("系统名称"));
        QCOMPARE(p->calls[0].preset, QStringLiteral("Tessaly开发平台"));
        QCOMPARE(dataIni().readString("Form", "SysName"), QStringLiteral("Tessaly开发平台"));
        QCOMPARE(p->texts(), QStringList{"系统名称设置完毕！  "});
        QCOMPARE(p->lastCaption(), QStringLiteral("设置完毕置   "));
        QCOMPARE(f.windowTitle(), QStringLiteral("Tessaly开发平台"));   // until the next start
        p->clear();
        f.item("设置系统名称")->trigger();   // cancelled
        QCOMPARE(p->texts(), QStringList{});
        QCOMPARE(dataIni().readString("Form", "SysName"), QStringLiteral("Tessaly开发平台"));
    }

    void saveConfiguration_data() { addEngineRows(); }
    void saveConfiguration()
    {
        QFETCH(QString, engine);
        PlatformWorld w(engine);
        PromptGuard p;
        TDeveForm f;
        IniFile ini = exeIni();
        ini.writeString("cyclostyle", "客户", "客户b");
        f.item("保存系统配置")->trigger();
        QCOMPARE(p->texts(), QStringList{"保存完毕！  "});
        QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));
        auto saved = [&] { return w.conn().scalar("SELECT FFile FROM SysIni").toByteArray(); };
        QCOMPARE(w.rows("SELECT ID,FName FROM SysIni"), QStringList{"1|sys.ini"});
        QCOMPARE(saved(), ini.contents());
        // saved again: the same row, the file as it is now
        ini.writeString("cyclostyle", "订单", "订单b");
        f.item("保存系统配置")->trigger();
        QCOMPARE(w.rows("SELECT ID,FName FROM SysIni"), QStringList{"1|sys.ini"});
        QCOMPARE(saved(), ini.contents());
        QVERIFY(ini.contents().contains("订单b"));
    }

    void designerPath_data() { addEngineRows(); }
    void designerPath()
    {
        QFETCH(QString, engine);
        PlatformWorld w(engine);
        PromptGuard p;
        DialogScript s;
        TDeveForm f;
        f.show();
        bool memoShown = false;
        s.then<TSetDBForm>([&](TSetDBForm& d) {
            d.show();
            p->plan(QStringLiteral("客户"));
            d.newTable();
            // typed into the grid as a designer would
            auto type = [&](const char* field, const QString& text) {
                const QModelIndex at = d.model->index(d.ADOTable1->recNo() - 1, d.column(field));
                d.DBGrid1->setCurrentIndex(at);
                QVERIFY(d.model->setData(at, text));
            };
            type("FName", "编号");
            type("FSize", "10");
            type("FKey", "是");
            d.addRow();
            type("FName", "等级");
            type("FSize", "4");
            type("FStyle", "单选下拉框");
            d.DBGrid1->setCurrentIndex(d.model->index(d.ADOTable1->recNo() - 1, d.column("FSelect")));
            memoShown = d.DBMemo1->isVisible();
            d.DBMemo1->setPlainText("甲\n乙\n丙");
            shot(&d, "setdbform-designing");
            d.addRow();
            type("FName", "日期");
            type("DType", "日期型");
            d.addRow();
            type("FName", "金额");
            type("DType", "货币型");
            d.addRow();
            type("FName", "备注");
            type("DType", "备注型");
            type("FStyle", "备注框");
            d.createTable();
            return d.result();
        });
        s.then<TAddSysNameForm>([](TAddSysNameForm& a) {
            a.Edit1->setText("客户管理");
            a.Button1Click();
            return a.result();
        });
        f.item("新建数据库表结构")->trigger();
        QCOMPARE(s.shown, (QStringList{"TSetDBForm", "TAddSysNameForm"}));
        QCOMPARE(p->texts(), (QStringList{"数据库表创建成功！  ", "纳入完毕！  "}));
        QVERIFY(memoShown);

        // the platform shows the new table, ready for records
        QCOMPARE(f.currentName, QStringLiteral("客户"));
        QCOMPARE(f.StatusBar1->text(), QStringLiteral("客户"));
        QCOMPARE(f.ADOTable1->connection(), w.module.ADOConnection1);
        QCOMPARE(f.ADOTable1->tableName(), QStringLiteral("客户"));
        f.navigatorButtons.at(4)->click();   // 增加
        f.model->setData(f.model->index(0, 0), "001");
        f.model->setData(f.model->index(0, 1), "甲");
        f.model->setData(f.model->index(0, 2), "2024-05-01");
        f.model->setData(f.model->index(0, 3), "12.5");
        f.navigatorButtons.at(7)->click();   // 写入
        QCOMPARE(w.rows("SELECT 编号,等级,金额 FROM 客户"), QStringList{"001|甲|12.5"});
        shot(&f, "deveform-designed");

        // what the runtime reads: the system, its table, the definitions
        QCOMPARE(dataIni().readSectionValues("SysName"), QStringList{"客户管理=客户"});
        QCOMPARE(dataIni().readSectionValues("客户管理Table"), QStringList{"客户=客户"});
        QCOMPARE(exeIni().readString("cyclostyle", "客户"), QStringLiteral("客户b"));
        const QList<ColumnInfo> cols = w.conn().columns("客户");
        QCOMPARE(cols.size(), 5);
        QCOMPARE(cols[0].size, 10);
        QCOMPARE(cols[3].kind, ftCurrency);
        QCOMPARE(cols[4].kind, ftMemo);
        const FieldDefinition d = loadDefinitions(w.conn(), "客户", cols);
        QVERIFY(d.loaded);
        QCOMPARE(d.captions, (QStringList{"编号", "等级", "日期", "金额", "备注"}));
        QCOMPARE(d.kinds, (QList<FieldKind>{ftString, ftString, ftDate, ftCurrency, ftMemo}));
        QCOMPARE(d.styles, (QList<int>{1, 2, 1, 1, 1}));
        QCOMPARE(d.memoCaption, QStringLiteral("备注"));
        QCOMPARE(dropDownOptions(w.conn(), "客户", "等级"), (QStringList{"甲", "乙", "丙"}));
        // the state the runtime's own test opens (tests/runtime/shell/tst_designed_table.cpp)
        QCOMPARE(w.rows("SELECT ID,FName,DType,FSize,CType,FAlias,FStyle,FSelect,FKey FROM 客户b ORDER BY ID"),
                 (QStringList{"1|编号|字符型|10|普通型|编号|文本框||是", "2|等级|字符型|4|普通型|等级|单选下拉框|甲\r\n乙\r\n丙|",
                              "3|日期|日期型|20|普通型|日期|文本框||", "4|金额|货币型|20|普通型|金额|文本框||",
                              "5|备注|备注型|20|普通型|备注|备注框||"}));
        QList<DefinitionRow> rows;
        QSqlQuery q = w.conn().select("SELECT FName,DType,FSize FROM 客户b ORDER BY ID");
        while (q.next())
            rows << DefinitionRow{{}, q.value(0).toString(), q.value(1).toString(), q.value(2)};
        QCOMPARE(createTableSql("客户", rows),
                 QStringLiteral("Create Table 客户(编号 Varchar(10),等级 Varchar(4),日期 DateTime,金额 Money,备注 Text)"));
    }
};

QTEST_MAIN(TestDeveForm)
#include "tst_deveform.moc"
