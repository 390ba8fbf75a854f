// Workbooks: cell texts, the .xlsx writer, and the reader on files from
// other programs (FreeXL's and LibreOffice's test files, one made here).
#include <QTemporaryDir>
#include <QtTest>

#include "runtime/exchange/celltext.h"
#include "runtime/exchange/excelreader.h"
#include "runtime/exchange/excelworkbook.h"
#include "runtime/exchange/officetest.h"
#include "runtime/exchange/worddocument.h"

using namespace tess;
using namespace tess::test;

namespace {

QString fixture(const QString& name)
{
    return qEnvironmentVariable("TESS_FIXTURES") + QLatin1Char('/') + name;
}

// roster.xls was saved by LibreOffice 7.4 as "MS Excel 97": sheet "名单",
// selected, holds the table checked below; sheet "备用" holds "不读".
QString ownFile(const QString& name)
{
    return qEnvironmentVariable("TESS_SOURCE_DIR") + QStringLiteral("/tests/runtime/exchange/data/")
           + name;
}

// "BN31" -> (31, 66).
std::pair<int, int> cellOf(const QString& ref)
{
    int column = 0, i = 0;
    for (; ref.at(i).isLetter(); ++i)
        column = column * 26 + ref.at(i).unicode() - 'A' + 1;
    return {ref.mid(i).toInt(), column};
}

// A workbook as another program might write it: 1904 dates, the second
// sheet selected, parts under other names, rich and inline strings, cells
// without references, built-in and custom date formats.
bool writeHandMadeXlsx(const QString& path)
{
    const QByteArray ns = R"( xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships")";
    const QByteArray rels = R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    return writeZip(path, {
        {"_rels/.rels", rels + R"(<Relationship Id="rId1" Type=")" + rel
                            + R"(officeDocument" Target="xl/workbook.xml"/></Relationships>)"},
        {"xl/workbook.xml", "<workbook" + ns + R"(><workbookPr date1904="1"/><bookViews><workbookView activeTab="1"/></bookViews><sheets><sheet name="封面" sheetId="1" r:id="rId1"/><sheet name="数据" sheetId="2" r:id="rId7"/></sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels",
         rels + R"(<Relationship Id="rId1" Type=")" + rel + R"(worksheet" Target="worksheets/cover.xml"/>)"
             + R"(<Relationship Id="rId7" Type=")" + rel + R"(worksheet" Target="/xl/worksheets/data.xml"/>)"
             + R"(<Relationship Id="rId3" Type=")" + rel + R"(sharedStrings" Target="strings.xml"/>)"
             + R"(<Relationship Id="rId4" Type=")" + rel + R"(styles" Target="styles.xml"/></Relationships>)"},
        {"xl/strings.xml", "<sst" + ns + R"(><si><t>姓名</t></si><si><r><t>张</t></r><r><rPr><b/></rPr><t xml:space="preserve">三 </t></r><rPh sb="0" eb="1"><t>ZHANG</t></rPh></si></sst>)"},
        {"xl/styles.xml", "<styleSheet" + ns + R"(><numFmts><numFmt numFmtId="164" formatCode="yyyy&quot;年&quot;m&quot;月&quot;d&quot;日&quot;"/><numFmt numFmtId="165" formatCode="[$¥-804]#,##0.00;[Red]\-[$¥-804]#,##0.00"/><numFmt numFmtId="166" formatCode="[h]:mm:ss"/></numFmts><cellStyleXfs><xf numFmtId="14"/></cellStyleXfs><cellXfs><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/><xf numFmtId="165"/><xf numFmtId="31"/><xf numFmtId="166"/><xf numFmtId="22"/></cellXfs></styleSheet>)"},
        {"xl/worksheets/cover.xml", "<worksheet" + ns + R"(><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>封面</t></is></c></row></sheetData></worksheet>)"},
        {"xl/worksheets/data.xml", "<worksheet" + ns + R"(><sheetData>)"
             R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="inlineStr"><is><t>出生</t></is></c><c r="C1" t="inlineStr"><is><r><t>金</t></r><r><t>额</t></r></is></c></row>)"
             R"(<row r="2"><c r="A2" t="s"><v>1</v></c><c r="B2" s="1"><v>1</v></c><c r="C2" s="3"><v>1234.5</v></c><c r="D2" t="b"><v>1</v></c><c r="E2" t="e"><v>#DIV/0!</v></c><c r="F2" t="str"><f>A1&amp;"x"</f><v>姓名x</v></c></row>)"
             R"(<row><c><v>3</v></c><c><v>0.1</v></c><c s="2"><v>40000</v></c><c s="4"><v>40000</v></c><c s="5"><v>0.75</v></c><c s="6"><v>40000.25</v></c><c t="d"><v>2011-08-21T10:23:45</v></c></row>)"
             R"(<row r="5"><c r="A5" s="1"/><c r="C5"><v>1E+20</v></c></row>)"
             R"(</sheetData></worksheet>)"},
    });
}

} // namespace

