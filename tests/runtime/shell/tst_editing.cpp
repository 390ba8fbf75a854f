#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>

#include "runtime/shell/fieldwindows.h"
#include "runtime/shell/mainform.h"
#include "runtime/shell/pageview.h"
#include "runtime/shell/showpageform.h"
#include "shellfixture.h"

using namespace tess;
using namespace tess::test;

namespace {

// 流水: a first column of type 自动型, a multi-select column, a file column.
void makeJournal(ShellWorld& w)
{
    Connection& c = w.db.conn();
    c.exec("Create Table 流水(序号 Integer,摘要 Varchar(40),标签 Varchar(60),附件 Image,日期 DateTime)");
    c.exec(definitionTableSql("流水"));
    const QList<QStringList> rows{{"序号", "自动型", "文本框", ""},
                                  {"摘要", "字符型", "文本框", ""},
                                  {"标签", "字符型", "多选下拉框", "甲\r\n乙\r\n丙"},
                                  {"附件", "文件型", "文本框", ""},
                                  {"日期", "日期型", "文本框", ""}};
    for (int i = 0; i < rows.size(); ++i)
        c.exec("INSERT INTO 流水b(ID,FName,DType,FSize,CType,FAlias,FStyle,FSelect,FKey) VALUES (?,?,?,?,?,?,?,?,?)",
               {i + 1, rows[i][0], rows[i][1], 40, i == 1 ? "结果型" : "普通型", rows[i][0], rows[i][2], rows[i][3], "否"});
    dataIni().writeString("人事Table", "流水", "流水");
}

struct Runtime {
    PromptGuard p;
    TMainForm f;
    Runtime() { start(); }
    void start()
    {
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
    }
};

} // namespace

class TestEditing : public QObject {
    Q_OBJECT
private slots:
    void appendNumbersAndRuleMoments_data() { addEngineRows(); }
    void appendNumbersAndRuleMoments()
    {
        QFETCH(QString, engine);
        ShellWorld w(engine);
        makeJournal(w);
        Runtime r;
        TMainForm& f = r.f;
        QVERIFY(f.openTable("流水", 0));
        QCOMPARE(f.subsystemMode, 1);
        QSignalSpy started(&f, &TMainForm::recordStarted), written(&f, &TMainForm::recordWritten),
            numbered(&f, &TMainForm::numberRequested), edited(&f, &TMainForm::editStarted),
            result(&f, &TMainForm::resultFieldEntered);
        QVERIFY(!f.ToolButton9->isEnabled());
        f.ToolButton6Click();   // 增加 on an empty table: 1, no message
        QCOMPARE(f.master()->value("序号").toInt(), 1);
        QVERIFY(f.ToolButton9->isEnabled());
        QCOMPARE(started.count(), 1);
        QCOMPARE(numbered.count(), 1);
        QCOMPARE(numbered.at(0).at(2).toBool(), true);
        f.master()->setText("摘要", "第一笔");
        f.ToolButton9Click();   // 写入
        QVERIFY(!f.ToolButton9->isEnabled());
        QCOMPARE(written.count(), 1);
        QCOMPARE(f.StatusPanel2->text(), QStringLiteral("当前数据库记录总数为1个！   "));
        w.db.conn().exec("INSERT INTO 流水(序号,摘要) VALUES (41,'外来')");
        f.master()->refresh();
        f.ToolButton6Click();
        QCOMPARE(f.master()->value("序号").toInt(), 42);
        QCOMPARE(numbered.at(1).at(2).toBool(), false);
        f.master()->cancel();
        QVERIFY(r.p->calls.isEmpty());
        // typing puts the record into edit state
        f.pageView->edits.at(1)->setFocus();
        QCOMPARE(result.count(), 1);   // 摘要 is a result field
        f.pageView->edits.at(1)->setText("改");
        emit f.pageView->edits.at(1)->textEdited("改");
        QCOMPARE(f.master()->state(), DataSetState::Edit);
        QCOMPARE(edited.count(), 1);
        f.master()->next();   // moving writes it
        QCOMPARE(written.count(), 2);
    }

