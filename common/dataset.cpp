#include "common/dataset.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

#include "common/sqllex.h"
#include "common/sqltext.h"

namespace tess {

namespace {

constexpr int kBlock = 50;     // rows per block before the first change
constexpr int kBatch = 256;    // rows per read after it

// Marks a blob that exists but has not been read yet.
struct LazyBlob {};

bool isLazy(const QVariant& v)
{
    return v.metaType() == QMetaType::fromType<LazyBlob>();
}

QStringList splitNames(const QString& s)
{
    QStringList out;
    for (const QString& p : s.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        out << p.trimmed();
    return out;
}

} // namespace

DataSet::DataSet(Connection* connection, QObject* parent) : QObject(parent), conn(connection) {}

DataSet::~DataSet() = default;

void DataSet::setConnection(Connection* c)
{
    close();
    conn = c;
}

void DataSet::setTableName(const QString& t)
{
    close();
    table = t;
    sqlText.clear();
}

void DataSet::setSql(const QString& text)
{
    close();
    sqlText = text;
    table.clear();
}

// Changes a reading setting of an open set and reads it again; when the
// engine refuses the new setting, the old one comes back and the error goes
// to the caller.
template <typename T>
static void reread(DataSet* ds, T& setting, const T& value, bool apply)
{
    const T old = setting;
    setting = value;
    if (!apply || !ds->active())
        return;
    try {
        ds->requery();
    } catch (const Error&) {
        setting = old;
        ds->requery();
        throw;
    }
}

void DataSet::setFilter(const QString& text)
{
    if (filterText != text)
        reread(this, filterText, text, filterOn);
}

void DataSet::setFiltered(bool on)
{
    if (filterOn != on)
        reread(this, filterOn, on, true);
}

void DataSet::setSort(const QString& text)
{
    if (sortText != text)
        reread(this, sortText, text, true);
}

void DataSet::setMasterSource(DataSet* m)
{
    if (master == m)
        return;
    if (master)
        disconnect(master, nullptr, this, nullptr);
    master = m;
    if (master) {
        for (auto sig : {&DataSet::afterScroll, &DataSet::afterOpen, &DataSet::afterPost, &DataSet::afterCancel,
                         &DataSet::afterDelete, &DataSet::afterClose, &DataSet::afterInsert})
            connect(master, sig, this, &DataSet::followMaster);
    }
    if (active())
        requery();
}

void DataSet::setMasterFields(const QString& f)
{
    masterFieldText = f;
    if (active())
        requery();
}

void DataSet::setIndexFieldNames(const QString& f)
{
    indexFieldText = f;
    if (active())
        requery();
}

void DataSet::setParam(const QString& name, const QVariant& value)
{
    params.insert(name.toLower(), value);
}

void DataSet::setReadOnly(bool on)
{
    readOnlyFlag = on;
}

bool DataSet::canModify() const
{
    return !readOnlyFlag && hasRowId && !table.isEmpty();
}

// ---- building statements ---------------------------------------------------

void DataSet::analyseSource()
{
    plainSql = false;
    sqlWhere.clear();
    sqlOrder.clear();
    if (sqlText.isEmpty())
        return;
    // "Select * From T [Where ...] [Order By ...]" reads one table as it is:
    // it keeps the row identity and stays updatable.
    const QList<sql::Token> t = sql::lex(sqlText);
    int i = sql::nextSignificant(t, 0);
    if (i < 0 || !t.at(i).is("select"))
        return;
    i = sql::nextSignificant(t, i + 1);
    if (i < 0 || !t.at(i).isPunct('*'))
        return;
    i = sql::nextSignificant(t, i + 1);
    if (i < 0 || !t.at(i).is("from"))
        return;
    i = sql::nextSignificant(t, i + 1);
    if (i < 0 || t.at(i).type != sql::Token::Word)
        return;
    const QString tbl = t.at(i).text;
    int j = sql::nextSignificant(t, i + 1);
    int whereAt = -1, orderAt = -1;
    if (j >= 0 && t.at(j).is("where"))
        whereAt = j;
    else if (j >= 0 && t.at(j).is("order"))
        orderAt = j;
    else if (j >= 0)
        return;
    int depth = 0;
    for (int k = (whereAt >= 0 ? whereAt : (orderAt >= 0 ? orderAt : t.size())) + 1; k < t.size(); ++k) {
        const sql::Token& tk = t.at(k);
        if (tk.isPunct('('))
            ++depth;
        else if (tk.isPunct(')'))
            --depth;
        else if (depth == 0) {
            if (tk.is("group") || tk.is("having") || tk.is("union") || tk.is("limit") || tk.is("intersect")
                || tk.is("except") || tk.is("offset") || tk.isPunct(';'))
                return;
            if (tk.is("order") && orderAt < 0)
                orderAt = k;
        }
    }
    if (whereAt >= 0)
        sqlWhere = sql::join(t.mid(whereAt + 1, (orderAt >= 0 ? orderAt : t.size()) - whereAt - 1)).trimmed();
    if (orderAt >= 0) {
        const int by = sql::nextSignificant(t, orderAt + 1);
        if (by < 0 || !t.at(by).is("by"))
            return;
        sqlOrder = sql::join(t.mid(by + 1)).trimmed();
    }
    plainSql = true;
    table = tbl;
}

QString DataSet::paramValueSql(const QString& name, QVariantList* binds) const
{
    QVariant v;
    auto it = params.constFind(name.toLower());
    if (it != params.constEnd()) {
        v = *it;
        if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime)
            v = conn->toEngine(v, v.typeId() == QMetaType::QDate ? ftDate : ftDateTime);
    } else if (master && master->active()) {
        const int f = master->fieldIndex(name);
        if (f >= 0)
            v = conn->toEngine(master->value(f), master->fieldKind(f));
    }
    binds->append(v);
    return QStringLiteral("?");
}

// Replaces named parameters by positional ones, collecting their values.
static QString positional(const QString& text, const std::function<QString(const QString&)>& param)
{
    QList<sql::Token> t = sql::lex(text);
    bool any = false;
    for (sql::Token& k : t)
        if (k.type == sql::Token::Param) {
            k.text = param(k.text.mid(1));
            any = true;
        }
    return any ? sql::join(t) : text;
}

QString DataSet::whereClause(QVariantList* binds) const
{
    QStringList parts;
    if (plainSql && !sqlWhere.isEmpty())
        parts << QLatin1Char('(') + positional(sqlWhere, [&](const QString& n) { return paramValueSql(n, binds); }) + QLatin1Char(')');
    if (filterOn && !filterText.trimmed().isEmpty())
        parts << QLatin1Char('(') + filterText + QLatin1Char(')');
    if (master && sqlText.isEmpty()) {
        const QStringList detail = splitNames(indexFieldText);
        const QStringList mf = splitNames(masterFieldText);
        for (int i = 0; i < detail.size() && i < mf.size(); ++i) {
            QVariant v;
            if (master->active() && master->state() != DataSetState::Inactive) {
                const int f = master->fieldIndex(mf.at(i));
                if (f >= 0)
                    v = conn->toEngine(master->value(f), master->fieldKind(f));
            }
            if (v.isNull()) {
                parts << QStringLiteral("1=0");
            } else {
                parts << detail.at(i) + QStringLiteral(" = ?");
                binds->append(v);
            }
        }
    }
    if (parts.isEmpty())
        return {};
    return QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
}

QString DataSet::orderClause(bool reversed) const
{
    QString order = sortText.trimmed();
    if (order.isEmpty() && plainSql)
        order = sqlOrder;
    if (order.isEmpty()) {
        // Unsorted SQLite tables come in rowid order; say so when reading
        // them backwards.
        if (reversed)
            return QStringLiteral(" ORDER BY ") + conn->dialect().rowId + QStringLiteral(" DESC");
        return {};
    }
    if (hasRowId)
        order += QStringLiteral(", ") + conn->dialect().rowId;
    if (!reversed)
        return QStringLiteral(" ORDER BY ") + order;
    // Each term the other way round: "a ASC,b DESC" -> "a DESC,b ASC".
    QStringList terms;
    const QList<sql::Token> t = sql::lex(order);
    int depth = 0, start = 0;
    auto flush = [&](int end) {
        QList<sql::Token> term = t.mid(start, end - start);
        while (!term.isEmpty() && (term.last().type == sql::Token::Space))
            term.removeLast();
        int last = int(term.size()) - 1;
        if (last >= 0 && term.at(last).is("desc"))
            term[last].text = QStringLiteral("ASC");
        else if (last >= 0 && term.at(last).is("asc"))
            term[last].text = QStringLiteral("DESC");
        else
            term.append({sql::Token::Word, QStringLiteral(" DESC")});
        terms << sql::join(term).trimmed();
    };
    for (int i = 0; i < t.size(); ++i) {
        if (t.at(i).isPunct('('))
            ++depth;
        else if (t.at(i).isPunct(')'))
            --depth;
        else if (depth == 0 && t.at(i).isPunct(',')) {
            flush(i);
            start = i + 1;
        }
    }
    flush(int(t.size()));
    return QStringLiteral(" ORDER BY ") + terms.join(QLatin1Char(','));
}

QString DataSet::selectList() const
{
    QString cols = QStringLiteral("*");
    if (lazyBlobs) {
        QStringList c;
        for (const ColumnInfo& f : fields)
            c << (isBlobKind(f.kind) ? QStringLiteral("CASE WHEN %1 IS NULL THEN 0 ELSE 1 END AS %1").arg(f.name) : f.name);
        cols = c.join(QStringLiteral(", "));
    }
    if (hasRowId)
        return conn->dialect().rowId + QStringLiteral(" AS tess_rid, ") + cols;
    return cols;
}

QString DataSet::baseSelect(QVariantList* binds, bool reversed) const
{
    if (!table.isEmpty())
        return QStringLiteral("SELECT ") + selectList() + QStringLiteral(" FROM ") + table + whereClause(binds) + orderClause(reversed);
    const QString inner = positional(sqlText, [&](const QString& n) { return paramValueSql(n, binds); });
    return QStringLiteral("SELECT * FROM (") + inner + QStringLiteral(") tess_q") + whereClause(binds) + orderClause();
}

std::unique_ptr<Cursor> DataSet::run(const QString& text, const QVariantList& binds)
{
    return conn->cursor(text, binds);
}

DataSet::Row DataSet::readRow(Cursor& q) const
{
    Row r;
    r.loaded = true;
    int off = 0;
    if (hasRowId) {
        r.id = conn->packRowId(q.value(0));
        off = 1;
    }
    r.v.resize(fields.size());
    for (int i = 0; i < fields.size(); ++i) {
        const QVariant raw = q.value(off + i);
        if (lazyBlobs && isBlobKind(fields.at(i).kind))
            r.v[i] = raw.toInt() == 1 ? QVariant::fromValue(LazyBlob()) : QVariant();
        else
            r.v[i] = Connection::fromEngine(raw, fields.at(i).kind);
    }
    return r;
}

void DataSet::fetchBlock(int block)
{
    QVariantList binds;
    // Blocks in the back half of a table are read backwards from its end, so
    // that going to the last record does not step over all the others.
    const bool canReverse = hasRowId && !table.isEmpty()
                            && (conn->kind() == EngineKind::SQLite || !orderClause().isEmpty());
    const bool reversed = canReverse && count > 0 && qint64(block) * kBlock > count / 2;
    QString text;
    if (reversed) {
        const int end = std::min(count, (block + 1) * kBlock);
        text = baseSelect(&binds, true) + QStringLiteral(" LIMIT %1 OFFSET %2").arg(end - block * kBlock).arg(count - end);
    } else {
        text = baseSelect(&binds) + QStringLiteral(" LIMIT %1 OFFSET %2").arg(kBlock).arg(qint64(block) * kBlock);
    }
    std::unique_ptr<Cursor> q = run(text, binds);
    QVector<Row> rowsRead;
    rowsRead.reserve(kBlock);
    bool more = q->next();
    if (fields.isEmpty()) {
        fields = q->columns();
        if (hasRowId && !fields.isEmpty())
            fields.removeFirst();
    }
    for (; more; more = q->next())
        rowsRead.append(readRow(*q));
    if (reversed)
        std::reverse(rowsRead.begin(), rowsRead.end());
    // A short block is the last one: now the count is known.
    else if (rowsRead.size() < kBlock && (rowsRead.size() > 0 || block == 0))
        count = block * kBlock + int(rowsRead.size());
    if (blocks.size() <= size_t(block))
        blocks.resize(block + 1);
    blocks[block] = Block{true, std::move(rowsRead)};
}

int DataSet::baseCount()
{
    if (materialized)
        return int(rows.size());
    if (count < 0) {
        QVariantList binds;
        QString text;
        if (!table.isEmpty())
            text = QStringLiteral("SELECT COUNT(*) FROM ") + table + whereClause(&binds);
        else
            text = QStringLiteral("SELECT COUNT(*) FROM (")
                   + positional(sqlText, [&](const QString& n) { return paramValueSql(n, &binds); })
                   + QStringLiteral(") tess_q") + whereClause(&binds);
        count = conn->scalar(text, binds).toInt();
    }
    return count;
}

void DataSet::materialize()
{
    if (materialized)
        return;
    QVector<Row> all;
    if (hasRowId) {
        QVariantList binds;
        const QString text = QStringLiteral("SELECT ") + conn->dialect().rowId + QStringLiteral(" FROM ") + table
                             + whereClause(&binds) + orderClause();
        std::unique_ptr<Cursor> q = run(text, binds);
        while (q->next()) {
            Row r;
            r.id = conn->packRowId(q->value(0));
            all.append(r);
        }
        // Keep what was read already.
        for (size_t b = 0; b < blocks.size(); ++b) {
            const int base = int(b) * kBlock;
            const QVector<Row>& blk = blocks[b].rows;
            for (int i = 0; i < blk.size(); ++i)
                if (base + i < all.size() && all.at(base + i).id == blk.at(i).id)
                    all[base + i] = blk.at(i);
        }
    } else {
        QVariantList binds;
        const QString text = baseSelect(&binds);
        std::unique_ptr<Cursor> q = run(text, binds);
        while (q->next())
            all.append(readRow(*q));
    }
    rows = std::move(all);
    blocks.clear();
    count = int(rows.size());
    materialized = true;
}

void DataSet::loadRows(int from, int to)
{
    QList<qint64> ids;
    QHash<qint64, int> where;
    for (int i = from; i < to && i < rows.size() && ids.size() < kBatch; ++i)
        if (!rows.at(i).loaded) {
            ids << rows.at(i).id;
            where.insert(rows.at(i).id, i);
        }
    if (ids.isEmpty())
        return;
    std::unique_ptr<Cursor> q = run(QStringLiteral("SELECT ") + selectList() + QStringLiteral(" FROM ") + table
                                    + QStringLiteral(" WHERE ") + conn->rowIdList(ids), {});
    while (q->next()) {
        Row r = readRow(*q);
        auto it = where.find(r.id);
        if (it != where.end()) {
            rows[*it] = r;
            where.erase(it);
        }
    }
    // Rows removed by somebody else show as empty records.
    for (auto it = where.constBegin(); it != where.constEnd(); ++it) {
        Row& r = rows[*it];
        r.v = QVector<QVariant>(fields.size());
        r.loaded = true;
    }
}

const DataSet::Row* DataSet::rowAt(int view)
{
    if (st == DataSetState::Insert) {
        if (view == pendingAt)
            return &pending;
        if (view > pendingAt)
            --view;
    }
    if (view < 0)
        return nullptr;
    if (materialized) {
        if (view >= rows.size())
            return nullptr;
        if (!rows.at(view).loaded)
            loadRows(view, view + kBatch);
        return &rows.at(view);
    }
    const int b = view / kBlock;
    if (size_t(b) >= blocks.size() || !blocks[b].read) {
        if (count >= 0 && view >= count)
            return nullptr;
        fetchBlock(b);
    }
    const QVector<Row>& blk = blocks[b].rows;
    const int i = view % kBlock;
    return i < blk.size() ? &blk.at(i) : nullptr;
}

void DataSet::refetchRow(Row& r)
{
    std::unique_ptr<Cursor> q = run(QStringLiteral("SELECT ") + selectList() + QStringLiteral(" FROM ") + table
                                    + QStringLiteral(" WHERE ") + conn->dialect().rowId + QStringLiteral(" = ")
                                    + conn->rowIdLiteral(r.id), {});
    if (q->next())
        r = readRow(*q);
}

QVariant DataSet::blobValue(Row& r, int f)
{
    if (!isLazy(r.v.at(f)))
        return r.v.at(f);
    const QVariant v = conn->scalar(QStringLiteral("SELECT ") + fields.at(f).name + QStringLiteral(" FROM ") + table
                                    + QStringLiteral(" WHERE ") + conn->dialect().rowId + QStringLiteral(" = ")
                                    + conn->rowIdLiteral(r.id));
    r.v[f] = v.isNull() ? QVariant() : QVariant(v.toByteArray());
    return r.v.at(f);
}

// ---- life -------------------------------------------------------------------

void DataSet::open()
{
    if (active())
        return;
    if (!conn || !conn->connected())
        throw EngineError(QStringLiteral("数据库没有连接"));
    if (!sqlText.isEmpty())
        analyseSource();
    if (table.isEmpty() && sqlText.isEmpty())
        throw EngineError(QStringLiteral("没有指定表名或查询语句"));
    fields.clear();
    fieldIdx.clear();
    blocks.clear();
    rows.clear();
    materialized = false;
    count = -1;
    hasRowId = false;
    lazyBlobs = false;
    // Blobs (pictures, files) are read only when looked at.
    auto wantLazyBlobs = [this] {
        if (!hasRowId || std::none_of(fields.begin(), fields.end(), [](const ColumnInfo& f) { return isBlobKind(f.kind); }))
            return false;
        return std::all_of(fields.begin(), fields.end(),
                           [](const ColumnInfo& f) { return sql::isBareIdentifier(f.name, nullptr, 1000); });
    };
    if (!table.isEmpty()) {
        hasRowId = !conn->dialect().rowId.isEmpty();
        // SQLite names the columns as created in the statement itself;
        // other engines are asked (PostgreSQL keeps the spelling aside).
        if (conn->kind() != EngineKind::SQLite) {
            fields = conn->columns(table);
            lazyBlobs = wantLazyBlobs();
        }
    }
    try {
        fetchBlock(0);
    } catch (const EngineError&) {
        if (!hasRowId)
            throw;
        if (conn->kind() == EngineKind::SQLite && !conn->hasTable(table))
            throw EngineError(QStringLiteral("对象名“%1”无效。").arg(table));
        // A view has no row identity: read it as it is, read-only.
        hasRowId = false;
        lazyBlobs = false;
        blocks.clear();
        count = -1;
        fetchBlock(0);
    }
    if (!lazyBlobs && wantLazyBlobs()) {
        lazyBlobs = true;
        blocks.clear();
        count = -1;
        fetchBlock(0);
    }
    for (int i = 0; i < fields.size(); ++i)
        fieldIdx.insert(fields.at(i).name.toLower(), i);
    // Result names keep the spelling the table was created with.
    st = DataSetState::Browse;
    modifiedFlag = false;
    cur = firstBlockEmpty() ? -1 : 0;
    bofFlag = true;
    eofFlag = cur < 0;
    emit stateChanged();
    emitControlsReset();
    emit afterOpen();
    if (cur >= 0)
        emit afterScroll();
}

void DataSet::close()
{
    if (!active())
        return;
    st = DataSetState::Inactive;
    fields.clear();
    fieldIdx.clear();
    blocks.clear();
    rows.clear();
    materialized = false;
    count = -1;
    cur = -1;
    pendingAt = -1;
    buffer.clear();
    modifiedFlag = false;
    bofFlag = eofFlag = true;
    emit stateChanged();
    emitControlsReset();
    emit afterClose();
}

void DataSet::reopenKeeping(qint64 id)
{
    const int prev = cur;
    blocks.clear();
    rows.clear();
    materialized = false;
    count = -1;
    if (st != DataSetState::Browse)
        setState(DataSetState::Browse);
    modifiedFlag = false;
    fetchBlock(0);
    cur = firstBlockEmpty() ? -1 : 0;
    if (id != 0 && cur >= 0) {
        const Row* r = prev >= 0 ? rowAt(prev) : nullptr;
        if (r && r->id == id) {
            cur = prev;
        } else {
            const int n = baseCount();
            bool found = false;
            for (int i = 0; i < n && !found; ++i)
                if (const Row* x = rowAt(i); x && x->id == id) {
                    cur = i;
                    found = true;
                }
            if (!found)
                cur = std::min(std::max(prev, 0), n - 1);
        }
    }
    bofFlag = cur <= 0;
    eofFlag = cur < 0;
    emitControlsReset();
    emit afterScroll();
}

void DataSet::requery()
{
    if (!active())
        return;
    checkBrowseMode();
    reopenKeeping(0);
}

void DataSet::refresh()
{
    if (!active())
        return;
    checkBrowseMode();
    reopenKeeping(rowId());
}

void DataSet::followMaster()
{
    if (!active())
        return;
    // A pending detail record is written before the detail follows its master.
    if (st == DataSetState::Edit || st == DataSetState::Insert) {
        if (modifiedFlag)
            post();
        else
            cancel();
    }
    reopenKeeping(0);
}

// ---- fields -----------------------------------------------------------------

int DataSet::fieldIndex(const QString& name) const
{
    return fieldIdx.value(name.trimmed().toLower(), -1);
}

int DataSet::field(const QString& name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw Error(QStringLiteral("没有找到字段“%1”").arg(name));
    return i;
}

QStringList DataSet::fieldNames() const
{
    QStringList out;
    for (const ColumnInfo& f : fields)
        out << f.name;
    return out;
}

QVariant DataSet::value(int i) const
{
    auto* self = const_cast<DataSet*>(this);
    if (i < 0 || i >= fields.size())
        throw Error(QStringLiteral("字段序号超出范围"));
    if (st == DataSetState::Insert)
        return pending.v.at(i);
    if (st == DataSetState::Edit) {
        if (isLazy(buffer.at(i))) {
            const Row* r = self->rowAt(cur);
            self->buffer[i] = r ? self->blobValue(const_cast<Row&>(*r), i) : QVariant();
        }
        return buffer.at(i);
    }
    if (cur < 0)
        return {};
    const Row* r = self->rowAt(cur);
    if (!r)
        return {};
    if (isLazy(r->v.at(i)))
        return self->blobValue(const_cast<Row&>(*r), i);
    return r->v.at(i);
}

QVariant DataSet::valueAt(int row, int f)
{
    const Row* r = rowAt(row);
    if (!r || f < 0 || f >= r->v.size())
        return {};
    if (row == cur && (st == DataSetState::Edit))
        return value(f);
    if (isLazy(r->v.at(f)))
        return blobValue(const_cast<Row&>(*r), f);
    return r->v.at(f);
}

QString DataSet::displayText(const QVariant& v, FieldKind kind)
{
    if (!v.isValid() || v.isNull())
        return {};
    switch (kind) {
    case ftDate:
        if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime)
            return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
        break;
    case ftDateTime:
        if (v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate) {
            const QDateTime dt = v.toDateTime();
            if (dt.time() == QTime(0, 0))
                return dt.date().toString(QStringLiteral("yyyy-MM-dd"));
            return dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        }
        break;
    case ftTime:
        if (v.typeId() == QMetaType::QTime)
            return v.toTime().toString(QStringLiteral("hh:mm:ss"));
        break;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        if (v.typeId() == QMetaType::Double)
            return QString::number(v.toDouble(), 'g', 15);
        break;
    case ftBoolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case ftBlob:
    case ftGraphic:
        return QStringLiteral("(BLOB)");
    default:
        break;
    }
    return v.toString();
}

