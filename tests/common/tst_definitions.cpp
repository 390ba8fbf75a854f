#include <QTest>

#include "common/definitions.h"
#include "common/paths.h"
#include "support/scriptedprompts.h"
#include "support/testdb.h"

using namespace tess;
using namespace tess::test;

namespace {

void defRow(Connection& c, const QString& t, int id, const QString& name, const QString& dtype, const QString& alias,
            const QString& style, const QString& options = {})
{
    c.exec("INSERT INTO " + t + "b(ID,FName,DType,FSize,CType,FAlias,FStyle,FSelect,FKey) VALUES (?,?,?,?,?,?,?,?,?)",
           {id, name, dtype, 20, "普通型", alias, style, options, "否"});
}

} // namespace

class TestDefinitions : public QObject {
    Q_OBJECT
private slots:

    void loadAndRegenerate_data() { addEngineRows(); }
    void loadAndRegenerate()
    {
        QFETCH(QString, engine);
        TestDb db(engine);
        Connection& c = db.conn();
        setExecutableDir(db.dir());
        c.exec("Create Table 职工(编号 Varchar(10),部门 Varchar(20),部门2 Varchar(20),简历 Text,照片 Image)");
        c.exec(definitionTableSql("职工"));
        defRow(c, "职工", 1, "编号", "字符型", "", "文本框");
        defRow(c, "职工", 2, "部门", "字符型", "所在部门", "单选下拉框", "销售部\r\n财务部\r\n");
        defRow(c, "职工", 3, "部门2", "字符型", "兼职部门", "奇怪的样式", "甲\r\n乙");
        defRow(c, "职工", 4, "简历", "备注型", "个人简历", "备注框");
        defRow(c, "职工", 5, "照片", "图像型", "相片", "图像框");

        PromptGuard p;
        const QList<ColumnInfo> cols = c.columns("职工");
        FieldDefinition d = openDefinitions(c, "职工", cols);
        QVERIFY(d.loaded);
        QVERIFY(p->calls.isEmpty());
        QCOMPARE(d.captions, (QStringList{"编号", "所在部门", "兼职部门", "个人简历", "相片"}));   // empty alias: the name
        QCOMPARE(d.styles, (QList<int>{1, 2, 1, 1, 1}));                                          // unknown style: text box
        QCOMPARE(d.kinds.at(4), ftGraphic);
        QCOMPARE(d.pictureField, QStringLiteral("照片"));
        QCOMPARE(d.memoCaption, QStringLiteral("个人简历"));
        // options are looked up by prefix, in row order, read afresh
        QCOMPARE(dropDownOptions(c, "职工", "部门"), (QStringList{"销售部", "财务部"}));
        c.exec("UPDATE 职工b SET FSelect='人事部' WHERE FName='部门'");
        QCOMPARE(dropDownOptions(c, "职工", "部门"), QStringList{"人事部"});
        c.exec("UPDATE 职工b SET ID=0 WHERE FName='部门2'");
        QCOMPARE(dropDownOptions(c, "职工", "部门"), (QStringList{"甲", "乙"}));
        c.exec("UPDATE 职工b SET ID=3 WHERE FName='部门2'");

        // a column added since: the definition is dropped and made again
        c.exec("ALTER TABLE 职工 ADD 工资 Money");
        d = openDefinitions(c, "职工", c.columns("职工"));
        QVERIFY(!d.loaded);
        QCOMPARE(p->texts(), QStringList{"若需要下拉框，请在“修改字段附加设置”界面中进行设置！  "});
        QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));
        QCOMPARE(d.captions, (QStringList{"编号", "部门", "部门2", "简历", "照片", "工资"}));
        QCOMPARE(d.styles, (QList<int>{1, 1, 1, 1, 1, 1}));
        QCOMPARE(exeIni().readString("cyclostyle", "职工"), QStringLiteral("职工b"));
        // the rebuilt rows carry the types the engine reports and default styles
        QSqlQuery q = c.select("SELECT FName,DType,FSize,FAlias,CType,FStyle FROM 职工b ORDER BY ID");
        QStringList rows;
        while (q.next())
            rows << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                q.value(3).toString(), q.value(4).toString(), q.value(5).toString()}.join('|');
        QCOMPARE(rows, (QStringList{"编号|字符型|10|编号|普通型|文本框", "部门|字符型|20|部门|普通型|文本框",
                                    "部门2|字符型|20|部门2|普通型|文本框", "简历|备注型|0|简历|普通型|备注框",
                                    "照片|文件型|0|照片|普通型|文本框", "工资|货币型|0|工资|普通型|文本框"}));
        // and load cleanly the next time
        p->clear();
        QVERIFY(openDefinitions(c, "职工", c.columns("职工")).loaded);
        QVERIFY(p->calls.isEmpty());

        // a renamed column makes the definition stale as well
        c.exec("ALTER TABLE 职工 DROP COLUMN 工资");
        c.exec("ALTER TABLE 职工 ADD 薪水 Money");
        QVERIFY(!loadDefinitions(c, "职工", c.columns("职工")).loaded);
        QVERIFY(!c.hasTable("职工b"));
        setExecutableDir(QString());
    }

    void vocabulary()
    {
        QCOMPARE(designerTypeNames(), (QStringList{"自动型", "字符型", "整数型", "实数型", "货币型", "日期型", "日期时间型",
                                                   "时间型", "备注型", "图像型", "文件型"}));
        const QList<QPair<QString, QString>> types{{"自动型", "Integer"},   {"字符型", "Varchar(12)"}, {"整数型", "Integer"},
                                                   {"实数型", "Float"},     {"货币型", "Money"},       {"日期型", "DateTime"},
                                                   {"日期时间型", "DateTime"}, {"时间型", "Varchar(20)"}, {"备注型", "Text"},
                                                   {"图像型", "Image"},     {"文件型", "Image"}};
        for (const auto& t : types)
            QCOMPARE(columnTypeFor(t.first, 12), t.second);
        QCOMPARE(styleCode("单选下拉框"), 2);
        QCOMPARE(styleCode("多选下拉框"), 3);
        QCOMPARE(styleCode(""), 1);
        QCOMPARE(typeOfKind(ftBoolean), QStringLiteral("字符型"));
        QCOMPARE(typeOfKind(ftBCD), QStringLiteral("BCD数型"));
    }
};

QTEST_MAIN(TestDefinitions)
#include "tst_definitions.moc"
