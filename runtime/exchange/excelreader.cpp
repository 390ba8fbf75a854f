#include "runtime/exchange/excelreader.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QXmlStreamReader>
#include <freexl.h>
#include <optional>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include "runtime/exchange/celltext.h"
#include "runtime/exchange/compound.h"
#include "runtime/exchange/officefile.h"

namespace tess {

namespace {

[[noreturn]] void fail(OfficeError::Reason reason, const QString& path)
{
    const QString file = QDir::toNativeSeparators(path);
    switch (reason) {
    case OfficeError::Protected: throw OfficeError(reason, QStringLiteral("工作簿有密码保护：%1").arg(file));
    case OfficeError::NotWorkbook: throw OfficeError(reason, QStringLiteral("不是Excel工作簿：%1").arg(file));
    default: throw OfficeError(OfficeError::Unreadable, QStringLiteral("文件无法读取：%1").arg(file));
    }
}

// "BN31" -> row 31, column 66.
bool parseReference(QStringView ref, int& row, int& column)
{
    int c = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref.at(i).isLetter(); ++i)
        c = c * 26 + (ref.at(i).toUpper().unicode() - 'A' + 1);
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (c <= 0 || !ok || r <= 0)
        return false;
    row = r;
    column = c;
    return true;
}

// The text of a rich-text string (<si> or <is>): its <t> pieces, without the
// phonetic guides. Leaves the reader on the end of the element it started on.
QString richText(QXmlStreamReader& x)
{
    QString out;
    int depth = 1, phonetic = 0;
    while (depth > 0 && !x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            ++depth;
            if (x.name() == u"rPh") {
                ++phonetic;
            } else if (x.name() == u"t" && phonetic == 0) {
                out += x.readElementText();
                --depth;
            }
        } else if (x.isEndElement()) {
            --depth;
            if (x.name() == u"rPh")
                --phonetic;
        }
    }
    return out;
}

QString relationId(const QXmlStreamAttributes& attributes)
{
    for (const QXmlStreamAttribute& a : attributes)
        if (a.name() == u"id" && !a.namespaceUri().isEmpty())
            return a.value().toString();
    return {};
}

// An OOXML package: parts by name and the relationships between them.
class Package {
public:
    explicit Package(const QString& path) : path_(path), zip_(path) {}
    bool open() { return zip_.open(QuaZip::mdUnzip); }

    std::optional<QByteArray> part(const QString& name)
    {
        if (!zip_.setCurrentFile(name, QuaZip::csInsensitive))
            return std::nullopt;
        QuaZipFile file(&zip_);
        if (!file.open(QIODevice::ReadOnly))
            fail(OfficeError::Unreadable, path_);
        const QByteArray bytes = file.readAll();
        file.close();
        if (file.getZipError() != UNZ_OK)
            fail(OfficeError::Unreadable, path_);
        return bytes;
    }

    struct Relation { QString type, target; };
    // The relationships of a part by id, targets resolved to part names;
    // an empty source names the package itself.
    QHash<QString, Relation> relations(const QString& source)
    {
        const qsizetype slash = source.lastIndexOf(QLatin1Char('/'));
        const QString dir = source.left(slash + 1);
        QHash<QString, Relation> out;
        const auto bytes = part(dir + QStringLiteral("_rels/") + source.mid(slash + 1)
                                + QStringLiteral(".rels"));
        if (!bytes)
            return out;
        QXmlStreamReader x(*bytes);
        while (!x.atEnd()) {
            if (x.readNext() != QXmlStreamReader::StartElement || x.name() != u"Relationship")
                continue;
            const auto a = x.attributes();
            if (a.value(QLatin1String("TargetMode")) == u"External")
                continue;
            const QString target = a.value(QLatin1String("Target")).toString();
            out.insert(a.value(QLatin1String("Id")).toString(),
                       {a.value(QLatin1String("Type")).toString(),
                        target.startsWith(QLatin1Char('/')) ? target.mid(1)
                                                            : QDir::cleanPath(dir + target)});
        }
        return out;
    }

private:
    QString path_;
    QuaZip zip_;
};

QString targetOfType(const QHash<QString, Package::Relation>& relations, QStringView typeEnd)
{
    for (const auto& r : relations)
        if (r.type.endsWith(typeEnd))
            return r.target;
    return {};
}

} // namespace

