#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

#include "common/dataset.h"
#include "common/datasetmodel.h"
#include "common/sqltext.h"
#include "support/testdb.h"

using namespace tess;
using namespace tess::test;

namespace {

void makeOrders(Connection& c)
{
    c.exec("Create Table 订单(订单号 Varchar(20),客户 Varchar(30),日期 DateTime,金额 Money,备注 Text,照片 Image)");
    c.exec("Create Table 订单明细(订单号 Varchar(20),商品 Varchar(20),数量 Integer)");
    const char* rows[][3] = {{"DD001", "张三", "2024-01-05"}, {"DD002", "李四", "2024-02-10"},
                             {"DD003", "O'Brien", "2024-03-15"}, {"DD004", "zhang", "2024-04-20"}};
    for (auto& r : rows)
        c.exec(QStringLiteral("INSERT INTO 订单(订单号,客户,日期,金额) VALUES (%1,%2,%3,100)")
                   .arg(sql::quoted(r[0]), sql::quoted(r[1]), sql::quoted(r[2])));
    c.exec("INSERT INTO 订单明细 VALUES ('DD001','笔',2)");
    c.exec("INSERT INTO 订单明细 VALUES ('DD001','纸',5)");
    c.exec("INSERT INTO 订单明细 VALUES ('DD002','墨',1)");
}

QStringList columnValues(DataSet& ds, const QString& field)
{
    QStringList out;
    for (int i = 0; i < ds.recordCount(); ++i)
        out << DataSet::displayText(ds.valueAt(i, ds.field(field)), ds.fieldKind(ds.field(field)));
    return out;
}

// Records the order of a data set's events.
struct EventLog {
    QStringList log;
    explicit EventLog(DataSet& ds)
    {
        auto add = [&](auto sig, const char* name) {
            QObject::connect(&ds, sig, &ds, [this, name] { log << name; });
        };
        add(&DataSet::afterOpen, "AfterOpen");
        add(&DataSet::afterInsert, "AfterInsert");
        add(&DataSet::afterEdit, "AfterEdit");
        add(&DataSet::afterPost, "AfterPost");
        add(&DataSet::afterCancel, "AfterCancel");
        add(&DataSet::afterDelete, "AfterDelete");
        add(&DataSet::afterScroll, "AfterScroll");
        ds.onBeforePost([this](DataSet&) { log << "BeforePost"; });
        ds.onBeforeInsert([this](DataSet&) { log << "BeforeInsert"; });
        ds.onBeforeDelete([this](DataSet&) { log << "BeforeDelete"; });
        ds.onNewRecord([this](DataSet&) { log << "NewRecord"; });
    }
    QString take()
    {
        const QString s = log.join(',');
        log.clear();
        return s;
    }
};

} // namespace

