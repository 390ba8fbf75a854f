#include "runtime/exchange/worddocument.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QXmlStreamWriter>

#include "runtime/exchange/ooxml.h"

namespace tess {

namespace {

// A4 with Word's default margins of 3.17 cm left and right, in twips.
constexpr int pageWidth = 11906, pageHeight = 16838, sideMargin = 1800, topMargin = 1440;
constexpr int textWidth = pageWidth - 2 * sideMargin;

const QRegularExpression& lineBreak()
{
    static const QRegularExpression re(QStringLiteral("\r\n|\r|\n"));
    return re;
}

class Writer {
public:
    explicit Writer(QByteArray* out) : buffer_(out), w_(&buffer_)
    {
        buffer_.open(QIODevice::WriteOnly);
        w_.writeStartDocument(QStringLiteral("1.0"), true);
    }
    ~Writer() { w_.writeEndDocument(); }

    void start(const char* name) { w_.writeStartElement(QLatin1String(name)); }
    void end() { w_.writeEndElement(); }
    void attr(const char* name, const QString& value) { w_.writeAttribute(QLatin1String(name), value); }
    // <w:name w:val="value"/> and the like: attributes in pairs.
    void empty(const char* name, std::initializer_list<std::pair<const char*, QString>> attributes = {})
    {
        w_.writeEmptyElement(QLatin1String(name));
        for (const auto& [n, v] : attributes)
            attr(n, v);
    }
    void text(const QString& t)
    {
        start("w:t");
        attr("xml:space", QStringLiteral("preserve"));
        w_.writeCharacters(t);
        end();
    }

private:
    QBuffer buffer_;
    QXmlStreamWriter w_;
};

QString val(int n) { return QString::number(n); }

void tableFont(Writer& w)
{
    const QString song = QStringLiteral("宋体");
    w.start("w:rPr");
    w.empty("w:rFonts", {{"w:ascii", song}, {"w:hAnsi", song}, {"w:eastAsia", song}, {"w:cs", song}});
    w.empty("w:sz", {{"w:val", val(18)}});
    w.empty("w:szCs", {{"w:val", val(18)}});
    w.end();
}

// One paragraph; tabs become tab characters of the run.
void paragraph(Writer& w, const QString& text, bool grid)
{
    w.start("w:p");
    if (grid) {
        w.start("w:pPr");
        w.empty("w:jc", {{"w:val", QStringLiteral("center")}});
        tableFont(w);
        w.end();
    }
    const QString clean = ooxml::xmlText(text);
    if (!clean.isEmpty()) {
        w.start("w:r");
        if (grid)
            tableFont(w);
        const QStringList pieces = clean.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0)
                w.empty("w:tab");
            if (!pieces.at(i).isEmpty())
                w.text(pieces.at(i));
        }
        w.end();
    }
    w.end();
}

void border(Writer& w, const char* side, int eighthsOfPoint)
{
    w.empty(side, {{"w:val", QStringLiteral("single")}, {"w:sz", val(eighthsOfPoint)},
                   {"w:space", val(0)}, {"w:color", QStringLiteral("auto")}});
}

void table(Writer& w, const WordTable& t)
{
    const bool grid = t.hasGridFormat();
    const int width = textWidth / t.columnCount();
    w.start("w:tbl");
    w.start("w:tblPr");
    w.empty("w:tblW", {{"w:w", val(0)}, {"w:type", QStringLiteral("auto")}});
    if (grid)
        w.empty("w:jc", {{"w:val", QStringLiteral("center")}});
    // A new table has thin single borders; the grid look thickens the outside.
    w.start("w:tblBorders");
    for (const char* side : {"w:top", "w:left", "w:bottom", "w:right"})
        border(w, side, grid ? 12 : 4);
    border(w, "w:insideH", 4);
    border(w, "w:insideV", 4);
    w.end();
    w.empty("w:tblLayout", {{"w:type", QStringLiteral("fixed")}});
    w.start("w:tblCellMar");
    w.empty("w:left", {{"w:w", val(108)}, {"w:type", QStringLiteral("dxa")}});
    w.empty("w:right", {{"w:w", val(108)}, {"w:type", QStringLiteral("dxa")}});
    w.end();
    w.end();
    w.start("w:tblGrid");
    for (int c = 0; c < t.columnCount(); ++c)
        w.empty("w:gridCol", {{"w:w", val(width)}});
    w.end();
    for (int r = 1; r <= t.rowCount(); ++r) {
        w.start("w:tr");
        if (grid) {
            w.start("w:trPr");
            w.empty("w:cantSplit");
            w.empty("w:trHeight", {{"w:val", val(16 * 20)}, {"w:hRule", QStringLiteral("atLeast")}});
            w.end();
        }
        for (int c = 1; c <= t.columnCount(); ++c) {
            w.start("w:tc");
            w.start("w:tcPr");
            w.empty("w:tcW", {{"w:w", val(width)}, {"w:type", QStringLiteral("dxa")}});
            if (grid)
                w.empty("w:vAlign", {{"w:val", QStringLiteral("center")}});
            w.end();
            for (const QString& line : t.cell(r, c).split(lineBreak()))
                paragraph(w, line, grid);
            w.end();
        }
        w.end();
    }
    w.end();
}

