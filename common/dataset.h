#pragma once
// A data set over a table or a statement, with the browse/edit/insert
// behaviour the windows are written against: a current record, navigation,
// append/insert/edit/post/cancel/delete, locate, filter, sort, a master link
// and named parameters, and the before/after events the rules attach to.
//
// Rows are addressed by the engine's row identity (SQLite rowid, PostgreSQL
// ctid) because designed tables have no primary key. Rows are read a block at
// a time when they are first needed, so opening a huge table reads one block;
// the record count is asked of the engine when somebody needs it. The first
// change to the rows (post, delete) fixes the order of all row identities, so
// that the records stay where the user sees them until the next open or
// requery, as a client-side cursor would.
#include <QHash>
#include <QObject>
#include <QVariant>
#include <QVector>
#include <functional>

#include "common/connection.h"

namespace tess {

enum class DataSetState { Inactive, Browse, Edit, Insert };

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false;
};

class DataSet : public QObject {
    Q_OBJECT
public:
    using Hook = std::function<void(DataSet&)>;

    explicit DataSet(Connection* connection = nullptr, QObject* parent = nullptr);
    ~DataSet() override;

    // ---- source ---------------------------------------------------------
    void setConnection(Connection* c);
    Connection* connection() const { return conn; }
    // A table by name (the set is updatable).
    void setTableName(const QString& table);
    const QString& tableName() const { return table; }
    // A statement; a plain "Select * From T [Where ...] [Order By ...]" stays
    // updatable, anything else is read-only.
    void setSql(const QString& text);
    const QString& sql() const { return sqlText; }
    // Filter text such as "部门 ='销售'", applied while filtered is on.
    void setFilter(const QString& text);
    const QString& filter() const { return filterText; }
    void setFiltered(bool on);
    bool filtered() const { return filterOn; }
    // Sort text "列1 ASC,列2 DESC"; empty for the source's own order.
    void setSort(const QString& text);
    const QString& sort() const { return sortText; }
    // Master link. For a table: the rows whose detail fields (";"-separated)
    // equal the master's current values of the master fields. For a
    // statement: its named parameters take the master's current values of the
    // fields of the same name. The set follows the master's current record.
    void setMasterSource(DataSet* master);
    DataSet* masterSource() const { return master; }
    void setMasterFields(const QString& fields);
    const QString& masterFields() const { return masterFieldText; }
    void setIndexFieldNames(const QString& fields);
    const QString& indexFieldNames() const { return indexFieldText; }
    // A named parameter's value (":Param1"); wins over the master's fields.
    void setParam(const QString& name, const QVariant& value);
    void clearParams() { params.clear(); }
    void setReadOnly(bool on);
    bool readOnly() const { return readOnlyFlag; }
    bool canModify() const;

    // ---- life -------------------------------------------------------------
    void open();
    void close();
    bool active() const { return st != DataSetState::Inactive; }
    // Re-runs the source and goes to the first record.
    void requery();
    // Re-runs the source and keeps the current record where it can be found.
    void refresh();
    DataSetState state() const { return st; }
    bool modified() const { return modifiedFlag; }

    // ---- fields -----------------------------------------------------------
    int fieldCount() const { return int(fields.size()); }
    const QList<ColumnInfo>& fieldList() const { return fields; }
    QString fieldName(int i) const { return fields.at(i).name; }
    FieldKind fieldKind(int i) const { return fields.at(i).kind; }
    int fieldSize(int i) const { return fields.at(i).size; }
    int fieldIndex(const QString& name) const;        // case-insensitive; -1 when absent
    int field(const QString& name) const;             // as fieldIndex, throws when absent
    QStringList fieldNames() const;

    // Values of the current record (pending changes included). Dates are
    // QDate, date-times QDateTime (a QDate when the time of day is 00:00:00),
    // numbers qlonglong or double, blobs QByteArray, null an invalid QVariant.
    QVariant value(int i) const;
    QVariant value(const QString& name) const { return value(field(name)); }
    bool isNull(int i) const { return value(i).isNull(); }
    // Display text of a value (dates yyyy-MM-dd, numbers without trailing zeros).
    QString text(int i) const;
    QString text(const QString& name) const { return text(field(name)); }
    // Setting needs edit or insert state. setText converts by field kind and
    // throws Error with a message when the text does not fit the field.
    void setValue(int i, const QVariant& v);
    void setValue(const QString& name, const QVariant& v) { setValue(field(name), v); }
    void setText(int i, const QString& text);
    void setText(const QString& name, const QString& t) { setText(field(name), t); }
    void clearValue(int i) { setValue(i, QVariant()); }
    // Converts a text for a field of the given kind; throws Error.
    static QVariant convertText(const QString& text, FieldKind kind);
    static QString displayText(const QVariant& v, FieldKind kind);

    // ---- records ------------------------------------------------------------
    int recordCount();                // records seen (a pending insert included)
    bool isEmpty();
    int recNo() const { return cur + 1; }    // 1-based; 0 when empty
    void setRecNo(int n);
    bool bof() const { return bofFlag; }
    bool eof() const { return eofFlag; }
    void first();
    void last();
    void next();
    void prior();
    void moveBy(int n);