QString DataSet::text(int i) const
{
    return displayText(value(i), fields.at(i).kind);
}

QVariant DataSet::convertText(const QString& text, FieldKind kind)
{
    const QString t = text.trimmed();
    if (isTextKind(kind) || kind == ftUnknown)
        return text;
    if (isBlobKind(kind))
        return text.isEmpty() ? QVariant() : QVariant(text.toUtf8());
    if (t.isEmpty())
        return {};
    bool ok = false;
    if (isIntegerKind(kind)) {
        const qlonglong v = t.toLongLong(&ok);
        if (!ok)
            throw Error(QStringLiteral("“%1”不是有效的整数值").arg(text));
        return v;
    }
    if (isNumericKind(kind)) {
        const double v = t.toDouble(&ok);
        if (!ok)
            throw Error(QStringLiteral("“%1”不是有效的浮点数值").arg(text));
        return v;
    }
    if (kind == ftBoolean) {
        const QString l = t.toLower();
        if (l == QLatin1String("true") || l == QLatin1String("1") || l == QLatin1String("t") || l == QLatin1String("yes") || t == QStringLiteral("是"))
            return true;
        if (l == QLatin1String("false") || l == QLatin1String("0") || l == QLatin1String("f") || l == QLatin1String("no") || t == QStringLiteral("否"))
            return false;
        throw Error(QStringLiteral("“%1”不是有效的布尔值").arg(text));
    }
    if (kind == ftTime) {
        for (const char* f : {"h:mm:ss", "h:mm", "hh:mm:ss.zzz"}) {
            const QTime tm = QTime::fromString(t, QLatin1String(f));
            if (tm.isValid())
                return tm;
        }
        throw Error(QStringLiteral("“%1”不是有效的时间").arg(text));
    }
    if (kind == ftDate || kind == ftDateTime) {
        QString s = t;
        s.replace(QLatin1Char('/'), QLatin1Char('-')).replace(QLatin1Char('.'), QLatin1Char('-'));
        s.replace(QLatin1Char('T'), QLatin1Char(' '));
        for (const char* f : {"yyyy-M-d h:m:s", "yyyy-M-d h:m"}) {
            const QDateTime dt = QDateTime::fromString(s, QLatin1String(f));
            if (dt.isValid())
                return kind == ftDate ? QVariant(dt.date()) : QVariant(dt);
        }
        for (const char* f : {"yyyy-M-d", "yyyyMMdd"}) {
            const QDate d = QDate::fromString(s, QLatin1String(f));
            if (d.isValid())
                return kind == ftDate ? QVariant(d) : QVariant(d.startOfDay());
        }
        throw Error(QStringLiteral("“%1”不是有效的日期").arg(text));
    }
    return text;
}