ExcelReader::ExcelReader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(OfficeError::Unreadable, path);
    const QByteArray head = file.peek(8);
    if (head.startsWith("PK\x03\x04")) {
        file.close();
        readXlsx(path);
    } else if (CompoundFile::isCompound(head)) {
        readXls(path, file.readAll());
    } else {
        fail(OfficeError::NotWorkbook, path);
    }
}

QString ExcelReader::cell(int row, int column) const
{
    return row > 0 && column > 0 ? cells_.value(cells::cellKey(row, column)) : QString();
}

void ExcelReader::put(int row, int column, const QString& text)
{
    if (text.isEmpty())
        return;
    cells_.insert(cells::cellKey(row, column), text);
    rows_ = qMax(rows_, row);
    columns_ = qMax(columns_, column);
}

void ExcelReader::readXlsx(const QString& path)
{
    Package package(path);
    if (!package.open())
        fail(OfficeError::Unreadable, path);
    QString bookPart = targetOfType(package.relations(QString()), u"/officeDocument");
    if (bookPart.isEmpty())
        bookPart = QStringLiteral("xl/workbook.xml");
    const auto book = package.part(bookPart);
    if (!book)
        fail(OfficeError::NotWorkbook, path);
    const auto relations = package.relations(bookPart);

    // The workbook: date system, selected tab, sheets in tab order.
    bool date1904 = false;
    int activeTab = -1;
    QList<std::pair<QString, QString>> sheets;   // name, relation id
    QXmlStreamReader x(*book);
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        const auto a = x.attributes();
        if (x.name() == u"workbookPr")
            date1904 = a.value(QLatin1String("date1904")) == u"1" || a.value(QLatin1String("date1904")) == u"true";
        else if (x.name() == u"workbookView" && activeTab < 0)
            activeTab = a.value(QLatin1String("activeTab")).toInt();
        else if (x.name() == u"sheet")
            sheets.append(std::make_pair(a.value(QLatin1String("name")).toString(), relationId(a)));
    }
    if (x.hasError())
        fail(OfficeError::Unreadable, path);
    if (sheets.isEmpty())
        fail(OfficeError::NotWorkbook, path);
    const auto& sheet = sheets.at(qBound(0, activeTab, int(sheets.size()) - 1));
    sheetName_ = sheet.first;

    QStringList shared;
    if (const auto sst = package.part(targetOfType(relations, u"/sharedStrings"))) {
        QXmlStreamReader s(*sst);
        while (!s.atEnd())
            if (s.readNext() == QXmlStreamReader::StartElement && s.name() == u"si")
                shared << richText(s);
        if (s.hasError())
            fail(OfficeError::Unreadable, path);
    }

    // Which cell formats show dates: numFmtId of each <xf> in <cellXfs>.
    QList<bool> dateStyle;
    if (const auto styles = package.part(targetOfType(relations, u"/styles"))) {
        QHash<int, QString> codes;
        QList<int> formatIds;
        QXmlStreamReader s(*styles);
        bool cellXfs = false;
        while (!s.atEnd()) {
            s.readNext();
            if (s.isEndElement() && s.name() == u"cellXfs")
                cellXfs = false;
            if (!s.isStartElement())
                continue;
            const auto a = s.attributes();
            if (s.name() == u"numFmt")
                codes.insert(a.value(QLatin1String("numFmtId")).toInt(), a.value(QLatin1String("formatCode")).toString());
            else if (s.name() == u"cellXfs")
                cellXfs = true;
            else if (s.name() == u"xf" && cellXfs)
                formatIds << a.value(QLatin1String("numFmtId")).toInt();
        }
        for (int id : std::as_const(formatIds))
            dateStyle << cells::isDateFormat(id, codes.value(id));
    }

    const auto data = package.part(relations.value(sheet.second).target);
    if (!data)
        fail(OfficeError::Unreadable, path);
    QXmlStreamReader w(*data);
    int row = 0, column = 0;
    bool inData = false;
    while (!w.atEnd()) {
        w.readNext();
        if (w.isEndElement() && w.name() == u"sheetData")
            break;
        if (!w.isStartElement())
            continue;
        if (w.name() == u"sheetData") {
            inData = true;
            continue;
        }
        if (!inData)
            continue;
        const auto a = w.attributes();
        if (w.name() == u"row") {
            const int r = a.value(QLatin1String("r")).toInt();
            row = r > 0 ? r : row + 1;
            column = 0;
            continue;
        }
        if (w.name() != u"c")
            continue;
        ++column;
        parseReference(a.value(QLatin1String("r")), row, column);
        const QStringView type = a.value(QLatin1String("t"));
        const int style = a.value(QLatin1String("s")).toInt();
        QString value, inlineText;
        while (w.readNextStartElement()) {
            if (w.name() == u"v")
                value = w.readElementText();
            else if (w.name() == u"is")
                inlineText = richText(w);
            else
                w.skipCurrentElement();
        }
        QString text;
        if (type == u"s")
            text = shared.value(value.toInt());
        else if (type == u"inlineStr")
            text = inlineText;
        else if (type == u"str" || type == u"e")
            text = value;
        else if (type == u"b")
            text = value.isEmpty() ? QString() : value == u"0" ? QStringLiteral("FALSE") : QStringLiteral("TRUE");
        else if (type == u"d") {
            const QDateTime at = QDateTime::fromString(value, Qt::ISODate);
            const QDate day = at.isValid() ? at.date() : QDate::fromString(value, Qt::ISODate);
            if (day.isValid())
                text = cells::serialText(QDate(1899, 12, 30).daysTo(day)
                                         + (at.isValid() ? at.time().msecsSinceStartOfDay() / 86400000.0 : 0));
        } else if (!value.isEmpty()) {
            bool ok = false;
            const double number = value.toDouble(&ok);
            text = !ok ? value
                   : dateStyle.value(style) ? cells::serialText(number, date1904)
                                            : cells::numberText(number);
        }
        put(row, column, text);
    }
    if (w.hasError())
        fail(OfficeError::Unreadable, path);
}

