#include "common/sqltext.h"

#include <QSet>

namespace tess::sql {

QString escaped(const QString& value)
{
    QString v = value;
    v.replace(QLatin1Char('\''), QLatin1String("''"));
    return v;
}

QString quoted(const QString& value)
{
    return QLatin1Char('\'') + escaped(value) + QLatin1Char('\'');
}

bool isKeyword(const QString& word)
{
    // Reserved words of SQL Server, PostgreSQL and SQLite that cannot stand
    // bare as a table or column name.
    static const QSet<QString> words = [] {
        const char* list[] = {
            "ADD", "ALL", "ALTER", "AND", "ANY", "AS", "ASC", "AUTHORIZATION", "BACKUP", "BEGIN",
            "BETWEEN", "BREAK", "BROWSE", "BULK", "BY", "CASCADE", "CASE", "CAST", "CHECK",
            "CHECKPOINT", "CLOSE", "CLUSTERED", "COALESCE", "COLLATE", "COLUMN", "COMMIT",
            "COMPUTE", "CONSTRAINT", "CONTAINS", "CONTINUE", "CONVERT", "CREATE", "CROSS",
            "CURRENT", "CURRENT_DATE", "CURRENT_TIME", "CURRENT_TIMESTAMP", "CURRENT_USER",
            "CURSOR", "DATABASE", "DEALLOCATE", "DECLARE", "DEFAULT", "DEFERRABLE", "DELETE",
            "DENY", "DESC", "DISTINCT", "DISTRIBUTED", "DO", "DOUBLE", "DROP", "DUMP", "ELSE",
            "END", "ERRLVL", "ESCAPE", "EXCEPT", "EXEC", "EXECUTE", "EXISTS", "EXIT", "FALSE",
            "FETCH", "FILE", "FILLFACTOR", "FOR", "FOREIGN", "FREETEXT", "FROM", "FULL",
            "FUNCTION", "GLOB", "GOTO", "GRANT", "GROUP", "HAVING", "HOLDLOCK", "IDENTITY",
            "IF", "ILIKE", "IN", "INDEX", "INNER", "INSERT", "INTERSECT", "INTO", "IS", "ISNULL",
            "JOIN", "KEY", "KILL", "LATERAL", "LEADING", "LEFT", "LIKE", "LIMIT", "LINENO",
            "LOAD", "LOCALTIME", "LOCALTIMESTAMP", "MERGE", "NATIONAL", "NATURAL", "NOCHECK",
            "NONCLUSTERED", "NOT", "NOTNULL", "NULL", "NULLIF", "OF", "OFF", "OFFSET", "OFFSETS",
            "ON", "ONLY", "OPEN", "OPTION", "OR", "ORDER", "OUTER", "OVER", "PERCENT", "PIVOT",
            "PLACING", "PLAN", "PRIMARY", "PRINT", "PROC", "PROCEDURE", "PUBLIC", "RAISERROR",
            "READ", "RECONFIGURE", "REFERENCES", "REGEXP", "REPLICATION", "RESTORE", "RESTRICT",
            "RETURN", "RETURNING", "REVERT", "REVOKE", "RIGHT", "ROLLBACK", "ROWCOUNT",
            "ROWGUIDCOL", "RULE", "SAVE", "SCHEMA", "SELECT", "SESSION_USER", "SET", "SETUSER",
            "SHUTDOWN", "SIMILAR", "SOME", "STATISTICS", "SYMMETRIC", "SYSTEM_USER", "TABLE",
            "TABLESAMPLE", "TEXTSIZE", "THEN", "TO", "TOP", "TRAN", "TRANSACTION", "TRIGGER",
            "TRUE", "TRUNCATE", "UNION", "UNIQUE", "UNPIVOT", "UPDATE", "USER", "USING", "VALUES",
            "VARIADIC", "VARYING", "VIEW", "WAITFOR", "WHEN", "WHERE", "WHILE", "WINDOW", "WITH",
            "WRITETEXT", "ROWID", "OID", "CTID", "ANALYSE", "ANALYZE", "ARRAY", "ASYMMETRIC",
            "BOTH", "INITIALLY", "TRAILING",
        };
        QSet<QString> s;
        for (const char* w : list)
            s.insert(QString::fromLatin1(w));
        return s;
    }();
    return words.contains(word.toUpper());
}

bool isBareIdentifier(const QString& name, QString* why, int maxBytes)
{
    auto fail = [&](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (name.isEmpty())
        return fail(QStringLiteral("名称不能为空"));
    if (name.at(0).isDigit())
        return fail(QStringLiteral("名称不能以数字开头"));
    for (const QChar c : name) {
        if (c == QLatin1Char('_') || c.isLetterOrNumber())
            continue;
        if (c.isSpace())
            return fail(QStringLiteral("名称中不能有空格"));
        return fail(QStringLiteral("名称中不能有字符“%1”").arg(c));
    }
    if (isKeyword(name))
        return fail(QStringLiteral("“%1”是数据库保留字").arg(name));
    if (name.toUtf8().size() > maxBytes)
        return fail(QStringLiteral("名称太长"));
    return true;
}

} // namespace tess::sql
