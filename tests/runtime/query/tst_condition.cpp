#include <QTest>

#include "common/definitions.h"
#include "queryfixture.h"
#include "runtime/query/condition.h"
#include "runtime/query/mainquery.h"

using namespace tess;
using namespace tess::query;
using namespace tess::test;

Q_DECLARE_METATYPE(tess::FieldKind)
Q_DECLARE_METATYPE(tess::query::SortKey)

class TestCondition : public QObject {
    Q_OBJECT
private slots:
    void operatorLists()
    {
        QCOMPARE(textOperatorCaptions(),
                 QStringList({"等于", "不等于", "大于", "小于", "大于等于", "小于等于", "模糊匹配", "空值", "非空值"}));
        QCOMPARE(generalOperatorCaptions(),
                 QStringList({"等于", "不等于", "大于", "小于", "大于等于", "小于等于", "空值", "非空值"}));
        // Only ftString fields are offered 模糊匹配; a numeric field's position 6 is 空值.
        QCOMPARE(operatorCaptions(ftString).size(), 9);
        for (FieldKind k : {ftWideString, ftInteger, ftFloat, ftCurrency, ftBCD, ftAutoInc, ftDate, ftDateTime, ftTime})
            QCOMPARE(operatorCaptions(k).at(6), QStringLiteral("空值"));
    }

    void tokens_data()
    {
        QTest::addColumn<FieldKind>("kind");
        QTest::addColumn<QStringList>("expected");   // by position, one past the end included
        QTest::newRow("text list") << ftString
                                   << QStringList{"=", "<>", ">", "<", ">=", "<=", "like", "is null", "is not null", ""};
        QTest::newRow("general list, number") << ftInteger
                                              << QStringList{"=", "<>", ">", "<", ">=", "<=", "is null", "is not null", ""};
        QTest::newRow("general list, date") << ftDate
                                            << QStringList{"=", "<>", ">", "<", ">=", "<=", "is null", "is not null", ""};
    }
    void tokens()
    {
        QFETCH(FieldKind, kind);
        QFETCH(QStringList, expected);
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(operatorToken(kind, i), expected.at(i));
        QCOMPARE(operatorToken(kind, -1), QString());
        // Exactly the null tests go without a value.
        for (int i = 0; i < expected.size() - 1; ++i)
            QCOMPARE(operatorTakesValue(kind, i), !expected.at(i).startsWith(QLatin1String("is ")));
    }

    void valueClasses()
    {
        QCOMPARE(valueClass(ftString), ValueClass::Text);
        QCOMPARE(valueClass(ftWideString), ValueClass::Text);
        for (FieldKind k : {ftDate, ftTime, ftDateTime})
            QCOMPARE(valueClass(k), ValueClass::DateTime);
        for (FieldKind k : {ftInteger, ftSmallint, ftAutoInc, ftFloat, ftCurrency, ftBCD, ftBoolean, ftMemo, ftBlob})
            QCOMPARE(valueClass(k), ValueClass::Other);
    }