void ExcelReader::readXls(const QString& path, const QByteArray& data)
{
    const CompoundFile compound(data);
    if (compound.stream(QStringLiteral("EncryptedPackage")))
        fail(OfficeError::Protected, path);   // a password-encrypted .xlsx

    const void* handle = nullptr;
    const auto closer = qScopeGuard([&] { freexl_close(handle); });
    const int rc = freexl_open(QFile::encodeName(path).constData(), &handle);
    if (rc != FREEXL_OK)
        fail(rc == FREEXL_BIFF_WORKBOOK_NOT_FOUND ? OfficeError::NotWorkbook : OfficeError::Unreadable, path);
    unsigned int info = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED)
        fail(OfficeError::Protected, path);
    unsigned int sheetCount = 0;
    freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheetCount);
    if (sheetCount == 0)
        fail(OfficeError::NotWorkbook, path);

    // FreeXL does not say which sheet was selected; the workbook globals do.
    auto stream = compound.stream(QStringLiteral("Workbook"));
    if (!stream)
        stream = compound.stream(QStringLiteral("Book"));
    const BiffSheets globals = stream ? biffSheets(*stream) : BiffSheets{};
    int index = globals.selectedTab;
    if (globals.sheetTypes.size() != qsizetype(sheetCount)) {
        // FreeXL lists worksheets only: count those before the selected tab.
        index = globals.sheetTypes.value(globals.selectedTab, -1) == 0
                    ? int(globals.sheetTypes.mid(0, globals.selectedTab).count(0))
                    : 0;
    }
    index = qBound(0, index, int(sheetCount) - 1);

    const char* name = nullptr;
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle, index) != FREEXL_OK
        || freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
        fail(OfficeError::Unreadable, path);
    if (freexl_get_worksheet_name(handle, index, &name) == FREEXL_OK)
        sheetName_ = QString::fromUtf8(name);

    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(handle, r, c, &v) != FREEXL_OK)
                fail(OfficeError::Unreadable, path);
            QString text;
            switch (v.type) {
            case FREEXL_CELL_INT: text = QString::number(v.value.int_value); break;
            case FREEXL_CELL_DOUBLE: text = cells::numberText(v.value.double_value); break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_TIME: text = QString::fromUtf8(v.value.text_value); break;
            case FREEXL_CELL_DATETIME:
                // Midnight shows as the date alone, as for .xlsx.
                text = QString::fromUtf8(v.value.text_value);
                if (text.endsWith(QLatin1String(" 00:00:00")))
                    text.chop(9);
                break;
            default: break;
            }
            put(int(r) + 1, int(c) + 1, text);
        }
    }
}

} // namespace tess
