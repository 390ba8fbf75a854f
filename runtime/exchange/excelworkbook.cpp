#include "runtime/exchange/excelworkbook.h"

#include <QBuffer>
#include <QXmlStreamWriter>
#include <algorithm>

#include "runtime/exchange/celltext.h"
#include "runtime/exchange/ooxml.h"

namespace tess {

namespace {

constexpr int maxRows = 1048576, maxColumns = 16384, maxText = 32767;

// 1 -> "A", 27 -> "AA".
QString columnName(int column)
{
    QString name;
    for (; column > 0; column = (column - 1) / 26)
        name.prepend(QChar(u'A' + (column - 1) % 26));
    return name;
}

// Written with the library's own XML: libxlsxwriter cannot share a process
// with QuaZip, whose minizip functions take the place of the ones it calls.
const char contentTypes[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/><Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/><Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/><Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/></Types>)";

const char packageRelations[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)";

const char workbook[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><bookViews><workbookView activeTab="0"/></bookViews><sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets></workbook>)";

const char workbookRelations[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/><Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>)";

// 宋体 11 pt as in a new Chinese workbook; style 1 wraps texts with line breaks.
const char styles[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><fonts count="1"><font><sz val="11"/><name val="宋体"/><family val="3"/><charset val="134"/></font></fonts><fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills><borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders><cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs><cellXfs count="2"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0" applyAlignment="1"><alignment wrapText="1"/></xf></cellXfs><cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles></styleSheet>)";

} // namespace

void ExcelWorkbook::setCell(int row, int column, const QString& text)
{
    if (row < 1 || row > maxRows || column < 1 || column > maxColumns)
        throw OfficeError(OfficeError::OutOfRange,
                          QStringLiteral("单元格(%1, %2)超出工作表范围").arg(row).arg(column));
    if (text.isEmpty())
        cells_.remove(cells::cellKey(row, column));
    else
        cells_.insert(cells::cellKey(row, column), text.left(maxText));
}

QString ExcelWorkbook::cell(int row, int column) const
{
    return cells_.value(cells::cellKey(row, column));
}

void ExcelWorkbook::save(const QString& path) const
{
    QList<quint64> keys = cells_.keys();
    std::sort(keys.begin(), keys.end());   // row by row, left to right
    // Rows with line breaks are as high as their most lines (13.5 pt each
    // for 宋体 11 pt), so that a wrapped text shows whole.
    int lastColumn = 1;
    QHash<int, int> lines;
    for (quint64 k : std::as_const(keys)) {
        lastColumn = qMax(lastColumn, cells::columnOf(k));
        if (const int n = int(cells_.value(k).count(QLatin1Char('\n'))) + 1; n > 1)
            lines[cells::rowOf(k)] = qMax(lines.value(cells::rowOf(k)), n);
    }
    const int lastRow = keys.isEmpty() ? 1 : cells::rowOf(keys.last());

    QStringList strings;
    QHash<QString, int> stringIndex;
    QByteArray sheet;
    {
        QBuffer buffer(&sheet);
        buffer.open(QIODevice::WriteOnly);
        QXmlStreamWriter w(&buffer);
        w.writeStartDocument(QStringLiteral("1.0"), true);
        w.writeStartElement(QStringLiteral("worksheet"));
        w.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main"));
        w.writeEmptyElement(QStringLiteral("dimension"));
        w.writeAttribute(QStringLiteral("ref"), QStringLiteral("A1:") + columnName(lastColumn)
                                                    + QString::number(lastRow));
        w.writeStartElement(QStringLiteral("sheetViews"));
        w.writeEmptyElement(QStringLiteral("sheetView"));
        w.writeAttribute(QStringLiteral("tabSelected"), QStringLiteral("1"));
        w.writeAttribute(QStringLiteral("workbookViewId"), QStringLiteral("0"));
        w.writeEndElement();
        w.writeStartElement(QStringLiteral("sheetData"));
        int row = 0;
        for (quint64 k : std::as_const(keys)) {
            const int r = cells::rowOf(k), c = cells::columnOf(k);
            if (r != row) {
                if (row)
                    w.writeEndElement();
                row = r;
                w.writeStartElement(QStringLiteral("row"));
                w.writeAttribute(QStringLiteral("r"), QString::number(r));
                if (lines.contains(r)) {
                    w.writeAttribute(QStringLiteral("ht"), QString::number(13.5 * lines.value(r)));
                    w.writeAttribute(QStringLiteral("customHeight"), QStringLiteral("1"));
                }
            }
            const QString text = ooxml::xmlText(cells_.value(k));
            w.writeStartElement(QStringLiteral("c"));
            w.writeAttribute(QStringLiteral("r"), columnName(c) + QString::number(r));
            if (cells::isPlainNumber(text)) {
                w.writeTextElement(QStringLiteral("v"), text);
            } else {
                if (text.contains(QLatin1Char('\n')))
                    w.writeAttribute(QStringLiteral("s"), QStringLiteral("1"));
                w.writeAttribute(QStringLiteral("t"), QStringLiteral("s"));
                auto it = stringIndex.constFind(text);
                if (it == stringIndex.cend()) {
                    it = stringIndex.insert(text, int(strings.size()));
                    strings << text;
                }
                w.writeTextElement(QStringLiteral("v"), QString::number(*it));
            }
            w.writeEndElement();
        }
        w.writeEndDocument();
    }

    QByteArray shared;
    {
        QBuffer buffer(&shared);
        buffer.open(QIODevice::WriteOnly);
        QXmlStreamWriter w(&buffer);
        w.writeStartDocument(QStringLiteral("1.0"), true);
        w.writeStartElement(QStringLiteral("sst"));
        w.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main"));
        w.writeAttribute(QStringLiteral("uniqueCount"), QString::number(strings.size()));
        for (const QString& s : std::as_const(strings)) {
            w.writeStartElement(QStringLiteral("si"));
            w.writeStartElement(QStringLiteral("t"));
            w.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            w.writeCharacters(s);
            w.writeEndElement();
            w.writeEndElement();
        }
        w.writeEndDocument();
    }

    ooxml::writePackage(path, {
        {QStringLiteral("[Content_Types].xml"), contentTypes},
        {QStringLiteral("_rels/.rels"), packageRelations},
        {QStringLiteral("xl/workbook.xml"), workbook},
        {QStringLiteral("xl/_rels/workbook.xml.rels"), workbookRelations},
        {QStringLiteral("xl/styles.xml"), styles},
        {QStringLiteral("xl/sharedStrings.xml"), shared},
        {QStringLiteral("xl/worksheets/sheet1.xml"), sheet},
    });
}

} // namespace tess