    void append();
    void insert();
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    // Posts a modified record, cancels an untouched insert.
    void checkBrowseMode();
    // Has every bound editor write its pending text into the record; an
    // editor whose text does not fit its field throws Error.
    void updateRecord();
    void addEditor(QObject* editor, std::function<void()> flush) { editors.insert(editor, std::move(flush)); }
    void removeEditor(QObject* editor) { editors.remove(editor); }

    bool locate(const QString& fieldList, const QVariantList& values, LocateOptions opts = {});
    bool locate(const QString& fieldName, const QVariant& value, LocateOptions opts = {})
    {
        return locate(fieldName, QVariantList{value}, opts);
    }

    // Any row by 0-based position in the current order (for grids).
    QVariant valueAt(int row, int field);
    // Row identity of the current record (0 when none or not available).
    qint64 rowId() const;

    // Data-aware controls stop following the set while disabled.
    void disableControls() { ++controlsOff; }
    void enableControls();
    bool controlsDisabled() const { return controlsOff > 0; }

    // Reads a blob field of the current record into a file / from a file.
    void saveToFile(int field, const QString& path);
    void loadFromFile(int field, const QString& path);

    // ---- events -------------------------------------------------------------
    // Before-hooks may throw Abort (or Error) to stop the operation.
    void onBeforePost(Hook h) { beforePostHooks.push_back(std::move(h)); }
    void onBeforeInsert(Hook h) { beforeInsertHooks.push_back(std::move(h)); }
    void onBeforeEdit(Hook h) { beforeEditHooks.push_back(std::move(h)); }
    void onBeforeDelete(Hook h) { beforeDeleteHooks.push_back(std::move(h)); }
    void onBeforeScroll(Hook h) { beforeScrollHooks.push_back(std::move(h)); }
    // Runs when a new record starts, before AfterInsert: set initial values here.
    void onNewRecord(Hook h) { newRecordHooks.push_back(std::move(h)); }

signals:
    void afterOpen();
    void afterClose();
    void afterInsert();
    void afterEdit();
    void afterPost();
    void afterCancel();
    void afterDelete();
    void afterScroll();
    void stateChanged();
    void fieldChanged(int field);

    // For data-aware controls (quiet while controls are disabled).
    void controlsReset();
    void controlsRowInserted(int row);
    void controlsRowRemoved(int row);
    void controlsRowChanged(int row);
    void controlsCurrentChanged(int row);

private:
    struct Row {
        qint64 id = 0;
        QVector<QVariant> v;
        bool loaded = false;
    };

    void analyseSource();
    QString whereClause(QVariantList* binds) const;
    QString orderClause(bool reversed = false) const;
    QString selectList() const;
    QString baseSelect(QVariantList* binds, bool reversed = false) const;
    void fetchBlock(int block);
    void loadRows(int from, int to);
    Row readRow(Cursor& c) const;
    std::unique_ptr<Cursor> run(const QString& text, const QVariantList& binds);
    const Row* rowAt(int viewIndex);
    int baseCount();
    void materialize();
    void refetchRow(Row& r);
    QVariant blobValue(Row& r, int field);
    void runHooks(const std::vector<Hook>& hooks);
    void scrollTo(int index);
    void startInsert(int at);
    void setState(DataSetState s);
    void followMaster();
    void reopenKeeping(qint64 id);
    void emitControls(void (DataSet::*sig)(int), int row);
    void emitControlsReset();
    QString paramValueSql(const QString& name, QVariantList* binds) const;

    Connection* conn = nullptr;
    QString table;          // table read and written
    QString sqlText;
    QString sqlWhere;       // WHERE of a plain statement
    QString sqlOrder;       // ORDER BY of a plain statement
    bool plainSql = false;  // statement is "Select * From T ..."
    QString filterText;
    bool filterOn = false;
    QString sortText;
    DataSet* master = nullptr;
    QString masterFieldText, indexFieldText;
    QHash<QString, QVariant> params;
    bool readOnlyFlag = false;

    DataSetState st = DataSetState::Inactive;
    QList<ColumnInfo> fields;
    QHash<QString, int> fieldIdx;   // lower-case name -> index
    bool hasRowId = false;
    bool lazyBlobs = false;

    // Rows before the first change: blocks by number (empty until read),
    // and the count when known.
    struct Block {
        bool read = false;
        QVector<Row> rows;
    };
    std::vector<Block> blocks;
    bool firstBlockEmpty() const { return blocks.empty() || blocks.front().rows.isEmpty(); }
    int count = -1;
    // Rows after the first change: every row identity in view order.
    bool materialized = false;
    QVector<Row> rows;

    int cur = -1;
    bool bofFlag = true, eofFlag = true;
    Row pending;                 // the record being inserted
    int pendingAt = -1;
    int previousCur = -1;           // current record before the insert began
    bool lastInsertPosted = false;
    QVector<QVariant> buffer;    // values of the record being edited
    QVector<bool> changed;
    bool modifiedFlag = false;
    int controlsOff = 0;
    bool controlsDirty = false;

    QHash<QObject*, std::function<void()>> editors;
    std::vector<Hook> beforePostHooks, beforeInsertHooks, beforeEditHooks, beforeDeleteHooks,
        beforeScrollHooks, newRecordHooks;
};

} // namespace tess
