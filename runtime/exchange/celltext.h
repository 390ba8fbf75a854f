#pragma once
// Cell values as a user sees them, shared by the workbook reader and writer.
#include <QString>

namespace tess::cells {

// A cell's key in a sparse sheet: row and column, both from 1.
inline quint64 cellKey(int row, int column) { return (quint64(row) << 20) | quint64(column); }
inline int rowOf(quint64 key) { return int(key >> 20); }
inline int columnOf(quint64 key) { return int(key & 0xFFFFF); }

// A number as a General cell shows it: up to 15 significant digits, no
// trailing zeros, integers without ".0".
QString numberText(double value);

// True when text is exactly numberText() of some number, so that storing it
// as a number loses nothing ("12", "1234.57"; not "007", "1.50", "12 ").
bool isPlainNumber(const QString& text, double* value = nullptr);

// A spreadsheet day number as text: "yyyy-MM-dd" when it has no time of day,
// "hh:mm:ss" when it has no date part, else "yyyy-MM-dd hh:mm:ss".
QString serialText(double serial, bool date1904 = false);

// True when a number format shows dates or times: the built-in date formats
// (including the East Asian ones) or a format code with date or time codes.
bool isDateFormat(int numFmtId, const QString& formatCode = {});

} // namespace tess::cells