class TestDataSet : public QObject {
    Q_OBJECT
private slots:
    void statesAndEvents_data() { addEngineRows(); }
    void statesAndEvents()
    {
        QFETCH(QString, engine);
        TestDb db(engine);
        makeOrders(db.conn());
        DataSet ds(&db.conn());
        EventLog ev(ds);
        ds.setTableName("订单");
        ds.open();
        QCOMPARE(ev.take(), QStringLiteral("AfterOpen,AfterScroll"));
        QCOMPARE(ds.state(), DataSetState::Browse);
        QCOMPARE(ds.recordCount(), 4);
        QCOMPARE(ds.fieldNames(), (QStringList{"订单号", "客户", "日期", "金额", "备注", "照片"}));

        // navigation
        QVERIFY(ds.bof());
        ds.next();
        ds.next();
        QCOMPARE(ds.recNo(), 3);
        QCOMPARE(ds.text("客户"), QStringLiteral("O'Brien"));
        ds.last();
        QVERIFY(ds.eof());
        ds.next();
        QCOMPARE(ds.recNo(), 4);
        ev.take();

        // append and post
        ds.append();
        QCOMPARE(ds.state(), DataSetState::Insert);
        QCOMPARE(ds.recordCount(), 5);
        QCOMPARE(ev.take(), QStringLiteral("BeforeInsert,NewRecord,AfterInsert,AfterScroll"));
        ds.setText("订单号", "DD005");
        ds.setText("日期", "2024-5-6");
        ds.setText("金额", "88.5");
        ds.post();
        QCOMPARE(ev.take(), QStringLiteral("BeforePost,AfterPost"));
        QCOMPARE(ds.state(), DataSetState::Browse);
        QCOMPARE(ds.recNo(), 5);
        QCOMPARE(ds.value("日期").toDate(), QDate(2024, 5, 6));
        QCOMPARE(ds.value("金额").toDouble(), 88.5);
        // dates are stored as ISO text / timestamps that quoted text finds
        QCOMPARE(db.conn().scalar("Select 订单号 From 订单 Where 日期='2024-05-06'").toString(), QStringLiteral("DD005"));

        // edit, cancel, edit, post
        ds.first();
        QCOMPARE(ev.take(), QStringLiteral("AfterScroll"));
        ds.edit();
        QCOMPARE(ev.take(), QStringLiteral("AfterEdit"));
        ds.setText("客户", "改名");
        ds.cancel();
        QCOMPARE(ds.text("客户"), QStringLiteral("张三"));
        ds.edit();
        ds.setText("客户", "张三丰");
        ds.post();
        QCOMPARE(db.conn().scalar("Select 客户 From 订单 Where 订单号='DD001'").toString(), QStringLiteral("张三丰"));
        QCOMPARE(ds.recNo(), 1);
        ev.take();

        // an untouched insert is dropped when the cursor moves
        ds.insert();
        QCOMPARE(ds.recNo(), 1);
        ds.next();
        QCOMPARE(ds.state(), DataSetState::Browse);
        QCOMPARE(ds.recordCount(), 5);
        // a modified record is written when the cursor moves
        ds.edit();
        ds.setText("备注", "自动写入");
        ds.next();
        QCOMPARE(db.conn().scalar("Select 备注 From 订单 Where 订单号='DD002'").toString(), QStringLiteral("自动写入"));
        ev.take();

        // delete
        ds.setRecNo(3);
        ds.deleteRecord();
        QCOMPARE(ev.take(), QStringLiteral("BeforeDelete,AfterDelete,AfterScroll"));
        QCOMPARE(ds.recordCount(), 4);
        QCOMPARE(db.conn().scalar("Select count(*) From 订单").toInt(), 4);
        QCOMPARE(columnValues(ds, "订单号"), (QStringList{"DD001", "DD002", "DD004", "DD005"}));

        // a before-post handler can refuse
        ds.onBeforePost([](DataSet& d) {
            if (d.text("订单号").isEmpty())
                throw Abort();
        });
        ds.append();
        ds.setText("客户", "无号");
        QVERIFY_THROWS_EXCEPTION(Abort, ds.post());
        QCOMPARE(ds.state(), DataSetState::Insert);
        QCOMPARE(ds.text("客户"), QStringLiteral("无号"));
        ds.cancel();
        QCOMPARE(ds.recordCount(), 4);
    }

    void badValuesKeepTheRecord_data() { addEngineRows(); }
    void badValuesKeepTheRecord()
    {
        QFETCH(QString, engine);
        TestDb db(engine);
        makeOrders(db.conn());
        DataSet ds(&db.conn());
        ds.setTableName("订单");
        ds.open();
        ds.edit();
        QVERIFY_THROWS_EXCEPTION(Error, ds.setText("金额", "十元"));
        QVERIFY_THROWS_EXCEPTION(Error, ds.setText("日期", "2024-13-45"));
        ds.setText("客户", "保留");
        // the engine refuses the row: the record stays in edit state with what was typed
        db.conn().exec(db.isPostgres() ? "ALTER TABLE 订单 ADD CONSTRAINT k CHECK (客户 <> '拒绝')"
                                       : "CREATE TRIGGER k BEFORE UPDATE ON 订单 WHEN NEW.客户='拒绝' BEGIN SELECT RAISE(ABORT,'拒绝写入'); END");
        ds.setText("客户", "拒绝");
        QVERIFY_THROWS_EXCEPTION(EngineError, ds.post());
        QCOMPARE(ds.state(), DataSetState::Edit);
        QCOMPARE(ds.text("客户"), QStringLiteral("拒绝"));
        ds.setText("客户", "可以");
        ds.post();
        QCOMPARE(ds.text("客户"), QStringLiteral("可以"));
    }

