#include "runtime/query/condition.h"

#include "common/connection.h"
#include "common/dataset.h"
#include "common/definitions.h"
#include "common/sqltext.h"

#include <QSet>

namespace tess::query {

// ---- query field lists ------------------------------------------------------

void QueryFields::add(const QString& name, const QString& caption, FieldKind kind)
{
    names << name;
    captions << caption;
    kinds << kind;
}

int QueryFields::indexOf(const QString& name) const
{
    for (int i = 0; i < names.size(); ++i)
        if (names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QueryFields QueryFields::fromDefinition(const FieldDefinition& def)
{
    QueryFields f;
    for (int i = 0; i < def.count(); ++i) {
        const FieldKind k = def.kinds.value(i, ftString);
        if (k == ftMemo || isBlobKind(k))
            continue;
        const QString caption = def.captions.value(i).trimmed();
        f.add(def.names.at(i), caption.isEmpty() ? def.names.at(i) : caption, k);
    }
    return f;
}

QueryFields QueryFields::allOf(const DataSet& ds)
{
    QueryFields f;
    for (int i = 0; i < ds.fieldCount(); ++i)
        f.add(ds.fieldName(i), ds.fieldName(i), ds.fieldKind(i));
    return f;
}

QueryFields QueryFields::namesAsCaptions() const
{
    QueryFields f = *this;
    f.captions = names;
    return f;
}

// ---- value classes and operators ----------------------------------------------

ValueClass valueClass(FieldKind kind)
{
    if (kind == ftString || kind == ftWideString)
        return ValueClass::Text;
    if (isDateKind(kind))
        return ValueClass::DateTime;
    return ValueClass::Other;
}

const QStringList& textOperatorCaptions()
{
    static const QStringList list{QStringLiteral("等于"),   QStringLiteral("不等于"),   QStringLiteral("大于"),
                                  QStringLiteral("小于"),   QStringLiteral("大于等于"), QStringLiteral("小于等于"),
                                  QStringLiteral("模糊匹配"), QStringLiteral("空值"),     QStringLiteral("非空值")};
    return list;
}

const QStringList& generalOperatorCaptions()
{
    static const QStringList list{QStringLiteral("等于"),   QStringLiteral("不等于"),   QStringLiteral("大于"),
                                  QStringLiteral("小于"),   QStringLiteral("大于等于"), QStringLiteral("小于等于"),
                                  QStringLiteral("空值"),   QStringLiteral("非空值")};
    return list;
}

bool usesTextOperators(FieldKind kind)
{
    return kind == ftString;
}

const QStringList& operatorCaptions(FieldKind kind)
{
    return usesTextOperators(kind) ? textOperatorCaptions() : generalOperatorCaptions();
}

QString operatorToken(FieldKind kind, int position)
{
    static const char* text[] = {"=", "<>", ">", "<", ">=", "<=", "like", "is null", "is not null"};
    static const char* general[] = {"=", "<>", ">", "<", ">=", "<=", "is null", "is not null"};
    if (usesTextOperators(kind))
        return position >= 0 && position < 9 ? QString::fromLatin1(text[position]) : QString();
    return position >= 0 && position < 8 ? QString::fromLatin1(general[position]) : QString();
}

bool operatorTakesValue(FieldKind kind, int position)
{
    const QString t = operatorToken(kind, position);
    return t != QLatin1String("is null") && t != QLatin1String("is not null");
}

// ---- fragments ------------------------------------------------------------------

QString sqlValue(FieldKind kind, const QString& value)
{
    return valueClass(kind) == ValueClass::Other ? value : sql::quoted(value);
}

QString fragment(const QString& field, FieldKind kind, const QString& token, const QString& value)
{
    if (token == QLatin1String("like"))
        return fuzzyFragment(field, value);
    if (token == QLatin1String("is null") || token == QLatin1String("is not null"))
        return field + QLatin1Char(' ') + token;
    return field + QLatin1Char(' ') + token + QLatin1Char(' ') + sqlValue(kind, value);
}

QString fragmentAt(const QString& field, FieldKind kind, int position, const QString& value)
{
    return fragment(field, kind, operatorToken(kind, position), value);
}

QString equalityFragment(const QString& field, FieldKind kind, const QString& value)
{
    return field + QStringLiteral(" = ") + sqlValue(kind, value);
}

QString fuzzyFragment(const QString& field, const QString& value)
{
    return field + QStringLiteral(" like '%") + sql::escaped(value) + QStringLiteral("%'");
}

QString rangeFragment(const QString& field, FieldKind kind, const QString& from, const QString& to)
{
    return field + QStringLiteral(">=") + sqlValue(kind, from) + QStringLiteral(" and ") + field
        + QStringLiteral("<=") + sqlValue(kind, to);
}

// ---- joining ------------------------------------------------------------------------

QString joinAnd(const QStringList& fragments)
{
    return fragments.join(QStringLiteral(" and "));
}

const QStringList& logicalCaptions()
{
    static const QStringList list{QStringLiteral("并且"), QStringLiteral("或者")};
    return list;
}

QString logicalWord(int captionIndex)
{
    switch (captionIndex) {
    case 0: return QStringLiteral("and");
    case 1: return QStringLiteral("or");
    default: return {};
    }
}

QString withLogicalWord(int captionIndex, const QString& fragment)
{
    return logicalWord(captionIndex) + QLatin1Char(' ') + fragment;
}

QString joinPrefixed(const QStringList& fragments)
{
    return fragments.join(QLatin1Char(' '));
}

// ---- order clause -------------------------------------------------------------------

const QStringList& directionCaptions()
{
    static const QStringList list{QStringLiteral("升序"), QStringLiteral("降序")};
    return list;
}

QString orderClause(const QList<SortKey>& keys)
{
    QStringList parts;
    for (const SortKey& k : keys)
        if (!k.field.isEmpty())
            parts << (k.descending ? k.field + QStringLiteral(" DESC") : k.field);
    return parts.join(QLatin1Char(','));
}

// ---- value lists ----------------------------------------------------------------------

QString valueListSql(const QString& field, const QString& source)
{
    return QStringLiteral("Select Distinct(") + field + QStringLiteral(")\nFrom ") + source;
}

QStringList valueList(Connection& c, const QString& field, const QString& source)
{
    QStringList out;
    if (field.isEmpty() || source.isEmpty() || !c.connected())
        return out;
    try {
        auto cur = c.cursor(valueListSql(field, source));
        const QList<ColumnInfo> cols = cur->columns();
        const FieldKind kind = cols.isEmpty() ? ftString : cols.first().kind;
        while (cur->next()) {
            const QString t = DataSet::displayText(Connection::fromEngine(cur->value(0), kind), kind);
            if (!t.isEmpty())
                out << t;
        }
    } catch (const EngineError&) {
        // The source has no such field: the box offers nothing to pick.
        out.clear();
    }
    return out;
}

QStringList valueList(DataSet& ds, const QString& field)
{
    QStringList out;
    const int f = ds.active() ? ds.fieldIndex(field) : -1;
    if (f < 0)
        return out;
    QSet<QString> seen;
    const FieldKind kind = ds.fieldKind(f);
    const int n = ds.recordCount();
    for (int row = 0; row < n; ++row) {
        const QString t = DataSet::displayText(ds.valueAt(row, f), kind);
        if (!t.isEmpty() && !seen.contains(t)) {
            seen.insert(t);
            out << t;
        }
    }
    return out;
}

} // namespace tess::query
