#include "common/definitions.h"

#include "common/paths.h"
#include "common/prompts.h"

namespace tess {

const QList<TypeName>& typeNames()
{
    static const QList<TypeName> names{
        {QStringLiteral("自动型"), ftAutoInc, QStringLiteral("Integer"), QStringLiteral("文本框")},
        {QStringLiteral("字符型"), ftString, QStringLiteral("Varchar(%1)"), QStringLiteral("文本框")},
        {QStringLiteral("整数型"), ftInteger, QStringLiteral("Integer"), QStringLiteral("文本框")},
        {QStringLiteral("实数型"), ftFloat, QStringLiteral("Float"), QStringLiteral("文本框")},
        // Not offered by the designer; tables converted from outside keep it.
        {QStringLiteral("BCD数型"), ftBCD, QStringLiteral("Decimal(18,4)"), QStringLiteral("文本框")},
        {QStringLiteral("货币型"), ftCurrency, QStringLiteral("Money"), QStringLiteral("文本框")},
        {QStringLiteral("日期型"), ftDate, QStringLiteral("DateTime"), QStringLiteral("文本框")},
        {QStringLiteral("日期时间型"), ftDateTime, QStringLiteral("DateTime"), QStringLiteral("文本框")},
        {QStringLiteral("时间型"), ftTime, QStringLiteral("Varchar(20)"), QStringLiteral("文本框")},
        {QStringLiteral("备注型"), ftMemo, QStringLiteral("Text"), QStringLiteral("备注框")},
        {QStringLiteral("图像型"), ftGraphic, QStringLiteral("Image"), QStringLiteral("图像框")},
        {QStringLiteral("文件型"), ftBlob, QStringLiteral("Image"), QStringLiteral("文本框")},
    };
    return names;
}

QStringList designerTypeNames()
{
    QStringList out;
    for (const TypeName& t : typeNames())
        if (t.kind != ftBCD)
            out << t.name;
    return out;
}

FieldKind kindOfType(const QString& dtype)
{
    for (const TypeName& t : typeNames())
        if (t.name == dtype.trimmed())
            return t.kind;
    return ftString;
}

QString typeOfKind(FieldKind kind)
{
    switch (kind) {
    case ftAutoInc: return QStringLiteral("自动型");
    case ftSmallint: case ftInteger: case ftWord: case ftLargeint: return QStringLiteral("整数型");
    case ftFloat: return QStringLiteral("实数型");
    case ftBCD: return QStringLiteral("BCD数型");
    case ftCurrency: return QStringLiteral("货币型");
    case ftDate: return QStringLiteral("日期型");
    case ftDateTime: return QStringLiteral("日期时间型");
    case ftTime: return QStringLiteral("时间型");
    case ftMemo: return QStringLiteral("备注型");
    case ftGraphic: return QStringLiteral("图像型");
    case ftBlob: return QStringLiteral("文件型");
    default: return QStringLiteral("字符型");   // strings, booleans and anything else
    }
}

QString columnTypeFor(const QString& dtype, int size)
{
    for (const TypeName& t : typeNames())
        if (t.name == dtype.trimmed())
            return t.columnType.contains(QLatin1String("%1")) ? t.columnType.arg(size) : t.columnType;
    return QStringLiteral("Varchar(%1)").arg(size);
}

int styleCode(const QString& fstyle)
{
    const QString s = fstyle.trimmed();
    if (s == QStringLiteral("单选下拉框"))
        return 2;
    if (s == QStringLiteral("多选下拉框"))
        return 3;
    return 1;
}

QStringList styleNames()
{
    return {QStringLiteral("文本框"), QStringLiteral("单选下拉框"), QStringLiteral("多选下拉框"),
            QStringLiteral("备注框"), QStringLiteral("图像框")};
}

QStringList computationTypes()
{
    return {QStringLiteral("普通型"), QStringLiteral("计算型"), QStringLiteral("结果型")};
}

QString definitionTableSql(const QString& table)
{
    return QStringLiteral("Create Table ") + table
           + QStringLiteral("b(ID integer,FName varchar(30),DType varchar(30),FSize integer,CType varchar(10),"
                            "FAlias varchar(30),FStyle varchar(15),FSelect text,FKey varchar(15))");
}

int FieldDefinition::indexOf(const QString& name) const
{
    for (int i = 0; i < names.size(); ++i)
        if (names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString FieldDefinition::caption(const QString& name) const
{
    const int i = indexOf(name);
    return i < 0 ? name : captions.at(i);
}

namespace {

FieldDefinition fallback(const QList<ColumnInfo>& columns)
{
    FieldDefinition d;
    for (const ColumnInfo& c : columns) {
        d.names << c.name;
        d.kinds << c.kind;
        d.captions << c.name;
        d.styles << 1;
        d.ctypes << QStringLiteral("普通型");
    }
    return d;
}

// Definition rows in column order. The rows are read by ID: an engine may
// return an updated row elsewhere in its natural order, and that must not
// make a definition look stale and lose its captions.
QString rowsSql(const QString& table)
{
    return QStringLiteral("SELECT ID,FName,DType,FSize,CType,FAlias,FStyle,FSelect,FKey FROM ") + table
           + QStringLiteral("b ORDER BY ID");
}

} // namespace

FieldDefinition loadDefinitions(Connection& c, const QString& table, const QList<ColumnInfo>& columns)
{
    if (!c.hasTable(table + QLatin1Char('b')))
        return fallback(columns);
    struct DefRow {
        QString name, dtype, ctype, alias, style;
    };
    QList<DefRow> rows;
    try {
        QSqlQuery q = c.select(rowsSql(table));
        while (q.next())
            rows.append({q.value(1).toString(), q.value(2).toString(), q.value(4).toString(), q.value(5).toString(),
                         q.value(6).toString()});
    } catch (const EngineError&) {
        return fallback(columns);
    }
    bool stale = rows.size() != columns.size();
    for (int i = 0; !stale && i < rows.size(); ++i)
        stale = rows.at(i).name != columns.at(i).name;
    if (stale) {
        try {
            c.exec(QStringLiteral("DROP Table ") + table + QLatin1Char('b'));
        } catch (const EngineError&) {
        }
        return fallback(columns);
    }
    FieldDefinition d;
    QString firstMemo;
    for (const ColumnInfo& col : columns)
        if (col.kind == ftMemo) {
            firstMemo = col.name;
            break;
        }
    for (int i = 0; i < rows.size(); ++i) {
        const DefRow& r = rows.at(i);
        d.names << columns.at(i).name;
        d.captions << r.alias;
        d.ctypes << r.ctype;
        d.kinds << kindOfType(r.dtype);
        d.styles << styleCode(r.style);
        if (r.dtype.trimmed() == QStringLiteral("图像型") && d.pictureField.isEmpty())
            d.pictureField = r.name;
        if (!firstMemo.isEmpty() && r.name == firstMemo)
            d.memoCaption = r.alias;
    }
    for (int i = 0; i < d.captions.size(); ++i)
        if (d.captions.at(i).isEmpty())
            d.captions[i] = d.names.at(i);
    if (d.memoCaption.isEmpty())
        d.memoCaption = firstMemo;
    d.loaded = true;
    return d;
}

void regenerateDefinition(Connection& c, const QString& table, const QList<ColumnInfo>& columns)
{
    c.exec(definitionTableSql(table));
    for (int i = 0; i < columns.size(); ++i) {
        const ColumnInfo& col = columns.at(i);
        const QString dtype = typeOfKind(col.kind);
        QString style = QStringLiteral("文本框");
        if (dtype == QStringLiteral("备注型"))
            style = QStringLiteral("备注框");
        else if (dtype == QStringLiteral("图像型"))
            style = QStringLiteral("图像框");
        c.exec(QStringLiteral("INSERT INTO ") + table
                   + QStringLiteral("b(ID,FName,DType,FSize,FAlias,CType,FStyle) VALUES (?,?,?,?,?,?,?)"),
               {i + 1, col.name, dtype, col.size, col.name, QStringLiteral("普通型"), style});
    }
    exeIni().writeString(QStringLiteral("cyclostyle"), table, table + QLatin1Char('b'));
}

FieldDefinition openDefinitions(Connection& c, const QString& table, const QList<ColumnInfo>& columns, QWidget* parent)
{
    FieldDefinition d = loadDefinitions(c, table, columns);
    if (d.loaded)
        return d;
    // A missing table, or one dropped above as stale, is made again.
    if (!c.hasTable(table + QLatin1Char('b')))
        regenerateDefinition(c, table, columns);
    warning(parent, QStringLiteral("若需要下拉框，请在“修改字段附加设置”界面中进行设置！  "));
    return d;
}

QStringList dropDownOptions(Connection& c, const QString& table, const QString& column)
{
    try {
        QSqlQuery q = c.select(QStringLiteral("SELECT FName,FSelect FROM ") + table + QStringLiteral("b ORDER BY ID"));
        while (q.next()) {
            if (!q.value(0).toString().startsWith(column))
                continue;
            QString text = q.value(1).toString();
            text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            if (text.isEmpty())
                return {};
            if (text.endsWith(QLatin1Char('\n')))
                text.chop(1);
            return text.split(QLatin1Char('\n'));
        }
    } catch (const EngineError&) {
    }
    return {};
}

} // namespace tess
