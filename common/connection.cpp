#include "common/connection.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>
#include <QUrl>
#include <QUuid>

#include <sqlite3.h>

#include <cmath>

#include "common/sqllex.h"
#include "common/sqltext.h"

namespace tess {

using sql::Token;

namespace {

// ---- SQLite functions that SQL Server has and SQLite lacks ----------------

// Year, month or day of an ISO date text ("2024-03-05", "2024-03-05 10:00:00").
void datePart(sqlite3_context* ctx, int, sqlite3_value** argv, int part)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const char* t = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    int y = 0, m = 0, d = 0;
    if (!t || std::sscanf(t, "%d-%d-%d", &y, &m, &d) < 1) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int(ctx, part == 0 ? y : part == 1 ? m : d);
}
void fnYear(sqlite3_context* c, int n, sqlite3_value** v) { datePart(c, n, v, 0); }
void fnMonth(sqlite3_context* c, int n, sqlite3_value** v) { datePart(c, n, v, 1); }
void fnDay(sqlite3_context* c, int n, sqlite3_value** v) { datePart(c, n, v, 2); }

// STR(number [, length [, decimals]]): the number rounded to the decimals and
// right-aligned in length characters (default 10 and 0); stars when it does
// not fit.
void fnStr(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const double x = sqlite3_value_double(argv[0]);
    const int len = argc > 1 ? sqlite3_value_int(argv[1]) : 10;
    const int dec = argc > 2 ? std::clamp(sqlite3_value_int(argv[2]), 0, 16) : 0;
    QString s = QString::number(x, 'f', dec);
    if (len <= 0) {
        sqlite3_result_null(ctx);
        return;
    }
    if (s.size() > len)
        s = QString(len, QLatin1Char('*'));
    s = s.rightJustified(len, QLatin1Char(' '));
    const QByteArray b = s.toUtf8();
    sqlite3_result_text(ctx, b.constData(), b.size(), SQLITE_TRANSIENT);
}

sqlite3* sqliteHandle(const QSqlDatabase& db)
{
    const QVariant v = db.driver()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0)
        return *static_cast<sqlite3* const*>(v.data());
    return nullptr;
}

sqlite3_stmt* sqliteStatement(const QSqlQuery& q)
{
    const QVariant v = q.result() ? q.result()->handle() : QVariant();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3_stmt*") == 0)
        return *static_cast<sqlite3_stmt* const*>(v.data());
    return nullptr;
}

// Column types SQL Server statements name, as PostgreSQL spells them.
QHash<QString, QString> postgresTypes()
{
    return {
        {QStringLiteral("float"), QStringLiteral("double precision")},
        {QStringLiteral("money"), QStringLiteral("numeric(19,4)")},
        {QStringLiteral("smallmoney"), QStringLiteral("numeric(10,4)")},
        {QStringLiteral("datetime"), QStringLiteral("timestamp(0)")},
        {QStringLiteral("smalldatetime"), QStringLiteral("timestamp(0)")},
        {QStringLiteral("image"), QStringLiteral("bytea")},
        {QStringLiteral("varbinary"), QStringLiteral("bytea")},
        {QStringLiteral("binary"), QStringLiteral("bytea")},
        {QStringLiteral("bit"), QStringLiteral("boolean")},
        {QStringLiteral("tinyint"), QStringLiteral("smallint")},
        {QStringLiteral("nvarchar"), QStringLiteral("varchar")},
        {QStringLiteral("nchar"), QStringLiteral("char")},
        {QStringLiteral("ntext"), QStringLiteral("text")},
        {QStringLiteral("memo"), QStringLiteral("text")},
    };
}

// Index of the token closing the parenthesis opened at i.
int matchingParen(const QList<Token>& t, int i)
{
    int depth = 0;
    for (int j = i; j < t.size(); ++j) {
        if (t.at(j).isPunct('('))
            ++depth;
        else if (t.at(j).isPunct(')') && --depth == 0)
            return j;
    }
    return -1;
}

// Replaces the type word at index i when the dialect names it differently;
// a replacement that carries its own size swallows a following "(n)".
void mapTypeAt(QList<Token>& t, int i, const QHash<QString, QString>& types)
{
    if (i < 0 || i >= t.size() || t.at(i).type != Token::Word)
        return;
    auto it = types.constFind(t.at(i).text.toLower());
    if (it == types.constEnd())
        return;
    t[i].text = *it;
    if (it->contains(QLatin1Char('('))) {
        const int j = sql::nextSignificant(t, i + 1);
        if (j > 0 && t.at(j).isPunct('(')) {
            const int k = matchingParen(t, j);
            if (k > 0)
                t.erase(t.begin() + i + 1, t.begin() + k + 1);
        }
    }
}

// Positions of the column names in a CREATE TABLE column list whose
// opening parenthesis is at open.
QList<int> columnNames(const QList<Token>& t, int open)
{
    QList<int> out;
    bool expectName = true;
    int depth = 0;
    for (int j = open + 1; j < t.size(); ++j) {
        const Token& k = t.at(j);
        if (k.type == Token::Space || k.type == Token::Comment)
            continue;
        if (k.isPunct('(')) {
            ++depth;
        } else if (k.isPunct(')')) {
            if (depth-- == 0)
                break;
        } else if (depth == 0 && k.isPunct(',')) {
            expectName = true;
        } else if (depth == 0 && expectName) {
            expectName = false;
            out << j;
        }
    }
    return out;
}

