#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>

#include "common/modal.h"
#include "runtime/query/advancedqueryform.h"
#include "runtime/shell/mainform.h"
#include "runtime/shell/pageview.h"
#include "shellfixture.h"

using namespace tess;
using namespace tess::test;

namespace {

// 订单 with two details (订单明细 with a sub-detail 批次, and 发货), and a
// query table 库存 chosen by the order's 条件 column.
void makeSales(ShellWorld& w)
{
    Connection& c = w.db.conn();
    c.exec("Create Table 客户订单(订单号 Varchar(20),客户 Varchar(20),条件 Varchar(200))");
    c.exec("Create Table 订单行(序号 Integer,订单号 Varchar(20),商品 Varchar(20),数量 Integer)");
    c.exec("Create Table 发货(订单号 Varchar(20),日期 DateTime)");
    c.exec("Create Table 批次(商品 Varchar(20),批号 Varchar(20))");
    c.exec("Create Table 库存(商品 Varchar(20),数量 Integer)");
    c.exec(definitionTableSql("订单行"));
    const char* defs[][2] = {{"序号", "自动型"}, {"订单号", "字符型"}, {"商品", "字符型"}, {"数量", "整数型"}};
    for (int i = 0; i < 4; ++i)
        c.exec("INSERT INTO 订单行b(ID,FName,DType,FSize,CType,FAlias,FStyle) VALUES (?,?,?,20,'普通型',?,'文本框')",
               {i + 1, QString::fromUtf8(defs[i][0]), QString::fromUtf8(defs[i][1]), QString::fromUtf8(defs[i][0])});
    c.exec("INSERT INTO 客户订单 VALUES ('A1','甲','商品=''笔''')");
    c.exec("INSERT INTO 客户订单 VALUES ('A2','乙','')");
    c.exec("INSERT INTO 客户订单 VALUES ('A3','丙','数量 >')");
    c.exec("INSERT INTO 订单行 VALUES (1,'A1','笔',2)");
    c.exec("INSERT INTO 订单行 VALUES (2,'A1','纸',5)");
    c.exec("INSERT INTO 订单行 VALUES (3,'A2','墨',1)");
    c.exec("INSERT INTO 发货 VALUES ('A1','2024-01-02')");
    c.exec("INSERT INTO 批次 VALUES ('笔','P1')");
    c.exec("INSERT INTO 批次 VALUES ('纸','P2')");
    c.exec("INSERT INTO 库存 VALUES ('笔',10)");
    c.exec("INSERT INTO 库存 VALUES ('纸',20)");
    IniFile ini = dataIni();
    ini.writeString("人事Table", "客户订单", "客户订单");
    ini.writeString("人事客户订单AssoTable", "订单行", "订单号>订单号");
    ini.writeString("人事客户订单AssoTable", "发货", "订单号>订单号");
    ini.writeString("人事订单行AssoTable", "无关", "商品>编号");
    ini.writeString("人事订单行AssoTable", "批次", "商品>商品");
    ini.writeString("客户订单QueryAsso", "库存", "条件");
}

QStringList visibleColumn(QTableView* g, int column)
{
    QStringList out;
    if (!g->model())
        return out;
    for (int r = 0; r < g->model()->rowCount(); ++r)
        out << g->model()->data(g->model()->index(r, column)).toString();
    return out;
}

} // namespace

class TestRelations : public QObject {
    Q_OBJECT
private slots:
    void masterDetail_data() { addEngineRows(); }
    void masterDetail()
    {
        QFETCH(QString, engine);
        ShellWorld w(engine);
        makeSales(w);
        PromptGuard p;
        TMainForm f;
        f.show();
        QVERIFY(f.openTable("客户订单", 1));
        // two details: two tabs in key order, the first taking the first key
        QCOMPARE(f.PageControl1->count(), 2);
        QCOMPARE(f.PageControl1->tabText(0), QStringLiteral("订单行"));
        QCOMPARE(f.PageControl1->tabText(1), QStringLiteral("发货"));
        QCOMPARE(f.PageControl1->widget(1)->objectName(), QStringLiteral("TabSheet2"));
        QVERIFY(f.PageHost->isVisibleTo(&f));
        // the detail follows the master; its link column is hidden
        QCOMPARE(visibleColumn(f.DBGrid2, 2), (QStringList{"笔", "纸"}));
        QVERIFY(f.DBGrid2->isColumnHidden(1));
        QVERIFY(!f.DBGrid2->isColumnHidden(0));   // 自动型 shows in the entry subsystem
        f.master()->next();
        QCOMPARE(visibleColumn(f.DBGrid2, 2), QStringList{"墨"});
        // the last key of the detail's own section is the sub-detail
        QCOMPARE(f.subDetailTable, QStringLiteral("批次"));
        QCOMPARE(f.SubDetailCaption->text(), QStringLiteral("批次"));
        f.master()->first();
        f.ADOTable2->first();
        QCOMPARE(visibleColumn(f.DBGrid3, 1), QStringList{"P1"});
        f.ADOTable2->next();
        QCOMPARE(visibleColumn(f.DBGrid3, 1), QStringList{"P2"});
        // a new detail line takes the master's order number
        f.activeSlot = "Table2";
        f.ToolButton6Click();
        QCOMPARE(f.ADOTable2->text("订单号"), QStringLiteral("A1"));
        QCOMPARE(f.ADOTable2->value("序号").toInt(), 4);   // 自动型: largest + 1
        f.ADOTable2->setText("商品", "砚");
        f.ToolButton9Click();
        QCOMPARE(w.db.conn().scalar("Select 订单号 From 订单行 Where 商品='砚'").toString(), QStringLiteral("A1"));
        shot(&f, "relation-entry-leftright");
        // another tab: the grid is rebuilt for its table
        f.PageControl1->setCurrentIndex(1);
        QCOMPARE(f.detailTable, QStringLiteral("发货"));
        QVERIFY(f.DBGrid2->isColumnHidden(0));
        QVERIFY(!f.SubDetailPanel->isVisibleTo(&f));

        // the query subsystem shows the same lines, read-only
        f.PageControl1->setCurrentIndex(0);
        QVERIFY(f.enterQuery());
        QCOMPARE(f.DataSource2, f.ADOQuery2);
        QCOMPARE(visibleColumn(f.DBGrid2, 2), (QStringList{"笔", "纸", "砚"}));
        QVERIFY(f.DBGrid2->isColumnHidden(0));   // the last 自动型 column is hidden here
        QVERIFY(f.DBGrid2->editTriggers() == QAbstractItemView::NoEditTriggers);
        f.master()->next();
        QCOMPARE(visibleColumn(f.DBGrid2, 2), QStringList{"墨"});
        QCOMPARE(visibleColumn(f.DBGrid3, 1), QStringList{});
        f.master()->first();
        QCOMPARE(visibleColumn(f.DBGrid3, 1), QStringList{"P1"});
        f.item("上下结构")->trigger();
        shot(&f, "relation-query-topbottom");
    }

