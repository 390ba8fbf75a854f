#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "common/modal.h"

#include "common/inifile.h"
#include "queryfixture.h"
#include "runtime/query/advancedqueryform.h"
#include "runtime/query/dialogkit.h"
#include "runtime/query/locateform.h"
#include "runtime/query/queryforms.h"
#include "runtime/query/querywayforms.h"
#include "runtime/query/sortform.h"
#include "support/scriptedprompts.h"

using namespace tess;
using namespace tess::query;
using namespace tess::test;

namespace {

// Field positions of the student fixture.
enum { No, Name, Age, Enrolled, Score };

QuerySource studentSource(StudentDb& s)
{
    QuerySource src;
    src.fields = StudentDb::fields();
    src.table = "学生";
    src.connection = &s.conn();
    return src;
}

// Every text a user reads on a window: labels, group titles, buttons.
QStringList visibleTexts(QWidget* w)
{
    QStringList out;
    for (auto* l : w->findChildren<QLabel*>())
        out << l->text();
    for (auto* g : w->findChildren<QGroupBox*>())
        out << g->title();
    for (auto* b : w->findChildren<QAbstractButton*>())
        out << b->text();
    return out;
}

QStringList items(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

QString iniValue(const QString& section, const QString& key)
{
    return exeIni().readString(section, key, "<none>");
}

bool stillOpen(const QDialog& d)
{
    return d.result() != QDialog::Accepted;
}

} // namespace

class TestQueryDialogs : public QObject {
    Q_OBJECT
private slots:
    void captionsAndTexts_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("chooser") << "chooser" << "选择查询方式"
                                 << QStringList{"查询方式", "单项查询", "范围查询", "全部记录", "一般查询", "高级查询", "确定", "取消"};
        QTest::newRow("setting") << "setting" << "设置查询方式"
                                 << QStringList{"查询方式", "单项查询", "范围查询", "综合查询", "一般查询", "高级查询", "确定", "取消"};
        QTest::newRow("locate") << "locate" << "定位查找（修改记录用）"
                                << QStringList{"可查找一个或同时查找多个（最多四个）字段", "选择查找字段", "选择或输入查找数据", "确定", "取消"};
        QTest::newRow("single") << "single" << "单项查询"
                                << QStringList{"查询项目", "操作符", "查询值", "按照拼音首字符查找", "确定", "取消"};
        QTest::newRow("range") << "range" << "范围查询" << QStringList{"查询项目", "起始值", "终止值", "确定", "取消"};
        QTest::newRow("general") << "general" << "可同时查询一个或多个（最多四个）字段"
                                 << QStringList{"选择查询字段", "选择或输入查询数据", "查询方式", "精确查询", "模糊查询",
                                                "按照拼音首字符查找", "确定", "取消"};
        QTest::newRow("advanced") << "advanced" << "高级查询"
                                  << QStringList{"预设条件", "逻辑符", "查询项目", "操作符", "查询值", "已添加的条件", "排序",
                                                 "排序项目", "方式", "添加", "删除", "清空", "确定", "取消"};
        QTest::newRow("sort") << "sort" << "排序"
                              << QStringList{"排序", "第一排序", "第二排序", "第三排序", "第四排序", "字段名", "方式", "确定", "取消"};
    }
    void captionsAndTexts()
    {
        QFETCH(QString, which);
        QFETCH(QString, caption);
        QFETCH(QStringList, texts);
        StudentDb s;
        const QuerySource src = studentSource(s);
        std::unique_ptr<QDialog> d;
        if (which == "chooser")
            d = std::make_unique<TQueryWayForm>();
        else if (which == "setting")
            d = std::make_unique<TSetQueryWayForm>();
        else if (which == "locate")
            d = std::make_unique<TLocateForm>(src);
        else if (which == "single")
            d = std::make_unique<TSingleQueryForm>(src);
        else if (which == "range")
            d = std::make_unique<TRangeQueryForm>(src);
        else if (which == "general")
            d = std::make_unique<TGeneralQueryForm>(src);
        else if (which == "advanced")
            d = std::make_unique<TAdvancedQueryForm>(src);
        else
            d = std::make_unique<TSortForm>(src.fields);
        QCOMPARE(d->windowTitle(), caption);
        const QStringList shown = visibleTexts(d.get());
        for (const QString& t : texts)
            QVERIFY2(shown.contains(t), qPrintable(t));
        QCOMPARE(d->font().family(), QStringLiteral("宋体"));
        QCOMPARE(d->font().pointSize(), 9);
    }