bool hasUpper(const QString& s)
{
    for (QChar c : s)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            return true;
    return false;
}

QString bare(const Token& t)
{
    if (t.type == Token::QuotedIdent)
        return t.text.mid(1, t.text.size() - 2);
    return t.text;
}

} // namespace

bool splitSelectInto(const QString& text, QString* cols, QString* target, QString* rest)
{
    const QList<Token> t = sql::lex(text);
    int i = sql::nextSignificant(t, 0);
    if (i < 0 || !t.at(i).is("select"))
        return false;
    int depth = 0;
    int into = -1;
    for (int j = i + 1; j < t.size(); ++j) {
        if (t.at(j).isPunct('('))
            ++depth;
        else if (t.at(j).isPunct(')'))
            --depth;
        else if (depth == 0 && t.at(j).is("from"))
            return false;
        else if (depth == 0 && t.at(j).is("into")) {
            into = j;
            break;
        }
    }
    if (into < 0)
        return false;
    const int name = sql::nextSignificant(t, into + 1);
    if (name < 0 || (t.at(name).type != Token::Word && t.at(name).type != Token::QuotedIdent))
        return false;
    *cols = sql::join(t.mid(i + 1, into - i - 1)).trimmed();
    *target = bare(t.at(name));
    *rest = sql::join(t.mid(name + 1)).trimmed();
    return true;
}

