#pragma once
// The condition vocabulary every filtering window shares: the operator lists
// and their SQL tokens, how a typed value is written into SQL by the field's
// value class, the condition fragments, joining, the order clause and the
// value lists offered in value boxes. Everything here except valueList() is a
// pure function of its arguments.
//
// Values go between single quotes through sql::quoted()/sql::escaped(), so an
// embedded quote is doubled; numbers stay bare exactly as typed, so a
// non-numeric value for a numeric field is left for the engine to reject.
#include <QList>
#include <QStringList>

#include "common/fieldkind.h"

namespace tess {
class Connection;
class DataSet;
struct FieldDefinition;
}

namespace tess::query {

// ---- query field lists ------------------------------------------------------

// The fields of the open table that take part in queries, as three parallel
// lists: names (written into SQL), captions (shown) and kinds.
struct QueryFields {
    QStringList names;
    QStringList captions;
    QList<FieldKind> kinds;

    int count() const { return int(names.size()); }
    bool isEmpty() const { return names.isEmpty(); }
    void add(const QString& name, const QString& caption, FieldKind kind);
    int indexOf(const QString& name) const;   // case-insensitive; -1 when absent

    // The definition's columns except memo, picture and file columns; an
    // empty caption falls back to the name.
    static QueryFields fromDefinition(const FieldDefinition& def);
    // Every field of an open data set, captions equal to names (the
    // reference pick and SQL-defined tables).
    static QueryFields allOf(const DataSet& ds);
    // The same fields shown by their names (the advanced batch update's
    // condition window).
    QueryFields namesAsCaptions() const;
};

// ---- value classes and operators ----------------------------------------------

enum class ValueClass { Text, DateTime, Other };
ValueClass valueClass(FieldKind kind);

// 等于 … 非空值: the text list (nine captions, 模糊匹配 at position 6) for
// ftString fields, the general list (eight captions) for every other kind.
const QStringList& textOperatorCaptions();
const QStringList& generalOperatorCaptions();
bool usesTextOperators(FieldKind kind);
const QStringList& operatorCaptions(FieldKind kind);
// The SQL token at a position of the kind's list ("=", "like", "is null" …);
// empty for a position outside the list.
QString operatorToken(FieldKind kind, int position);
// False for 空值 and 非空值 of the kind's list: they take no value.
bool operatorTakesValue(FieldKind kind, int position);

// ---- fragments ------------------------------------------------------------------

// A value as it stands in SQL: text and date/time quoted, others bare.
QString sqlValue(FieldKind kind, const QString& value);
// F like '%V%' / F is null / F OP 'V' / F OP V by token and value class.
QString fragment(const QString& field, FieldKind kind, const QString& token, const QString& value);
// The same with the operator given by its position in the kind's list.
QString fragmentAt(const QString& field, FieldKind kind, int position, const QString& value);
// The general query's forms: F = 'V' or F = V, and F like '%V%'.
QString equalityFragment(const QString& field, FieldKind kind, const QString& value);
QString fuzzyFragment(const QString& field, const QString& value);
// F>=A and F<=B, or F>='A' and F<='B' for text and date/time fields.
QString rangeFragment(const QString& field, FieldKind kind, const QString& from, const QString& to);

// ---- joining ------------------------------------------------------------------------

// Fragments joined with " and " in the order given.
QString joinAnd(const QStringList& fragments);
// 并且 and 或者, and their words "and" and "or".
const QStringList& logicalCaptions();
QString logicalWord(int captionIndex);
// An advanced-query fragment after the first: its logical word, one blank, the fragment.
QString withLogicalWord(int captionIndex, const QString& fragment);
// Advanced-query fragments (already prefixed) joined with one blank.
QString joinPrefixed(const QStringList& fragments);

// ---- order clause -------------------------------------------------------------------

// 升序 and 降序.
const QStringList& directionCaptions();
struct SortKey {
    QString field;            // empty: the key is not set and is skipped
    bool descending = false;
};
// "F1,F2 DESC": key fields in order, separated by "," without blanks.
QString orderClause(const QList<SortKey>& keys);

// ---- value lists ----------------------------------------------------------------------

// "Select Distinct(F)" / "From T".
QString valueListSql(const QString& field, const QString& source);
// The distinct non-empty values of a field in the query source, as text, in
// the order the database returns them. A field the source does not have (a
// joined table's field in multi-table mode) gives an empty list.
QStringList valueList(Connection& c, const QString& field, const QString& source);
// The same read from the rows of an open data set, in row order; used when
// the data set is not a plain table (SQL-defined tables, the reference pick).
QStringList valueList(DataSet& ds, const QString& field);

} // namespace tess::query