    void fragments_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<FieldKind>("kind");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        const char* ops[] = {"=", "<>", ">", "<", ">=", "<="};
        for (int i = 0; i < 6; ++i) {
            QTest::addRow("text %s", ops[i]) << "姓名" << ftString << i << "abc"
                                             << QStringLiteral("姓名 %1 'abc'").arg(QLatin1String(ops[i]));
            QTest::addRow("date %s", ops[i]) << "入学日期" << ftDateTime << i << "2024-01-05"
                                             << QStringLiteral("入学日期 %1 '2024-01-05'").arg(QLatin1String(ops[i]));
            QTest::addRow("number %s", ops[i]) << "年龄" << ftInteger << i << "18"
                                               << QStringLiteral("年龄 %1 18").arg(QLatin1String(ops[i]));
        }
        QTest::newRow("text like") << "姓名" << ftString << 6 << "abc" << "姓名 like '%abc%'";
        QTest::newRow("text is null") << "姓名" << ftString << 7 << "" << "姓名 is null";
        QTest::newRow("text is not null") << "姓名" << ftString << 8 << "" << "姓名 is not null";
        QTest::newRow("text null ignores a value") << "姓名" << ftString << 7 << "x" << "姓名 is null";
        QTest::newRow("date is null") << "入学日期" << ftDateTime << 6 << "" << "入学日期 is null";
        QTest::newRow("date is not null") << "入学日期" << ftDate << 7 << "" << "入学日期 is not null";
        QTest::newRow("number is null") << "年龄" << ftInteger << 6 << "" << "年龄 is null";
        QTest::newRow("number is not null") << "年龄" << ftInteger << 7 << "" << "年龄 is not null";
        // Values stand as typed: a date in any form, a number unchecked.
        QTest::newRow("date typed freely") << "入学日期" << ftDate << 4 << "2024/1/5" << "入学日期 >= '2024/1/5'";
        QTest::newRow("time") << "上课时间" << ftTime << 0 << "08:00" << "上课时间 = '08:00'";
        QTest::newRow("float bare") << "成绩" << ftFloat << 2 << "89.5" << "成绩 > 89.5";
        QTest::newRow("money bare") << "金额" << ftCurrency << 3 << "100" << "金额 < 100";
        QTest::newRow("counter bare") << "ID" << ftAutoInc << 0 << "7" << "ID = 7";
        QTest::newRow("non-numeric stays bare") << "年龄" << ftInteger << 0 << "abc" << "年龄 = abc";
        QTest::newRow("wide string quoted, general list") << "名称" << ftWideString << 0 << "x" << "名称 = 'x'";
        QTest::newRow("wide string position 6") << "名称" << ftWideString << 6 << "" << "名称 is null";
        // Quotes are doubled wherever a value goes between quotes.
        QTest::newRow("quote in text") << "姓名" << ftString << 0 << "O'Brien" << "姓名 = 'O''Brien'";
        QTest::newRow("quote in like") << "姓名" << ftString << 6 << "O'B" << "姓名 like '%O''B%'";
        QTest::newRow("quote in date") << "入学日期" << ftDate << 0 << "2024'" << "入学日期 = '2024'''";
    }
    void fragments()
    {
        QFETCH(QString, field);
        QFETCH(FieldKind, kind);
        QFETCH(int, position);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QCOMPARE(fragmentAt(field, kind, position, value), expected);
    }

    void generalAndRangeForms_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("equality text") << equalityFragment("姓名", ftString, "张三") << "姓名 = '张三'";
        QTest::newRow("equality date") << equalityFragment("入学日期", ftDate, "2023-09-01") << "入学日期 = '2023-09-01'";
        QTest::newRow("equality number") << equalityFragment("年龄", ftInteger, "18") << "年龄 = 18";
        QTest::newRow("equality quote") << equalityFragment("姓名", ftString, "O'Brien") << "姓名 = 'O''Brien'";
        QTest::newRow("fuzzy") << fuzzyFragment("姓名", "张") << "姓名 like '%张%'";
        QTest::newRow("range number") << rangeFragment("年龄", ftInteger, "18", "20") << "年龄>=18 and 年龄<=20";
        QTest::newRow("range text") << rangeFragment("学号", ftString, "S002", "S004") << "学号>='S002' and 学号<='S004'";
        QTest::newRow("range date") << rangeFragment("入学日期", ftDateTime, "2022-01-01", "2023-12-31")
                                    << "入学日期>='2022-01-01' and 入学日期<='2023-12-31'";
        QTest::newRow("range quotes") << rangeFragment("姓名", ftString, "A'", "O'Z") << "姓名>='A''' and 姓名<='O''Z'";
    }
    void generalAndRangeForms()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    void joining()
    {
        QCOMPARE(joinAnd({"a = 1"}), QStringLiteral("a = 1"));
        QCOMPARE(joinAnd({"a = 1", "b = '2'", "c is null"}), QStringLiteral("a = 1 and b = '2' and c is null"));
        QCOMPARE(logicalCaptions(), QStringList({"并且", "或者"}));
        QCOMPARE(withLogicalWord(0, "b = 2"), QStringLiteral("and b = 2"));
        QCOMPARE(withLogicalWord(1, "b = 2"), QStringLiteral("or b = 2"));
        // No parentheses: AND binds tighter than OR as written.
        QCOMPARE(joinPrefixed({"a = 1", withLogicalWord(1, "b = 2"), withLogicalWord(0, "c is null")}),
                 QStringLiteral("a = 1 or b = 2 and c is null"));
    }

    void orderClauses_data()
    {
        QTest::addColumn<QList<SortKey>>("keys");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QList<SortKey>{} << "";
        QTest::newRow("one ascending") << QList<SortKey>{{"姓名", false}} << "姓名";
        QTest::newRow("one descending") << QList<SortKey>{{"姓名", true}} << "姓名 DESC";
        QTest::newRow("second descending") << QList<SortKey>{{"班级", false}, {"学号", true}} << "班级,学号 DESC";
        QTest::newRow("four") << QList<SortKey>{{"a", true}, {"b", false}, {"c", true}, {"d", false}} << "a DESC,b,c DESC,d";
        QTest::newRow("unset keys skipped") << QList<SortKey>{{"a", false}, {"", true}, {"c", true}, {"", false}} << "a,c DESC";
    }
    void orderClauses()
    {
        QFETCH(QList<SortKey>, keys);
        QFETCH(QString, expected);
        QCOMPARE(orderClause(keys), expected);
        QCOMPARE(directionCaptions(), QStringList({"升序", "降序"}));
    }

    void statements_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all") << singleTableStatement("学生", "", "") << "Select * From 学生";
        QTest::newRow("condition") << singleTableStatement("学生", "年龄 = 18", "") << "Select * From 学生\nwhere 年龄 = 18";
        QTest::newRow("condition and order") << singleTableStatement("学生", "年龄 = 18", "姓名 DESC")
                                             << "Select * From 学生\nwhere 年龄 = 18\norder by 姓名 DESC";
        QTest::newRow("order only") << singleTableStatement("学生", "", "姓名") << "Select * From 学生\norder by 姓名";
        const QString join = "SELECT a1.订单号,a2.商品\nFROM 订单 a1,订单明细 a2\nWHERE (a1.订单号=a2.订单号)";
        QTest::newRow("join condition") << joinStatement(join, "客户 = '甲'", "")
                                        << join + " and 客户 = '甲'";
        QTest::newRow("join accumulates") << joinStatement(join + " and 客户 = '甲'", "商品 = '笔'", "")
                                          << join + " and 客户 = '甲' and 商品 = '笔'";
        QTest::newRow("join order") << joinStatement(join, "客户 = '甲'", "商品")
                                    << join + " and 客户 = '甲'\norder by 商品";
        QTest::newRow("join keeps WHERE before ORDER BY")
            << joinStatement(join + " and 客户 = '甲'\norder by 商品", "商品 = '笔'", "")
            << join + " and 客户 = '甲' and 商品 = '笔'";
        QTest::newRow("join re-ordered") << joinStatement(join + "\norder by 商品", "", "客户 DESC")
                                         << join + "\norder by 客户 DESC";
    }
    void statements()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    void valueLists_data() { addEngineRows(); }
    void valueLists()
    {
        QFETCH(QString, engine);
        StudentDb s(engine);
        QCOMPARE(valueListSql("姓名", "学生"), QStringLiteral("Select Distinct(姓名)\nFrom 学生"));
        auto sorted = [](QStringList l) {
            l.sort();
            return l;
        };
        // Empty and null names are left out, duplicates come once.
        QCOMPARE(sorted(valueList(s.conn(), "姓名", "学生")),
                 sorted({"张三", "李四", "O'Brien", "王五", "赵四", "张山"}));
        QCOMPARE(sorted(valueList(s.conn(), "年龄", "学生")), QStringList({"18", "19", "20", "21", "22"}));
        QCOMPARE(sorted(valueList(s.conn(), "入学日期", "学生")),
                 QStringList({"2021-09-01", "2022-03-15", "2022-09-01", "2023-03-01", "2023-09-01", "2024-09-01"}));
        QCOMPARE(sorted(valueList(s.conn(), "成绩", "学生")), sorted({"90.5", "80", "70", "60", "50", "85", "75"}));
        // A field the source lacks (a joined table's field) offers nothing.
        QCOMPARE(valueList(s.conn(), "商品", "学生"), QStringList());

        // The same from a data set's rows, in row order.
        DataSet ds(&s.conn());
        ds.setSql("Select 姓名,年龄 From 学生 Where 年龄 < 21");
        ds.open();
        QCOMPARE(valueList(ds, "姓名"), QStringList({"张三", "李四", "O'Brien", "王五", "赵四", "张山"}));
        QCOMPARE(valueList(ds, "年龄"), QStringList({"18", "19", "20"}));
        const QueryFields all = QueryFields::allOf(ds);
        QCOMPARE(all.names, QStringList({"姓名", "年龄"}));
        QCOMPARE(all.captions, all.names);
        QCOMPARE(all.kinds.at(1), ftInteger);
    }

    void queryFieldsFromDefinition()
    {
        FieldDefinition def;
        def.names = QStringList{"编号", "姓名", "简历", "照片", "附件", "工资"};
        def.kinds = {ftString, ftString, ftMemo, ftGraphic, ftBlob, ftFloat};
        def.captions = QStringList{"职工编号", " ", "简历", "照片", "附件", "工资"};
        const QueryFields f = QueryFields::fromDefinition(def);
        QCOMPARE(f.names, QStringList({"编号", "姓名", "工资"}));
        QCOMPARE(f.captions, QStringList({"职工编号", "姓名", "工资"}));
        QCOMPARE(f.kinds, QList<FieldKind>({ftString, ftString, ftFloat}));
        QCOMPARE(f.indexOf("工资"), 2);
        QCOMPARE(f.indexOf("简历"), -1);
        QCOMPARE(f.namesAsCaptions().captions, f.names);
        QCOMPARE(f.namesAsCaptions().kinds, f.kinds);
    }
};

QTEST_GUILESS_MAIN(TestCondition)
#include "tst_condition.moc"
