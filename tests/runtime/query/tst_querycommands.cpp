#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "common/modal.h"

#include "common/inifile.h"
#include "queryfixture.h"
#include "runtime/query/advancedqueryform.h"
#include "runtime/query/dialogkit.h"
#include "runtime/query/locateform.h"
#include "runtime/query/querycommands.h"
#include "runtime/query/queryforms.h"
#include "runtime/query/querywayforms.h"
#include "runtime/query/sortform.h"
#include "support/scriptedprompts.h"

using namespace tess;
using namespace tess::query;
using namespace tess::test;

namespace {

enum { No, Name, Age, Enrolled, Score };

// Runs each window the commands open through the next planned action; a
// window the action does not accept is cancelled.
struct Driver {
    QStringList opened;
    QList<std::function<void(QDialog*)>> actions;

    Driver()
    {
        setModalRunner([this](QDialog& dialog) {
            QDialog* d = &dialog;
            opened << QString::fromLatin1(d->metaObject()->className()).section("::", -1);
            if (!actions.isEmpty())
                actions.takeFirst()(d);
            if (d->result() != QDialog::Accepted)
                d->reject();
            return d->result();
        });
    }
    ~Driver() { setModalRunner({}); }

    template <class Form>
    void then(std::function<void(Form&)> act)
    {
        actions << [act](QDialog* d) {
            auto* f = qobject_cast<Form*>(d);
            QVERIFY(f);
            act(*f);
        };
    }
};

// The main window's side: ADOQuery1, the commands, and the query subsystem
// entered for the student table.
struct Window {
    StudentDb s;
    DataSet adoQuery1;
    DataSet adoTable1;
    QueryCommands q;
    QSignalSpy status;
    QSignalSpy refreshed;

    explicit Window(const QString& engine = QStringLiteral("sqlite"))
        : s(engine), adoQuery1(&s.conn()), adoTable1(&s.conn()), q(&s.conn(), &adoQuery1, nullptr),
          status(&q, &QueryCommands::statusText), refreshed(&q, &QueryCommands::pageViewRefresh)
    {
        q.tableOpened("学生", StudentDb::fields(), QString());
        q.setSubsystemMode(2);
        q.mainQuery().openSource(QString());
        adoTable1.setTableName("学生");
        q.setEntryView(&adoTable1, StudentDb::fields());
    }
    QString lastStatus() const { return status.isEmpty() ? QString() : status.last().at(0).toString(); }
};

} // namespace

