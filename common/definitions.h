#pragma once
// Field definitions: for every data table T the table Tb with one row per
// column of T (name, type name, size, computation type, caption, input style,
// drop-down options, key flag), and the runtime's parallel lists made from it.
#include <QList>
#include <QStringList>

#include <QSqlQuery>

#include "common/connection.h"

class QWidget;

namespace tess {

// The type vocabulary.
struct TypeName {
    QString name;          // "字符型" ...
    FieldKind kind;
    QString columnType;    // for CREATE TABLE; "%1" stands for the size
    QString defaultStyle;  // input style given on regeneration
};
const QList<TypeName>& typeNames();
// The names the table designer offers, in its order (no "BCD数型").
QStringList designerTypeNames();
FieldKind kindOfType(const QString& dtype);           // ftString for unknown names
QString typeOfKind(FieldKind kind);                    // engine kind -> type name
QString columnTypeFor(const QString& dtype, int size); // "Varchar(10)", "Money" ...

// Input styles: "单选下拉框" 2, "多选下拉框" 3, anything else 1.
int styleCode(const QString& fstyle);
QStringList styleNames();
QStringList computationTypes();   // "普通型", "计算型", "结果型"

// "Create Table Tb(ID integer,FName varchar(30),...)".
QString definitionTableSql(const QString& table);

// The runtime's form of one table's definitions: parallel lists by column.
struct FieldDefinition {
    QStringList names;
    QList<FieldKind> kinds;
    QStringList captions;
    QList<int> styles;
    QStringList ctypes;
    QString pictureField;   // first "图像型" column
    QString memoCaption;    // caption of the table's first memo column
    bool loaded = false;    // read from Tb (false: fallback values)

    int count() const { return int(names.size()); }
    int indexOf(const QString& name) const;   // case-insensitive
    QString caption(const QString& name) const;
    void clear() { *this = FieldDefinition(); }
};

// Loads Tb for the columns of T as the open data table reports them. A
// missing, unreadable or stale Tb (other count, other name at a position)
// gives the fallback (captions = names, style 1, engine kinds) with loaded
// false; a stale Tb is dropped.
FieldDefinition loadDefinitions(Connection& c, const QString& table, const QList<ColumnInfo>& columns);
// Creates Tb afresh from the table's columns and lists it in [cyclostyle] of
// the executable directory's sys.ini.
void regenerateDefinition(Connection& c, const QString& table, const QList<ColumnInfo>& columns);
// What opening a table does: load, and when nothing was loaded regenerate
// and tell the user how to get drop-down lists.
FieldDefinition openDefinitions(Connection& c, const QString& table, const QList<ColumnInfo>& columns,
                                QWidget* parent = nullptr);

// The option lines of the first definition row whose name begins with
// column, read afresh at every call.
QStringList dropDownOptions(Connection& c, const QString& table, const QString& column);

} // namespace tess