const char contentTypes[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/><Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/></Types>)";

const char packageRelations[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>)";

const char documentRelations[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/></Relationships>)";

// The defaults of a new Chinese document: Times New Roman with 宋体 for
// Chinese text, 10.5 pt, tables with Word's cell margins.
const char styles[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii="Times New Roman" w:hAnsi="Times New Roman" w:eastAsia="宋体" w:cs="Times New Roman"/><w:kern w:val="2"/><w:sz w:val="21"/><w:szCs w:val="24"/><w:lang w:val="en-US" w:eastAsia="zh-CN" w:bidi="ar-SA"/></w:rPr></w:rPrDefault><w:pPrDefault/></w:docDefaults><w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/><w:qFormat/><w:pPr><w:widowControl w:val="0"/><w:jc w:val="both"/></w:pPr></w:style><w:style w:type="character" w:default="1" w:styleId="DefaultParagraphFont"><w:name w:val="Default Paragraph Font"/><w:uiPriority w:val="1"/><w:semiHidden/></w:style><w:style w:type="table" w:default="1" w:styleId="TableNormal"><w:name w:val="Normal Table"/><w:semiHidden/><w:tblPr><w:tblInd w:w="0" w:type="dxa"/><w:tblCellMar><w:top w:w="0" w:type="dxa"/><w:left w:w="108" w:type="dxa"/><w:bottom w:w="0" w:type="dxa"/><w:right w:w="108" w:type="dxa"/></w:tblCellMar></w:tblPr></w:style></w:styles>)";

} // namespace

void WordTable::setCell(int row, int column, const QString& text)
{
    if (row < 1 || row > rows_ || column < 1 || column > columns_)
        throw OfficeError(OfficeError::OutOfRange,
                          QStringLiteral("表格中没有单元格(%1, %2)").arg(row).arg(column));
    cells_[(row - 1) * columns_ + column - 1] = text;
}

QString WordTable::cell(int row, int column) const
{
    return row < 1 || row > rows_ || column < 1 || column > columns_
               ? QString()
               : cells_.at((row - 1) * columns_ + column - 1);
}

WordDocument::WordDocument() { blocks_.emplace_back(); }
WordDocument::~WordDocument() = default;

void WordDocument::typeParagraph() { blocks_.emplace_back(); }

void WordDocument::typeText(const QString& text)
{
    const QStringList lines = text.split(lineBreak());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            typeParagraph();
        blocks_.back().text += lines.at(i);
    }
}

WordTable& WordDocument::addTable(int rows, int columns)
{
    if (rows < 1 || columns < 1 || columns > 63)
        throw OfficeError(OfficeError::OutOfRange,
                          QStringLiteral("无法插入%1行%2列的表格").arg(rows).arg(columns));
    // The table takes the place of an empty paragraph or follows one with
    // text; either way a paragraph follows it and holds the insertion point.
    Block block;
    block.table.reset(new WordTable(rows, columns));
    WordTable& table = *block.table;
    if (blocks_.back().text.isEmpty()) {
        blocks_.insert(blocks_.end() - 1, std::move(block));
    } else {
        blocks_.push_back(std::move(block));
        blocks_.emplace_back();
    }
    return table;
}

void WordDocument::save(const QString& path) const
{
    QByteArray body;
    {
        Writer w(&body);
        w.start("w:document");
        w.attr("xmlns:w", QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main"));
        w.start("w:body");
        for (const Block& b : blocks_) {
            if (b.table)
                table(w, *b.table);
            else
                paragraph(w, b.text, false);
        }
        w.start("w:sectPr");
        w.empty("w:pgSz", {{"w:w", val(pageWidth)}, {"w:h", val(pageHeight)}});
        w.empty("w:pgMar", {{"w:top", val(topMargin)}, {"w:right", val(sideMargin)},
                            {"w:bottom", val(topMargin)}, {"w:left", val(sideMargin)},
                            {"w:header", val(851)}, {"w:footer", val(992)}, {"w:gutter", val(0)}});
        w.end();
        w.end();
        w.end();
    }

    ooxml::writePackage(path, {
        {QStringLiteral("[Content_Types].xml"), contentTypes},
        {QStringLiteral("_rels/.rels"), packageRelations},
        {QStringLiteral("word/_rels/document.xml.rels"), documentRelations},
        {QStringLiteral("word/styles.xml"), styles},
        {QStringLiteral("word/document.xml"), body},
    });
}

} // namespace tess
