#pragma once
// What every query window is handed (the query fields, the query source, the
// connection) and the choices the windows remember per table between uses.
#include <QStringList>
#include <array>

#include "runtime/query/condition.h"

namespace tess {
class Connection;
class DataSet;
}

namespace tess::query {

struct QuerySource {
    QueryFields fields;
    // The query source T: the open table's name. Value lists are read from
    // it, and the remembered choices are kept in sections named after it.
    QString table;
    Connection* connection = nullptr;
    // When set and T is empty, value lists are read from these rows instead
    // (a data set that is not a plain table).
    DataSet* rows = nullptr;

    // The value list of the field at a position of the query fields.
    QStringList values(int fieldIndex) const;
};

// Remembered choices, in the executable directory's sys.ini.
// [T + "Query2"] 1..4: the general query's field positions (-1 for none);
// read defaults 0, 1, 2, 3.
std::array<int, 4> readGeneralChoice(const QString& table);
void writeGeneralChoice(const QString& table, const std::array<int, 4>& fields);
// [T + "Query3"] 1 field, 2 operator, 3 pinyin box: the single-item query.
struct SingleChoice {
    int field = 0;
    int op = 0;
    bool pinyin = false;
};
SingleChoice readSingleChoice(const QString& table);
void writeSingleChoice(const QString& table, const SingleChoice& c);
// [T + "Query4"] 1: the range query's field position.
int readRangeChoice(const QString& table);
void writeRangeChoice(const QString& table, int field);

// The query mode: which window the 查询 tool button opens (0 the chooser,
// 1 single-item, 2 range, 3 general, 4 advanced). Read at start from [Form]
// QueWay of the data directory's file; the setting window writes it to the
// executable directory's file.
int readQueryWay();
void writeQueryWay(int way);

} // namespace tess::query
