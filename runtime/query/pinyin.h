#pragma once
// The pinyin-initial search: a pattern of letters such as "zs" is matched
// against the initial letters of the leading Chinese characters of a field's
// values, read as GB2312 two-byte codes ("?" matches any character). The
// search moves the cursor of the query result from record to record; it does
// not filter.
#include <QByteArray>
#include <QChar>
#include <QString>

class QWidget;

namespace tess {
class DataSet;
}

namespace tess::query {

// The initial letter (A … Z, never I, U or V) of a GB2312 code high*256+low;
// a null QChar for a code outside the letter table.
QChar pinyinInitial(int code);
// The value's bytes in the GB2312 code page (GB18030 for characters outside it).
QByteArray gbBytes(const QString& value);
// True when every position i of the pattern is "?" or, compared in upper
// case, the initial letter of the two bytes at byte offset 2i of the value.
bool pinyinMatches(const QString& value, const QString& pattern);

// Goes through the records from the first. At a match asks
// "已经找到，是否继续查找？  " (Yes/No); No leaves the cursor on that record
// and returns true. After the last record shows "查找结束，没有找到！  "
// and returns false.
bool pinyinSearch(DataSet& ds, const QString& field, const QString& pattern, QWidget* parent = nullptr);

} // namespace tess::query