void DataSet::setValue(int i, const QVariant& v)
{
    if (st != DataSetState::Edit && st != DataSetState::Insert)
        throw Error(QStringLiteral("数据集不在编辑或插入状态"));
    if (i < 0 || i >= fields.size())
        throw Error(QStringLiteral("字段序号超出范围"));
    const FieldKind k = fields.at(i).kind;
    QVariant x = v;
    if (x.typeId() == QMetaType::QString && !isTextKind(k))
        x = convertText(x.toString(), k);
    else if (x.isValid() && !x.isNull())
        x = Connection::fromEngine(x, k);
    else
        x = QVariant();
    if (st == DataSetState::Insert)
        pending.v[i] = x;
    else
        buffer[i] = x;
    changed[i] = true;
    modifiedFlag = true;
    emit fieldChanged(i);
    emitControls(&DataSet::controlsRowChanged, cur);
}

void DataSet::setText(int i, const QString& t)
{
    if (i < 0 || i >= fields.size())
        throw Error(QStringLiteral("字段序号超出范围"));
    setValue(i, convertText(t, fields.at(i).kind));
}

// ---- records ----------------------------------------------------------------

int DataSet::recordCount()
{
    if (!active())
        return 0;
    return baseCount() + (st == DataSetState::Insert ? 1 : 0);
}

