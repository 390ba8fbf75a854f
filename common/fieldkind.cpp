#include "common/fieldkind.h"

namespace tess {

QString fieldKindName(FieldKind k)
{
    static const char* names[] = {"ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord",
                                  "ftLargeint", "ftBoolean", "ftFloat", "ftCurrency", "ftBCD",
                                  "ftDate", "ftTime", "ftDateTime", "ftAutoInc", "ftBlob",
                                  "ftMemo", "ftGraphic", "ftWideString"};
    return QString::fromLatin1(names[k]);
}

bool isIntegerKind(FieldKind k)
{
    return k == ftSmallint || k == ftInteger || k == ftWord || k == ftLargeint || k == ftAutoInc;
}

bool isNumericKind(FieldKind k)
{
    return isIntegerKind(k) || k == ftFloat || k == ftCurrency || k == ftBCD;
}

bool isTextKind(FieldKind k)
{
    return k == ftString || k == ftWideString || k == ftMemo;
}

bool isDateKind(FieldKind k)
{
    return k == ftDate || k == ftTime || k == ftDateTime;
}

bool isBlobKind(FieldKind k)
{
    return k == ftBlob || k == ftGraphic;
}

} // namespace tess