    void badLinks()
    {
        ShellWorld w;
        makeSales(w);
        dataIni().writeString("人事客户订单AssoTable", "订单行", "订单号");   // no ">"
        PromptGuard p;
        TMainForm f;
        f.show();
        QVERIFY(f.openTable("客户订单", 1));
        // entry: unlinked, all rows
        QCOMPARE(f.ADOTable2->recordCount(), 3);
        // query: the engine refuses the condition; the window goes on
        QVERIFY(f.enterQuery());
        QVERIFY(!p->lastText().isEmpty());
        QVERIFY(f.master()->active());
        // a detail table that does not exist: the engine's message, no crash
        dataIni().writeString("人事客户订单AssoTable", "发货", "订单号>订单号");
        w.db.conn().exec("DROP Table 发货");
        p->clear();
        f.PageControl1->setCurrentIndex(1);
        QVERIFY(!p->lastText().isEmpty());
        QVERIFY(f.master()->active());
    }

    void queryTable_data() { addEngineRows(); }
    void queryTable()
    {
        QFETCH(QString, engine);
        ShellWorld w(engine);
        makeSales(w);
        PromptGuard p;
        TMainForm f;
        f.show();
        QVERIFY(f.openTable("客户订单", 2));
        QCOMPARE(f.PageControl1->tabText(0), QStringLiteral("库存"));
        QCOMPARE(f.conditionField, QStringLiteral("条件"));
        QCOMPARE(visibleColumn(f.DBGrid2, 1), QStringList{"10"});
        // an empty condition leaves the tab empty; moving re-runs it
        f.master()->next();
        QVERIFY(!f.ADOQuery21->active());
        QCOMPARE(visibleColumn(f.DBGrid2, 1), QStringList{});
        // a condition the engine refuses: its message, the grid stays empty
        f.master()->next();
        QVERIFY(!p->lastText().isEmpty());
        QVERIFY(!f.ADOQuery21->active());
        // a condition written into the master shows its rows
        f.master()->edit();
        f.master()->setText("条件", "数量>=10");
        f.master()->post();
        f.runQueryTab();
        QCOMPARE(visibleColumn(f.DBGrid2, 0), (QStringList{"笔", "纸"}));
        // the condition field offers its builder button in the entry subsystem
        QVERIFY(f.pageView->isConditionField("条件"));
        QVERIFY(!f.pageView->isConditionField("客户"));
        // the builder: a condition picked in the advanced query is written
        // into the master record and the tab shows its rows
        f.master()->first();
        setModalRunner([](QDialog& d) {
            auto* q = qobject_cast<query::TAdvancedQueryForm*>(&d);
            if (!q)
                return int(QDialog::Rejected);
            q->fieldBox->setCurrentIndex(0);      // 商品
            q->operatorBox->setCurrentIndex(0);   // 等于
            q->valueBox->setEditText("纸");
            q->addClicked();
            q->okClicked();
            return d.result();
        });
        emit f.conditionRequested("条件");
        setModalRunner({});
        QCOMPARE(w.db.conn().scalar("Select 条件 From 客户订单 Where 订单号='A1'").toString(), QStringLiteral("商品 = '纸'"));
        QCOMPARE(visibleColumn(f.DBGrid2, 0), QStringList{"纸"});
        // the query subsystem re-runs it on every master record
        QVERIFY(f.enterQuery());
        QVERIFY(f.master()->locate("订单号", QVariant("A1")));
        QCOMPARE(visibleColumn(f.DBGrid2, 0), QStringList{"纸"});
        QVERIFY(f.master()->locate("订单号", QVariant("A3")));
        QCOMPARE(visibleColumn(f.DBGrid2, 0), (QStringList{"笔", "纸"}));
    }
};

QTEST_MAIN(TestRelations)
#include "tst_relations.moc"