    void locate_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<bool>("caseInsensitive");
        QTest::addColumn<bool>("partial");
        QTest::addColumn<int>("recNo");   // 0: not found
        for (const QString& e : engines()) {
            auto row = [&](const char* name, const char* f, QVariantList v, bool ci, bool p, int n) {
                QTest::newRow(qPrintable(e + ": " + name)) << e << QString::fromUtf8(f) << v << ci << p << n;
            };
            row("exact", "订单号", {"DD003"}, false, false, 3);
            row("exact needs whole value", "订单号", {"DD00"}, false, false, 0);
            row("partial", "订单号", {"DD00"}, false, true, 1);
            row("partial is case-sensitive", "客户", {"ZH"}, false, true, 0);
            row("partial case-insensitive", "客户", {"ZH"}, true, true, 4);
            row("whole case-insensitive", "客户", {"ZHANG"}, true, false, 4);
            row("quote in value", "客户", {"O'Brien"}, false, false, 3);
            row("two keys", "订单号;客户", {"DD002", "李四"}, true, false, 2);
            row("two keys no match", "订单号;客户", {"DD002", "张三"}, true, false, 0);
            row("date as text", "日期", {"2024-02-10"}, false, false, 2);
            row("number", "金额", {"100"}, false, false, 1);
        }
    }
    void locate()
    {
        QFETCH(QString, engine);
        QFETCH(QString, fields);
        QFETCH(QVariantList, values);
        QFETCH(bool, caseInsensitive);
        QFETCH(bool, partial);
        QFETCH(int, recNo);
        TestDb db(engine);
        makeOrders(db.conn());
        DataSet ds(&db.conn());
        ds.setTableName("订单");
        ds.open();
        ds.last();
        QCOMPARE(ds.locate(fields, values, {caseInsensitive, partial}), recNo > 0);
        QCOMPARE(ds.recNo(), recNo > 0 ? recNo : 4);
    }

    void filterSortAndQuery_data() { addEngineRows(); }
    void filterSortAndQuery()
    {
        QFETCH(QString, engine);
        TestDb db(engine);
        makeOrders(db.conn());
        DataSet ds(&db.conn());
        ds.setTableName("订单");
        ds.open();
        ds.setFilter("客户 =" + sql::quoted("O'Brien"));
        ds.setFiltered(true);
        QCOMPARE(columnValues(ds, "订单号"), QStringList{"DD003"});
        ds.setFiltered(false);
        QCOMPARE(ds.recordCount(), 4);
        ds.setSort("日期 DESC");
        QCOMPARE(columnValues(ds, "订单号"), (QStringList{"DD004", "DD003", "DD002", "DD001"}));
        // a sort or filter the engine refuses leaves the set as it was
        QVERIFY_THROWS_EXCEPTION(EngineError, ds.setSort("没有的列 ASC"));
        QCOMPARE(ds.sort(), QStringLiteral("日期 DESC"));
        QCOMPARE(ds.recordCount(), 4);
        ds.setFilter("没有的列 ='x'");
        QVERIFY_THROWS_EXCEPTION(EngineError, ds.setFiltered(true));
        QVERIFY(!ds.filtered());
        QCOMPARE(ds.recordCount(), 4);
        ds.setFilter(QString());
        // a sorted set keeps positions through changes until it is read again
        ds.setRecNo(2);
        ds.edit();
        ds.setText("日期", "2020-01-01");
        ds.post();
        QCOMPARE(ds.recNo(), 2);
        QCOMPARE(columnValues(ds, "订单号"), (QStringList{"DD004", "DD003", "DD002", "DD001"}));
        ds.requery();
        QCOMPARE(columnValues(ds, "订单号"), (QStringList{"DD004", "DD002", "DD001", "DD003"}));

        // a plain statement stays updatable; another is read-only
        DataSet q(&db.conn());
        q.setSql("Select * From 订单\nWhere 金额>=100 order by 订单号 DESC");
        q.open();
        QVERIFY(q.canModify());
        QCOMPARE(q.text("订单号"), QStringLiteral("DD004"));
        q.edit();
        q.setText("备注", "经查询修改");
        q.post();
        QCOMPARE(db.conn().scalar("Select 备注 From 订单 Where 订单号='DD004'").toString(), QStringLiteral("经查询修改"));
        DataSet g(&db.conn());
        g.setSql("SELECT 订单号,SUM(数量) AS 合计 FROM 订单明细 GROUP BY 订单号 ORDER BY 订单号");
        g.open();
        QVERIFY(!g.canModify());
        QCOMPARE(g.recordCount(), 2);
        QCOMPARE(g.value("合计").toInt(), 7);
        QVERIFY_THROWS_EXCEPTION(Error, g.edit());
        g.setFilter("订单号 ='DD002'");
        g.setFiltered(true);
        QCOMPARE(g.value("合计").toInt(), 1);
    }

    void masterDetail_data() { addEngineRows(); }
    void masterDetail()
    {
        QFETCH(QString, engine);
        TestDb db(engine);
        makeOrders(db.conn());
        DataSet m(&db.conn()), d(&db.conn()), p(&db.conn());
        m.setTableName("订单");
        d.setTableName("订单明细");
        d.setMasterSource(&m);
        d.setMasterFields("订单号");
        d.setIndexFieldNames("订单号");
        m.open();
        d.open();
        QCOMPARE(columnValues(d, "商品"), (QStringList{"笔", "纸"}));
        m.next();
        QCOMPARE(columnValues(d, "商品"), QStringList{"墨"});
        m.next();
        QCOMPARE(d.recordCount(), 0);
        // a new detail record takes the master's link value
        d.append();
        QCOMPARE(d.text("订单号"), QStringLiteral("DD003"));
        d.setText("商品", "砚");
        d.post();
        QCOMPARE(db.conn().scalar("Select 订单号 From 订单明细 Where 商品='砚'").toString(), QStringLiteral("DD003"));
        // a detail record pending when the master moves is written first
        d.edit();
        d.setText("数量", "9");
        m.first();
        QCOMPARE(db.conn().scalar("Select 数量 From 订单明细 Where 商品='砚'").toInt(), 9);
        QCOMPARE(d.recordCount(), 2);

        // a statement with a parameter follows the master's field of that name
        p.setSql("Select * From 订单明细\nWhere 订单号=:订单号");
        p.setMasterSource(&m);
        p.open();
        QCOMPARE(columnValues(p, "商品"), (QStringList{"笔", "纸"}));
        m.locate("订单号", QVariant("DD002"));
        QCOMPARE(columnValues(p, "商品"), QStringList{"墨"});
        // an explicit parameter value
        DataSet x(&db.conn());
        x.setSql("Select * From 订单 Where 日期>=:Param1");
        x.setParam("Param1", QDate(2024, 3, 1));
        x.open();
        QCOMPARE(columnValues(x, "订单号"), (QStringList{"DD003", "DD004"}));
    }

    void blobsAndLargeTables_data() { addEngineRows(); }
    void blobsAndLargeTables()
    {
        QFETCH(QString, engine);
        TestDb db(engine);
        makeOrders(db.conn());
        db.conn().exec("Create Table 大表(编号 Integer,名称 Varchar(20))");
        db.conn().exec(db.isPostgres()
                           ? "INSERT INTO 大表 SELECT g, 'N' || g FROM generate_series(1,5000) g"
                           : "WITH RECURSIVE s(g) AS (SELECT 1 UNION ALL SELECT g+1 FROM s WHERE g<5000) "
                             "INSERT INTO 大表 SELECT g, 'N' || g FROM s");
        DataSet big(&db.conn());
        big.setTableName("大表");
        big.open();
        QCOMPARE(big.recordCount(), 5000);
        big.last();
        QCOMPARE(big.value("编号").toInt(), 5000);
        QCOMPARE(big.valueAt(2500, 1).toString(), QStringLiteral("N2501"));
        QCOMPARE(big.valueAt(4321, 0).toInt(), 4322);
        // the back half is read from the end, in either order
        big.setSort("编号 DESC");
        QCOMPARE(big.valueAt(4000, 0).toInt(), 1000);
        big.last();
        QCOMPARE(big.value("编号").toInt(), 1);
        big.setSort("名称 ASC,编号 DESC");
        QCOMPARE(big.valueAt(4999, 1).toString(), QStringLiteral("N999"));
        QCOMPARE(big.valueAt(0, 1).toString(), QStringLiteral("N1"));
        big.setSort(QString());
        // an insert in the middle of a big set lands where it was made
        big.setRecNo(100);
        big.insert();
        big.setText("编号", "-1");
        big.post();
        QCOMPARE(big.recNo(), 100);
        QCOMPARE(big.valueAt(100, 0).toInt(), 100);
        QCOMPARE(big.valueAt(98, 0).toInt(), 99);
        QCOMPARE(big.recordCount(), 5001);

        // pictures are read when they are looked at, and written back whole
        DataSet ds(&db.conn());
        ds.setTableName("订单");
        ds.open();
        QByteArray bytes(70000, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7);
        ds.edit();
        ds.setValue("照片", bytes);
        ds.post();
        ds.close();
        ds.open();
        QVERIFY(ds.locate("订单号", QVariant("DD001")));
        QCOMPARE(ds.value("照片").toByteArray(), bytes);
        QVERIFY(ds.locate("订单号", QVariant("DD002")));
        QVERIFY(ds.value("照片").isNull());
    }

    void gridModel_data() { addEngineRows(); }
    void gridModel()
    {
        QFETCH(QString, engine);
        TestDb db(engine);
        makeOrders(db.conn());
        DataSet ds(&db.conn());
        ds.setTableName("订单");
        DataSetModel model(&ds);
        QItemSelectionModel sel(&model);
        model.follow(&sel);
        ds.open();
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.columnCount(), 6);
        QCOMPARE(model.data(model.index(2, 1)).toString(), QStringLiteral("O'Brien"));
        QCOMPARE(model.data(model.index(0, 2)).toString(), QStringLiteral("2024-01-05"));
        // grid and set follow each other
        sel.setCurrentIndex(model.index(3, 0), QItemSelectionModel::NoUpdate);
        QCOMPARE(ds.recNo(), 4);
        ds.first();
        QCOMPARE(sel.currentIndex().row(), 0);
        // typing into a cell edits the record; moving writes it
        QVERIFY(model.setData(model.index(1, 1), QStringLiteral("王五")));
        QCOMPARE(ds.state(), DataSetState::Edit);
        sel.setCurrentIndex(model.index(2, 0), QItemSelectionModel::NoUpdate);
        QCOMPARE(db.conn().scalar("Select 客户 From 订单 Where 订单号='DD002'").toString(), QStringLiteral("王五"));
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        ds.append();
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model.rowCount(), 5);
        ds.cancel();
        QCOMPARE(model.rowCount(), 4);
    }
};

QTEST_MAIN(TestDataSet)
#include "tst_dataset.moc"