bool DataSet::isEmpty()
{
    if (!active())
        return true;
    if (st == DataSetState::Insert)
        return false;
    if (materialized)
        return rows.isEmpty();
    return rowAt(0) == nullptr;
}

qint64 DataSet::rowId() const
{
    if (cur < 0 || st == DataSetState::Insert || !hasRowId)
        return 0;
    const Row* r = const_cast<DataSet*>(this)->rowAt(cur);
    return r ? r->id : 0;
}

void DataSet::runHooks(const std::vector<Hook>& hooks)
{
    for (const Hook& h : hooks)
        h(*this);
}

void DataSet::setState(DataSetState s)
{
    if (st == s)
        return;
    st = s;
    emit stateChanged();
}

void DataSet::emitControls(void (DataSet::*sig)(int), int row)
{
    if (controlsOff > 0) {
        controlsDirty = true;
        return;
    }
    emit(this->*sig)(row);
}

void DataSet::emitControlsReset()
{
    if (controlsOff > 0) {
        controlsDirty = true;
        return;
    }
    emit controlsReset();
}

void DataSet::enableControls()
{
    if (controlsOff > 0 && --controlsOff == 0) {
        controlsDirty = false;
        emit controlsReset();
        emit controlsCurrentChanged(cur);
    }
}

void DataSet::updateRecord()
{
    if (st != DataSetState::Edit && st != DataSetState::Insert)
        return;
    const auto flushes = editors;
    for (const auto& f : flushes)
        f();
}

