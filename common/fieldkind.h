#pragma once
#include <QString>

namespace tess {

// Field kinds of the data sets, named as the windows know them.
enum FieldKind {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftLargeint,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftWideString,
};

QString fieldKindName(FieldKind k);
bool isNumericKind(FieldKind k);    // integer, float, currency, BCD kinds
bool isIntegerKind(FieldKind k);
bool isTextKind(FieldKind k);       // string, wide string, memo
bool isDateKind(FieldKind k);       // date, time, date-time
bool isBlobKind(FieldKind k);       // blob, graphic

} // namespace tess
