#include "platform/designrules.h"

#include "common/definitions.h"
#include "common/paths.h"
#include "common/sqltext.h"

namespace tess {

namespace {

const QString kMemo = QStringLiteral("备注型");
const QString kGraphic = QStringLiteral("图像型");
const QString kFile = QStringLiteral("文件型");
const QString kString = QStringLiteral("字符型");
const QString kKey = QStringLiteral("是");

bool blank(const QVariant& v)
{
    return !v.isValid() || v.isNull() || v.toString().trimmed().isEmpty();
}

// The longest field name the definition table's FName column holds.
constexpr int kFieldNameChars = 30;

} // namespace

QString RowValidation::check(const DefinitionRow& row, const QStringList& earlierNames)
{
    ++validated;
    // A row that fails an ordinary check has not been validated: counting it
    // would make the key rule misjudge the row once it is corrected.
    auto fail = [this](const QString& text) {
        --validated;
        return text;
    };
    const QString name = row.fname.trimmed();
    const QString dtype = row.dtype.trimmed();
    const QString style = row.fstyle.trimmed();
    if (blank(row.id))
        return fail(QStringLiteral("序号不能为空！  "));
    if (name.isEmpty())
        return fail(QStringLiteral("字段名称不能为空！  "));
    const QString why = fieldNameProblem(name);
    if (!why.isEmpty())
        return fail(why);
    for (const QString& other : earlierNames)
        if (other.trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return fail(QStringLiteral("字段名称“%1”重复！  ").arg(name));
    if (dtype.isEmpty())
        return fail(QStringLiteral("数据类型不能为空！  "));
    if (dtype == kString && row.fsize.toInt() <= 0)
        return fail(QStringLiteral("字符型字段大小不能为空！  "));
    if (row.ctype.trimmed().isEmpty())
        return fail(QStringLiteral("计算类型不能为空！  "));
    if (dtype != kMemo && dtype != kGraphic && dtype != kFile && style.isEmpty())
        return fail(QStringLiteral("输入框样式不能为空！  "));
    if ((style == QStringLiteral("单选下拉框") || style == QStringLiteral("多选下拉框")) && row.fselect.trimmed().isEmpty())
        return fail(QStringLiteral("输入框样式为下拉框时下拉框内容不能为空！  "));
    const bool key = row.fkey.trimmed() == kKey;
    if (key && keys == 0 && validated != 1) {
        reset();
        return QStringLiteral("关键字段必须放在第一个字段位置！  ");
    }
    if (key && keys > 0 && !lastWasKey) {
        reset();
        return QStringLiteral("关键字段位置必须连续放在一起！  ");
    }
    if (key)
        ++keys;
    lastWasKey = key;
    return {};
}

QString createTableSql(const QString& table, const QList<DefinitionRow>& rows)
{
    QStringList columns;
    for (const DefinitionRow& r : rows)
        columns << r.fname.trimmed() + QLatin1Char(' ') + columnTypeFor(r.dtype, r.fsize.toInt());
    return QStringLiteral("Create Table ") + table + QLatin1Char('(') + columns.join(QLatin1Char(',')) + QLatin1Char(')');
}

namespace {

QString nameProblem(const QString& name, const QString& what, const QStringList& forms)
{
    for (const QString& form : forms) {
        QString why;
        if (!sql::isBareIdentifier(form, &why))
            return QStringLiteral("“%1”不能作为%2：%3！  ").arg(name, what, why);
    }
    return {};
}

} // namespace

QString tableNameProblem(const QString& name)
{
    return nameProblem(name, QStringLiteral("数据库表名称"), {name, name + QLatin1Char('b')});
}

QString templateNameProblem(const QString& name)
{
    return nameProblem(name, QStringLiteral("模板名称"), {name, name + QLatin1Char('b')});
}

QString fieldNameProblem(const QString& name)
{
    if (name.size() > kFieldNameChars)
        return QStringLiteral("“%1”不能作为字段名称：名称不能超过%2个字符！  ").arg(name).arg(kFieldNameChars);
    return nameProblem(name, QStringLiteral("字段名称"), {name});
}

QString systemNameProblem(const QString& name)
{
    // The name becomes a key of [SysName] and the start of section names.
    if (name.startsWith(QLatin1Char(';')))
        return QStringLiteral("信息系统名称不能以“;”开头！  ");
    for (const QChar c : name)
        if (c == QLatin1Char('=') || c == QLatin1Char('[') || c == QLatin1Char(']') || c.category() == QChar::Other_Control)
            return QStringLiteral("信息系统名称中不能有“%1”！  ").arg(c.category() == QChar::Other_Control ? QStringLiteral("换行") : QString(c));
    return {};
}

QString defaultStyleFor(const QString& dtype)
{
    if (dtype == kMemo)
        return QStringLiteral("备注框");
    if (dtype == kGraphic)
        return QStringLiteral("图像框");
    return QStringLiteral("文本框");
}

void convertToTemplate(Connection& c, const QString& name, const QList<ColumnInfo>& columns)
{
    c.exec(definitionTableSql(name));
    for (int i = 0; i < columns.size(); ++i) {
        const ColumnInfo& col = columns.at(i);
        const QString dtype = typeOfKind(col.kind);
        c.exec(QStringLiteral("INSERT INTO ") + name
                   + QStringLiteral("b(ID,FName,DType,FSize,FAlias,CType,FStyle) VALUES (?,?,?,?,?,?,?)"),
               {i + 1, col.name, dtype, col.size, col.name, QStringLiteral("普通型"), defaultStyleFor(dtype)});
    }
    exeIni().writeString(QStringLiteral("cyclostyle"), name, name + QLatin1Char('b'));
}

} // namespace tess