void DataSet::checkBrowseMode()
{
    if (!active())
        throw Error(QStringLiteral("数据集没有打开"));
    if (st == DataSetState::Edit || st == DataSetState::Insert) {
        updateRecord();
        if (modifiedFlag)
            post();
        else
            cancel();
    }
}

void DataSet::scrollTo(int index)
{
    const bool wasInsert = st == DataSetState::Insert;
    const int insertedAt = pendingAt;
    checkBrowseMode();
    // An untouched new record was dropped: positions after it moved up.
    if (wasInsert && st == DataSetState::Browse && insertedAt >= 0 && index > insertedAt && !lastInsertPosted)
        --index;
    const int n = baseCount();
    if (n == 0) {
        cur = -1;
        return;
    }
    index = std::clamp(index, 0, n - 1);
    if (index == cur)
        return;
    runHooks(beforeScrollHooks);
    cur = index;
    emitControls(&DataSet::controlsCurrentChanged, cur);
    emit afterScroll();
}

void DataSet::first()
{
    scrollTo(0);
    bofFlag = true;
    eofFlag = cur < 0;
}

void DataSet::last()
{
    checkBrowseMode();
    scrollTo(baseCount() - 1);
    eofFlag = true;
    bofFlag = cur < 0;
}

void DataSet::next()
{
    checkBrowseMode();
    if (cur >= 0 && cur < baseCount() - 1) {
        scrollTo(cur + 1);
        bofFlag = eofFlag = false;
    } else {
        eofFlag = true;
    }
}

