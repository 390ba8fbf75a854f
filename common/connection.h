#pragma once
// A connection to one database: the embedded SQLite file, a PostgreSQL
// database or SQL Server through ODBC. Statements are written in the forms the
// windows build (SQL Server's) and translated by the dialect of the engine in
// use. Every engine error becomes an EngineError carrying the engine's text.
#include <QHash>
#include <QList>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <memory>

#include "common/errors.h"
#include "common/fieldkind.h"

namespace tess {

enum class EngineKind { None, SQLite, PostgreSQL, ODBC };

// What differs between engines, as data.
struct Dialect {
    EngineKind kind = EngineKind::None;
    QString rowId;              // row identity column: "rowid", "ctid" or empty
    bool selectInto = true;     // SELECT ... INTO runs natively
    bool foldsCase = false;     // unquoted identifiers are folded to lower case
    QString likeOperator = QStringLiteral("LIKE");   // case-insensitive LIKE
    QHash<QString, QString> types;   // lower-case type name -> engine type
};

struct ColumnInfo {
    QString name;
    FieldKind kind = ftUnknown;
    int size = 0;          // declared length of character columns, else 0
    QString declType;      // as the engine reports it
};

struct ConnectionParams {
    QString server;                                   // text of the logon's server box
    QString databaseName = QStringLiteral("sysdb");
    QString userName = QStringLiteral("sa");
    QString password;
    QString dataDir;                                  // for "local"
    bool create = false;                              // create a missing SQLite file (install only)
};

// A forward-only reader of a statement's rows. On SQLite it steps the
// engine's statement directly (no per-value conversions beyond the one into
// QVariant); elsewhere it wraps QSqlQuery.
class Cursor {
public:
    virtual ~Cursor() = default;
    virtual bool next() = 0;
    virtual QVariant value(int column) = 0;   // as the engine holds it
    virtual QList<ColumnInfo> columns() = 0;
};

class Connection : public QObject {
    Q_OBJECT
public:
    explicit Connection(QObject* parent = nullptr);
    ~Connection() override;

    // Opens from the logon values; throws EngineError.
    void open(const ConnectionParams& params);
    // Opens an outside SQLite database file read-only. Access files are not
    // opened here: they are read through a copy (see platform/accessfile.h).
    void openFile(const QString& path, const QString& password = {});
    void close();
    bool connected() const;

    EngineKind kind() const { return d.kind; }
    const Dialect& dialect() const { return d; }
    QSqlDatabase database() const;
    const ConnectionParams& params() const { return p; }

    // The statement as the engine in use takes it.
    QString translate(const QString& sql) const;

    // Runs a command; returns the number of rows affected.
    int exec(const QString& sql, const QVariantList& binds = {});
    // Runs a query, positioned before the first row.
    QSqlQuery select(const QString& sql, const QVariantList& binds = {});
    // Runs a query for reading row after row.
    std::unique_ptr<Cursor> cursor(const QString& sql, const QVariantList& binds = {});
    // First column of the first row (invalid when there is no row).
    QVariant scalar(const QString& sql, const QVariantList& binds = {});

    // Table names exactly as created.
    QStringList tableNames();
    bool hasTable(const QString& name);          // exact, case-sensitive
    QList<ColumnInfo> columns(const QString& table);
    // Columns of a statement's result.
    QList<ColumnInfo> resultColumns(const QSqlQuery& q, const QString& sql);

    // Values read from the engine, normalised by field kind: dates as QDate/
    // QDateTime, booleans as bool, money and floats as double.
    static QVariant fromEngine(const QVariant& v, FieldKind kind);
    // A value to bind for a column of the given kind.
    QVariant toEngine(const QVariant& v, FieldKind kind) const;

    // Maps an engine's declared type to a field kind and size.
    static FieldKind kindFromDecl(const QString& decl, int* size = nullptr);

    // Row identities: packs what the engine returns into a number and back.
    qint64 packRowId(const QVariant& v) const;
    QString rowIdLiteral(qint64 id) const;
    QString rowIdList(const QList<qint64>& ids) const;   // "col IN (...)"-ready condition on rowId

private:
    void openSqlite(const QString& file, bool create, bool readOnly);
    void openPostgres(const QString& host, int port);
    void openOdbc(const QString& connect);
    void openOrFail(QSqlDatabase& db);
    void prepareSqlite();
    void preparePostgres();
    [[noreturn]] void fail(const QSqlError& e, const QString& sql = {}) const;
    int execTranslated(const QString& sql, const QVariantList& binds);
    int selectIntoSqlite(const QString& cols, const QString& target, const QString& rest);
    void rememberCase(const QString& sql);

    Dialect d;
    ConnectionParams p;
    QString name;
};

// The pieces of "SELECT <cols> INTO <target> <from ...>"; false for any
// other statement.
bool splitSelectInto(const QString& sql, QString* cols, QString* target, QString* rest);

} // namespace tess