Connection::Connection(QObject* parent)
    : QObject(parent), name(QStringLiteral("tess-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

Connection::~Connection()
{
    close();
}

bool Connection::connected() const
{
    return d.kind != EngineKind::None && QSqlDatabase::database(name, false).isOpen();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(name, false);
}

void Connection::close()
{
    if (QSqlDatabase::contains(name)) {
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    d = Dialect();
}

void Connection::fail(const QSqlError& e, const QString& stmt) const
{
    QString text = e.databaseText().trimmed();
    if (text.isEmpty())
        text = e.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("数据库错误");
    Q_UNUSED(stmt);
    throw EngineError(text);
}

void Connection::open(const ConnectionParams& params)
{
    close();
    p = params;
    const QString server = params.server.trimmed();
    const QString lower = server.toLower();
    if (server.isEmpty())
        throw EngineError(QStringLiteral("没有服务器名"));
    if (lower == QLatin1String("local")) {
        openSqlite(QDir(params.dataDir).filePath(params.databaseName + QStringLiteral(".sqlite")), params.create, false);
    } else if (lower.startsWith(QLatin1String("postgres://")) || lower.startsWith(QLatin1String("postgresql://"))) {
        const QUrl url(server);
        if (!url.userName().isEmpty())
            p.userName = url.userName();
        if (!url.password().isEmpty())
            p.password = url.password();
        if (url.path().size() > 1)
            p.databaseName = url.path().mid(1);
        openPostgres(url.host(), url.port(5432));
    } else if (lower.startsWith(QLatin1String("pg:"))) {
        const QStringList hp = server.mid(3).split(QLatin1Char(':'));
        openPostgres(hp.value(0).isEmpty() ? QStringLiteral("localhost") : hp.value(0),
                     hp.size() > 1 ? hp.value(1).toInt() : 5432);
    } else if (lower.startsWith(QLatin1String("odbc:"))) {
        openOdbc(server.mid(5));
    } else {
        const QFileInfo fi(server);
        if (fi.isDir() || server.endsWith(QLatin1Char('/')))
            openSqlite(QDir(server).filePath(params.databaseName + QStringLiteral(".sqlite")), params.create, false);
        else if (QStringList{QStringLiteral("sqlite"), QStringLiteral("sqlite3"), QStringLiteral("db")}.contains(fi.suffix().toLower()))
            openSqlite(server, params.create, false);
        else
            throw EngineError(QStringLiteral("无法连接服务器“%1”").arg(server));
    }
}

void Connection::openFile(const QString& path, const QString& password)
{
    close();
    p = ConnectionParams();
    p.server = path;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (!QFileInfo::exists(path))
        throw EngineError(QStringLiteral("文件“%1”不存在").arg(path));
    if (suffix == QLatin1String("mdb") || suffix == QLatin1String("dbi") || suffix == QLatin1String("accdb")) {
        // The MDBTools ODBC driver cannot serve Qt's ODBC layer (no static
        // cursors, and reading a table's record crashes inside the driver):
        // Access files are read through a copy made with libmdb instead.
        Q_UNUSED(password);
        throw EngineError(QStringLiteral("Access文件“%1”要先转成本系统能读的副本").arg(path));
    } else {
        openSqlite(path, false, true);
    }
}

// Opens a configured database; on failure the connection is removed again
// and the engine's message thrown.
void Connection::openOrFail(QSqlDatabase& db)
{
    if (db.open())
        return;
    const QSqlError e = db.lastError();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
    fail(e);
}

void Connection::openSqlite(const QString& file, bool create, bool readOnly)
{
    if (!create && !QFileInfo::exists(file))
        throw EngineError(QStringLiteral("数据库文件“%1”不存在").arg(file));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(file);
    QString opts = QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000");
    if (readOnly)
        opts += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(opts);
    openOrFail(db);
    d.kind = EngineKind::SQLite;
    d.rowId = QStringLiteral("rowid");
    d.selectInto = false;
    prepareSqlite();
    if (!readOnly) {
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    }
}

void Connection::prepareSqlite()
{
    sqlite3* h = sqliteHandle(database());
    if (!h)
        return;
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(h, "YEAR", 1, flags, nullptr, fnYear, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(h, "MONTH", 1, flags, nullptr, fnMonth, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(h, "DAY", 1, flags, nullptr, fnDay, nullptr, nullptr, nullptr);
    for (int n = 1; n <= 3; ++n)
        sqlite3_create_function_v2(h, "STR", n, flags, nullptr, fnStr, nullptr, nullptr, nullptr);
}

void Connection::openPostgres(const QString& host, int port)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(host);
    db.setPort(port);
    db.setDatabaseName(p.databaseName);
    db.setUserName(p.userName);
    db.setPassword(p.password);
    db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    openOrFail(db);
    d.kind = EngineKind::PostgreSQL;
    d.rowId = QStringLiteral("ctid");
    d.selectInto = true;
    d.foldsCase = true;
    d.likeOperator = QStringLiteral("ILIKE");
    d.types = postgresTypes();
    preparePostgres();
}

void Connection::preparePostgres()
{
    QSqlQuery q(database());
    q.exec(QStringLiteral("SET client_min_messages TO warning"));
    // Unordered reads page through a table with OFFSET; they must see the
    // rows in the same order every time.
    q.exec(QStringLiteral("SET synchronize_seqscans TO off"));
    q.exec(QStringLiteral("SELECT count(*) FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace "
                          "WHERE n.nspname = current_schema() AND p.proname IN ('year','month','day','str')"));
    if (q.next() && q.value(0).toInt() >= 10)
        return;
    const char* parts[] = {"year", "month", "day"};
    for (const char* part : parts) {
        for (const char* type : {"timestamp", "date", "text"}) {
            const QString arg = QLatin1String(type) == QLatin1String("text") ? QStringLiteral("$1::timestamp") : QStringLiteral("$1");
            q.exec(QStringLiteral("CREATE OR REPLACE FUNCTION %1(%2) RETURNS integer LANGUAGE sql IMMUTABLE "
                                  "AS 'SELECT extract(%1 FROM %3)::integer'")
                       .arg(QLatin1String(part), QLatin1String(type), arg));
        }
    }
    q.exec(QStringLiteral(
        "CREATE OR REPLACE FUNCTION str(double precision, integer DEFAULT 10, integer DEFAULT 0) "
        "RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN $2 <= 0 THEN NULL "
        "WHEN length(round($1::numeric, $3)::text) > $2 THEN repeat('*', $2) "
        "ELSE lpad(round($1::numeric, $3)::text, $2) END $$"));
}

void Connection::openOdbc(const QString& connect)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
    db.setDatabaseName(connect);
    if (!p.userName.isEmpty())
        db.setUserName(p.userName);
    if (!p.password.isEmpty())
        db.setPassword(p.password);
    openOrFail(db);
    d.kind = EngineKind::ODBC;
}

QString Connection::translate(const QString& text) const
{
    if (d.kind != EngineKind::PostgreSQL)
        return text;
    QList<Token> t = sql::lex(text);
    const int first = sql::nextSignificant(t, 0);
    if (first < 0)
        return text;
    // Column types of CREATE TABLE and ALTER TABLE ... ADD.
    if (t.at(first).is("create")) {
        const int tbl = sql::nextSignificant(t, first + 1);
        if (tbl > 0 && t.at(tbl).is("table")) {
            int open = -1;
            for (int j = tbl + 1; j < t.size() && open < 0; ++j)
                if (t.at(j).isPunct('('))
                    open = j;
            // Back to front: a mapped type may swallow the tokens after it.
            const QList<int> names = open > 0 ? columnNames(t, open) : QList<int>();
            for (auto it = names.rbegin(); it != names.rend(); ++it)
                mapTypeAt(t, sql::nextSignificant(t, *it + 1), d.types);
        }
    } else if (t.at(first).is("alter")) {
        for (int j = first + 1; j < t.size(); ++j) {
            if (t.at(j).is("add")) {
                int n = sql::nextSignificant(t, j + 1);
                if (n > 0 && t.at(n).is("column"))
                    n = sql::nextSignificant(t, n + 1);
                if (n > 0)
                    mapTypeAt(t, sql::nextSignificant(t, n + 1), d.types);
                break;
            }
        }
    }
    // SQL Server compares text case-insensitively.
    for (Token& k : t)
        if (k.is("like"))
            k.text = d.likeOperator;
    return sql::join(t);
}

int Connection::exec(const QString& text, const QVariantList& binds)
{
    if (!connected())
        throw EngineError(QStringLiteral("数据库没有连接"));
    QString cols, target, rest;
    if (!d.selectInto && binds.isEmpty() && splitSelectInto(text, &cols, &target, &rest))
        return selectIntoSqlite(cols, target, rest);
    const int n = execTranslated(translate(text), binds);
    if (d.foldsCase)
        rememberCase(text);
    return n;
}

// Runs a statement as it stands, with positional values when there are any.
static bool run(QSqlQuery& q, const QString& text, const QVariantList& binds)
{
    if (binds.isEmpty())
        return q.exec(text);
    if (!q.prepare(text))
        return false;
    for (const QVariant& b : binds)
        q.addBindValue(b);
    return q.exec();
}

int Connection::execTranslated(const QString& text, const QVariantList& binds)
{
    QSqlQuery q(database());
    if (!run(q, text, binds))
        fail(q.lastError(), text);
    return q.numRowsAffected();
}

// SQLite has no SELECT ... INTO, and CREATE TABLE ... AS SELECT would lose
// the declared column types (Varchar, Money, DateTime). The new table takes
// the declared types of the columns the query reads.
int Connection::selectIntoSqlite(const QString& cols, const QString& target, const QString& rest)
{
    const QString select = QStringLiteral("SELECT ") + cols + QLatin1Char(' ') + rest;
    sqlite3* h = sqliteHandle(database());
    sqlite3_stmt* st = nullptr;
    const QByteArray utf8 = select.toUtf8();
    if (sqlite3_prepare_v2(h, utf8.constData(), utf8.size(), &st, nullptr) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(h));
        sqlite3_finalize(st);
        throw EngineError(msg);
    }
    QStringList defs;
    for (int i = 0; i < sqlite3_column_count(st); ++i) {
        QString col = QString::fromUtf8(sqlite3_column_name(st, i));
        col.replace(QLatin1Char('"'), QLatin1String("\"\""));
        const char* decl = sqlite3_column_decltype(st, i);
        defs << QLatin1Char('"') + col + QLatin1Char('"') + (decl ? QLatin1Char(' ') + QString::fromUtf8(decl) : QString());
    }
    sqlite3_finalize(st);
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("SAVEPOINT select_into")))
        fail(q.lastError());
    try {
        execTranslated(QStringLiteral("CREATE TABLE ") + target + QLatin1Char('(') + defs.join(QLatin1Char(',')) + QLatin1Char(')'), {});
        const int n = execTranslated(QStringLiteral("INSERT INTO ") + target + QLatin1Char(' ') + select, {});
        q.exec(QStringLiteral("RELEASE select_into"));
        return n;
    } catch (...) {
        q.exec(QStringLiteral("ROLLBACK TO select_into"));
        q.exec(QStringLiteral("RELEASE select_into"));
        throw;
    }
}

