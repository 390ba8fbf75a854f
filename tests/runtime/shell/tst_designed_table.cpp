// The runtime opens a table the way the development platform leaves it: the
// data table made by the designer's create statement, its definition rows as
// the designer posts them, the new system in sys.ini. (The platform's own
// tests drive the designer to this state; here the runtime is checked on it.)
#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "common/datamodule.h"
#include "common/definitions.h"
#include "common/logon.h"
#include "common/paths.h"
#include "common/sysdb.h"
#include "runtime/shell/mainform.h"
#include "runtime/shell/pageview.h"
#include "shellfixture.h"

using namespace tess;
using namespace tess::test;

namespace {

// What the platform leaves after "新建数据库表结构" of 客户 with five fields,
// included in the new system 客户管理.
void designedCustomerTable(Connection& c)
{
    c.exec("Create Table 客户(编号 Varchar(10),等级 Varchar(4),日期 DateTime,金额 Money,备注 Text)");
    c.exec(definitionTableSql("客户"));
    const QList<QVariantList> rows{
        {1, "编号", "字符型", 10, "普通型", "编号", "文本框", QVariant(), "是"},
        {2, "等级", "字符型", 4, "普通型", "等级", "单选下拉框", "甲\r\n乙\r\n丙", QVariant()},
        {3, "日期", "日期型", 20, "普通型", "日期", "文本框", QVariant(), QVariant()},
        {4, "金额", "货币型", 20, "普通型", "金额", "文本框", QVariant(), QVariant()},
        {5, "备注", "备注型", 20, "普通型", "备注", "备注框", QVariant(), QVariant()},
    };
    for (const QVariantList& r : rows)
        c.exec("INSERT INTO 客户b(ID,FName,DType,FSize,CType,FAlias,FStyle,FSelect,FKey) VALUES (?,?,?,?,?,?,?,?,?)", r);
    exeIni().writeString("cyclostyle", "客户", "客户b");
    dataIni().writeString("SysName", "客户管理", "客户");
    dataIni().writeString("客户管理Table", "客户", "客户");
}

QAction* action(QMenu* m, const QString& caption)
{
    for (QAction* a : m->actions())
        if (a->text() == caption)
            return a;
    return nullptr;
}

} // namespace

class TestDesignedTable : public QObject {
    Q_OBJECT
private slots:
    void openedInTheRuntime_data() { addEngineRows(); }
    void openedInTheRuntime()
    {
        QFETCH(QString, engine);
        TestDb db(engine);
        installSystemTables(db.conn());
        db.writeLogonIni();
        setExecutableDir(db.dir());
        setNetPath(QString());
        logonState() = LogonState();
        designedCustomerTable(db.conn());

        PromptGuard p;
        TADODataModule module;
        TMainForm f;
        TLogonForm logon(TLogonForm::Program::Runtime, &f);
        logon.endProgram = [] {};
        logon.Edit3->setText(db.params().server);
        logon.Edit1->setText(kFirstAdmin);
        logon.Edit2->setText(kFirstAdminPassword);
        logon.Button1Click();
        QVERIFY2(p->texts().isEmpty(), qPrintable(p->texts().join(',')));
        QVERIFY(f.isVisible());
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));

        // 客户管理 / 客户
        QAction* system = action(f.menu("信息系统"), "客户管理");
        QVERIFY(system);
        system->trigger();
        action(f.menu("数据库表"), "客户")->trigger();
        QCOMPARE(f.currentSystem, QStringLiteral("客户管理"));
        QCOMPARE(f.currentTable, QStringLiteral("客户"));
        // the designed definitions are taken as they are: nothing regenerated
        QVERIFY(p->texts().isEmpty());
        QVERIFY(f.fieldDef.loaded);
        QCOMPARE(f.windowTitle(), QStringLiteral("客户管理\\客户\\录入系统"));

        // captions, types and the drop-down
        QStringList titles;
        for (int c = 0; c < f.DBGrid1->model()->columnCount(); ++c)
            titles << f.DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles, (QStringList{"编号", "等级", "日期", "金额", "备注"}));
        QCOMPARE(f.fieldDef.kinds, (QList<FieldKind>{ftString, ftString, ftDate, ftCurrency, ftMemo}));
        QCOMPARE(f.fieldDef.styles, (QList<int>{1, 2, 1, 1, 1}));
        QStringList labels;
        for (QLabel* l : f.pageView->labels)
            labels << l->text();
        QVERIFY2(labels.join(',').contains("等级"), qPrintable(labels.join(',')));
        f.pageView->edits.at(1)->setFocus();
        QVERIFY(f.pageView->comboBox->isVisible());
        QStringList options;
        for (int i = 0; i < f.pageView->comboBox->count(); ++i)
            if (!f.pageView->comboBox->itemText(i).isEmpty())
                options << f.pageView->comboBox->itemText(i);
        QCOMPARE(options, (QStringList{"甲", "乙", "丙"}));
        shot(&f, QStringLiteral("designed-table-%1").arg(engine));
        f.pageView->edits.at(2)->setFocus();
        QVERIFY(f.pageView->dateEdit->isVisible());
        QTreeWidgetItem* grade = f.TreeView1->topLevelItem(0)->child(0);
        QCOMPARE(grade->text(0), QStringLiteral("等级"));
        QCOMPARE(grade->childCount(), 3);

        // and a record goes in with those types
        DataSet* t = f.master();
        t->append();
        t->setText("编号", "001");
        t->setText("等级", "乙");
        t->setText("日期", "2024-05-01");
        t->setText("金额", "12.5");
        t->post();
        QCOMPARE(db.conn().scalar("SELECT 金额 FROM 客户 WHERE 编号='001'").toDouble(), 12.5);
        QCOMPARE(Connection::fromEngine(db.conn().scalar("SELECT 日期 FROM 客户"), ftDate).toDate(), QDate(2024, 5, 1));
        setExecutableDir(QString());
    }
};

QTEST_MAIN(TestDesignedTable)
#include "tst_designed_table.moc"
