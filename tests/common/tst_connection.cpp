#include <QSqlQuery>
#include <QTest>

#include "common/connection.h"
#include "support/testdb.h"

using namespace tess;
using namespace tess::test;

namespace {
QStringList column(Connection& c, const QString& sql)
{
    QStringList out;
    QSqlQuery q = c.select(sql);
    while (q.next())
        out << (q.value(0).isNull() ? QString() : q.value(0).toString());
    return out;
}

void makeStaff(Connection& c)
{
    c.exec("Create Table 职工(编号 Integer,姓名 Varchar(10),部门 Varchar(20),工资 Money,系数 Float,"
           "出生日期 DateTime,简历 Text,照片 Image)");
    c.exec("INSERT INTO 职工 VALUES (1,'张三','销售部',3000.5,1.5,'1980-03-05','a',NULL)");
    c.exec("INSERT INTO 职工 VALUES (2,'李四','销售部',2500,1.2,'1985-11-20 08:30:00','b',NULL)");
    c.exec("INSERT INTO 职工 VALUES (3,'O''Brien','财务部',4000,2,'1990-01-31','c',NULL)");
    c.exec("INSERT INTO 职工 VALUES (4,'  王五','财务部',NULL,NULL,NULL,NULL,NULL)");
}
} // namespace

class TestConnection : public QObject {
    Q_OBJECT
private slots:
    void namesAndTypes_data() { addEngineRows(); }
    void namesAndTypes()
    {
        QFETCH(QString, engine);
        TestDb db(engine);
        Connection& c = db.conn();
        makeStaff(c);
        c.exec("Create Table UserPopedom(FUser Varchar(20),FPass Varchar(20),FInput Bit)");
        // names exactly as created
        const QStringList names = c.tableNames();
        QVERIFY(names.contains("职工"));
        QVERIFY(names.contains("UserPopedom"));
        QVERIFY(c.hasTable("UserPopedom"));
        QVERIFY(!c.hasTable("userpopedom") || !db.isPostgres());
        const QList<ColumnInfo> u = c.columns("UserPopedom");
        QCOMPARE(u.at(0).name, QStringLiteral("FUser"));
        QCOMPARE(u.at(2).kind, ftBoolean);

        const QList<ColumnInfo> cols = c.columns("职工");
        QCOMPARE(cols.size(), 8);
        const QList<FieldKind> kinds{ftInteger, ftString, ftString, ftCurrency, ftFloat, ftDateTime, ftMemo, ftBlob};
        for (int i = 0; i < kinds.size(); ++i)
            QCOMPARE(fieldKindName(cols.at(i).kind), fieldKindName(kinds.at(i)));
        QCOMPARE(cols.at(1).name, QStringLiteral("姓名"));
        QCOMPARE(cols.at(1).size, 10);

        // SELECT ... INTO keeps the column types, with and without a condition
        c.exec("SELECT * INTO 职工备份 FROM 职工 WHERE 部门='销售部'");
        QCOMPARE(c.scalar("Select count(*) From 职工备份").toInt(), 2);
        const QList<ColumnInfo> copy = c.columns("职工备份");
        for (int i = 0; i < kinds.size(); ++i)
            QCOMPARE(fieldKindName(copy.at(i).kind), fieldKindName(kinds.at(i)));
        c.exec("SELECT FUser,FPass INTO 用户副本 FROM UserPopedom");
        QCOMPARE(c.columns("用户副本").at(0).name, QStringLiteral("FUser"));

        // ALTER TABLE ADD and DROP
        c.exec("ALTER TABLE 职工备份 ADD 备注 Varchar(30)");
        c.exec("ALTER TABLE 职工备份 ADD 奖金 Money");
        QCOMPARE(c.columns("职工备份").size(), 10);
        QCOMPARE(c.columns("职工备份").at(9).kind, ftCurrency);
        c.exec("ALTER TABLE 职工备份 DROP COLUMN 备注");
        QCOMPARE(c.columns("职工备份").size(), 9);
        c.exec("DROP Table 职工备份");
        QVERIFY(!c.hasTable("职工备份"));
    }

