// Word documents written as .docx and read back from the package's XML.
#include <QTemporaryDir>
#include <QtTest>

#include "runtime/exchange/officetest.h"
#include "runtime/exchange/worddocument.h"

using namespace tess;
using namespace tess::test;

namespace {

// The body of document.xml: each paragraph's text (tabs as "\t"), a table as
// "<table>", and each table's cells row by row (a cell's paragraphs joined
// with "\n").
struct Body {
    QStringList outline;
    QList<QList<QStringList>> tables;
};

QString paragraphText(QXmlStreamReader& x)
{
    QString text;
    while (!x.atEnd() && !(x.isEndElement() && x.name() == u"p")) {
        x.readNext();
        if (x.isStartElement() && x.name() == u"t")
            text += x.readElementText();
        else if (x.isStartElement() && x.name() == u"tab")
            text += QLatin1Char('\t');
    }
    return text;
}

Body readBody(const QByteArray& xml)
{
    Body body;
    QXmlStreamReader x(xml);
    x.readNextStartElement();   // document
    x.readNextStartElement();   // body
    while (x.readNextStartElement()) {
        if (x.name() == u"p") {
            body.outline << paragraphText(x);
        } else if (x.name() == u"tbl") {
            body.outline << QStringLiteral("<table>");
            QList<QStringList> rows;
            while (x.readNextStartElement()) {
                if (x.name() != u"tr") {
                    x.skipCurrentElement();
                    continue;
                }
                QStringList row;
                while (x.readNextStartElement()) {
                    if (x.name() != u"tc") {
                        x.skipCurrentElement();
                        continue;
                    }
                    QStringList lines;
                    while (x.readNextStartElement()) {
                        if (x.name() == u"p")
                            lines << paragraphText(x);
                        else
                            x.skipCurrentElement();
                    }
                    row << lines.join(QLatin1Char('\n'));
                }
                rows << row;
            }
            body.tables << rows;
        } else {
            x.skipCurrentElement();
        }
    }
    return body;
}

} // namespace

class TestWordDocument : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QByteArray written(const WordDocument& doc, const QString& name)
    {
        const QString path = dir.filePath(name);
        doc.save(path);
        return zipPart(path, QStringLiteral("word/document.xml"));
    }

private slots:
    // Typing and tables at the insertion point give the paragraphs in order.
    void outline_data()
    {
        QTest::addColumn<QStringList>("calls");   // "P", "T:text", "table"
        QTest::addColumn<QStringList>("outline");
        QTest::newRow("new document") << QStringList() << QStringList{""};
        QTest::newRow("text form of the export")
            << QStringList{"T:数据表", "P", "P", "T:序号\t姓名\t", "P", "T:1\t张三\t"}
            << QStringList{"数据表", "", "序号\t姓名\t", "1\t张三\t"};
        QTest::newRow("line breaks typed as text")
            << QStringList{"T:数据表\r\r序号\t", "T:a\r\nb\nc"}
            << QStringList{"数据表", "", "序号\ta", "b", "c"};
        QTest::newRow("table at an empty paragraph")
            << QStringList{"P", "table"} << QStringList{"", "<table>", ""};
        QTest::newRow("table after a title")
            << QStringList{"P", "T:数据统计表", "table"}
            << QStringList{"", "数据统计表", "<table>", ""};
        QTest::newRow("typing after a table")
            << QStringList{"T:a", "table", "T:b"} << QStringList{"a", "<table>", "b"};
    }
    void outline()
    {
        QFETCH(QStringList, calls);
        QFETCH(QStringList, outline);
        WordDocument doc;
        for (const QString& call : calls) {
            if (call == u"P")
                doc.typeParagraph();
            else if (call == u"table")
                doc.addTable(1, 2);
            else
                doc.typeText(call.mid(2));
        }
        QCOMPARE(readBody(written(doc, QStringLiteral("outline.docx"))).outline, outline);
    }

    // The statistics export: empty paragraph, title, 3 x 4 table, grid look
    // or a plain new table.
    void table_data()
    {
        QTest::addColumn<bool>("grid");
        QTest::newRow("grid look") << true;
        QTest::newRow("plain table") << false;
    }
    void table()
    {
        QFETCH(bool, grid);
        const QList<QStringList> cells{
            {"序号", "字段名称", "数据个数", "数据总和"},
            {"1", "金额", "12", "1234.57"},
            {"2", "a\tb", "", "两行\n文字"},
        };
        WordDocument doc;
        doc.typeParagraph();
        doc.typeText(QStringLiteral("数据统计表"));
        WordTable& table = doc.addTable(3, 4);
        if (grid)
            table.applyGridFormat();
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                table.setCell(r + 1, c + 1, cells[r][c]);

        const QByteArray xml = written(doc, QStringLiteral("table.docx"));
        const Body body = readBody(xml);
        QCOMPARE(body.outline, (QStringList{"", "数据统计表", "<table>", ""}));
        QCOMPARE(body.tables.size(), 1);
        QCOMPARE(body.tables.first(), cells);

        // Fixed widths and thin single inside borders in both cases.
        QCOMPARE(attributeValues(xml, u"tblLayout", u"type"), QStringList{"fixed"});
        QCOMPARE(attributeValues(xml, u"gridCol", u"w").size(), 4);
        QCOMPARE(attributeValues(xml, u"insideH", u"sz"), QStringList{"4"});
        QCOMPARE(attributeValues(xml, u"insideV", u"val"), QStringList{"single"});
        const QString outside = grid ? QStringLiteral("12") : QStringLiteral("4");
        for (auto side : {u"top", u"left", u"bottom", u"right"})
            QCOMPARE(attributeValues(xml, side, u"sz"), QStringList{outside});
        // The grid look: rows centred, kept whole, at least 16 pt; cells
        // centred vertically; paragraphs centred in 宋体 9 pt.
        const int n = grid ? 1 : 0;
        QCOMPARE(attributeValues(xml, u"jc", u"val").count(u"center"), n * (1 + 13));
        QCOMPARE(attributeValues(xml, u"trHeight", u"val"), QStringList(3 * n, "320"));
        QCOMPARE(attributeValues(xml, u"trHeight", u"hRule"), QStringList(3 * n, "atLeast"));
        QCOMPARE(QString(xml).count(u"<w:cantSplit/>"), 3 * n);
        QCOMPARE(attributeValues(xml, u"vAlign", u"val"), QStringList(12 * n, "center"));
        const QStringList fonts = attributeValues(xml, u"rFonts", u"eastAsia");
        QCOMPARE(fonts.count(u"宋体"), fonts.size());
        QCOMPARE(fonts.size() > 0, grid);
        const QStringList sizes = attributeValues(xml, u"sz", u"val");
        QCOMPARE(sizes.count(u"18"), sizes.size());
        QCOMPARE(sizes.size() > 0, grid);
    }

    void errors()
    {
        WordDocument doc;
        WordTable& table = doc.addTable(2, 3);
        QCOMPARE(failure([&] { table.setCell(3, 1, "x"); }), OfficeError::OutOfRange);
        QCOMPARE(failure([&] { table.setCell(1, 0, "x"); }), OfficeError::OutOfRange);
        QCOMPARE(failure([&] { doc.addTable(1, 64); }), OfficeError::OutOfRange);
        QCOMPARE(failure([&] { doc.save(dir.filePath("missing/x.docx")); }), OfficeError::CannotWrite);
        QVERIFY(!QFile::exists(dir.filePath("missing/x.docx")));
    }
};

QTEST_MAIN(TestWordDocument)
#include "tst_worddocument.moc"