// PostgreSQL folds unquoted names to lower case. The spelling a table or
// column was created with is kept as its comment, so that listings give the
// names exactly as created.
void Connection::rememberCase(const QString& text)
{
    const QList<Token> t = sql::lex(text);
    const int first = sql::nextSignificant(t, 0);
    if (first < 0)
        return;
    auto comment = [&](const QString& what, const QString& original) {
        QSqlQuery q(database());
        q.exec(QStringLiteral("COMMENT ON %1 IS %2").arg(what, sql::quoted(original)));
    };
    QString cols, target, rest;
    if (t.at(first).is("create")) {
        const int tbl = sql::nextSignificant(t, first + 1);
        if (tbl < 0 || !t.at(tbl).is("table"))
            return;
        const int nameAt = sql::nextSignificant(t, tbl + 1);
        if (nameAt < 0 || t.at(nameAt).type != Token::Word)
            return;
        const QString table = t.at(nameAt).text;
        if (hasUpper(table))
            comment(QStringLiteral("TABLE ") + table, table);
        const int open = sql::nextSignificant(t, nameAt + 1);
        if (open < 0 || !t.at(open).isPunct('('))
            return;
        for (int j : columnNames(t, open)) {
            const Token& k = t.at(j);
            if (k.type == Token::Word && hasUpper(k.text))
                comment(QStringLiteral("COLUMN ") + table + QLatin1Char('.') + k.text, k.text);
        }
    } else if (t.at(first).is("alter")) {
        int j = sql::nextSignificant(t, first + 1);
        if (j < 0 || !t.at(j).is("table"))
            return;
        const int nameAt = sql::nextSignificant(t, j + 1);
        const int add = nameAt < 0 ? -1 : sql::nextSignificant(t, nameAt + 1);
        if (add < 0 || !t.at(add).is("add"))
            return;
        int col = sql::nextSignificant(t, add + 1);
        if (col > 0 && t.at(col).is("column"))
            col = sql::nextSignificant(t, col + 1);
        if (col > 0 && t.at(col).type == Token::Word && hasUpper(t.at(col).text))
            comment(QStringLiteral("COLUMN ") + t.at(nameAt).text + QLatin1Char('.') + t.at(col).text, t.at(col).text);
    } else if (splitSelectInto(text, &cols, &target, &rest)) {
        if (hasUpper(target))
            comment(QStringLiteral("TABLE ") + target, target);
        // Column spellings follow the source table's.
        const QList<Token> r = sql::lex(rest);
        const int src = sql::nextSignificant(r, sql::nextSignificant(r, 0) + 1);
        if (src < 0 || r.at(src).type != Token::Word)
            return;
        const QList<ColumnInfo> srcCols = columns(r.at(src).text);
        for (const ColumnInfo& c : srcCols)
            if (hasUpper(c.name))
                comment(QStringLiteral("COLUMN ") + target + QLatin1Char('.') + sql::foldCase(c.name), c.name);
    }
}

