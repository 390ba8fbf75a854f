#include <QSignalSpy>
#include <QTest>

#include "queryfixture.h"
#include "runtime/query/condition.h"
#include "runtime/query/mainquery.h"
#include "support/scriptedprompts.h"

using namespace tess;
using namespace tess::query;
using namespace tess::test;

namespace {

// The main window's query over the student table, opened as entering the
// query subsystem does.
struct Fixture {
    StudentDb s;
    DataSet ds;
    MainQuery mq;
    QSignalSpy status;

    Fixture(const QString& engine, const QString& defaultOrder = {})
        : s(engine), ds(&s.conn()), mq(&ds), status(&mq, &MainQuery::statusText)
    {
        mq.tableOpened("学生", defaultOrder);
        mq.openSource(defaultOrder);
    }
    QString lastStatus() const { return status.isEmpty() ? QString() : status.last().at(0).toString(); }
};

} // namespace

class TestMainQuery : public QObject {
    Q_OBJECT
private slots:
    void quotedValues_data() { addEngineRows(); }
    void quotedValues()
    {
        QFETCH(QString, engine);
        Fixture f(engine);
        PromptGuard p;
        QVERIFY(f.mq.applyCondition(fragmentAt("姓名", ftString, 0, "O'Brien")));
        QCOMPARE(f.ds.sql(), QStringLiteral("Select * From 学生\nwhere 姓名 = 'O''Brien'"));
        QCOMPARE(columnTexts(f.ds, "学号"), QStringList({"S003"}));
        QCOMPARE(f.mq.held().recordCount, 1);
        QCOMPARE(f.lastStatus(), QStringLiteral("当前数据库记录总数为1个！   "));
        QVERIFY(f.mq.applyCondition(fragmentAt("姓名", ftString, 6, "'B")));
        QCOMPARE(columnTexts(f.ds, "学号"), QStringList({"S003"}));
        QVERIFY(f.mq.applyCondition(equalityFragment("姓名", ftString, "张三") + " and "
                                    + rangeFragment("入学日期", ftDateTime, "2023-01-01", "2023-12-31")));
        QCOMPARE(columnTexts(f.ds, "学号"), QStringList({"S001"}));
        QCOMPARE(p->calls.size(), 0);
    }