void DataSet::prior()
{
    checkBrowseMode();
    if (cur > 0) {
        scrollTo(cur - 1);
        bofFlag = eofFlag = false;
    } else {
        bofFlag = true;
    }
}

void DataSet::moveBy(int n)
{
    checkBrowseMode();
    const int total = baseCount();
    const int target = cur + n;
    if (target < 0) {
        scrollTo(0);
        bofFlag = true;
    } else if (target >= total) {
        scrollTo(total - 1);
        eofFlag = true;
    } else {
        scrollTo(target);
        bofFlag = eofFlag = false;
    }
}

void DataSet::setRecNo(int n)
{
    scrollTo(n - 1);
    bofFlag = eofFlag = false;
}

void DataSet::startInsert(int at)
{
    checkBrowseMode();
    if (!canModify())
        throw Error(QStringLiteral("数据集为只读，不能修改"));
    runHooks(beforeInsertHooks);
    runHooks(beforeScrollHooks);
    const int n = baseCount();
    at = at < 0 ? n : std::clamp(at, 0, n);
    previousCur = cur;
    pending = Row();
    pending.v = QVector<QVariant>(fields.size());
    pending.loaded = true;
    changed = QVector<bool>(fields.size(), false);
    pendingAt = at;
    cur = at;
    lastInsertPosted = false;
    setState(DataSetState::Insert);
    // A new detail record takes its master's link values.
    if (master && sqlText.isEmpty() && master->active()) {
        const QStringList detail = splitNames(indexFieldText);
        const QStringList mf = splitNames(masterFieldText);
        for (int i = 0; i < detail.size() && i < mf.size(); ++i) {
            const int d = fieldIndex(detail.at(i));
            const int m = master->fieldIndex(mf.at(i));
            if (d >= 0 && m >= 0) {
                pending.v[d] = Connection::fromEngine(master->value(m), fields.at(d).kind);
                changed[d] = true;
            }
        }
    }
    runHooks(newRecordHooks);
    modifiedFlag = false;
    emitControls(&DataSet::controlsRowInserted, at);
    emitControls(&DataSet::controlsCurrentChanged, cur);
    emit afterInsert();
    emit afterScroll();
}