QSqlQuery Connection::select(const QString& text, const QVariantList& binds)
{
    if (!connected())
        throw EngineError(QStringLiteral("数据库没有连接"));
    QSqlQuery q(database());
    q.setForwardOnly(true);
    const QString t = translate(text);
    if (!run(q, t, binds))
        fail(q.lastError(), t);
    return q;
}

QVariant Connection::scalar(const QString& text, const QVariantList& binds)
{
    QSqlQuery q = select(text, binds);
    return q.next() ? q.value(0) : QVariant();
}

namespace {

class SqliteCursor final : public Cursor {
public:
    SqliteCursor(sqlite3* h, const QString& text, const QVariantList& binds)
    {
        const QByteArray utf8 = text.toUtf8();
        if (sqlite3_prepare_v2(h, utf8.constData(), int(utf8.size()), &st, nullptr) != SQLITE_OK) {
            const QString msg = QString::fromUtf8(sqlite3_errmsg(h));
            sqlite3_finalize(st);
            st = nullptr;
            throw EngineError(msg);
        }
        for (int i = 0; i < binds.size(); ++i) {
            const QVariant& v = binds.at(i);
            const int at = i + 1;
            if (!v.isValid() || v.isNull()) {
                sqlite3_bind_null(st, at);
                continue;
            }
            switch (v.typeId()) {
            case QMetaType::Bool: case QMetaType::Int: case QMetaType::UInt:
            case QMetaType::LongLong: case QMetaType::ULongLong: case QMetaType::Short:
                sqlite3_bind_int64(st, at, v.toLongLong());
                break;
            case QMetaType::Double: case QMetaType::Float:
                sqlite3_bind_double(st, at, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                sqlite3_bind_blob64(st, at, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray b = v.toString().toUtf8();
                sqlite3_bind_text64(st, at, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
                break;
            }
            }
        }
        handle = h;
    }
    ~SqliteCursor() override { sqlite3_finalize(st); }

    bool next() override
    {
        const int rc = sqlite3_step(st);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            throw EngineError(QString::fromUtf8(sqlite3_errmsg(handle)));
        return false;
    }

    QVariant value(int i) override
    {
        switch (sqlite3_column_type(st, i)) {
        case SQLITE_INTEGER: return qlonglong(sqlite3_column_int64(st, i));
        case SQLITE_FLOAT: return sqlite3_column_double(st, i);
        case SQLITE_TEXT: {
            const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
            return QString::fromUtf8(t, sqlite3_column_bytes(st, i));
        }
        case SQLITE_BLOB: {
            const char* b = static_cast<const char*>(sqlite3_column_blob(st, i));
            return QByteArray(b, sqlite3_column_bytes(st, i));
        }
        default: return QVariant();
        }
    }

    QList<ColumnInfo> columns() override
    {
        QList<ColumnInfo> out;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            ColumnInfo c;
            c.name = QString::fromUtf8(sqlite3_column_name(st, i));
            const char* decl = sqlite3_column_decltype(st, i);
            if (decl) {
                c.declType = QString::fromUtf8(decl);
                c.kind = Connection::kindFromDecl(c.declType, &c.size);
            } else {
                // An expression: the kind follows the first value's type.
                switch (sqlite3_column_type(st, i)) {
                case SQLITE_INTEGER: c.kind = ftInteger; break;
                case SQLITE_FLOAT: c.kind = ftFloat; break;
                case SQLITE_BLOB: c.kind = ftBlob; break;
                default: c.kind = ftString; break;
                }
            }
            out << c;
        }
        return out;
    }

private:
    sqlite3* handle = nullptr;
    sqlite3_stmt* st = nullptr;
};

class QueryCursor final : public Cursor {
public:
    QueryCursor(Connection* c, QSqlQuery query, const QString& text) : conn(c), q(std::move(query)), sql(text) {}
    bool next() override { return q.next(); }
    QVariant value(int i) override { return q.value(i); }
    QList<ColumnInfo> columns() override { return conn->resultColumns(q, sql); }

private:
    Connection* conn;
    QSqlQuery q;
    QString sql;
};

} // namespace

std::unique_ptr<Cursor> Connection::cursor(const QString& text, const QVariantList& binds)
{
    if (d.kind == EngineKind::SQLite) {
        if (sqlite3* h = sqliteHandle(database()))
            return std::make_unique<SqliteCursor>(h, translate(text), binds);
    }
    return std::make_unique<QueryCursor>(this, select(text, binds), text);
}

QStringList Connection::tableNames()
{
    QStringList out;
    switch (d.kind) {
    case EngineKind::SQLite: {
        QSqlQuery q = select(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table','view') "
                                            "AND name NOT LIKE 'sqlite_%' ORDER BY name"));
        while (q.next())
            out << q.value(0).toString();
        break;
    }
    case EngineKind::PostgreSQL: {
        QSqlQuery q = select(QStringLiteral(
            "SELECT c.relname, obj_description(c.oid, 'pg_class') FROM pg_class c "
            "JOIN pg_namespace n ON n.oid = c.relnamespace "
            "WHERE c.relkind IN ('r','v','p') AND n.nspname = current_schema() ORDER BY c.relname"));
        while (q.next()) {
            const QString rel = q.value(0).toString();
            const QString orig = q.value(1).toString();
            out << (!orig.isEmpty() && sql::foldCase(orig) == rel ? orig : rel);
        }
        break;
    }
    default:
        out = database().tables(QSql::Tables) + database().tables(QSql::Views);
        break;
    }
    return out;
}