    void multiSelectCopyAndDelete_data() { addEngineRows(); }
    void multiSelectCopyAndDelete()
    {
        QFETCH(QString, engine);
        ShellWorld w(engine);
        makeJournal(w);
        Connection& c = w.db.conn();
        for (int i = 1; i <= 5; ++i)
            c.exec("INSERT INTO 流水(序号,摘要,标签) VALUES (?,?,?)", {i, QString("第%1笔").arg(i), i == 1 ? "甲" : ""});
        Runtime r;
        TMainForm& f = r.f;
        QVERIFY(f.openTable("流水", 0));
        // multi-select: 甲 then 乙 gives 甲、乙, written at once
        f.master()->first();
        f.pageView->edits.at(2)->setFocus();
        QVERIFY(f.pageView->listButton->isVisible());
        f.pageView->listButton->click();
        QCOMPARE(f.pageView->optionList->count(), 3);
        emit f.pageView->optionList->itemClicked(f.pageView->optionList->item(1));
        QCOMPARE(f.master()->state(), DataSetState::Browse);
        QCOMPARE(c.scalar("Select 标签 From 流水 Where 序号=1").toString(), QStringLiteral("甲、乙"));
        QCOMPARE(f.pageView->edits.at(2)->text(), QStringLiteral("甲、乙"));
        shot(&f, "page-multiselect");

        // copy: every column but the first, which the append rules fill
        f.activeSlot = "Table1";
        f.copyRecord();
        QCOMPARE(f.master()->state(), DataSetState::Insert);
        QCOMPARE(f.master()->value("序号").toInt(), 6);
        QCOMPARE(f.master()->text("摘要"), QStringLiteral("第1笔"));
        QCOMPARE(f.master()->text("标签"), QStringLiteral("甲、乙"));
        f.ToolButton9Click();
        QCOMPARE(c.scalar("Select count(*) From 流水").toInt(), 6);

        // delete three selected rows, not just the current one
        f.toggleMultiSelect();
        QVERIFY(f.item("选择多行")->isChecked());
        f.DBGrid1->clearSelection();
        for (int row : {1, 2, 4})
            f.DBGrid1->selectionModel()->select(f.DBGrid1->model()->index(row, 0),
                                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
        r.p->plan(Answer::Ok);
        f.ToolButton10Click();
        QCOMPARE(r.p->lastText(), QStringLiteral("确实要删除吗?  "));
        QCOMPARE(c.scalar("Select count(*) From 流水").toInt(), 3);
        QSqlQuery q = c.select("Select 序号 From 流水 order by 序号");
        QList<int> left;
        while (q.next())
            left << q.value(0).toInt();
        QCOMPARE(left, (QList<int>{1, 4, 6}));
        QCOMPARE(f.StatusPanel2->text(), QStringLiteral("当前数据库记录总数为3个！   "));
        // Cancel deletes nothing
        f.toggleMultiSelect();
        r.p->plan(Answer::Cancel);
        f.ToolButton10Click();
        QCOMPARE(c.scalar("Select count(*) From 流水").toInt(), 3);
    }

    void filesAndPictures()
    {
        ShellWorld w;
        makeJournal(w);
        w.db.conn().exec("INSERT INTO 流水(序号,摘要) VALUES (1,'有附件')");
        Runtime r;
        TMainForm& f = r.f;
        QVERIFY(f.openTable("流水", 0));
        QTemporaryDir tmp;
        // a file column takes a file of 0 bytes and says it is saved
        QFile empty(tmp.filePath("empty.bin"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        r.p->plan(tmp.filePath("empty.bin"));
        f.fileColumn(f.master(), "附件");
        QCOMPARE(r.p->lastText(), QStringLiteral("保存完毕！  "));
        QCOMPARE(f.master()->state(), DataSetState::Browse);
        QVERIFY(f.master()->value("附件").toByteArray().isEmpty());
        QFile doc(tmp.filePath("说明.txt"));
        QVERIFY(doc.open(QIODevice::WriteOnly));
        doc.write("内容");
        doc.close();
        r.p->plan(doc.fileName());
        f.fileColumn(f.master(), "附件");
        QCOMPARE(w.db.conn().scalar("Select 附件 From 流水").toByteArray(), QByteArray("内容"));

        // a JPEG becomes a bitmap in memory; nothing is left beside it
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(Qt::red);
        QVERIFY(img.save(tmp.filePath("photo.JPG"), "JPEG"));
        const QByteArray bmp = pictureFileAsBitmap(tmp.filePath("photo.JPG"));
        QVERIFY(bmp.startsWith("BM"));
        QCOMPARE(pictureOf(bmp).size(), QSize(40, 30));
        QVERIFY(!QFile::exists(tmp.filePath("temp.bmp")));
        QVERIFY(pictureFileAsBitmap(tmp.filePath("说明.txt")).isEmpty());
        // pictures stored by others in other formats still show
        QByteArray png;
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, "PNG");
        QCOMPARE(pictureOf(png).size(), QSize(40, 30));

        // 图片 on a table with a picture column stores the bitmap with the record
        QVERIFY(f.openTable("职工", 0));
        f.ToolButton8Click();
        r.p->plan(tmp.filePath("photo.JPG"));
        f.ToolButton11Click();
        QCOMPARE(f.master()->state(), DataSetState::Edit);
        f.ToolButton9Click();
        const QByteArray stored = w.db.conn().scalar("Select 照片 From 职工 Where 编号='001'").toByteArray();
        QVERIFY(stored.startsWith("BM"));
        QCOMPARE(pictureOf(stored).size(), QSize(40, 30));
        f.deletePicture();
        f.ToolButton9Click();
        QVERIFY(w.db.conn().scalar("Select 照片 From 职工 Where 编号='001'").isNull());
    }

    void pendingRecordQuestion()
    {
        ShellWorld w;
        makeJournal(w);
        Runtime r;
        TMainForm& f = r.f;
        DataSet* m = f.master();
        m->edit();
        m->setText("姓名", "改过");
        // Cancel: stay on the table, the record still being edited
        r.p->plan(Answer::Cancel);
        QVERIFY(!f.openTable("流水", 0));
        QCOMPARE(r.p->lastText(), QStringLiteral("当前记录已修改但尚未写入，是否写入？  "));
        QCOMPARE(f.currentTable, QStringLiteral("职工"));
        QCOMPARE(m->state(), DataSetState::Edit);
        // No: dropped
        r.p->plan(Answer::No);
        QVERIFY(f.enterQuery());
        QCOMPARE(w.db.conn().scalar("Select count(*) From 职工 Where 姓名='改过'").toInt(), 0);
        QVERIFY(f.enterEntry());
        // Yes: written
        f.master()->edit();
        f.master()->setText("姓名", "写入了");
        r.p->plan(Answer::Yes);
        QVERIFY(f.openTable("流水", 0));
        QCOMPARE(w.db.conn().scalar("Select count(*) From 职工 Where 姓名='写入了'").toInt(), 1);
        // an untouched record goes without a question
        r.p->clear();
        f.master()->append();
        QVERIFY(f.openTable("职工", 0));
        QVERIFY(r.p->calls.isEmpty());
    }

    void layoutSurvivesRestart()
    {
        ShellWorld w;
        {
            Runtime r;
            r.p->plan(QColor(10, 20, 30));
            r.f.item("文本框颜色")->trigger();
            r.p->plan(QStringLiteral("30"));
            r.f.item("文本框行间距")->trigger();
            r.p->plan(QStringLiteral("abc"));
            r.f.item("文本框宽度")->trigger();
            QCOMPARE(r.p->lastText(), QStringLiteral("“abc”不是有效的整数值"));
            QCOMPARE(r.f.layoutSettings.EditWidth, 150);
            r.p->plan(QStringLiteral("80"));
            r.f.item("标题栏宽度")->trigger();
            QCOMPARE(r.f.pageView->edits.at(0)->x() - r.f.pageView->labels.at(0)->x(), 80 + 10);
            QCOMPARE(r.p->calls.at(1).caption, QStringLiteral("输入文本框行间距"));
            QCOMPARE(r.p->calls.at(1).text, QStringLiteral("文本框行间距"));
            QCOMPARE(r.p->calls.at(1).preset, QStringLiteral("23"));
            r.f.close();
        }
        QCOMPARE(dataIni().readInteger("Form", "EditColor", 0), colorToInt(0x0A141E));
        Runtime again;
        QCOMPARE(again.f.layoutSettings.RowInterval, 30);
        QCOMPARE(again.f.layoutSettings.LabelWidth, 80);
        QCOMPARE(again.f.layoutSettings.EditColor, colorToInt(0x0A141E));
        // a stored colour of 0 is the button face
        dataIni().writeInteger("Form", "FormColor", 0);
        QCOMPARE(LayoutSettings::read(dataIni()).FormColor, LayoutSettings::clBtnFace);
    }

    void pageViewReflowsAndPopup()
    {
        ShellWorld w;
        Runtime r;
        TMainForm& f = r.f;
        f.resize(900, 300);
        QTest::qWait(1);
        f.reflowPage();
        const PagePlacement expected = reflowByHeight(6, f.ScrollBox1->height(), f.layoutSettings.TopMargin, f.layoutSettings);
        QCOMPARE(f.pageView->edits.at(5)->pos(), expected.edits.at(5));
        QVERIFY(expected.columns > 1);
        // the drop-down column offers its options over the edit box
        f.pageView->edits.at(2)->setFocus();
        QVERIFY(f.pageView->comboBox->isVisible());
        QCOMPARE(f.pageView->comboBox->geometry(), f.pageView->edits.at(2)->geometry());
        QCOMPARE(f.pageView->comboBox->count(), 3);
        shot(&f, "page-dropdown");
        // the picture column shows its box below the edit box, in any subsystem
        f.pageView->edits.at(5)->setFocus();
        QVERIFY(f.pageView->pictureBox->isVisible());
        QCOMPARE(f.pageView->pictureBox->x(), f.pageView->edits.at(5)->x() + 25);
        // the grid shows the picture box below a picture cell
        f.DBGrid1->setFocus();
        f.DBGrid1->setCurrentIndex(f.DBGrid1->model()->index(0, 5));
        auto* gridPicture = f.DBGrid1->findChild<QLabel*>();
        QVERIFY(gridPicture && gridPicture->isVisible());
        QCOMPARE(gridPicture->x(), std::max(0, std::min(f.DBGrid1->visualRect(f.DBGrid1->currentIndex()).left() + f.DBGrid1->viewport()->x() + 25,
                                                        f.DBGrid1->width() - gridPicture->width())));
        f.pageView->edits.at(0)->setFocus();
        QVERIFY(!gridPicture->isVisible());
        TShowPageForm page(f.master(), f.fieldDef, f.currentTable, 1, &f);
        page.show();
        QTest::qWait(1);
        QCOMPARE(page.windowTitle(), QStringLiteral("职工"));
        QCOMPARE(page.page->edits.size(), 6);
        QCOMPARE(page.page->edits.at(0)->text(), QStringLiteral("001"));
        QCOMPARE(page.page->edits.at(0)->y(), 18);
        shot(&page, "popup-page");
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
