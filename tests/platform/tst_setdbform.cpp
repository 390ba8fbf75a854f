#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>

#include "common/definitions.h"
#include "platform/designrules.h"
#include "platform/setdbform.h"
#include "platformworld.h"

using namespace tess;
using namespace tess::test;

namespace {

// A definition row as "id|name|type|size|ctype|style|options|key"; id 0 and
// size -1 stand for empty cells, options are separated by ';'.
QString row(int id, const QString& name, const QString& dtype = "字符型", int size = 10, const QString& style = "文本框",
            const QString& options = {}, const QString& key = "否", const QString& ctype = "普通型")
{
    return QStringList{id ? QString::number(id) : QString(), name, dtype, size < 0 ? QString() : QString::number(size),
                       ctype, style, options, key}
        .join('|');
}

// Writes rows into the designer's definition table as if typed.
void putRows(TSetDBForm& f, const QStringList& rows)
{
    DataSet* t = f.ADOTable1;
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList v = rows.at(i).split('|');
        if (i > 0)
            t->append();
        else if (t->state() == DataSetState::Browse)
            t->edit();
        auto text = [](const QString& s) { return s.isEmpty() ? QVariant() : QVariant(s); };
        t->setValue("ID", v[0].isEmpty() ? QVariant() : QVariant(v[0].toInt()));
        t->setValue("FName", text(v[1]));
        t->setValue("DType", text(v[2]));
        t->setValue("FSize", v[3].isEmpty() ? QVariant() : QVariant(v[3].toInt()));
        t->setValue("CType", text(v[4]));
        t->setValue("FStyle", text(v[5]));
        t->setValue("FSelect", text(QString(v[6]).replace(';', "\r\n")));
        t->setValue("FKey", text(v[7]));
        t->post();
    }
}

// The designer with a new table of that name.
void startDesign(TSetDBForm& f, PromptGuard& p, const QString& name)
{
    p->plan(name);
    f.newTable();
    p->clear();
}

QStringList column(TSetDBForm& f, const QString& field)
{
    QStringList out;
    for (int i = 0; i < f.ADOTable1->recordCount(); ++i)
        out << f.ADOTable1->valueAt(i, f.column(field)).toString();
    return out;
}

QStringList templateItems(TSetDBForm& f)
{
    QStringList out;
    for (QAction* a : f.TemplateMenu->actions())
        out << a->text();
    return out;
}

} // namespace

class TestSetDBForm : public QObject {
    Q_OBJECT
private slots:
    void newDesign()
    {
        PlatformWorld w;
        PromptGuard p;
        TSetDBForm f;
        QVERIFY(!f.ADOTable1->active());
        QCOMPARE(f.size(), QSize(799, 572));
        p->plan(QStringLiteral("客户"));
        f.newTable();
        QCOMPARE(p->calls.size(), 1);
        QCOMPARE(p->calls[0].caption, QStringLiteral("输入数据库表名称"));
        QCOMPARE(p->calls[0].text, QStringLiteral("数据库表名称"));
        // one row with the defaults, the template listed, the caption set
        QCOMPARE(f.ADOTable1->recordCount(), 1);
        QCOMPARE(column(f, "ID"), QStringList{"1"});
        QCOMPARE(column(f, "DType"), QStringList{"字符型"});
        QCOMPARE(column(f, "FSize"), QStringList{"20"});
        QCOMPARE(column(f, "CType"), QStringList{"普通型"});
        QCOMPARE(column(f, "FStyle"), QStringList{"文本框"});
        QVERIFY(w.conn().hasTable("客户b"));
        QCOMPARE(exeIni().readString("cyclostyle", "客户"), QStringLiteral("客户b"));
        QCOMPARE(templateItems(f), QStringList{"客户"});
        QCOMPARE(f.windowTitle(), QStringLiteral("客户"));
        // grid titles in order, FAlias not shown
        QStringList titles;
        for (int c = 0; c < f.model->columnCount(); ++c)
            if (!f.DBGrid1->isColumnHidden(c))
                titles << f.model->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles, (QStringList{"字段序号", "字段名称", "数据类型", "字段大小", "计算类型", "输入框样式", "下拉框内容",
                                      "关键字段"}));