bool Connection::hasTable(const QString& table)
{
    return tableNames().contains(table, Qt::CaseSensitive);
}

FieldKind Connection::kindFromDecl(const QString& declIn, int* size)
{
    const QString decl = declIn.toUpper().trimmed();
    if (size) {
        *size = 0;
        const int open = decl.indexOf(QLatin1Char('('));
        if (open > 0 && (decl.contains(QLatin1String("CHAR")) || decl.contains(QLatin1String("STRING")))) {
            int end = open + 1;
            while (end < decl.size() && decl.at(end).isDigit())
                ++end;
            *size = decl.mid(open + 1, end - open - 1).toInt();
        }
    }
    if (decl.isEmpty())
        return ftString;
    if (decl.contains(QLatin1String("CHAR")) || decl.contains(QLatin1String("STRING")))
        return ftString;
    if (decl.contains(QLatin1String("TEXT")) || decl.contains(QLatin1String("CLOB")) || decl.contains(QLatin1String("MEMO")))
        return ftMemo;
    if (decl.contains(QLatin1String("DATETIME")) || decl.contains(QLatin1String("TIMESTAMP")))
        return ftDateTime;
    if (decl.startsWith(QLatin1String("DATE")))
        return ftDate;
    if (decl.startsWith(QLatin1String("TIME")))
        return ftTime;
    if (decl.contains(QLatin1String("BOOL")) || decl == QLatin1String("BIT") || decl.contains(QLatin1String("LOGICAL")))
        return ftBoolean;
    if (decl.contains(QLatin1String("SMALLINT")))
        return ftSmallint;
    if (decl.contains(QLatin1String("TINYINT")))
        return ftWord;
    if (decl.contains(QLatin1String("BIGINT")) || decl.contains(QLatin1String("INT8")))
        return ftLargeint;
    if (decl.contains(QLatin1String("INT")))
        return ftInteger;
    if (decl.contains(QLatin1String("MONEY")) || decl.contains(QLatin1String("CURRENCY")) || decl == QLatin1String("NUMERIC(19,4)"))
        return ftCurrency;
    if (decl.contains(QLatin1String("REAL")) || decl.contains(QLatin1String("FLOA")) || decl.contains(QLatin1String("DOUB")))
        return ftFloat;
    if (decl.contains(QLatin1String("DEC")) || decl.contains(QLatin1String("NUM")))
        return ftBCD;
    if (decl.contains(QLatin1String("BLOB")) || decl.contains(QLatin1String("IMAGE")) || decl.contains(QLatin1String("BINARY"))
        || decl.contains(QLatin1String("BYTEA")) || decl.contains(QLatin1String("OLE")))
        return ftBlob;
    return ftString;
}

