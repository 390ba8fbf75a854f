#include "platform/accessfile.h"

#include <QFileInfo>
#include <QSqlDatabase>

#include "common/connection.h"
#include "common/errors.h"

#ifdef TESS_HAVE_LIBMDB
#include <mdbtools.h>
#endif

namespace tess {

#ifdef TESS_HAVE_LIBMDB

namespace {

// Column values are read into buffers of this size; longer memo texts are
// cut there (the copy is for looking at the rows and converting the columns).
constexpr size_t kBindSize = 64 * 1024;

QString quotedName(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

MdbHandle* mdb(void* h)
{
    return static_cast<MdbHandle*>(h);
}

QString fromLibrary(const char* s)
{
    return QString::fromUtf8(s);
}

// The declared type of an Access column in the copy, chosen so that the
// engine layer reads back the kind the column has in Access.
QString declaredType(MdbHandle* h, const MdbColumn* col, bool* autoKey)
{
    switch (col->col_type) {
    case MDB_BOOL: return QStringLiteral("BOOLEAN");
    case MDB_BYTE: return QStringLiteral("TINYINT");
    case MDB_INT: return QStringLiteral("SMALLINT");
    case MDB_LONGINT:
        if (col->is_long_auto && !*autoKey) {
            *autoKey = true;
            return QStringLiteral("INTEGER PRIMARY KEY");
        }
        return QStringLiteral("INTEGER");
    case MDB_MONEY: return QStringLiteral("MONEY");
    case MDB_FLOAT: return QStringLiteral("REAL");
    case MDB_DOUBLE: return QStringLiteral("DOUBLE");
    case MDB_DATETIME: return QStringLiteral("DATETIME");
    case MDB_TEXT: return QStringLiteral("VARCHAR(%1)").arg(IS_JET3(h) ? col->col_size : col->col_size / 2);
    case MDB_MEMO: return QStringLiteral("TEXT");
    case MDB_OLE:
    case MDB_BINARY: return QStringLiteral("BLOB");
    case MDB_REPID: return QStringLiteral("VARCHAR(38)");
    case MDB_NUMERIC: return QStringLiteral("DECIMAL(%1,%2)").arg(col->col_prec).arg(col->col_scale);
    default: return QStringLiteral("VARCHAR(255)");
    }
}

MdbCatalogEntry* findTable(MdbHandle* h, const QString& name)
{
    for (unsigned i = 0; i < h->num_catalog; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(h->catalog, i));
        if (e->object_type == MDB_TABLE && !mdb_is_system_table(e) && fromLibrary(e->object_name) == name)
            return e;
    }
    return nullptr;
}

} // namespace

bool AccessCopy::available()
{
    return true;
}

AccessCopy::AccessCopy(const QString& accessFile) : source(accessFile), copy(std::make_unique<Connection>())
{
    // Text of Jet 3 files is in the code page of the Windows that wrote them.
    if (qEnvironmentVariableIsEmpty("MDB_JET3_CHARSET"))
        qputenv("MDB_JET3_CHARSET", "CP936");
    const QString fail = QStringLiteral("“%1”不是能读的ACCESS数据库文件").arg(accessFile);
    if (!QFileInfo(accessFile).isFile() || !dir.isValid())
        throw EngineError(fail);
    MdbHandle* h = mdb_open(QFile::encodeName(accessFile).constData(), MDB_NOFLAGS);
    if (!h)
        throw EngineError(fail);
    handle = h;
    mdb_set_date_fmt(h, "%Y-%m-%d %H:%M:%S");
    mdb_set_boolean_fmt_numbers(h);
    mdb_set_bind_size(h, kBindSize);
    if (!mdb_read_catalog(h, MDB_TABLE)) {
        mdb_close(h);
        handle = nullptr;
        throw EngineError(fail);
    }
    ConnectionParams p;
    p.server = copyPath();
    p.create = true;
    copy->open(p);
    for (unsigned i = 0; i < h->num_catalog; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(h->catalog, i));
        if (e->object_type != MDB_TABLE || mdb_is_system_table(e))
            continue;
        MdbTableDef* t = mdb_read_table(e);
        if (!t)
            continue;
        mdb_read_columns(t);
        QStringList cols;
        bool autoKey = false;
        for (unsigned c = 0; c < t->num_cols; ++c) {
            auto* col = static_cast<MdbColumn*>(g_ptr_array_index(t->columns, c));
            cols << quotedName(fromLibrary(col->name)) + QLatin1Char(' ') + declaredType(h, col, &autoKey);
        }
        mdb_free_tabledef(t);
        const QString name = fromLibrary(e->object_name);
        copy->exec(QStringLiteral("CREATE TABLE ") + quotedName(name) + QLatin1Char('(') + cols.join(QLatin1Char(','))
                   + QLatin1Char(')'));
        names << name;
    }
}

AccessCopy::~AccessCopy()
{
    copy->close();
    if (handle)
        mdb_close(mdb(handle));
}

void AccessCopy::fill(const QString& table)
{
    if (filled.contains(table) || !names.contains(table))
        return;
    MdbHandle* h = mdb(handle);
    MdbCatalogEntry* e = findTable(h, table);
    MdbTableDef* t = e ? mdb_read_table(e) : nullptr;
    if (!t)
        throw EngineError(QStringLiteral("不能读ACCESS数据库表“%1”").arg(table));
    mdb_read_columns(t);
    const unsigned n = t->num_cols;
    std::vector<std::vector<char>> buffers(n, std::vector<char>(kBindSize + 1));
    std::vector<int> lengths(n, 0);
    for (unsigned c = 0; c < n; ++c)
        mdb_bind_column(t, int(c) + 1, buffers[c].data(), &lengths[c]);
    QStringList marks;
    for (unsigned c = 0; c < n; ++c)
        marks << QStringLiteral("?");
    const QString insert = QStringLiteral("INSERT INTO ") + quotedName(table) + QStringLiteral(" VALUES (")
                           + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    QSqlDatabase db = copy->database();
    db.transaction();
    try {
        mdb_rewind_table(t);
        while (mdb_fetch_row(t)) {
            QVariantList values;
            for (unsigned c = 0; c < n; ++c) {
                auto* col = static_cast<MdbColumn*>(g_ptr_array_index(t->columns, c));
                const int len = lengths[c];
                if (col->col_type == MDB_OLE) {
                    size_t size = 0;
                    void* bytes = len > 0 ? mdb_ole_read_full(h, col, &size) : nullptr;
                    values << (bytes ? QVariant(QByteArray(static_cast<const char*>(bytes), qsizetype(size))) : QVariant());
                    free(bytes);
                } else if (len <= 0) {
                    values << QVariant();
                } else if (col->col_type == MDB_BINARY) {
                    values << QByteArray(buffers[c].data(), std::min<qsizetype>(len, kBindSize));
                } else {
                    values << QString::fromUtf8(buffers[c].data(), std::min<qsizetype>(len, kBindSize));
                }
            }
            copy->exec(insert, values);
        }
    } catch (...) {
        db.rollback();
        mdb_free_tabledef(t);
        throw;
    }
    db.commit();
    mdb_free_tabledef(t);
    filled.insert(table);
}

#else

bool AccessCopy::available()
{
    return false;
}

AccessCopy::AccessCopy(const QString& accessFile) : source(accessFile)
{
    throw EngineError(QStringLiteral("本程序不能读ACCESS数据库文件"));
}

AccessCopy::~AccessCopy() = default;

void AccessCopy::fill(const QString&) {}

#endif

QString AccessCopy::copyPath() const
{
    return dir.filePath(QStringLiteral("access.sqlite"));
}

} // namespace tess
