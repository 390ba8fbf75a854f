#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include "common/definitions.h"
#include "common/inifile.h"
#include "common/sysdb.h"
#include "demo/demodata.h"

using namespace tess;
using namespace tess::demo;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList column(Connection& c, const QString& sql)
{
    QStringList out;
    QSqlQuery q = c.select(sql);
    while (q.next())
        out << q.value(0).toString();
    return out;
}

void open(Connection& c, const QString& dataDir)
{
    ConnectionParams p;
    p.server = QStringLiteral("local");
    p.dataDir = dataDir;
    c.open(p);
}

} // namespace

class TestDemoData : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString dataDir, exeDir;
    Connection conn;

    IniFile dataIni() const { return IniFile(dataDir + "/sys.ini"); }
    bool hasColumn(const QString& table, const QString& name)
    {
        for (const ColumnInfo& c : conn.columns(table))
            if (c.name == name)
                return true;
        return false;
    }

private slots:
    void initTestCase()
    {
        dataDir = tmp.filePath("data");
        exeDir = tmp.filePath("bin");
        const Result r = createDemo(dataDir, exeDir);
        QVERIFY2(r.outcome == Outcome::Created, qPrintable(r.message));
        open(conn, dataDir);
    }

    // What the logon and the system menu rely on.
    void startsOnTheDemo()
    {
        IniFile exe(exeDir + "/sys.ini");
        QCOMPARE(exe.readString("Form", "Server"), QStringLiteral("local"));
        QCOMPARE(exe.readString("Form", "NetPath"), dataDir + "/sys.ini");
        QCOMPARE(exe.readString("Form", "dataBaseName"), QStringLiteral("sysdb"));
        QCOMPARE(exe.readString("Form", "SysName"), QStringLiteral("Tessaly"));
        QCOMPARE(exe.readString("cyclostyle", "订单明细"), QStringLiteral("订单明细b"));

        QCOMPARE(dataIni().readSection("SysName"), (QStringList{"人事", "销售管理"}));
        QCOMPARE(dataIni().readSection("人事Table"), (QStringList{"职工"}));
        QCOMPARE(dataIni().readSection("销售管理Table"),
                 (QStringList{"订单", "订单明细", "商品", "库存", "出库明细", "合同"}));

        // the administrator may do everything; the second user may only query
        QSqlQuery q = conn.select("SELECT * FROM UserPopedom ORDER BY FUser");
        QHash<QString, QStringList> granted;
        while (q.next())
            for (int i = 2; i < 13; ++i)
                if (q.value(i).toBool())
                    granted[q.value(0).toString()] << rightsColumns().at(i - 2);
        QCOMPARE(granted.keys().size(), 2);
        QVERIFY(granted.value(kFirstAdmin).contains("FType"));
        QVERIFY(granted.value(kFirstAdmin).contains("FInput"));
        QCOMPARE(granted.value(kQueryUser), (QStringList{"FQuery", "FDerive", "FStat", "FPrint"}));
        QCOMPARE(conn.scalar("SELECT FPass FROM UserPopedom WHERE FUser=?", {QString(kQueryUser)}).toString(),
                 QString(kQueryUserPassword));
    }

    // Every table of every system opens with its designed definitions.
    void everyTableHasItsDefinitions()
    {
        int records = 0;
        for (const QString& sys : dataIni().readSection("SysName"))
            for (const QString& t : dataIni().readSection(sys + "Table")) {
                QVERIFY2(conn.hasTable(t), qPrintable(t));
                const QList<ColumnInfo> cols = conn.columns(t);
                const FieldDefinition d = loadDefinitions(conn, t, cols);
                QVERIFY2(d.loaded, qPrintable(t));
                QCOMPARE(d.count(), cols.size());
                const int n = conn.scalar("SELECT count(*) FROM " + t).toInt();
                QVERIFY2(n > 0, qPrintable(t));
                records += n;
            }
        QVERIFY(records >= 200 && records <= 1000);
    }

    void definitions_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("ctype");
        QTest::addColumn<int>("kind");
        QTest::newRow("single choice") << "职工" << "部门" << "部门" << 2 << "普通型" << int(ftString);
        QTest::newRow("multiple choice") << "职工" << "特长" << "个人特长" << 3 << "普通型" << int(ftString);
        QTest::newRow("money with caption") << "职工" << "工资" << "月工资" << 1 << "普通型" << int(ftCurrency);
        QTest::newRow("date") << "合同" << "到期日" << "合同到期日" << 1 << "普通型" << int(ftDate);
        QTest::newRow("identity") << "订单明细" << "序号" << "序号" << 1 << "普通型" << int(ftAutoInc);
        QTest::newRow("operand") << "订单明细" << "单价" << "单价" << 1 << "计算型" << int(ftCurrency);
        QTest::newRow("result") << "订单明细" << "税额" << "税额" << 1 << "结果型" << int(ftCurrency);
    }
    void definitions()
    {
        QFETCH(QString, table);
        QFETCH(QString, name);
        const FieldDefinition d = loadDefinitions(conn, table, conn.columns(table));
        const int i = d.indexOf(name);
        QVERIFY(i >= 0);
        QTEST(d.captions.at(i), "caption");
        QTEST(d.styles.at(i), "style");
        QTEST(d.ctypes.at(i), "ctype");
        QTEST(int(d.kinds.at(i)), "kind");
    }

    void pictureMemoAndOptions()
    {
        const FieldDefinition d = loadDefinitions(conn, "职工", conn.columns("职工"));
        QCOMPARE(d.pictureField, QStringLiteral("照片"));
        QCOMPARE(d.memoCaption, QStringLiteral("个人简历"));
        QCOMPARE(dropDownOptions(conn, "职工", "性别"), (QStringList{"男", "女"}));
        QVERIFY(dropDownOptions(conn, "职工", "部门").contains("销售部"));
        // option lines are stored as the designer writes them
        QVERIFY(conn.scalar("SELECT FSelect FROM 职工b WHERE FName='性别'").toString() == "男\r\n女");
        // the pictures are real bitmaps
        QSqlQuery q = conn.select("SELECT 照片 FROM 职工 WHERE 照片 IS NOT NULL");
        int pictures = 0;
        while (q.next()) {
            const QImage img = QImage::fromData(q.value(0).toByteArray(), "BMP");
            QVERIFY(!img.isNull());
            ++pictures;
        }
        QVERIFY(pictures > 0);
    }

    // The master-detail and query-table relations join columns that exist.
    void relationsJoinRealColumns()
    {
        const IniFile ini = dataIni();
        int details = 0;
        for (const QString& s : ini.readSection("SysName"))
            for (const QString& m : ini.readSection(s + "Table"))
                for (const QString& d : ini.readSection(s + m + "AssoTable")) {
                    const QStringList link = ini.readString(s + m + "AssoTable", d).split('>');
                    QCOMPARE(link.size(), 2);
                    QVERIFY2(conn.hasTable(d), qPrintable(d));
                    QVERIFY2(hasColumn(m, link.at(0)), qPrintable(m + "." + link.at(0)));
                    QVERIFY2(hasColumn(d, link.at(1)), qPrintable(d + "." + link.at(1)));
                    ++details;
                }
        QCOMPARE(details, 1);
        QCOMPARE(ini.readString("销售管理订单AssoTable", "订单明细"), QStringLiteral("订单号>订单号"));

        QCOMPARE(ini.readSection("商品QueryAsso"), (QStringList{"库存"}));
        QVERIFY(hasColumn("商品", ini.readString("商品QueryAsso", "库存")));
        // a stored condition picks the product's stock row
        const QString cond = conn.scalar("SELECT 库存条件 FROM 商品 WHERE 编号='SP0001'").toString();
        QCOMPARE(conn.scalar("SELECT count(*) FROM 库存 WHERE " + cond).toInt(), 1);
    }

    // Keys and values of the rule sections name columns of the right tables.
    void rulesNameRealColumns_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("keyTable");
        QTest::addColumn<QString>("valueTable");   // empty: the value is no column
        QTest::newRow("numbering") << "订单AutoID" << "订单" << "";
        QTest::newRow("numbering staff") << "职工AutoID" << "职工" << "";
        QTest::newRow("duplicates") << "商品RepeatName" << "商品" << "商品";
        QTest::newRow("formulas") << "销售管理订单明细Formula" << "订单明细" << "";
        QTest::newRow("summation") << "销售管理订单明细订单SummationField" << "订单明细" << "订单";
        QTest::newRow("homology") << "销售管理订单明细HomologyField" << "订单明细" << "订单";
        QTest::newRow("citation") << "销售管理订单明细商品CitationField" << "订单明细" << "商品";
        QTest::newRow("citation issue") << "销售管理出库明细商品CitationField" << "出库明细" << "商品";
        QTest::newRow("subtract copies") << "销售管理出库明细库存AllaySameField" << "出库明细" << "库存";
        QTest::newRow("reminder") << "Awoke" << "" << "";
    }
    void rulesNameRealColumns()
    {
        QFETCH(QString, section);
        QFETCH(QString, keyTable);
        QFETCH(QString, valueTable);
        const IniFile ini = dataIni();
        const QStringList keys = ini.readSection(section);
        QVERIFY(!keys.isEmpty());
        for (const QString& k : keys) {
            const QString v = ini.readString(section, k);
            if (keyTable.isEmpty())
                QVERIFY2(conn.hasTable(k), qPrintable(k));   // [Awoke]: table = date column
            else
                QVERIFY2(hasColumn(keyTable, k), qPrintable(keyTable + "." + k));
            if (!valueTable.isEmpty())
                QVERIFY2(hasColumn(valueTable, v), qPrintable(valueTable + "." + v));
            if (keyTable.isEmpty())
                QVERIFY2(hasColumn(k, v), qPrintable(k + "." + v));
        }
    }

    void subtractReferenceAndOrder()
    {
        const IniFile ini = dataIni();
        const QStringList target = ini.readString("销售管理出库明细AllayField", "数量").split('.');
        QCOMPARE(target, (QStringList{"库存", "库存数量"}));
        QVERIFY(hasColumn(target.at(0), target.at(1)));
        const QStringList keys = ini.readString("销售管理出库明细AllayKeyField", "库存").split('>');
        QVERIFY(hasColumn("出库明细", keys.value(0)) && hasColumn("库存", keys.value(1)));
        QVERIFY(conn.hasTable(ini.readString("销售管理订单明细OrientationField", "商品编号")));
        for (const QString& t : ini.readSection("OrderField"))
            for (const QString& part : ini.readString("OrderField", t).split(',')) {
                const QStringList fieldAndWay = part.split(' ');
                QCOMPARE(fieldAndWay.size(), 2);
                QVERIFY(hasColumn(t, fieldAndWay.at(0)));
                QVERIFY(fieldAndWay.at(1) == "ASC" || fieldAndWay.at(1) == "DESC");
            }
        QVERIFY(hasColumn("合同", ini.readString("合同Awoke", "Caption")));
        QVERIFY(hasColumn("合同", ini.readString("合同Awoke", "Memo")));
        QCOMPARE(ini.readInteger("合同Awoke", "Day", -1), 7);
    }

    // The records already agree with the rules the demo configures.
    void recordsAgreeWithTheRules()
    {
        const IniFile ini = dataIni();
        for (const QString& k : ini.readSection("销售管理订单明细Formula")) {
            const QString e = ini.readString("销售管理订单明细Formula", k);
            QCOMPARE(conn.scalar("SELECT count(*) FROM 订单明细 WHERE abs(" + k + "-(" + e + "))>=0.005").toInt(), 0);
        }
        QCOMPARE(conn.scalar("SELECT count(*) FROM 订单 o WHERE abs(o.总金额-(SELECT sum(d.金额) FROM 订单明细 d "
                             "WHERE d.订单号=o.订单号))>=0.005 OR (SELECT count(*) FROM 订单明细 d "
                             "WHERE d.订单号=o.订单号) NOT BETWEEN 1 AND 4")
                     .toInt(),
                 0);
        QCOMPARE(ini.readString("订单AutoID", "订单号"), QStringLiteral("DD+年月日分类编号"));
        QSqlQuery q = conn.select("SELECT 订单号,订单日期 FROM 订单");
        while (q.next()) {
            const QString date = q.value(1).toString().remove('-');
            QVERIFY2(QRegularExpression("^DD" + date + "\\d{6}$").match(q.value(0).toString()).hasMatch(),
                     qPrintable(q.value(0).toString()));
        }
        QCOMPARE(conn.scalar("SELECT count(*) FROM 库存 WHERE 库存数量<0").toInt(), 0);

        // some contracts fall due within the reminder's week, more within the month
        const QDate today = QDate::currentDate();
        auto dueWithin = [&](int days) {
            return conn.scalar("SELECT count(*) FROM 合同 WHERE 到期日>=? AND 到期日<=?",
                               {today.toString(Qt::ISODate), today.addDays(days).toString(Qt::ISODate)})
                .toInt();
        };
        QVERIFY(dueWithin(7) >= 1);
        QVERIFY(dueWithin(31) > dueWithin(7));
    }

    void secondRunChangesNothing()
    {
        const QStringList files{dataDir + "/sys.ini", exeDir + "/sys.ini", dataDir + "/sysdb.sqlite"};
        QList<QByteArray> before;
        for (const QString& f : files)
            before << bytesOf(f);
        const QStringList entries = QDir(dataDir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QCOMPARE(createDemo(dataDir, exeDir).outcome, Outcome::AlreadyThere);
        for (int i = 0; i < files.size(); ++i)
            QVERIFY2(bytesOf(files.at(i)) == before.at(i), qPrintable(files.at(i)));
        QCOMPARE(QDir(dataDir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), entries);
    }

    // A user's own logon values stay; the records are the same on every
    // creation.
    void keepsExistingValuesAndRepeatsTheData()
    {
        QTemporaryDir other;
        IniFile exe(other.filePath("bin/sys.ini"));
        QDir().mkpath(other.filePath("bin"));
        exe.writeString("Form", "Server", "pg:dbhost");
        exe.writeString("Form", "SysName", "我的系统");
        QCOMPARE(createDemo(other.filePath("data"), other.filePath("bin")).outcome, Outcome::Created);
        QCOMPARE(exe.readString("Form", "Server"), QStringLiteral("pg:dbhost"));
        QCOMPARE(exe.readString("Form", "SysName"), QStringLiteral("我的系统"));
        QCOMPARE(exe.readString("Form", "NetPath"), other.filePath("data") + "/sys.ini");
        QCOMPARE(exe.readString("Form", "dataBaseName"), QStringLiteral("sysdb"));

        Connection again;
        open(again, other.filePath("data"));
        for (const QString& sql : {QStringLiteral("SELECT 姓名 FROM 职工 ORDER BY 工号"),
                                   QStringLiteral("SELECT 数量 FROM 订单明细 ORDER BY 序号")})
            QCOMPARE(column(again, sql), column(conn, sql));
    }
};

QTEST_GUILESS_MAIN(TestDemoData)
#include "tst_demodata.moc"
