#pragma once
// What the table designer and the platform window decide without a window:
// the checks a definition row must pass, the CREATE TABLE text made from the
// rows, the names every statement may carry bare, and the conversion of an
// outside table's structure into a template.
#include <QList>
#include <QStringList>
#include <QVariant>

#include "common/connection.h"

namespace tess {

// One row of a field-definition table, as the designer's grid holds it.
struct DefinitionRow {
    QVariant id;
    QString fname;
    QString dtype;
    QVariant fsize;
    QString ctype;
    QString falias;
    QString fstyle;
    QString fselect;
    QString fkey;
};

// Row validation with the designer's counters: the rows validated since the
// last "新建" or "确定" and the key rows among them. Key rows must be the
// first rows of the table and follow each other without a gap.
struct RowValidation {
    int validated = 0;
    int keys = 0;
    bool lastWasKey = false;   // the row validated last was a key row

    void reset()
    {
        validated = keys = 0;
        lastWasKey = false;
    }
    // Checks one row; returns the message of the first check that fails, or
    // an empty text when the row passes. earlierNames are the field names of
    // the rows before it (a name may be used once).
    QString check(const DefinitionRow& row, const QStringList& earlierNames = {});
};

// "Create Table T(A Varchar(10),B Money)".
QString createTableSql(const QString& table, const QList<DefinitionRow>& rows);

// Empty when the name can be a data table's name (with its definition table
// name + "b"), otherwise the message telling why not.
QString tableNameProblem(const QString& name);
QString templateNameProblem(const QString& name);
QString fieldNameProblem(const QString& name);
// Empty when the name can be an information system's name in sys.ini.
QString systemNameProblem(const QString& name);

// Creates the definition table name + "b" with one row per column of an
// outside table and lists it in [cyclostyle]. The table must not exist.
void convertToTemplate(Connection& c, const QString& name, const QList<ColumnInfo>& columns);

// The style a converted or regenerated row gets for its type.
QString defaultStyleFor(const QString& dtype);

} // namespace tess