    void chooser_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("choice");
        QTest::newRow("单项查询") << 0 << 1;
        QTest::newRow("范围查询") << 1 << 2;
        QTest::newRow("全部记录") << 2 << 5;
        QTest::newRow("一般查询") << 3 << 3;
        QTest::newRow("高级查询") << 4 << 4;
    }
    void chooser()
    {
        QFETCH(int, button);
        QFETCH(int, choice);
        TQueryWayForm f;
        QVERIFY(f.ways[0]->isChecked());
        f.ways[button]->setChecked(true);
        QTest::mouseClick(f.okButton, Qt::LeftButton);
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(f.choice(), choice);
        TQueryWayForm g;
        QTest::mouseClick(g.cancelButton, Qt::LeftButton);
        QCOMPARE(g.result(), int(QDialog::Rejected));
        QCOMPARE(g.choice(), 0);
    }

    void settingWritesQueWay_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("way");
        QTest::newRow("单项查询") << 0 << 1;
        QTest::newRow("范围查询") << 1 << 2;
        QTest::newRow("综合查询") << 2 << 0;
        QTest::newRow("一般查询") << 3 << 3;
        QTest::newRow("高级查询") << 4 << 4;
    }
    void settingWritesQueWay()
    {
        QFETCH(int, button);
        QFETCH(int, way);
        StudentDb s;
        exeIni().writeInteger("Form", "QueWay", 3);
        TSetQueryWayForm f;
        // 综合查询 is checked whatever the setting is.
        QVERIFY(f.ways[2]->isChecked());
        f.ways[button]->setChecked(true);
        f.okClicked();
        QCOMPARE(f.way(), way);
        QCOMPARE(iniValue("Form", "QueWay"), QString::number(way));
        QCOMPARE(readQueryWay(), way);   // the data directory is the executable's here
        // 取消 gives 0 and leaves the file alone.
        setModalRunner([](QDialog& dialog) {
            QDialog* d = &dialog;
            d->reject();
            return d->result();
        });
        QCOMPARE(TSetQueryWayForm::run(nullptr), 0);
        setModalRunner({});
        QCOMPARE(iniValue("Form", "QueWay"), QString::number(way));
    }

    void singleItem()
    {
        StudentDb s;
        PromptGuard p;
        TSingleQueryForm f(studentSource(s));
        // Nothing saved yet: the first field and 等于.
        QCOMPARE(f.fieldBox->currentIndex(), 0);
        QCOMPARE(f.operatorBox->currentIndex(), 0);
        QVERIFY(!f.pinyinBox->isChecked());

        // A numeric field gets the general list; the value list is filled and the text cleared.
        f.valueBox->setEditText("typed");
        f.fieldBox->setCurrentIndex(Age);
        QCOMPARE(items(f.operatorBox), generalOperatorCaptions());
        QCOMPARE(f.valueBox->count(), 5);
        QCOMPARE(f.valueBox->currentText(), QString());
        // Changing the field resets the operator to 等于.
        f.operatorBox->setCurrentIndex(3);
        f.fieldBox->setCurrentIndex(Name);
        QCOMPARE(items(f.operatorBox), textOperatorCaptions());
        QCOMPARE(f.operatorBox->currentIndex(), 0);

        // A value is required except for 空值 and 非空值.
        f.okClicked();
        QVERIFY(stillOpen(f));
        QCOMPARE(p->texts(), QStringList({"查询值不能为空！  "}));
        QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));
        f.operatorBox->setCurrentIndex(6);
        f.valueBox->setEditText("O'B");
        f.okClicked();
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(f.condition(), QStringLiteral("姓名 like '%O''B%'"));
    }

    void singleItemConditions_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("condition");   // empty: refused
        QTest::newRow("numeric 空值 needs no value") << int(Age) << 6 << "" << "年龄 is null";
        QTest::newRow("numeric 非空值") << int(Age) << 7 << "" << "年龄 is not null";
        QTest::newRow("text 空值 is position 7") << int(Name) << 7 << "" << "姓名 is null";
        QTest::newRow("text 非空值") << int(Name) << 8 << "" << "姓名 is not null";
        QTest::newRow("text 模糊匹配 needs a value") << int(Name) << 6 << "" << "";
        QTest::newRow("date 大于等于") << int(Enrolled) << 4 << "2023-01-01" << "入学日期 >= '2023-01-01'";
        QTest::newRow("float 小于") << int(Score) << 3 << "60" << "成绩 < 60";
    }
    void singleItemConditions()
    {
        QFETCH(int, field);
        QFETCH(int, op);
        QFETCH(QString, value);
        QFETCH(QString, condition);
        StudentDb s;
        PromptGuard p;
        TSingleQueryForm f(studentSource(s));
        f.fieldBox->setCurrentIndex(field);
        f.operatorBox->setCurrentIndex(op);
        f.valueBox->setEditText(value);
        f.okClicked();
        QCOMPARE(f.result() == QDialog::Accepted, !condition.isEmpty());
        QCOMPARE(f.condition(), condition);
    }

    void singleItemRemembers()
    {
        StudentDb s;
        {
            TSingleQueryForm f(studentSource(s));
            f.fieldBox->setCurrentIndex(Age);
            f.valueBox->setEditText("18");
            f.okClicked();
        }
        // The third field with 等于 and the pinyin box cleared.
        QCOMPARE(iniValue("学生Query3", "1"), QStringLiteral("2"));
        QCOMPARE(iniValue("学生Query3", "2"), QStringLiteral("0"));
        QCOMPARE(iniValue("学生Query3", "3"), QStringLiteral("0"));
        {
            TSingleQueryForm f(studentSource(s));
            QCOMPARE(f.fieldBox->currentIndex(), int(Age));
            QCOMPARE(items(f.operatorBox), generalOperatorCaptions());
            QCOMPARE(f.valueBox->count(), 5);
            f.fieldBox->setCurrentIndex(Name);
            f.operatorBox->setCurrentIndex(6);
            f.pinyinBox->setChecked(true);
            f.valueBox->setEditText("zs");
            f.okClicked();
        }
        QCOMPARE(iniValue("学生Query3", "3"), QStringLiteral("1"));
        TSingleQueryForm f(studentSource(s));
        QCOMPARE(f.fieldBox->currentIndex(), int(Name));
        QCOMPARE(f.operatorBox->currentIndex(), 6);
        QVERIFY(f.pinyinBox->isChecked());
        // Cancelling writes nothing.
        f.fieldBox->setCurrentIndex(No);
        f.reject();
        QCOMPARE(iniValue("学生Query3", "1"), QStringLiteral("1"));
    }

    void range()
    {
        StudentDb s;
        PromptGuard p;
        TRangeQueryForm f(studentSource(s));
        // Nothing saved: the first field is shown, the lists stay empty until the field changes.
        QCOMPARE(f.fieldBox->currentIndex(), 0);
        QCOMPARE(f.fromBox->count(), 0);
        f.fromBox->setEditText("x");
        f.toBox->setEditText("y");
        f.fieldBox->setCurrentIndex(Enrolled);
        QCOMPARE(f.toBox->count(), 6);
        QCOMPARE(items(f.fromBox), items(f.toBox));
        QCOMPARE(f.fromBox->currentText(), QString());
        QCOMPARE(f.toBox->currentText(), QString());
        // Both bounds are needed.
        f.fromBox->setEditText("2022-01-01");
        f.okClicked();
        QVERIFY(stillOpen(f));
        f.toBox->setEditText("2023-12-31");
        f.okClicked();
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(f.condition(), QStringLiteral("入学日期>='2022-01-01' and 入学日期<='2023-12-31'"));
        QCOMPARE(iniValue("学生Query4", "1"), QStringLiteral("3"));
        QCOMPARE(p->calls.size(), 0);
        // Reopened: the field only.
        TRangeQueryForm g(studentSource(s));
        QCOMPARE(g.fieldBox->currentIndex(), int(Enrolled));
        QCOMPARE(g.toBox->count(), 0);
        g.fieldBox->setCurrentIndex(Age);
        g.fromBox->setEditText("18");
        g.toBox->setEditText("19");
        g.okClicked();
        QCOMPARE(g.condition(), QStringLiteral("年龄>=18 and 年龄<=19"));
    }

    void general_data()
    {
        QTest::addColumn<QList<int>>("fields");      // per row, -1 none
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<bool>("fuzzy");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<int>("patternField");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("all empty") << QList<int>{-1, -1, -1, -1} << QStringList{"", "", "", ""} << false << false << ""
                                   << -1 << "";
        QTest::newRow("one text row") << QList<int>{Name, -1, -1, -1} << QStringList{"张三", "", "", ""} << false << true
                                      << "姓名 = '张三'" << int(Name) << "张三";
        QTest::newRow("field without value ignored")
            << QList<int>{Name, Age, -1, -1} << QStringList{"", "18", "", ""} << false << true << "年龄 = 18" << int(Age) << "18";
        QTest::newRow("value without field gives the pattern")
            << QList<int>{-1, Name, -1, -1} << QStringList{"zs", "张三", "", ""} << false << true << "姓名 = '张三'" << -1 << "zs";
        QTest::newRow("dates joined with and")
            << QList<int>{Enrolled, Age, Enrolled, -1} << QStringList{"2023-09-01", "19", "2023-09-01", ""} << false << true
            << "入学日期 = '2023-09-01' and 年龄 = 19 and 入学日期 = '2023-09-01'" << int(Enrolled) << "2023-09-01";
        QTest::newRow("fuzzy for text only")
            << QList<int>{Name, Age, No, -1} << QStringList{"张", "20", "S00", ""} << true << true
            << "姓名 like '%张%' and 年龄 = 20 and 学号 like '%S00%'" << int(Name) << "张";
        QTest::newRow("quotes doubled") << QList<int>{-1, -1, -1, Name} << QStringList{"", "", "", "O'Brien"} << false << true
                                        << "姓名 = 'O''Brien'" << int(Name) << "O'Brien";
        QTest::newRow("only a field: closes, no condition")
            << QList<int>{Score, -1, -1, -1} << QStringList{"", "", "", ""} << false << true << "" << -1 << "";
    }
    void general()
    {
        QFETCH(QList<int>, fields);
        QFETCH(QStringList, values);
        QFETCH(bool, fuzzy);
        QFETCH(bool, closes);
        QFETCH(QString, condition);
        QFETCH(int, patternField);
        QFETCH(QString, pattern);
        StudentDb s;
        TGeneralQueryForm f(studentSource(s));
        for (int r = 0; r < 4; ++r) {
            f.fieldBoxes[r]->setCurrentIndex(fields.at(r));
            f.valueBoxes[r]->setEditText(values.at(r));
        }
        f.fuzzyButton->setChecked(fuzzy);
        f.okClicked();
        QCOMPARE(f.result() == QDialog::Accepted, closes);
        QCOMPARE(f.condition(), condition);
        QCOMPARE(f.pinyinField(), patternField);
        QCOMPARE(f.pinyinPattern(), pattern);
        if (closes) {
            for (int r = 0; r < 4; ++r)
                QCOMPARE(iniValue("学生Query2", QString::number(r + 1)), QString::number(fields.at(r)));
        } else {
            QCOMPARE(iniValue("学生Query2", "1"), QStringLiteral("<none>"));
        }
    }

    void generalRemembers()
    {
        StudentDb s;
        {
            // Nothing saved: rows show fields 0 to 3 with their value lists.
            TGeneralQueryForm f(studentSource(s));
            for (int r = 0; r < 4; ++r)
                QCOMPARE(f.fieldBoxes[r]->currentIndex(), r);
            QCOMPARE(f.valueBoxes[Age]->count(), 5);
            QCOMPARE(f.valueBoxes[0]->currentText(), QString());
            // Picking keeps the typed text.
            f.valueBoxes[1]->setEditText("kept");
            f.fieldBoxes[1]->setCurrentIndex(Score);
            QCOMPARE(f.valueBoxes[1]->currentText(), QStringLiteral("kept"));
            f.fieldBoxes[2]->setCurrentIndex(-1);
            f.okClicked();
        }
        QCOMPARE(iniValue("学生Query2", "2"), QStringLiteral("4"));
        QCOMPARE(iniValue("学生Query2", "3"), QStringLiteral("-1"));
        exeIni().writeInteger("学生Query2", "4", 9);   // past the end of the field list
        TGeneralQueryForm f(studentSource(s));
        QCOMPARE(f.fieldBoxes[0]->currentIndex(), 0);
        QCOMPARE(f.fieldBoxes[1]->currentIndex(), int(Score));
        QCOMPARE(f.fieldBoxes[2]->currentIndex(), -1);
        QCOMPARE(f.fieldBoxes[3]->currentIndex(), -1);
        QCOMPARE(f.valueBoxes[1]->count(), 7);
        QVERIFY(f.exactButton->isChecked());
    }

    void advancedAddingAndMessages()
    {
        StudentDb s;
        PromptGuard p;
        TAdvancedQueryForm f(studentSource(s));
        QVERIFY(!f.okButton->isEnabled());
        QVERIFY(!f.logicBox->isEnabled());
        for (int r = 0; r < 4; ++r)
            QVERIFY(!f.sortFields[r]->isEnabled());

        // 添加 without field and operator does nothing.
        f.addClicked();
        QCOMPARE(f.conditionList->count(), 0);
        QCOMPARE(p->calls.size(), 0);
        // Picking an operator list first: the operator needs a field.
        f.fieldBox->setCurrentIndex(Age);
        QCOMPARE(items(f.operatorBox), generalOperatorCaptions());
        QCOMPARE(f.valueBox->count(), 5);
        f.fieldBox->setCurrentIndex(-1);
        f.operatorBox->setCurrentIndex(1);
        QCOMPARE(f.operatorBox->currentIndex(), -1);
        QCOMPARE(p->lastText(), QStringLiteral("字段名不能为空！  "));
        QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));

        // A value is required unless the operator is 空值/非空值.
        f.fieldBox->setCurrentIndex(Age);
        f.operatorBox->setCurrentIndex(2);
        f.addClicked();
        QCOMPARE(p->lastText(), QStringLiteral("字段值不能为空！  "));
        QCOMPARE(f.conditionList->count(), 0);
        f.valueBox->setEditText("18");
        f.addClicked();
        QCOMPARE(f.conditionList->count(), 1);
        QCOMPARE(f.conditionList->item(0)->text(), QStringLiteral("年龄 大于 18"));
        QVERIFY(f.okButton->isEnabled());
        QVERIFY(f.logicBox->isEnabled());
        QCOMPARE(f.fieldBox->currentIndex(), -1);
        QCOMPARE(f.operatorBox->currentIndex(), -1);
        QVERIFY(f.sortFields[0]->isEnabled());
        QVERIFY(!f.sortFields[1]->isEnabled());

        // After the first condition a field needs a logical word.
        p->clear();
        f.fieldBox->setCurrentIndex(Name);
        QCOMPARE(f.fieldBox->currentIndex(), -1);
        QCOMPARE(p->texts(), QStringList({"逻辑关系不能为空！  "}));
        f.logicBox->setCurrentIndex(1);
        f.fieldBox->setCurrentIndex(Name);
        f.operatorBox->setCurrentIndex(7);   // 空值 of the text list
        f.addClicked();
        f.logicBox->setCurrentIndex(0);
        f.fieldBox->setCurrentIndex(Enrolled);
        f.operatorBox->setCurrentIndex(4);
        f.valueBox->setEditText("2023-01-01");
        f.addClicked();
        QCOMPARE(f.conditionList->item(1)->text(), QStringLiteral("或者 姓名 空值"));
        QCOMPARE(f.conditionList->item(2)->text(), QStringLiteral("并且 入学时间 大于等于 2023-01-01"));
        QCOMPARE(f.fragments(), QStringList({"年龄 > 18", "or 姓名 is null", "and 入学日期 >= '2023-01-01'"}));
        QVERIFY(f.sortFields[2]->isEnabled());
        QVERIFY(!f.sortFields[3]->isEnabled());

        // Sort rows refuse a field twice and a row after an empty one.
        f.sortFields[0]->setCurrentIndex(Age);
        f.sortFields[1]->setCurrentIndex(Age);
        QCOMPARE(f.sortFields[1]->currentIndex(), -1);
        QCOMPARE(p->lastText(), QStringLiteral("此字段已被设置！  "));
        f.sortFields[2]->setCurrentIndex(No);
        QCOMPARE(f.sortFields[2]->currentIndex(), -1);
        QCOMPARE(p->lastText(), QStringLiteral("第二排序未设置不能设置第三排序！  "));
        f.sortFields[1]->setCurrentIndex(No);
        f.sortDirections[1]->setCurrentIndex(1);
        f.okClicked();
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(f.condition(), QStringLiteral("年龄 > 18 or 姓名 is null and 入学日期 >= '2023-01-01'"));
        QCOMPARE(f.order(), QStringLiteral("年龄,学号 DESC"));
    }

    void advancedSortRowsOnePerCondition()
    {
        StudentDb s;
        PromptGuard p;
        TAdvancedQueryForm f(studentSource(s));
        QList<bool> enabled;
        for (int n = 1; n <= 5; ++n) {
            if (n > 1)
                f.logicBox->setCurrentIndex(0);
            f.fieldBox->setCurrentIndex(Name);
            f.operatorBox->setCurrentIndex(8);
            f.addClicked();
            int count = 0;
            for (int r = 0; r < 4; ++r)
                count += f.sortFields[r]->isEnabled() && f.sortDirections[r]->isEnabled();
            QCOMPARE(count, std::min(n, 4));
        }
        QCOMPARE(f.conditionList->count(), 5);
        // The fourth row asks for the third.
        f.sortFields[0]->setCurrentIndex(No);
        f.sortFields[1]->setCurrentIndex(Name);
        f.sortFields[3]->setCurrentIndex(Age);
        QCOMPARE(p->lastText(), QStringLiteral("第三排序未设置不能设置第四排序！  "));
        f.sortFields[1]->setCurrentIndex(-1);
        f.sortFields[2]->setCurrentIndex(Age);
        QCOMPARE(p->lastText(), QStringLiteral("第二排序未设置不能设置第三排序！  "));
        f.sortFields[0]->setCurrentIndex(-1);
        f.sortFields[1]->setCurrentIndex(Age);
        QCOMPARE(p->lastText(), QStringLiteral("第一排序未设置不能设置第二排序！  "));
    }

    void advancedDeleteAndClear()
    {
        StudentDb s;
        PromptGuard p;
        TAdvancedQueryForm f(studentSource(s));
        auto add = [&](int logic, int field, int op, const QString& value) {
            f.logicBox->setCurrentIndex(logic);
            f.fieldBox->setCurrentIndex(field);
            f.operatorBox->setCurrentIndex(op);
            f.valueBox->setEditText(value);
            f.addClicked();
        };
        add(-1, Age, 0, "18");
        add(1, Age, 0, "19");
        add(0, Name, 6, "张");
        // 删除 without a selected line only resets the boxes.
        f.logicBox->setCurrentIndex(0);
        f.fieldBox->setCurrentIndex(Score);
        f.deleteClicked();
        QCOMPARE(f.fieldBox->currentIndex(), -1);
        QCOMPARE(f.conditionList->count(), 3);
        // Deleting the first: the next one takes its place without its logical word.
        f.conditionList->setCurrentRow(0);
        f.deleteClicked();
        QCOMPARE(f.fragments(), QStringList({"年龄 = 19", "and 姓名 like '%张%'"}));
        QCOMPARE(f.conditionList->item(0)->text(), QStringLiteral("年龄 等于 19"));
        f.conditionList->setCurrentRow(1);
        f.deleteClicked();
        f.conditionList->setCurrentRow(0);
        f.deleteClicked();
        QCOMPARE(f.conditionList->count(), 0);
        QVERIFY(!f.logicBox->isEnabled());
        // With the list empty a new first condition needs no logical word.
        add(-1, No, 0, "S001");
        QCOMPARE(f.fragments(), QStringList({"学号 = 'S001'"}));
        QCOMPARE(p->calls.size(), 0);

        // 清空 starts again.
        f.sortFields[0]->setCurrentIndex(No);
        f.sortDirections[0]->setCurrentIndex(1);
        f.clearClicked();
        QCOMPARE(f.conditionList->count(), 0);
        QVERIFY(f.fragments().isEmpty());
        QVERIFY(!f.okButton->isEnabled());
        QVERIFY(!f.logicBox->isEnabled());
        for (int r = 0; r < 4; ++r) {
            QCOMPARE(f.sortFields[r]->currentIndex(), -1);
            QCOMPARE(f.sortDirections[r]->currentText(), QStringLiteral("升序"));
            QVERIFY(!f.sortFields[r]->isEnabled());
        }
        f.okClicked();
        QVERIFY(stillOpen(f));
        add(-1, Age, 6, "");
        QVERIFY(f.sortFields[0]->isEnabled());
        QVERIFY(!f.sortFields[1]->isEnabled());
        f.okClicked();
        QCOMPARE(f.condition(), QStringLiteral("年龄 is null"));
        QCOMPARE(f.order(), QString());
    }

    void sortEnabling_data()
    {
        QTest::addColumn<int>("fieldCount");
        QTest::addColumn<int>("enabled");
        QTest::newRow("one field") << 1 << 0;
        QTest::newRow("two fields") << 2 << 1;
        QTest::newRow("three fields") << 3 << 2;
        QTest::newRow("five fields") << 5 << 4;
        QTest::newRow("seven fields") << 7 << 4;
    }
    void sortEnabling()
    {
        QFETCH(int, fieldCount);
        QFETCH(int, enabled);
        QueryFields fields;
        for (int i = 0; i < fieldCount; ++i)
            fields.add(QStringLiteral("f%1").arg(i), QStringLiteral("字段%1").arg(i), ftString);
        TSortForm f(fields);
        for (int r = 0; r < 4; ++r) {
            QCOMPARE(f.fieldBoxes[r]->isEnabled(), r < enabled);
            QCOMPARE(f.fieldBoxes[r]->currentIndex(), -1);
            QCOMPARE(f.directionBoxes[r]->currentIndex(), -1);
        }
    }

    void sortRefusalsAndOrder()
    {
        PromptGuard p;
        TSortForm f(StudentDb::fields());
        QCOMPARE(items(f.fieldBoxes[0]), StudentDb::fields().captions);
        f.okClicked();
        QVERIFY(stillOpen(f));
        QCOMPARE(p->lastText(), QStringLiteral("未设置排序字段！  "));
        QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));
        f.fieldBoxes[1]->setCurrentIndex(Age);
        QCOMPARE(f.fieldBoxes[1]->currentIndex(), -1);
        QCOMPARE(p->lastText(), QStringLiteral("第一排序未设置不能设置第二排序！  "));
        f.fieldBoxes[0]->setCurrentIndex(Enrolled);
        f.fieldBoxes[1]->setCurrentIndex(Enrolled);
        QCOMPARE(f.fieldBoxes[1]->currentIndex(), -1);
        QCOMPARE(p->lastText(), QStringLiteral("此字段已被设置！  "));
        f.fieldBoxes[3]->setCurrentIndex(Age);
        QCOMPARE(p->lastText(), QStringLiteral("第三排序未设置不能设置第四排序！  "));
        f.fieldBoxes[1]->setCurrentIndex(Age);
        f.directionBoxes[1]->setCurrentIndex(1);
        f.fieldBoxes[2]->setCurrentIndex(Name);
        f.directionBoxes[2]->setCurrentIndex(0);
        f.okClicked();
        QCOMPARE(f.result(), int(QDialog::Accepted));
        // Field names, not captions: 入学时间 is 入学日期.
        QCOMPARE(f.order(), QStringLiteral("入学日期,年龄 DESC,姓名"));
        QCOMPARE(p->calls.size(), 4);
    }

    void locateKeysFromRows()
    {
        StudentDb s;
        TLocateForm f(studentSource(s));
        PromptGuard p;
        f.okClicked();
        QVERIFY(stillOpen(f));   // all eight boxes empty
        // Picking fills the value list and keeps the typed text.
        f.valueBoxes[0]->setEditText("S00");
        f.fieldBoxes[0]->setCurrentIndex(No);
        QCOMPARE(f.valueBoxes[0]->count(), 8);
        QCOMPARE(f.valueBoxes[0]->currentText(), QStringLiteral("S00"));
        // Rows 1, 2 and 4 take part; row 3 has no value.
        f.fieldBoxes[1]->setCurrentIndex(Name);
        f.valueBoxes[1]->setEditText("张山");
        f.fieldBoxes[2]->setCurrentIndex(Score);
        f.fieldBoxes[3]->setCurrentIndex(Age);
        f.valueBoxes[3]->setEditText("20");
        f.okClicked();
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(f.keyFields(), QStringList({"学号", "姓名", "年龄"}));
        QCOMPARE(f.keyValues(), QStringList({"S00", "张山", "20"}));
        QCOMPARE(p->calls.size(), 0);
    }

    void locating_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<int>("recNo");   // 0: not found, the cursor stays on record 2
        QTest::addColumn<QString>("message");
        QTest::newRow("one key, start of the value") << QStringList{"学号"} << QStringList{"S00"} << 1 << "";
        QTest::newRow("one key, partial") << QStringList{"姓名"} << QStringList{"O'B"} << 3 << "";
        QTest::newRow("one key, case significant") << QStringList{"姓名"} << QStringList{"o'b"} << 0 << "没有此数据！  ";
        QTest::newRow("two keys, case ignored") << QStringList{"学号", "姓名"} << QStringList{"s003", "o'brien"} << 3 << "";
        QTest::newRow("two keys, whole values only") << QStringList{"学号", "姓名"} << QStringList{"S00", "张三"} << 0
                                                      << "没有此二个数据的组合！  ";
        QTest::newRow("three keys") << QStringList{"学号", "姓名", "年龄"} << QStringList{"S008", "张山", "20"} << 8 << "";
        QTest::newRow("three keys missing") << QStringList{"学号", "姓名", "年龄"} << QStringList{"S008", "张山", "21"} << 0
                                            << "没有此三个数据的组合！  ";
        QTest::newRow("four keys missing") << QStringList{"学号", "姓名", "年龄", "成绩"}
                                           << QStringList{"S001", "张三", "18", "90"} << 0 << "没有此四个数据的组合！  ";
        QTest::newRow("four keys") << QStringList{"学号", "姓名", "年龄", "成绩"}
                                   << QStringList{"S001", "张三", "18", "90.5"} << 1 << "";
    }
    void locating()
    {
        QFETCH(QStringList, fields);
        QFETCH(QStringList, values);
        QFETCH(int, recNo);
        QFETCH(QString, message);
        StudentDb s;
        DataSet ds(&s.conn());
        ds.setTableName("学生");
        ds.open();
        ds.setRecNo(2);
        PromptGuard p;
        QCOMPARE(locateKeys(nullptr, ds, fields, values), recNo > 0);
        QCOMPARE(ds.recNo(), recNo > 0 ? recNo : 2);
        QCOMPARE(p->texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));
    }

    // Windows as a user sees them: every label, box and button shows its
    // whole text. Set TESS_GRAB_DIR to keep the pictures.
    void nothingClipped()
    {
        StudentDb s;
        const QuerySource src = studentSource(s);
        TAdvancedQueryForm advanced(src);
        advanced.fieldBox->setCurrentIndex(Enrolled);
        TGeneralQueryForm general(src);
        TLocateForm locate(src);
        TSingleQueryForm single(src);
        TSortForm sort(src.fields);
        TSetQueryWayForm setting;
        const QList<QPair<QString, QDialog*>> windows{{"advanced", &advanced}, {"general", &general}, {"locate", &locate},
                                                      {"single", &single},     {"sort", &sort},       {"setting", &setting}};
        for (const auto& [name, w] : windows) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            for (auto* l : w->findChildren<QLabel*>())
                QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(name + ": " + l->text()));
            for (auto* b : w->findChildren<QAbstractButton*>())
                QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(name + ": " + b->text()));
            for (auto* c : w->findChildren<QComboBox*>())
                QVERIFY2(c->width() >= c->minimumSizeHint().width(), qPrintable(name));
            const QImage image = w->grab().toImage();
            QVERIFY(!image.isNull());
            if (const QString dir = qEnvironmentVariable("TESS_GRAB_DIR"); !dir.isEmpty())
                image.save(dir + "/" + name + ".png");
            w->hide();
        }
    }
};

QTEST_MAIN(TestQueryDialogs)
#include "tst_querydialogs.moc"