        // a second "新建" of the same name asks; Cancel keeps everything
        f.ADOTable1->setValue("FName", "编号");
        f.ADOTable1->post();
        w.conn().exec("Create Table 客户(编号 Varchar(10))");
        w.conn().exec("INSERT INTO 客户 VALUES ('001')");
        p->plan(QStringLiteral("客户"));
        p->plan(Answer::Cancel);
        f.newTable();
        QCOMPARE(p->texts(), QStringList{"数据库文件已经存在，是否要重新创建?  "});
        QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));
        QCOMPARE(w.rows("SELECT FName FROM 客户b"), QStringList{"编号"});
        QCOMPARE(w.rows("SELECT 编号 FROM 客户"), QStringList{"001"});
        // OK drops both and starts afresh
        p->clear();
        p->plan(QStringLiteral("客户"));
        p->plan(Answer::Ok);
        f.newTable();
        QVERIFY(!w.conn().hasTable("客户"));
        QCOMPARE(w.rows("SELECT FName FROM 客户b"), QStringList{});
        QCOMPARE(f.ADOTable1->recordCount(), 1);
    }

    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("why");   // empty: accepted
        QTest::newRow("Chinese") << "客户" << "";
        QTest::newRow("underscore and digits") << "T_2" << "";
        QTest::newRow("blank") << "客户 表" << "名称中不能有空格";
        QTest::newRow("quote") << "O'Brien" << "名称中不能有字符“'”";
        QTest::newRow("punctuation") << "a-b" << "名称中不能有字符“-”";
        QTest::newRow("leading digit") << "1表" << "名称不能以数字开头";
        QTest::newRow("keyword") << "select" << "“select”是数据库保留字";
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(QString, why);
        PlatformWorld w;
        PromptGuard p;
        TSetDBForm f;
        // as a table name
        p->plan(name);
        f.newTable();
        if (why.isEmpty()) {
            QVERIFY(p->texts().isEmpty());
            QVERIFY(w.conn().hasTable(name + "b"));
        } else {
            QCOMPARE(p->texts(), QStringList{QStringLiteral("“%1”不能作为数据库表名称：%2！  ").arg(name, why)});
            QVERIFY(!f.ADOTable1->active());
            QVERIFY(!exeIni().valueExists("cyclostyle", name));
        }
        // as a field name, at "确定"
        p->clear();
        startDesign(f, p, "T");
        putRows(f, {row(1, name)});
        f.createTable();
        if (why.isEmpty()) {
            QVERIFY(f.created);
            QCOMPARE(w.conn().columns("T").at(0).name, name);
        } else {
            QCOMPARE(p->texts(), QStringList{QStringLiteral("“%1”不能作为字段名称：%2！  ").arg(name, why)});
            QVERIFY(!w.conn().hasTable("T"));
        }
    }

    void validation_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("message");   // empty: the table is created
        QTest::addColumn<int>("failing");
        const QString K = "是";
        QTest::newRow("key rows at 1 and 3")
            << QStringList{row(1, "A", "字符型", 10, "文本框", {}, K), row(2, "B"), row(3, "C", "字符型", 10, "文本框", {}, K)}
            << "关键字段位置必须连续放在一起！  " << 3;
        QTest::newRow("single key at 2") << QStringList{row(1, "A"), row(2, "B", "字符型", 10, "文本框", {}, K)}
                                         << "关键字段必须放在第一个字段位置！  " << 2;
        QTest::newRow("keys at 1 and 2")
            << QStringList{row(1, "A", "字符型", 10, "文本框", {}, K), row(2, "B", "整数型", 0, "文本框", {}, K), row(3, "C")}
            << "" << 0;
        QTest::newRow("memo with empty style") << QStringList{row(1, "A", "备注型", 0, "")} << "" << 0;
        QTest::newRow("picture and file with empty style")
            << QStringList{row(1, "A", "图像型", 0, ""), row(2, "B", "文件型", 0, "")} << "" << 0;
        QTest::newRow("string with empty style") << QStringList{row(1, "A"), row(2, "B", "字符型", 10, "")}
                                                 << "输入框样式不能为空！  " << 2;
        QTest::newRow("string of size 0") << QStringList{row(1, "A", "字符型", 0)} << "字符型字段大小不能为空！  " << 1;
        QTest::newRow("string without size") << QStringList{row(1, "A", "字符型", -1)} << "字符型字段大小不能为空！  " << 1;
        QTest::newRow("integer of size 0") << QStringList{row(1, "A", "整数型", 0)} << "" << 0;
        QTest::newRow("no number") << QStringList{row(1, "A"), row(0, "B")} << "序号不能为空！  " << 2;
        QTest::newRow("no name") << QStringList{row(1, "")} << "字段名称不能为空！  " << 1;
        QTest::newRow("no name and no type: the name first") << QStringList{row(1, "", "", 10, "")}
                                                              << "字段名称不能为空！  " << 1;
        QTest::newRow("no type") << QStringList{row(1, "A", "")} << "数据类型不能为空！  " << 1;
        QTest::newRow("no computation type") << QStringList{row(1, "A", "字符型", 10, "文本框", {}, "否", "")}
                                             << "计算类型不能为空！  " << 1;
        QTest::newRow("drop-down without options") << QStringList{row(1, "A", "字符型", 10, "单选下拉框")}
                                                   << "输入框样式为下拉框时下拉框内容不能为空！  " << 1;
        QTest::newRow("multiple choice with options") << QStringList{row(1, "A", "字符型", 10, "多选下拉框", "甲;乙")}
                                                      << "" << 0;
        QTest::newRow("a name twice") << QStringList{row(1, "名称"), row(2, "名称")} << "字段名称“名称”重复！  " << 2;
        QTest::newRow("a name twice, other case") << QStringList{row(1, "Name"), row(2, "NAME")}
                                                  << "字段名称“NAME”重复！  " << 2;
    }
    void validation()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, message);
        QFETCH(int, failing);
        PlatformWorld w;
        PromptGuard p;
        TSetDBForm f;
        startDesign(f, p, "T");
        putRows(f, rows);
        f.createTable();
        if (message.isEmpty()) {
            QCOMPARE(p->texts(), QStringList{"数据库表创建成功！  "});
            QVERIFY(f.created);
            QVERIFY(w.conn().hasTable("T"));
            // every row got its caption from its name
            QCOMPARE(w.rows("SELECT FAlias FROM Tb ORDER BY ID"), w.rows("SELECT FName FROM Tb ORDER BY ID"));
        } else {
            QCOMPARE(p->texts(), QStringList{message});
            QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));
            QVERIFY(!f.created);
            QVERIFY(!w.conn().hasTable("T"));
            QCOMPARE(f.ADOTable1->recNo(), failing);
        }
    }

    void createStatement_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("sql");
        QTest::newRow("example") << QStringList{row(1, "A", "字符型", 10), row(2, "B", "货币型", 0)}
                                 << "Create Table T(A Varchar(10),B Money)";
        QTest::newRow("every designer type")
            << QStringList{row(1, "a", "自动型"), row(2, "b", "整数型"), row(3, "c", "实数型"), row(4, "d", "日期型"),
                           row(5, "e", "日期时间型"), row(6, "f", "时间型"), row(7, "g", "备注型"), row(8, "h", "图像型"),
                           row(9, "i", "文件型")}
            << "Create Table T(a Integer,b Integer,c Float,d DateTime,e DateTime,f Varchar(20),g Text,h Image,i Image)";
        QTest::newRow("BCD of a converted template") << QStringList{row(1, "x", "BCD数型", 0)}
                                                     << "Create Table T(x Decimal(18,4))";
    }
    void createStatement()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, sql);
        QList<DefinitionRow> defs;
        for (const QString& r : rows) {
            const QStringList v = r.split('|');
            defs << DefinitionRow{v[0].toInt(), v[1], v[2], v[3].toInt(), v[4], {}, v[5], v[6], v[7]};
        }
        QCOMPARE(createTableSql("T", defs), sql);
    }

    void createOnEngine_data() { addEngineRows(); }
    void createOnEngine()
    {
        QFETCH(QString, engine);
        PlatformWorld w(engine);
        PromptGuard p;
        {
            TSetDBForm f;
            startDesign(f, p, "T");
            putRows(f, {row(1, "A", "字符型", 10), row(2, "B", "货币型", 0), row(3, "C", "BCD数型", 0)});
            f.createTable();
            QCOMPARE(p->texts(), QStringList{"数据库表创建成功！  "});
            QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));
            QVERIFY(f.created);
            QCOMPARE(f.result(), int(QDialog::Accepted));
        }
        QList<ColumnInfo> cols = w.conn().columns("T");
        QCOMPARE(cols.size(), 3);
        QCOMPARE(cols[0].name, QStringLiteral("A"));
        QCOMPARE(cols[0].kind, ftString);
        QCOMPARE(cols[0].size, 10);
        QCOMPARE(cols[1].kind, ftCurrency);
        QCOMPARE(cols[2].kind, ftBCD);
        w.conn().exec("INSERT INTO T(A,B) VALUES ('x',1.5)");

        // Designing it again: the question comes at "确定"; Cancel keeps the table and its rows.
        TSetDBForm f;
        f.openTemplate("T");
        QCOMPARE(f.currentName, QStringLiteral("T"));
        QCOMPARE(column(f, "FName"), (QStringList{"A", "B", "C"}));
        p->clear();
        p->plan(Answer::Cancel);
        f.createTable();
        QCOMPARE(p->texts(), QStringList{"数据库文件已经存在，是否要重新创建?  "});
        QCOMPARE(w.rows("SELECT A FROM T"), QStringList{"x"});
        // A failing row stops "确定" before anything is dropped.
        f.ADOTable1->setRecNo(2);
        f.ADOTable1->edit();
        f.ADOTable1->setValue("FName", QVariant());
        p->clear();
        f.createTable();
        QCOMPARE(p->texts(), QStringList{"字段名称不能为空！  "});
        QCOMPARE(w.rows("SELECT A FROM T"), QStringList{"x"});
        // OK recreates it, empty, from the rows as they are now.
        f.ADOTable1->setRecNo(2);
        f.ADOTable1->edit();
        f.ADOTable1->setValue("FName", "B2");
        p->clear();
        p->plan(Answer::Ok);
        f.createTable();
        QCOMPARE(p->texts(), (QStringList{"数据库文件已经存在，是否要重新创建?  ", "数据库表创建成功！  "}));
        QCOMPARE(w.rows("SELECT A FROM T"), QStringList{});
        QCOMPARE(w.conn().columns("T").at(1).name, QStringLiteral("B2"));
    }

    void addRowCounting()
    {
        PlatformWorld w;
        PromptGuard p;
        TSetDBForm f;
        startDesign(f, p, "T");
        DataSet* t = f.ADOTable1;
        // the first row, a key, without a name
        t->setValue("FKey", "是");
        f.addRow();
        QCOMPARE(p->texts(), QStringList{"字段名称不能为空！  "});
        QCOMPARE(t->recordCount(), 1);
        // named now, it is still the first row and passes
        t->edit();
        t->setValue("FName", " 编号 ");
        p->clear();
        f.addRow();
        QVERIFY(p->texts().isEmpty());
        QCOMPARE(t->recordCount(), 2);
        QCOMPARE(t->value("ID").toInt(), 2);
        QCOMPARE(t->value("DType").toString(), QStringLiteral("字符型"));
        QCOMPARE(w.rows("SELECT FName,FAlias FROM Tb"), QStringList{"编号|编号"});
        // a plain row, then a key after it
        t->setValue("FName", "名称");
        f.addRow();
        t->setValue("FName", "等级");
        t->setValue("FKey", "是");
        f.addRow();
        QCOMPARE(p->texts(), QStringList{"关键字段位置必须连续放在一起！  "});
        QCOMPARE(t->recordCount(), 3);
        // the failure reset the counts, so the same row now counts as the
        // first one validated; "确定" checks every row from the first again
        p->clear();
        f.addRow();
        QVERIFY(p->texts().isEmpty());
        QCOMPARE(t->recordCount(), 4);

        // "插入" puts a row before the current one without validating it;
        // the new fourth row was posted when the cursor left it
        t->setRecNo(2);
        f.insertRow();
        QCOMPARE(t->recNo(), 2);
        QCOMPARE(t->value("ID").toInt(), 5);
        QVERIFY(p->texts().isEmpty());

        // with every row deleted, "增加" starts a row again
        t->cancel();
        while (!t->isEmpty()) {
            p->plan(Answer::Ok);
            f.deleteRow();
        }
        QCOMPARE(p->texts().first(), QStringLiteral("确实要删除吗?  "));
        f.addRow();
        QCOMPARE(t->recordCount(), 1);
        QCOMPARE(t->value("ID").toInt(), 1);
        // a cancelled delete keeps the row
        t->post();
        p->plan(Answer::Cancel);
        f.deleteRow();
        QCOMPARE(t->recordCount(), 1);
    }

    void moveAndRenumber_data() { addEngineRows(); }
    void moveAndRenumber()
    {
        QFETCH(QString, engine);
        PlatformWorld w(engine);
        PromptGuard p;
        TSetDBForm f;
        startDesign(f, p, "T");
        putRows(f, {row(1, "A", "字符型", 10, "文本框", {}, "是"), row(2, "B", "整数型", 0, "单选下拉框", "甲;乙"),
                    row(3, "C", "备注型", 0, "备注框", {}, "否", "计算型")});
        DataSet* t = f.ADOTable1;
        auto values = [&](int r) {
            QStringList out;
            for (const char* c : {"ID", "FName", "DType", "FSize", "CType", "FStyle", "FSelect", "FKey"})
                out << t->valueAt(r, f.column(c)).toString();
            return out.join('|');
        };
        const QString a = values(0), b = values(1), c = values(2);
        t->setRecNo(2);
        f.moveUp();
        QCOMPARE(values(0), b);   // all eight values, the number too
        QCOMPARE(values(1), a);
        QCOMPARE(t->recNo(), 1);
        f.moveUp();   // the first row stays
        QCOMPARE(values(0), b);
        t->setRecNo(3);
        f.moveDown();   // so does the last
        QCOMPARE(values(2), c);
        f.renumber();
        QCOMPARE(column(f, "ID"), (QStringList{"1", "2", "3"}));
        QCOMPARE(column(f, "FName"), (QStringList{"B", "A", "C"}));

        // moved and not renumbered: "确定" numbers the rows as the columns
        // come, so the runtime finds its definitions
        t->setRecNo(3);
        f.moveUp();
        QCOMPARE(column(f, "ID"), (QStringList{"1", "3", "2"}));
        t->setRecNo(3);
        t->edit();
        t->setValue("FKey", "否");
        f.createTable();
        QVERIFY(f.created);
        QCOMPARE(w.rows("SELECT ID,FName FROM Tb ORDER BY ID"), (QStringList{"1|B", "2|C", "3|A"}));
        const FieldDefinition d = loadDefinitions(w.conn(), "T", w.conn().columns("T"));
        QVERIFY(d.loaded);
        QCOMPARE(d.names, (QStringList{"B", "C", "A"}));
        QCOMPARE(d.styles, (QList<int>{2, 1, 1}));
    }

    void templates_data() { addEngineRows(); }
    void templates()
    {
        QFETCH(QString, engine);
        PlatformWorld w(engine);
        PromptGuard p;
        TSetDBForm f;
        startDesign(f, p, "S");
        putRows(f, {row(1, "旧", "整数型", 0)});
        startDesign(f, p, "T");
        putRows(f, {row(1, "A", "字符型", 12, "单选下拉框", "甲;乙", "是"), row(2, "B", "货币型", 0, "文本框", {}, "否", "计算型")});
        const QStringList tRows = w.rows("SELECT ID,FName,DType,FSize,CType,FAlias,FStyle,FSelect,FKey FROM Tb ORDER BY ID");

        // "另存为" over an existing template asks; Cancel leaves it alone
        p->plan(QStringLiteral("S"));
        p->plan(Answer::Cancel);
        f.saveAs();
        QCOMPARE(p->texts(), QStringList{"数据库表已经存在，是否要覆盖?  "});
        QCOMPARE(p->lastCaption(), QStringLiteral("警告  "));
        QCOMPARE(w.rows("SELECT FName FROM Sb"), QStringList{"旧"});
        QCOMPARE(f.currentName, QStringLiteral("T"));
        // OK: the copy keeps every row and value, and becomes the current template
        p->clear();
        p->plan(QStringLiteral("S"));
        p->plan(Answer::Ok);
        f.saveAs();
        QCOMPARE(w.rows("SELECT ID,FName,DType,FSize,CType,FAlias,FStyle,FSelect,FKey FROM Sb ORDER BY ID"), tRows);
        QCOMPARE(f.currentName, QStringLiteral("S"));
        QCOMPARE(f.windowTitle(), QStringLiteral("S"));
        QCOMPARE(column(f, "FName"), (QStringList{"A", "B"}));
        QCOMPARE(exeIni().readSection("cyclostyle"), (QStringList{"S", "T"}));
        // a new name makes a new template
        p->clear();
        p->plan(QStringLiteral("U"));
        f.saveAs();
        QVERIFY(p->texts().isEmpty());
        QCOMPARE(exeIni().readString("cyclostyle", "U"), QStringLiteral("Ub"));
        QCOMPARE(templateItems(f), (QStringList{"S", "T", "U"}));
        // the template itself is no target: its rows would be dropped
        p->clear();
        p->plan(QStringLiteral("u"));
        f.saveAs();
        QCOMPARE(p->texts(), QStringList{"“u”就是当前模板，请输入另一个名称！  "});
        QCOMPARE(w.rows("SELECT FName FROM Ub ORDER BY ID"), (QStringList{"A", "B"}));

        // "删除模板" refuses a template whose table exists
        w.conn().exec("Create Table U(A Varchar(12))");
        p->clear();
        f.deleteTemplate();
        QCOMPARE(p->texts(), QStringList{"此模板已被系统使用，不能删除！  "});
        QCOMPARE(p->lastCaption(), QStringLiteral("文件打开出错   "));
        w.conn().exec("DROP Table U");
        // asks; Cancel keeps the entry
        p->clear();
        p->plan(Answer::Cancel);
        f.deleteTemplate();
        QCOMPARE(p->texts(), QStringList{"确实要删除模板吗?  "});
        QVERIFY(exeIni().valueExists("cyclostyle", "U"));
        // OK removes only the entry
        p->plan(Answer::Ok);
        f.deleteTemplate();
        QVERIFY(!exeIni().valueExists("cyclostyle", "U"));
        QVERIFY(w.conn().hasTable("Ub"));
        QCOMPARE(f.windowTitle(), QString());
        QCOMPARE(templateItems(f), (QStringList{"S", "T", "U"}));
        // and the menu item still opens it
        f.openTemplate("T");
        QCOMPARE(f.currentName, QStringLiteral("T"));
        f.TemplateMenu->actions().at(2)->trigger();
        QCOMPARE(f.currentName, QStringLiteral("U"));
        QCOMPARE(f.windowTitle(), QStringLiteral("U"));
        QCOMPARE(column(f, "FName"), (QStringList{"A", "B"}));

        // a template whose table is gone
        w.conn().exec("DROP Table Sb");
        p->clear();
        f.openTemplate("S");
        QCOMPARE(p->texts(), QStringList{" 模板不存在！ "});
        QCOMPARE(f.currentName, QStringLiteral("U"));
        QCOMPARE(column(f, "FName"), (QStringList{"A", "B"}));

        // a new designer lists the templates of [cyclostyle] in file order
        TSetDBForm g;
        QCOMPARE(templateItems(g), (QStringList{"S", "T"}));
    }

    void optionEditor()
    {
        PlatformWorld w;
        PromptGuard p;
        TSetDBForm f;
        f.show();
        startDesign(f, p, "T");
        putRows(f, {row(1, "等级", "字符型", 10, "单选下拉框", "甲;乙"), row(2, "名称")});
        QTableView* g = f.DBGrid1;
        const int options = f.column("FSelect");
        g->setCurrentIndex(f.model->index(0, options));
        QCoreApplication::processEvents();
        QVERIFY(f.DBMemo1->isVisible());
        const QRect cell = g->visualRect(f.model->index(0, options));
        const QPoint at = g->viewport()->mapTo(&f, cell.topLeft());
        QCOMPARE(f.DBMemo1->geometry(), QRect(at.x() - 260, at.y() + 2, 200, 104));
        QCOMPARE(f.DBMemo1->toPlainText(), QStringLiteral("甲\n乙"));
        shot(&f, "setdbform-options");
        // typed lines are stored one option a line
        f.DBMemo1->setPlainText("甲等\n乙等\n丙等");
        f.ADOTable1->post();
        QCOMPARE(w.rows("SELECT FSelect FROM Tb WHERE ID=1"), QStringList{"甲等\r\n乙等\r\n丙等"});
        // another column, or a row without a drop-down style: hidden
        g->setCurrentIndex(f.model->index(0, f.column("FName")));
        QVERIFY(!f.DBMemo1->isVisible());
        g->setCurrentIndex(f.model->index(1, options));
        QVERIFY(!f.DBMemo1->isVisible());
        f.ADOTable1->edit();
        f.ADOTable1->setValue("FStyle", "多选下拉框");
        QVERIFY(f.DBMemo1->isVisible());
        QVERIFY(f.DBMemo1->toPlainText().isEmpty());
        QCOMPARE(TSetDBForm::optionEditorRect(QRect(300, 40, 90, 20)), QRect(40, 42, 200, 104));
    }
};

QTEST_MAIN(TestSetDBForm)
#include "tst_setdbform.moc"