QList<ColumnInfo> Connection::columns(const QString& table)
{
    QList<ColumnInfo> out;
    switch (d.kind) {
    case EngineKind::SQLite: {
        QSqlQuery q = select(QStringLiteral("PRAGMA table_info(%1)").arg(sql::quoted(table)));
        while (q.next()) {
            ColumnInfo c;
            c.name = q.value(1).toString();
            c.declType = q.value(2).toString();
            c.kind = kindFromDecl(c.declType, &c.size);
            if (q.value(5).toInt() == 1 && c.declType.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
                c.kind = ftAutoInc;
            out << c;
        }
        break;
    }
    case EngineKind::PostgreSQL: {
        QSqlQuery q = select(QStringLiteral(
            "SELECT a.attname, format_type(a.atttypid, a.atttypmod), col_description(a.attrelid, a.attnum), "
            "a.attidentity, pg_get_expr(ad.adbin, ad.adrelid) "
            "FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
            "JOIN pg_namespace n ON n.oid = c.relnamespace "
            "LEFT JOIN pg_attrdef ad ON ad.adrelid = a.attrelid AND ad.adnum = a.attnum "
            "WHERE n.nspname = current_schema() AND c.relname = ? AND a.attnum > 0 AND NOT a.attisdropped "
            "ORDER BY a.attnum"),
            {sql::foldCase(table)});
        while (q.next()) {
            ColumnInfo c;
            const QString att = q.value(0).toString();
            const QString orig = q.value(2).toString();
            c.name = !orig.isEmpty() && sql::foldCase(orig) == att ? orig : att;
            c.declType = q.value(1).toString();
            c.kind = kindFromDecl(c.declType, &c.size);
            if (!q.value(3).toString().isEmpty() || q.value(4).toString().startsWith(QLatin1String("nextval(")))
                c.kind = ftAutoInc;
            out << c;
        }
        break;
    }
    default: {
        const QSqlRecord r = database().record(table);
        for (int i = 0; i < r.count(); ++i) {
            ColumnInfo c;
            c.name = r.fieldName(i);
            const QSqlField f = r.field(i);
            switch (f.metaType().id()) {
            case QMetaType::Int: case QMetaType::UInt: c.kind = ftInteger; break;
            case QMetaType::Short: case QMetaType::UShort: c.kind = ftSmallint; break;
            case QMetaType::LongLong: case QMetaType::ULongLong: c.kind = ftLargeint; break;
            case QMetaType::Bool: c.kind = ftBoolean; break;
            case QMetaType::Double: c.kind = f.precision() > 0 && f.precision() < 15 ? ftBCD : ftFloat; break;
            case QMetaType::QDate: c.kind = ftDate; break;
            case QMetaType::QTime: c.kind = ftTime; break;
            case QMetaType::QDateTime: c.kind = ftDateTime; break;
            case QMetaType::QByteArray: c.kind = ftBlob; break;
            default: c.kind = f.length() > 0 && f.length() < 8000 ? ftString : ftMemo; break;
            }
            if (f.isAutoValue())
                c.kind = ftAutoInc;
            c.size = c.kind == ftString ? std::max(0, f.length()) : 0;
            out << c;
        }
        break;
    }
    }
    if (out.isEmpty())
        throw EngineError(QStringLiteral("对象名“%1”无效。").arg(table));
    return out;
}

QList<ColumnInfo> Connection::resultColumns(const QSqlQuery& q, const QString& /*sql*/)
{
    QList<ColumnInfo> out;
    const QSqlRecord r = q.record();
    sqlite3_stmt* st = d.kind == EngineKind::SQLite ? sqliteStatement(q) : nullptr;
    for (int i = 0; i < r.count(); ++i) {
        ColumnInfo c;
        c.name = r.fieldName(i);
        const QSqlField f = r.field(i);
        if (st) {
            const char* decl = sqlite3_column_decltype(st, i);
            c.declType = decl ? QString::fromUtf8(decl) : QString();
            if (decl) {
                c.kind = kindFromDecl(c.declType, &c.size);
            } else {
                // An expression: its kind follows the value type.
                switch (f.metaType().id()) {
                case QMetaType::Int: case QMetaType::LongLong: c.kind = ftInteger; break;
                case QMetaType::Double: c.kind = ftFloat; break;
                case QMetaType::QByteArray: c.kind = ftBlob; break;
                default: c.kind = ftString; break;
                }
            }
        } else if (d.kind == EngineKind::PostgreSQL) {
            switch (f.typeID()) {
            case 16: c.kind = ftBoolean; break;
            case 20: c.kind = ftLargeint; break;
            case 21: c.kind = ftSmallint; break;
            case 23: c.kind = ftInteger; break;
            case 25: c.kind = ftMemo; break;
            case 700: case 701: c.kind = ftFloat; break;
            case 790: c.kind = ftCurrency; break;
            case 1700: c.kind = (f.length() == 19 && f.precision() == 4) ? ftCurrency : ftBCD; break;
            case 1082: c.kind = ftDate; break;
            case 1083: case 1266: c.kind = ftTime; break;
            case 1114: case 1184: c.kind = ftDateTime; break;
            case 17: c.kind = ftBlob; break;
            case 1042: case 1043: c.kind = ftString; c.size = std::max(0, f.length()); break;
            default: c.kind = ftString; break;
            }
        } else {
            c.kind = ftString;
        }
        out << c;
    }
    return out;
}

namespace {

// "yyyy-MM-dd", "yyyy-MM-dd hh:mm:ss[.zzz]" or "yyyy-MM-ddThh:mm:ss" without
// going through the general date parser (this runs for every date read).
bool parseIso(const QString& s, QDate* date, QTime* time)
{
    auto num = [&](int from, int len, int* out) {
        int v = 0;
        for (int i = from; i < from + len; ++i) {
            const char16_t c = i < s.size() ? s.at(i).unicode() : u'x';
            if (c < u'0' || c > u'9')
                return false;
            v = v * 10 + (c - u'0');
        }
        *out = v;
        return true;
    };
    int y, m, d;
    if (s.size() < 10 || s.at(4) != QLatin1Char('-') || s.at(7) != QLatin1Char('-') || !num(0, 4, &y) || !num(5, 2, &m)
        || !num(8, 2, &d))
        return false;
    *date = QDate(y, m, d);
    *time = QTime(0, 0);
    if (s.size() >= 19 && (s.at(10) == QLatin1Char(' ') || s.at(10) == QLatin1Char('T'))) {
        int h, mi, se;
        if (!num(11, 2, &h) || !num(14, 2, &mi) || !num(17, 2, &se))
            return false;
        *time = QTime(h, mi, se);
    }
    return date->isValid() && time->isValid();
}

} // namespace

QVariant Connection::fromEngine(const QVariant& v, FieldKind kind)
{
    const int type = v.typeId();
    // Text read into a text field needs nothing (the common case).
    if (type == QMetaType::QString && (kind == ftString || kind == ftMemo || kind == ftWideString))
        return v;
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (kind) {
    case ftDate:
    case ftDateTime: {
        QDate date;
        QTime time(0, 0);
        if (v.typeId() == QMetaType::QDateTime) {
            date = v.toDateTime().date();
            time = v.toDateTime().time();
        } else if (v.typeId() == QMetaType::QDate) {
            date = v.toDate();
        } else {
            const QString s = v.toString().trimmed();
            if (!parseIso(s, &date, &time)) {
                const QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
                if (!dt.isValid())
                    return s;
                date = dt.date();
                time = dt.time();
            }
        }
        // A value without a time of day is a QDate, also in a date-time field.
        if (kind == ftDate || time == QTime(0, 0))
            return date;
        return QDateTime(date, time);
    }
    case ftTime: {
        if (v.typeId() == QMetaType::QTime)
            return v;
        const QTime t = QTime::fromString(v.toString().trimmed(), Qt::ISODate);
        return t.isValid() ? QVariant(t) : QVariant(v.toString());
    }
    case ftBoolean:
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed().toLower();
            return s == QLatin1String("1") || s == QLatin1String("true") || s == QLatin1String("t") || s == QLatin1String("yes");
        }
        return v.toBool();
    case ftFloat:
    case ftCurrency:
    case ftBCD: {
        bool ok = false;
        const double x = v.toDouble(&ok);
        return ok ? QVariant(x) : v;
    }
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftLargeint:
    case ftAutoInc: {
        bool ok = false;
        const qlonglong x = v.toLongLong(&ok);
        if (ok)
            return x;
        const double f = v.toDouble(&ok);
        return ok ? QVariant(static_cast<qlonglong>(std::llround(f))) : v;
    }
    case ftString:
    case ftWideString:
    case ftMemo:
        if (v.typeId() == QMetaType::QByteArray)
            return QString::fromUtf8(v.toByteArray());
        return v.toString();
    case ftBlob:
    case ftGraphic:
        return v.toByteArray();
    default:
        return v;
    }
}