void DataSet::append()
{
    startInsert(-1);
}

void DataSet::insert()
{
    startInsert(cur < 0 ? 0 : cur);
}

void DataSet::edit()
{
    if (!active())
        throw Error(QStringLiteral("数据集没有打开"));
    if (st == DataSetState::Edit || st == DataSetState::Insert)
        return;
    if (isEmpty()) {
        insert();
        return;
    }
    if (!canModify())
        throw Error(QStringLiteral("数据集为只读，不能修改"));
    runHooks(beforeEditHooks);
    const Row* r = rowAt(cur);
    buffer = r ? r->v : QVector<QVariant>(fields.size());
    changed = QVector<bool>(fields.size(), false);
    modifiedFlag = false;
    setState(DataSetState::Edit);
    emit afterEdit();
}

void DataSet::post()
{
    if (st != DataSetState::Edit && st != DataSetState::Insert)
        return;
    updateRecord();
    runHooks(beforePostHooks);
    const bool inserting = st == DataSetState::Insert;
    const QVector<QVariant>& vals = inserting ? pending.v : buffer;
    QStringList cols, marks;
    QVariantList binds;
    for (int i = 0; i < fields.size(); ++i) {
        if (!changed.at(i) || isLazy(vals.at(i)))
            continue;
        cols << fields.at(i).name;
        marks << QStringLiteral("?");
        binds << conn->toEngine(vals.at(i), fields.at(i).kind);
    }
    const bool pg = conn->kind() == EngineKind::PostgreSQL;
    if (inserting) {
        // Positions are fixed from now on, so the new record stays where it was added.
        materialize();
        QString text = QStringLiteral("INSERT INTO ") + table;
        if (cols.isEmpty())
            text += QStringLiteral(" DEFAULT VALUES");
        else
            text += QStringLiteral(" (") + cols.join(QLatin1Char(',')) + QStringLiteral(") VALUES (")
                    + marks.join(QLatin1Char(',')) + QLatin1Char(')');
        if (pg)
            text += QStringLiteral(" RETURNING ctid");
        QSqlQuery q = conn->select(text, binds);
        Row r;
        r.id = pg ? (q.next() ? conn->packRowId(q.value(0)) : 0) : q.lastInsertId().toLongLong();
        refetchRow(r);
        const int at = std::clamp(pendingAt, 0, int(rows.size()));
        rows.insert(at, r);
        cur = at;
        pendingAt = -1;
        lastInsertPosted = true;
    } else if (!cols.isEmpty()) {
        materialize();
        Row& r = rows[cur];
        QStringList sets;
        for (const QString& c : cols)
            sets << c + QStringLiteral("=?");
        QString text = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + sets.join(QLatin1Char(','))
                       + QStringLiteral(" WHERE ") + conn->dialect().rowId + QStringLiteral(" = ") + conn->rowIdLiteral(r.id);
        if (pg)
            text += QStringLiteral(" RETURNING ctid");
        QSqlQuery q = conn->select(text, binds);
        if (pg) {
            if (!q.next())
                throw EngineError(QStringLiteral("记录已被其他用户修改或删除，不能写入"));
            r.id = conn->packRowId(q.value(0));
        } else if (q.numRowsAffected() == 0) {
            throw EngineError(QStringLiteral("记录已被其他用户修改或删除，不能写入"));
        }
        refetchRow(r);
    }
    buffer.clear();
    modifiedFlag = false;
    setState(DataSetState::Browse);
    emitControls(&DataSet::controlsRowChanged, cur);
    emit afterPost();
}