    void queries_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("expected");
        for (const QString& e : engines()) {
            auto row = [&](const char* name, const char* sql, const QStringList& exp) {
                QTest::newRow(qPrintable(e + ": " + name)) << e << QString::fromUtf8(sql) << exp;
            };
            row("distinct", "Select Distinct(部门) From 职工 order by 部门", {"财务部", "销售部"});
            row("group sum", "SELECT 部门,SUM(工资) AS 合计 FROM 职工 GROUP BY 部门 ORDER BY 部门", {"财务部", "销售部"});
            row("sum", "Select SUM(工资) From 职工", {"9500.5"});
            row("avg", "Select AVG(系数) From 职工 Where 编号<3", {"1.35"});
            row("max min count", "Select MAX(编号)+MIN(编号)*10+COUNT(*)*100 From 职工", {"414"});
            row("like is case-insensitive", "Select 编号 From 职工 Where 姓名 like '%o''b%'", {"3"});
            row("quoted value", "Select 编号 From 职工 Where 姓名='O''Brien'", {"3"});
            row("ltrim", "Select LTRIM(姓名) From 职工 Where 编号=4", {"王五"});
            row("str", "Select STR(工资) From 职工 Where 编号=1", {"      3001"});
            row("str with decimals", "Select STR(工资,8,2) From 职工 Where 编号=1", {" 3000.50"});
            row("year", "Select YEAR(出生日期) From 职工 order by 编号", {"1980", "1985", "1990", ""});
            row("month", "Select MONTH(出生日期) From 职工 Where 编号<3 order by 编号", {"3", "11"});
            row("year group", "Select YEAR(出生日期) AS 年, COUNT(*) From 职工 Where 出生日期 is not null GROUP BY YEAR(出生日期) ORDER BY 1", {"1980", "1985", "1990"});
            row("date range as quoted text", "Select 编号 From 职工 Where 出生日期>='1985-01-01' and 出生日期<='1990-01-31' order by 编号", {"2", "3"});
            row("date equality", "Select 编号 From 职工 Where 出生日期='1980-03-05'", {"1"});
            row("null test", "Select 编号 From 职工 Where 工资 is null", {"4"});
        }
    }
    void queries()
    {
        QFETCH(QString, engine);
        QFETCH(QString, sql);
        QFETCH(QStringList, expected);
        TestDb db(engine);
        makeStaff(db.conn());
        QStringList got = column(db.conn(), sql);
        for (QString& s : got)   // engines print decimals differently
            if (s.contains('.') && !s.startsWith(' ')) {
                bool ok;
                const double d = s.toDouble(&ok);
                if (ok)
                    s = QString::number(d, 'g', 12);
            }
        QCOMPARE(got, expected);
    }

    void errors_data() { addEngineRows(); }
    void errors()
    {
        QFETCH(QString, engine);
        TestDb db(engine);
        for (const char* bad : {"Select * From 没有这个表", "Create Table (", "INSERT INTO nowhere VALUES (1)"}) {
            try {
                db.conn().exec(QString::fromUtf8(bad));
                QFAIL("no error");
            } catch (const EngineError& e) {
                QVERIFY2(!e.text().isEmpty(), bad);
            }
        }
    }

    void serverText()
    {
        TestDb db;   // SQLite file sysdb.sqlite in db.dir()
        struct Case { QString server; bool ok; };
        const QList<Case> cases{
            {"local", true},
            {db.dir(), true},
            {db.dir() + "sysdb.sqlite", true},
            {"nosuchserver", false},
            {db.dir() + "missing.sqlite", false},
            {"", false},
        };
        for (const Case& k : cases) {
            ConnectionParams p;
            p.server = k.server;
            p.dataDir = db.dir();
            Connection c;
            bool ok = true;
            try {
                c.open(p);
            } catch (const EngineError&) {
                ok = false;
            }
            QVERIFY2(ok == k.ok, qPrintable(k.server));
            QCOMPARE(c.connected(), k.ok);
        }
    }

    void selectIntoSplit_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("target");
        QTest::newRow("plain") << "SELECT * INTO N FROM T" << "N";
        QTest::newRow("where") << "select a,b into 新表 from T where a='into x'" << "新表";
        QTest::newRow("not select into") << "select * from T where a='into'" << "";
        QTest::newRow("insert") << "INSERT INTO T SELECT * FROM U" << "";
    }
    void selectIntoSplit()
    {
        QFETCH(QString, sql);
        QFETCH(QString, target);
        QString cols, t, rest;
        QCOMPARE(splitSelectInto(sql, &cols, &t, &rest), !target.isEmpty());
        QCOMPARE(t, target);
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