QVariant Connection::toEngine(const QVariant& v, FieldKind kind) const
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (kind) {
    case ftDate:
    case ftDateTime: {
        // Dates travel as ISO text; a date without a time of day is written
        // as the date alone, so that "= '2024-03-05'" finds it.
        QDateTime dt;
        if (v.typeId() == QMetaType::QDate)
            dt = v.toDate().startOfDay();
        else if (v.typeId() == QMetaType::QDateTime)
            dt = v.toDateTime();
        else
            return v.toString();
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(Qt::ISODate);
        return dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    case ftTime:
        if (v.typeId() == QMetaType::QTime)
            return v.toTime().toString(QStringLiteral("hh:mm:ss"));
        return v.toString();
    case ftBoolean:
        if (d.kind == EngineKind::SQLite)
            return v.toBool() ? 1 : 0;
        return v.toBool();
    case ftBlob:
    case ftGraphic:
        return v.toByteArray();
    default:
        return v;
    }
}

qint64 Connection::packRowId(const QVariant& v) const
{
    if (d.kind == EngineKind::PostgreSQL) {
        // "(block,offset)"
        const QString s = v.toString();
        const int comma = s.indexOf(QLatin1Char(','));
        const qint64 block = s.mid(1, comma - 1).toLongLong();
        const qint64 off = s.mid(comma + 1, s.size() - comma - 2).toLongLong();
        return (block << 16) | off;
    }
    return v.toLongLong();
}

QString Connection::rowIdLiteral(qint64 id) const
{
    if (d.kind == EngineKind::PostgreSQL)
        return QStringLiteral("'(%1,%2)'").arg(id >> 16).arg(id & 0xFFFF);
    return QString::number(id);
}

QString Connection::rowIdList(const QList<qint64>& ids) const
{
    QStringList parts;
    parts.reserve(ids.size());
    if (d.kind == EngineKind::PostgreSQL) {
        for (qint64 id : ids)
            parts << QStringLiteral("\"(%1,%2)\"").arg(id >> 16).arg(id & 0xFFFF);
        return d.rowId + QStringLiteral(" = ANY ('{") + parts.join(QLatin1Char(',')) + QStringLiteral("}'::tid[])");
    }
    for (qint64 id : ids)
        parts << QString::number(id);
    return d.rowId + QStringLiteral(" IN (") + parts.join(QLatin1Char(',')) + QLatin1Char(')');
}

} // namespace tess