    void emptyResult_data() { addEngineRows(); }
    void emptyResult()
    {
        QFETCH(QString, engine);
        Fixture f(engine);
        PromptGuard p;
        QVERIFY(f.mq.applyCondition(fragmentAt("姓名", ftString, 0, "无此人")));
        QCOMPARE(f.mq.held().recordCount, 0);
        QCOMPARE(f.lastStatus(), QStringLiteral("当前数据库记录总数为0个！   "));
        QCOMPARE(p->calls.size(), 1);
        QCOMPARE(p->lastText(), QStringLiteral("数据库中没有您要查找的记录  "));
        QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));
        // Showing all records never warns, even about an empty table.
        p->clear();
        QVERIFY(f.mq.showAll());
        QCOMPARE(f.mq.held().recordCount, 8);
        QCOMPARE(p->calls.size(), 0);
    }

    // A non-numeric value for a number gets the engine's message; the query
    // and the held state stay as they were.
    void rejectedStatement_data() { addEngineRows(); }
    void rejectedStatement()
    {
        QFETCH(QString, engine);
        Fixture f(engine);
        PromptGuard p;
        QVERIFY(f.mq.applyCondition(fragmentAt("年龄", ftInteger, 0, "18"), "学号 DESC", true));
        const HeldQuery before = f.mq.held();
        const QString sql = f.ds.sql();
        f.status.clear();
        QVERIFY(!f.mq.applyCondition(fragmentAt("年龄", ftInteger, 0, "abc"), QString(), true));
        QCOMPARE(p->calls.size(), 1);
        QCOMPARE(p->lastCaption(), QStringLiteral("错误   "));
        QVERIFY(!p->lastText().isEmpty());
        QVERIFY(f.ds.active());
        QCOMPARE(f.ds.sql(), sql);
        QVERIFY(f.mq.held() == before);
        QCOMPARE(columnTexts(f.ds, "学号"), QStringList({"S004", "S001"}));
        QCOMPARE(f.status.size(), 0);
        // Re-ordering afterwards still uses the good condition.
        QVERIFY(f.mq.setOrder("学号"));
        QCOMPARE(columnTexts(f.ds, "学号"), QStringList({"S001", "S004"}));
    }

    void defaultOrder_data() { addEngineRows(); }
    void defaultOrder()
    {
        QFETCH(QString, engine);
        Fixture f(engine, "年龄 DESC,学号");
        PromptGuard p;
        // Without an order text the result is sorted by the default order.
        QVERIFY(f.mq.applyCondition(rangeFragment("年龄", ftInteger, "19", "20")));
        QCOMPARE(f.ds.sql(), QStringLiteral("Select * From 学生\nwhere 年龄>=19 and 年龄<=20"));
        QCOMPARE(columnTexts(f.ds, "学号"), QStringList({"S003", "S008", "S002", "S007"}));
        // An order text goes into the statement and wins.
        QVERIFY(f.mq.applyCondition(rangeFragment("年龄", ftInteger, "19", "20"), "学号 DESC", true));
        QCOMPARE(f.ds.sql(), QStringLiteral("Select * From 学生\nwhere 年龄>=19 and 年龄<=20\norder by 学号 DESC"));
        QCOMPARE(columnTexts(f.ds, "学号"), QStringList({"S008", "S007", "S003", "S002"}));
        // The single-item and range queries keep it.
        QVERIFY(f.mq.applyCondition(fragmentAt("年龄", ftInteger, 4, "21")));
        QCOMPARE(f.mq.held().order, QStringLiteral("学号 DESC"));
        QCOMPARE(columnTexts(f.ds, "学号"), QStringList({"S006", "S005"}));
        // 全部记录: whole table, condition cleared, default order.
        QVERIFY(f.mq.showAll());
        QCOMPARE(f.ds.sql(), QStringLiteral("Select * From 学生"));
        QCOMPARE(f.mq.held().condition, QString());
        QCOMPARE(columnTexts(f.ds, "学号").first(), QStringLiteral("S006"));
        QCOMPARE(f.lastStatus(), QStringLiteral("当前数据库记录总数为8个！   "));
        QCOMPARE(p->calls.size(), 0);
    }

    void defaultOrderNamingAMissingField()
    {
        Fixture f("sqlite");
        f.mq.tableOpened("学生", "无此列 ASC");
        PromptGuard p;
        QVERIFY(f.mq.applyCondition(fragmentAt("年龄", ftInteger, 0, "18")));
        QCOMPARE(p->calls.size(), 1);
        QCOMPARE(p->lastCaption(), QStringLiteral("错误   "));
        QCOMPARE(f.mq.held().recordCount, 2);
        QCOMPARE(f.lastStatus(), QStringLiteral("当前数据库记录总数为2个！   "));
    }

    // Sorting keeps the held condition and leaves the record count alone.
    void reorder_data() { addEngineRows(); }
    void reorder()
    {
        QFETCH(QString, engine);
        Fixture f(engine);
        QSignalSpy counts(&f.mq, &MainQuery::recordCountChanged);
        QVERIFY(f.mq.applyCondition(rangeFragment("年龄", ftInteger, "18", "19")));
        QCOMPARE(f.mq.held().recordCount, 4);
        f.status.clear();
        counts.clear();
        QVERIFY(f.mq.setOrder("学号 DESC"));
        QCOMPARE(f.ds.sql(), QStringLiteral("Select * From 学生\nwhere 年龄>=18 and 年龄<=19\norder by 学号 DESC"));
        QCOMPARE(columnTexts(f.ds, "学号"), QStringList({"S007", "S004", "S002", "S001"}));
        QCOMPARE(f.status.size(), 0);
        QCOMPARE(counts.size(), 0);
        // An empty order (the sort window cancelled) clears the text and runs nothing.
        const QString sql = f.ds.sql();
        QVERIFY(f.mq.setOrder(QString()));
        QCOMPARE(f.mq.held().order, QString());
        QCOMPARE(f.ds.sql(), sql);
        // Without a condition the statement has no WHERE line.
        QVERIFY(f.mq.showAll());
        QVERIFY(f.mq.setOrder("学号 DESC"));
        QCOMPARE(f.ds.sql(), QStringLiteral("Select * From 学生\norder by 学号 DESC"));
    }

    void multiTable_data() { addEngineRows(); }
    void multiTable()
    {
        QFETCH(QString, engine);
        Fixture f(engine);
        Connection& c = f.s.conn();
        c.exec("Create Table 订单(订单号 Varchar(20),客户 Varchar(20))");
        c.exec("Create Table 订单明细(单号 Varchar(20),商品 Varchar(20),数量 Integer)");
        c.exec("INSERT INTO 订单 VALUES ('D1','甲')");
        c.exec("INSERT INTO 订单 VALUES ('D2','O''Neil')");
        c.exec("INSERT INTO 订单明细 VALUES ('D1','笔',2)");
        c.exec("INSERT INTO 订单明细 VALUES ('D1','纸',5)");
        c.exec("INSERT INTO 订单明细 VALUES ('D2','墨',1)");
        const QString join = "SELECT a1.订单号,a1.客户,a2.商品,a2.数量\nFROM 订单 a1,订单明细 a2\nWHERE (a1.订单号=a2.单号)";
        PromptGuard p;

        // A join the engine rejects leaves the previous query and mode.
        QVERIFY(!f.mq.openJoin("SELECT a1.订单号\nFROM 订单 a1\nWHERE "));
        QVERIFY(!f.mq.held().multiTable);
        QCOMPARE(f.ds.sql(), QStringLiteral("Select * From 学生"));
        QVERIFY(f.ds.active());
        QCOMPARE(p->calls.size(), 1);

        QVERIFY(f.mq.openJoin(join));
        QVERIFY(f.mq.held().multiTable);
        QCOMPARE(f.lastStatus(), QStringLiteral("当前数据库记录总数为3个！   "));
        QVERIFY(f.mq.applyCondition(fragmentAt("客户", ftString, 0, "甲")));
        QCOMPARE(f.mq.held().recordCount, 2);
        // Conditions accumulate on the join's WHERE line.
        QVERIFY(f.mq.applyCondition(fragmentAt("数量", ftInteger, 2, "3"), "商品 DESC", true));
        QCOMPARE(f.ds.sql(), join + " and 客户 = '甲' and 数量 > 3\norder by 商品 DESC");
        QCOMPARE(columnTexts(f.ds, "商品"), QStringList({"纸"}));
        // Sorting keeps the join and its conditions.
        QVERIFY(f.mq.setOrder("数量"));
        QCOMPARE(f.ds.sql(), join + " and 客户 = '甲' and 数量 > 3\norder by 数量");
        // 全部记录 re-runs the join with what it has gathered.
        QVERIFY(f.mq.showAll());
        QCOMPARE(f.ds.sql(), join + " and 客户 = '甲' and 数量 > 3");
        QCOMPARE(f.mq.held().recordCount, 1);
        // A rejected condition does not stick to the WHERE line.
        QVERIFY(!f.mq.applyCondition(fragmentAt("数量", ftInteger, 0, "many")));
        QCOMPARE(f.ds.sql(), join + " and 客户 = '甲' and 数量 > 3");
        QVERIFY(f.mq.applyCondition(fragmentAt("客户", ftString, 0, "O'Neil")));
        QCOMPARE(f.mq.held().recordCount, 0);
        // Opening a table ends multi-table mode and forgets the condition and order.
        f.mq.tableOpened("学生", QString());
        QCOMPARE(f.mq.held(), (HeldQuery{"学生", {}, {}, {}, 0, false}));
    }
};

QTEST_GUILESS_MAIN(TestMainQuery)
#include "tst_mainquery.moc"