class TestQueryCommands : public QObject {
    Q_OBJECT
private slots:
    void preconditions_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("tableKind");
        QTest::addColumn<int>("queryWay");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("window");
        QTest::newRow("定位查找 in query mode") << "locate" << 2 << 0 << 0 << "录入状态才能查找！  " << "";
        QTest::newRow("定位查找 in entry mode") << "locate" << 1 << 0 << 0 << "" << "TLocateForm";
        QTest::newRow("单项查询 in any mode") << "single" << 1 << 0 << 0 << "" << "TSingleQueryForm";
        QTest::newRow("范围查询 in any mode") << "range" << 1 << 0 << 0 << "" << "TRangeQueryForm";
        QTest::newRow("一般查询 in entry mode") << "general" << 1 << 0 << 0 << "查询状态才能查询！  " << "";
        QTest::newRow("高级查询 in entry mode") << "advanced" << 1 << 0 << 0 << "查询状态才能查询！  " << "";
        QTest::newRow("全部记录 in entry mode") << "all" << 1 << 0 << 0 << "查询状态才能查询！  " << "";
        QTest::newRow("排序 in entry mode") << "sort" << 1 << 0 << 0 << "" << "";
        QTest::newRow("排序") << "sort" << 2 << 0 << 0 << "" << "TSortForm";
        QTest::newRow("查询方式设置") << "setting" << 0 << 0 << 0 << "" << "TSetQueryWayForm";
        QTest::newRow("button, no subsystem") << "button" << 0 << 0 << 0 << "" << "";
        QTest::newRow("button, entry mode") << "button" << 1 << 0 << 3 << "" << "TLocateForm";
        QTest::newRow("button, SQL table") << "button" << 2 << 1 << 0 << "此表不能进行查询！  " << "";
        QTest::newRow("button, virtual table") << "button" << 2 << 2 << 1 << "此表不能进行查询！  " << "";
        QTest::newRow("button, mode 0") << "button" << 2 << 0 << 0 << "" << "TQueryWayForm";
        QTest::newRow("button, mode 1") << "button" << 2 << 0 << 1 << "" << "TSingleQueryForm";
        QTest::newRow("button, mode 2") << "button" << 2 << 0 << 2 << "" << "TRangeQueryForm";
        QTest::newRow("button, mode 3") << "button" << 2 << 0 << 3 << "" << "TGeneralQueryForm";
        QTest::newRow("button, mode 4") << "button" << 2 << 0 << 4 << "" << "TAdvancedQueryForm";
    }
    void preconditions()
    {
        QFETCH(QString, command);
        QFETCH(int, mode);
        QFETCH(int, tableKind);
        QFETCH(int, queryWay);
        QFETCH(QString, message);
        QFETCH(QString, window);
        Window w;
        w.adoTable1.open();
        w.q.tableOpened("学生", StudentDb::fields(), QString(), tableKind);
        w.q.setSubsystemMode(mode);
        w.q.setQueryWay(queryWay);
        Driver d;
        PromptGuard p;
        const QString sql = w.adoQuery1.sql();
        if (command == "locate")
            w.q.locate();
        else if (command == "single")
            w.q.singleItemQuery();
        else if (command == "range")
            w.q.rangeQuery();
        else if (command == "general")
            w.q.generalQuery();
        else if (command == "advanced")
            w.q.advancedQuery();
        else if (command == "all")
            w.q.allRecords();
        else if (command == "sort")
            w.q.sortRecords();
        else if (command == "setting")
            w.q.queryWaySetting();
        else
            w.q.queryButtonClicked();
        QCOMPARE(p->texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));
        QCOMPARE(d.opened, window.isEmpty() ? QStringList() : QStringList{window});
        // Cancelling leaves the query as it was.
        QCOMPARE(w.adoQuery1.sql(), sql);
        QCOMPARE(w.status.size(), 0);
    }

    void singleItemAndPinyin_data() { addEngineRows(); }
    void singleItemAndPinyin()
    {
        QFETCH(QString, engine);
        Window w(engine);
        Driver d;
        PromptGuard p;
        d.then<TSingleQueryForm>([](TSingleQueryForm& f) {
            f.fieldBox->setCurrentIndex(Name);
            f.valueBox->setEditText("O'Brien");
            f.okClicked();
        });
        w.q.singleItemQuery();
        QCOMPARE(w.adoQuery1.sql(), QStringLiteral("Select * From 学生\nwhere 姓名 = 'O''Brien'"));
        QCOMPARE(w.q.held().recordCount, 1);
        QCOMPARE(w.lastStatus(), QStringLiteral("当前数据库记录总数为1个！   "));
        QCOMPARE(w.refreshed.size(), 1);
        QCOMPARE(p->calls.size(), 0);

        // The pinyin box: all records, then the search moves the cursor.
        d.then<TSingleQueryForm>([](TSingleQueryForm& f) {
            QCOMPARE(f.fieldBox->currentIndex(), int(Name));
            f.valueBox->setEditText("zs");
            f.pinyinBox->setChecked(true);
            f.okClicked();
        });
        p->plan(Answer::Yes);
        p->plan(Answer::No);
        w.q.singleItemQuery();
        QCOMPARE(w.adoQuery1.sql(), QStringLiteral("Select * From 学生"));
        QCOMPARE(w.q.held().condition, QString());
        QCOMPARE(w.q.held().recordCount, 8);
        QCOMPARE(p->texts(), QStringList({"已经找到，是否继续查找？  ", "已经找到，是否继续查找？  "}));
        QCOMPARE(w.adoQuery1.text("姓名"), QStringLiteral("赵四"));
    }

    void orderTextAcrossQueries()
    {
        Window w;
        Driver d;
        PromptGuard p;
        // Advanced query: 并且/或者 and two sort keys.
        d.then<TAdvancedQueryForm>([](TAdvancedQueryForm& f) {
            f.fieldBox->setCurrentIndex(Age);
            f.operatorBox->setCurrentIndex(4);
            f.valueBox->setEditText("20");
            f.addClicked();
            f.logicBox->setCurrentIndex(1);
            f.fieldBox->setCurrentIndex(Name);
            f.operatorBox->setCurrentIndex(0);
            f.valueBox->setEditText("张三");
            f.addClicked();
            f.logicBox->setCurrentIndex(0);
            f.fieldBox->setCurrentIndex(Score);
            f.operatorBox->setCurrentIndex(7);
            f.addClicked();
            f.sortFields[0]->setCurrentIndex(Age);
            f.sortFields[1]->setCurrentIndex(No);
            f.sortDirections[1]->setCurrentIndex(1);
            f.okClicked();
        });
        w.q.advancedQuery();
        QCOMPARE(w.adoQuery1.sql(), QStringLiteral("Select * From 学生\nwhere 年龄 >= 20 or 姓名 = '张三' and 成绩 is not null\n"
                                                   "order by 年龄,学号 DESC"));
        QCOMPARE(columnTexts(w.adoQuery1, "学号"), QStringList({"S001", "S008", "S003", "S005", "S006"}));
        QCOMPARE(w.q.held().order, QStringLiteral("年龄,学号 DESC"));
        QCOMPARE(w.refreshed.size(), 1);

        // The range query keeps the order text.
        d.then<TRangeQueryForm>([](TRangeQueryForm& f) {
            f.fieldBox->setCurrentIndex(Age);
            f.fromBox->setEditText("18");
            f.toBox->setEditText("19");
            f.okClicked();
        });
        w.q.rangeQuery();
        QCOMPARE(columnTexts(w.adoQuery1, "学号"), QStringList({"S004", "S001", "S007", "S002"}));

        // Sorting keeps the condition; the record count stays.
        d.then<TSortForm>([](TSortForm& f) {
            f.fieldBoxes[0]->setCurrentIndex(Score);
            f.directionBoxes[0]->setCurrentIndex(1);
            f.okClicked();
        });
        w.status.clear();
        w.q.sortRecords();
        QCOMPARE(w.adoQuery1.sql(), QStringLiteral("Select * From 学生\nwhere 年龄>=18 and 年龄<=19\norder by 成绩 DESC"));
        QCOMPARE(w.adoQuery1.recordCount(), 4);
        QCOMPARE(w.status.size(), 0);

        // Clicking a column title sorts by it; a memo column does nothing.
        QVERIFY(!w.q.sortByColumn("简历", ftMemo));
        QVERIFY(!w.q.sortByColumn("照片", ftGraphic));
        QCOMPARE(w.q.held().order, QStringLiteral("成绩 DESC"));
        QVERIFY(w.q.sortByColumn("姓名", ftString));
        QCOMPARE(w.q.held().order, QStringLiteral("姓名"));
        QCOMPARE(w.adoQuery1.sql(), QStringLiteral("Select * From 学生\nwhere 年龄>=18 and 年龄<=19\norder by 姓名"));

        // 取消 in the sort window clears the order text and runs nothing.
        const QString sql = w.adoQuery1.sql();
        w.q.sortRecords();
        QCOMPARE(w.q.held().order, QString());
        QCOMPARE(w.adoQuery1.sql(), sql);

        // The general query clears the order text and leaves the page view.
        w.q.mainQuery().setOrder("学号 DESC");
        w.refreshed.clear();
        d.then<TGeneralQueryForm>([](TGeneralQueryForm& f) {
            for (int r = 0; r < 4; ++r)
                f.fieldBoxes[r]->setCurrentIndex(-1);
            f.fieldBoxes[1]->setCurrentIndex(Enrolled);
            f.valueBoxes[1]->setEditText("2023-09-01");
            f.okClicked();
        });
        w.q.generalQuery();
        QCOMPARE(w.q.held().order, QString());
        QCOMPARE(w.adoQuery1.sql(), QStringLiteral("Select * From 学生\nwhere 入学日期 = '2023-09-01'"));
        QCOMPARE(w.q.held().recordCount, 2);
        QCOMPARE(w.refreshed.size(), 0);
        QCOMPARE(p->calls.size(), 0);

        // Sorting outside the query subsystem or by a column of a closed query does nothing.
        w.q.setSubsystemMode(1);
        QVERIFY(!w.q.sortByColumn("姓名", ftString));
    }

    void generalPinyinAndEmptyCondition()
    {
        Window w;
        Driver d;
        PromptGuard p;
        // Only a pattern row without a field: no condition, nothing happens.
        d.then<TGeneralQueryForm>([](TGeneralQueryForm& f) {
            for (int r = 0; r < 4; ++r)
                f.fieldBoxes[r]->setCurrentIndex(-1);
            f.valueBoxes[0]->setEditText("zs");
            f.pinyinBox->setChecked(true);
            f.okClicked();
        });
        w.q.generalQuery();
        QCOMPARE(p->calls.size(), 0);
        QCOMPARE(w.status.size(), 0);
        // The pinyin search runs on the first row with a value.
        d.then<TGeneralQueryForm>([](TGeneralQueryForm& f) {
            f.valueBoxes[0]->setEditText("");
            f.fieldBoxes[1]->setCurrentIndex(Name);
            f.valueBoxes[1]->setEditText("z?");
            f.fieldBoxes[2]->setCurrentIndex(Age);
            f.valueBoxes[2]->setEditText("19");
            f.pinyinBox->setChecked(true);
            f.okClicked();
        });
        p->plan(Answer::Yes);
        p->plan(Answer::Yes);
        p->plan(Answer::Yes);
        w.q.generalQuery();
        QCOMPARE(w.q.held().recordCount, 8);
        QCOMPARE(p->texts(), QStringList({"已经找到，是否继续查找？  ", "已经找到，是否继续查找？  ",
                                          "已经找到，是否继续查找？  ", "查找结束，没有找到！  "}));
    }

    void chooserAndSetting()
    {
        Window w;
        Driver d;
        PromptGuard p;
        w.q.mainQuery().applyCondition("年龄 = 18");
        QCOMPARE(w.q.held().recordCount, 2);
        // Choice 5 shows all records.
        d.then<TQueryWayForm>([](TQueryWayForm& f) {
            f.ways[2]->setChecked(true);
            f.okClicked();
        });
        w.q.queryButtonClicked();
        QCOMPARE(w.q.held().recordCount, 8);
        QCOMPARE(w.adoQuery1.sql(), QStringLiteral("Select * From 学生"));
        // Choice 3 opens the general query.
        d.then<TQueryWayForm>([](TQueryWayForm& f) {
            f.ways[3]->setChecked(true);
            f.okClicked();
        });
        w.q.chooseQueryWay();
        QCOMPARE(d.opened, QStringList({"TQueryWayForm", "TQueryWayForm", "TGeneralQueryForm"}));

        // The setting: 确定 writes and holds the way; 取消 holds 0 and writes nothing.
        exeIni().writeInteger("Form", "QueWay", 2);
        w.q.loadQueryWay();
        QCOMPARE(w.q.queryWay(), 2);
        d.then<TSetQueryWayForm>([](TSetQueryWayForm& f) {
            f.ways[4]->setChecked(true);
            f.okClicked();
        });
        w.q.queryWaySetting();
        QCOMPARE(w.q.queryWay(), 4);
        QCOMPARE(exeIni().readInteger("Form", "QueWay", -1), 4);
        w.q.queryWaySetting();
        QCOMPARE(w.q.queryWay(), 0);
        QCOMPARE(exeIni().readInteger("Form", "QueWay", -1), 4);
        QCOMPARE(p->calls.size(), 0);
    }

    void locateInEntryMode()
    {
        Window w;
        w.q.setSubsystemMode(1);
        w.adoTable1.open();
        Driver d;
        PromptGuard p;
        d.then<TLocateForm>([](TLocateForm& f) {
            f.fieldBoxes[1]->setCurrentIndex(Name);
            f.valueBoxes[1]->setEditText("王");
            f.okClicked();
        });
        w.q.queryButtonClicked();
        QCOMPARE(w.adoTable1.recNo(), 4);
        d.then<TLocateForm>([](TLocateForm& f) {
            f.fieldBoxes[0]->setCurrentIndex(Name);
            f.valueBoxes[0]->setEditText("王五");
            f.fieldBoxes[1]->setCurrentIndex(Age);
            f.valueBoxes[1]->setEditText("19");
            f.okClicked();
        });
        w.q.locate();
        QCOMPARE(p->texts(), QStringList({"没有此二个数据的组合！  "}));
        QCOMPARE(w.adoTable1.recNo(), 4);
    }

    // A statement the engine rejects is reported and the result stays.
    void rejectedValue_data() { addEngineRows(); }
    void rejectedValue()
    {
        QFETCH(QString, engine);
        Window w(engine);
        Driver d;
        PromptGuard p;
        d.then<TRangeQueryForm>([](TRangeQueryForm& f) {
            f.fieldBox->setCurrentIndex(Age);
            f.fromBox->setEditText("十八");
            f.toBox->setEditText("20");
            f.okClicked();
        });
        w.q.rangeQuery();
        QCOMPARE(p->calls.size(), 1);
        QCOMPARE(p->lastCaption(), QStringLiteral("错误   "));
        QVERIFY(w.adoQuery1.active());
        QCOMPARE(w.adoQuery1.sql(), QStringLiteral("Select * From 学生"));
        QCOMPARE(w.adoQuery1.recordCount(), 8);
        QCOMPARE(w.q.held().condition, QString());
    }
};

QTEST_MAIN(TestQueryCommands)
#include "tst_querycommands.moc"
