#pragma once
// A student table for the query tests, on either engine, with the sys.ini
// files of the test in the database's temporary directory.
#include <QTest>

#include "common/dataset.h"
#include "common/paths.h"
#include "runtime/query/condition.h"
#include "support/testdb.h"

namespace tess::test {

struct StudentDb {
    TestDb db;

    explicit StudentDb(const QString& engine = QStringLiteral("sqlite")) : db(engine)
    {
        setExecutableDir(db.dir());
        setNetPath(QString());
        Connection& c = db.conn();
        c.exec("Create Table 学生(学号 Varchar(10),姓名 Varchar(20),年龄 Integer,入学日期 DateTime,成绩 Float,简历 Text)");
        const char* rows[] = {
            "'S001','张三',18,'2023-09-01',90.5",
            "'S002','李四',19,'2023-09-01',80",
            "'S003','O''Brien',20,'2022-09-01',70",
            "'S004','王五',18,'2024-09-01',NULL",
            "'S005','',21,'2021-09-01',60",
            "'S006',NULL,22,NULL,50",
            "'S007','赵四',19,'2022-03-15',85",
            "'S008','张山',20,'2023-03-01',75",
        };
        for (const char* r : rows)
            c.exec(QStringLiteral("INSERT INTO 学生(学号,姓名,年龄,入学日期,成绩) VALUES (%1)").arg(QString::fromUtf8(r)));
    }
    ~StudentDb() { setExecutableDir(QString()); }

    Connection& conn() { return db.conn(); }

    // The query fields: every column but the memo; 入学日期 shows as 入学时间.
    static query::QueryFields fields()
    {
        query::QueryFields f;
        f.add("学号", "学号", ftString);
        f.add("姓名", "姓名", ftString);
        f.add("年龄", "年龄", ftInteger);
        f.add("入学日期", "入学时间", ftDateTime);
        f.add("成绩", "成绩", ftFloat);
        return f;
    }
};

// The values of one field over all records of an open data set, in order.
inline QStringList columnTexts(DataSet& ds, const QString& field)
{
    QStringList out;
    const int f = ds.field(field);
    for (int i = 0; i < ds.recordCount(); ++i)
        out << DataSet::displayText(ds.valueAt(i, f), ds.fieldKind(f));
    return out;
}

} // namespace tess::test