class TestExcel : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void numberText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << 2.0 << "2";
        QTest::newRow("binary fraction") << 4.2 << "4.2";
        QTest::newRow("sum error") << 0.1 + 0.2 << "0.3";
        QTest::newRow("negative") << -36.76667 << "-36.76667";
        QTest::newRow("large") << 1000000.5 << "1000000.5";
        QTest::newRow("15 digits") << 123456789012345.0 << "123456789012345";
        QTest::newRow("exponent") << 1e20 << "1E+20";
        QTest::newRow("negative zero") << -0.0 << "0";
    }
    void numberText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(cells::numberText(value), text);
        QVERIFY(cells::isPlainNumber(text));
    }

    void serialText_data()
    {
        QTest::addColumn<double>("serial");
        QTest::addColumn<bool>("date1904");
        QTest::addColumn<QString>("text");
        QTest::newRow("date") << 20487.0 << false << "1956-02-02";
        QTest::newRow("date and time") << 20487.8076388889 << false << "1956-02-02 19:23:00";
        QTest::newRow("time") << 11 / 24.0 << false << "11:00:00";
        QTest::newRow("first day") << 1.0 << false << "1900-01-01";
        QTest::newRow("before the false leap day") << 59.0 << false << "1900-02-28";
        QTest::newRow("after the false leap day") << 61.0 << false << "1900-03-01";
        QTest::newRow("1904 system") << 1.0 << true << "1904-01-02";
        QTest::newRow("midnight") << 0.0 << false << "00:00:00";
    }
    void serialText()
    {
        QFETCH(double, serial);
        QFETCH(bool, date1904);
        QFETCH(QString, text);
        QCOMPARE(cells::serialText(serial, date1904), text);
    }

    void isDateFormat_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("date");
        QTest::newRow("built-in date") << 14 << "" << true;
        QTest::newRow("built-in Chinese date") << 31 << "" << true;
        QTest::newRow("built-in number") << 4 << "" << false;
        QTest::newRow("General") << 164 << "General" << false;
        QTest::newRow("text") << 49 << "@" << false;
        QTest::newRow("date and time") << 170 << R"(dd/mm/yyyy\ hh:mm)" << true;
        QTest::newRow("Chinese date") << 171 << R"(yyyy"年"m"月"d"日")" << true;
        QTest::newRow("elapsed hours") << 172 << "[h]:mm:ss" << true;
        QTest::newRow("currency with locale") << 173 << R"([$€-410]\ #,##0.00;[RED]\-[$€-410]\ #,##0.00)" << false;
        QTest::newRow("quoted words") << 174 << R"("VERO";"VERO";"FALSO")" << false;
        QTest::newRow("accounting") << 175 << "#,##0.00_);[Red](#,##0.00)" << false;
        QTest::newRow("scientific") << 176 << "0.00E+00" << false;
    }
    void isDateFormat()
    {
        QFETCH(int, id);
        QFETCH(QString, code);
        QFETCH(bool, date);
        QCOMPARE(cells::isDateFormat(id, code), date);
    }

    // The statistics and export windows write texts; they read back as
    // written, and numbers are stored as numbers.
    void roundTrip()
    {
        const QList<std::tuple<int, int, QString>> cells{
            {1, 1, "数据统计表"}, {2, 1, "序号"}, {2, 2, "字段名称"}, {3, 1, "1"},
            {3, 2, "金额"}, {3, 3, "1234.57"}, {3, 4, "007"}, {3, 5, "2000-10-12"},
            {3, 6, "東京都 "}, {3, 7, "110101199003071234"}, {3, 8, "两行\n文字"},
            {3, 9, "-0.25"}, {300, 200, "末"}};
        ExcelWorkbook book;
        for (const auto& [r, c, text] : cells)
            book.setCell(r, c, text);
        const QString path = dir.filePath("统计.xlsx");
        book.save(path);

        const ExcelReader reader(path);
        QCOMPARE(reader.rowCount(), 300);
        QCOMPARE(reader.columnCount(), 200);
        for (const auto& [r, c, text] : cells)
            QCOMPARE(reader.cell(r, c), text);
        QCOMPARE(reader.cell(2, 3), QString());

        QStringList numbers;   // cells without a type are numbers
        QXmlStreamReader x(zipPart(path, "xl/worksheets/sheet1.xml"));
        while (!x.atEnd())
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"c"
                && !x.attributes().hasAttribute("t"))
                numbers << x.attributes().value("r").toString();
        QCOMPARE(numbers, (QStringList{"A3", "C3", "I3"}));
    }

    // Files from other programs: sheet, row count and cells ("A1=text";
    // "A1=…text" for a cell ending in text).
    void read_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("BIFF5 from LibreOffice") << fixture("xls/oocalc_simple95.xls") << "Sheet1" << 2
            << QStringList{"A1=Col 1", "C1=", "A2=A", "C2=2", "D2=4.2", "E2=11:00:00",
                           "F2=2011-08-21 10:23:45", "G2=1967-03-11", "H2="};
        QTest::newRow("BIFF8 dates and times") << fixture("xls/datetime2003.xls") << "Sheet1" << 15
            << QStringList{"A1=Time", "A2=09:58:45", "A4=2007-11-06 16:28:00", "A5=2007-03-23",
                           "B2=21", "A15=04:45:30", "B15=", "A16="};
        // Saved with its second sheet selected.
        QTest::newRow("BIFF8, second sheet selected") << fixture("xls/testcase1.xls") << "Sheet2" << 20
            << QStringList{"A1=ID", "G1=67", "H1=3.212", "J1=2010-10-01", "L1=11:25:00",
                           "M1=2011-04-01 01:26:00", "A2=2172515", "D2=Candelo,Kandelo,Кандело",
                           "E2=-36.76667", "S2=2011-08-08", "U2=", "D4=…,キャンベラ,坎培拉,堪培拉,캔버라",
                           "A20=2172531"};
        QTest::newRow("xlsx from LibreOffice") << fixture("xlsx/test_xml.xlsx") << "First Sheet" << 31
            << QStringList{"A1=alpha", "B2=1", "C3=1.2", "D4=1956-02-02", "E5=true",
                           "B6=1000000.5", "B9=1550.65", "G9=北京市", "D10=1956-02-02 19:23:00",
                           "G11=東京都 ", "B16=arezzo&firenze", "BN31=BN marker", "A31="};
        QTest::newRow("xls made here") << ownFile("roster.xls") << "名单" << 5
            << QStringList{"A1=姓名", "B2=1985-07-01", "C2=1234.5", "D2=08:30:00", "E2=007",
                           "A3=李四 ", "B3=2000-10-12 12:29:10", "C3=2", "D3=", "E3=-0.25",
                           "A4=", "B4=空行", "B5=2024-02-29", "C5=1000000"};
        QTest::newRow("xlsx written by hand") << dir.filePath("hand.xlsx") << "数据" << 5
            << QStringList{"A1=姓名", "B1=出生", "C1=金额", "A2=张三 ", "B2=1904-01-02",
                           "C2=1234.5", "D2=TRUE", "E2=#DIV/0!", "F2=姓名x", "A3=3", "B3=0.1",
                           "C3=2013-07-07", "D3=2013-07-07", "E3=18:00:00",
                           "F3=2013-07-07 06:00:00", "G3=2011-08-21 10:23:45", "A5=", "C5=1E+20"};
    }
    void read()
    {
        QFETCH(QString, path);
        QFETCH(QString, sheet);
        QFETCH(int, rows);
        QFETCH(QStringList, cells);
        if (path.endsWith("hand.xlsx"))
            QVERIFY(writeHandMadeXlsx(path));
        const ExcelReader reader(path);
        QCOMPARE(reader.sheetName(), sheet);
        QCOMPARE(reader.rowCount(), rows);
        for (const QString& c : cells) {
            const qsizetype eq = c.indexOf('=');
            const auto [r, col] = cellOf(c.left(eq));
            const QString text = c.mid(eq + 1);
            if (text.startsWith(u'…'))
                QVERIFY2(reader.cell(r, col).endsWith(text.mid(1)), qPrintable(reader.cell(r, col)));
            else
                QCOMPARE(reader.cell(r, col), text);
        }
    }

    void readErrors_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");   // empty: the file is made below
        QTest::addColumn<int>("reason");
        QFile roster(ownFile("roster.xls"));
        QVERIFY(roster.open(QIODevice::ReadOnly));
        const QByteArray xls = roster.readAll();
        // An encrypted .xlsx is a compound file holding an "EncryptedPackage"
        // stream: rename the workbook stream of a real file to that.
        QByteArray encrypted = xls;
        const QByteArray from = QByteArray("W\0o\0r\0k\0b\0o\0o\0k\0\0\0", 18);
        const qsizetype at = encrypted.indexOf(from);
        QVERIFY(at > 0 && at % 128 == 0);
        const QString to = QStringLiteral("EncryptedPackage");
        encrypted.replace(at, to.size() * 2 + 2, QByteArray(reinterpret_cast<const char*>(to.utf16()), to.size() * 2) + QByteArray(2, 0));
        encrypted[at + 64] = char(to.size() * 2 + 2);

        QTest::newRow("missing") << "none.xls" << QByteArray() << int(OfficeError::Unreadable);
        QTest::newRow("text") << "list.xls" << QByteArray("a,b\n1,2\n") << int(OfficeError::NotWorkbook);
        QTest::newRow("Word document") << "doc.xlsx" << QByteArray() << int(OfficeError::NotWorkbook);
        QTest::newRow("cut short") << "short.xls" << xls.left(1536) << int(OfficeError::Unreadable);
        QTest::newRow("damaged XML") << "bad.xlsx" << QByteArray() << int(OfficeError::Unreadable);
        QTest::newRow("encrypted") << "secret.xlsx" << encrypted << int(OfficeError::Protected);
    }
    void readErrors()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(int, reason);
        const QString path = dir.filePath(name);
        if (!content.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
        } else if (name == u"doc.xlsx") {
            WordDocument().save(path);
        } else if (name == u"bad.xlsx") {
            QVERIFY(writeZip(path, {{"xl/workbook.xml", "<workbook><sheets><sheet name=\"a\""}}));
        }
        QCOMPARE(failure([&] { ExcelReader reader(path); }), reason);
    }

    void writeErrors()
    {
        ExcelWorkbook book;
        QCOMPARE(failure([&] { book.setCell(0, 1, "x"); }), OfficeError::OutOfRange);
        QCOMPARE(failure([&] { book.setCell(1, 16385, "x"); }), OfficeError::OutOfRange);
        book.setCell(1, 1, "x");
        QCOMPARE(failure([&] { book.save(dir.filePath("missing/x.xlsx")); }), OfficeError::CannotWrite);
    }
};

QTEST_MAIN(TestExcel)
#include "tst_excel.moc"