void DataSet::cancel()
{
    if (st == DataSetState::Insert) {
        const int at = pendingAt;
        pendingAt = -1;
        pending = Row();
        modifiedFlag = false;
        setState(DataSetState::Browse);
        const int n = baseCount();
        cur = n == 0 ? -1 : std::clamp(previousCur < 0 ? 0 : previousCur, 0, n - 1);
        emitControls(&DataSet::controlsRowRemoved, at);
        emitControls(&DataSet::controlsCurrentChanged, cur);
        emit afterCancel();
        emit afterScroll();
    } else if (st == DataSetState::Edit) {
        buffer.clear();
        modifiedFlag = false;
        setState(DataSetState::Browse);
        emitControls(&DataSet::controlsRowChanged, cur);
        emit afterCancel();
    }
}

void DataSet::deleteRecord()
{
    if (!active())
        throw Error(QStringLiteral("数据集没有打开"));
    if (st == DataSetState::Insert) {
        cancel();
        return;
    }
    if (st == DataSetState::Edit)
        cancel();
    if (isEmpty())
        throw Error(QStringLiteral("数据集为空，不能删除记录"));
    if (!canModify())
        throw Error(QStringLiteral("数据集为只读，不能修改"));
    runHooks(beforeDeleteHooks);
    materialize();
    conn->exec(QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE ") + conn->dialect().rowId
               + QStringLiteral(" = ") + conn->rowIdLiteral(rows.at(cur).id));
    const int at = cur;
    rows.removeAt(at);
    count = int(rows.size());
    if (cur >= rows.size())
        cur = int(rows.size()) - 1;
    eofFlag = rows.isEmpty();
    emitControls(&DataSet::controlsRowRemoved, at);
    emitControls(&DataSet::controlsCurrentChanged, cur);
    emit afterDelete();
    emit afterScroll();
}

namespace {

bool matches(const QVariant& have, const QVariant& want, FieldKind kind, const LocateOptions& o)
{
    if (!want.isValid() || want.isNull())
        return have.isNull();
    if (have.isNull() || isBlobKind(kind))
        return false;
    if (isNumericKind(kind) && !o.partialKey) {
        bool ok = false;
        const double w = want.toDouble(&ok);
        if (ok)
            return have.toDouble() == w;
    }
    if (isDateKind(kind) && want.typeId() != QMetaType::QString)
        return DataSet::displayText(have, kind) == DataSet::displayText(want, kind);
    if (kind == ftBoolean && want.typeId() == QMetaType::Bool)
        return have.toBool() == want.toBool();
    QString a = DataSet::displayText(have, kind);
    QString b = want.toString();
    if (isDateKind(kind)) {
        try {
            b = DataSet::displayText(DataSet::convertText(b, kind), kind);
        } catch (const Error&) {
        }
    }
    const Qt::CaseSensitivity cs = o.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    return o.partialKey ? a.startsWith(b, cs) : a.compare(b, cs) == 0;
}

} // namespace

bool DataSet::locate(const QString& names, const QVariantList& values, LocateOptions opts)
{
    checkBrowseMode();
    QList<int> idx;
    for (const QString& n : splitNames(names))
        idx << field(n);
    const int n = baseCount();
    for (int i = 0; i < n; ++i) {
        const Row* r = rowAt(i);
        if (!r)
            break;
        bool ok = true;
        for (int k = 0; k < idx.size() && ok; ++k) {
            QVariant have = r->v.at(idx.at(k));
            if (isLazy(have))
                have = blobValue(const_cast<Row&>(*r), idx.at(k));
            ok = matches(have, values.value(k), fields.at(idx.at(k)).kind, opts);
        }
        if (ok) {
            scrollTo(i);
            bofFlag = eofFlag = false;
            return true;
        }
    }
    return false;
}

void DataSet::saveToFile(int f, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("不能写入文件“%1”").arg(path));
    const QVariant v = value(f);
    file.write(v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8());
}

void DataSet::loadFromFile(int f, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("不能打开文件“%1”").arg(path));
    const QByteArray bytes = file.readAll();
    if (isTextKind(fields.at(f).kind))
        setValue(f, QString::fromUtf8(bytes));
    else
        setValue(f, bytes);
}

} // namespace tess
