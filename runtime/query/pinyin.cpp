#include "runtime/query/pinyin.h"

#include <QStringEncoder>

#include "common/dataset.h"
#include "common/prompts.h"

namespace tess::query {

namespace {

struct LetterRange {
    char letter;
    int first;
    int last;
};

// First and last GB2312 code of the characters read with each initial.
constexpr LetterRange kLetters[] = {
    {'A', 0xB0A1, 0xB0C4}, {'B', 0xB0C5, 0xB2C0}, {'C', 0xB2C1, 0xB4ED}, {'D', 0xB4EE, 0xB6E9},
    {'E', 0xB6EA, 0xB7A1}, {'F', 0xB7A2, 0xB8C0}, {'G', 0xB8C1, 0xB9FD}, {'H', 0xB9FE, 0xBBF6},
    {'J', 0xBBF7, 0xBFA5}, {'K', 0xBFA6, 0xC0AB}, {'L', 0xC0AC, 0xC2E7}, {'M', 0xC2E8, 0xC4C2},
    {'N', 0xC4C3, 0xC5B5}, {'O', 0xC5B6, 0xC5BD}, {'P', 0xC5BE, 0xC6D9}, {'Q', 0xC6DA, 0xC8BA},
    {'R', 0xC8BB, 0xC8F5}, {'S', 0xC8F6, 0xCBF9}, {'T', 0xCBFA, 0xCDD9}, {'W', 0xCDDA, 0xCEF3},
    {'X', 0xCEF4, 0xD188}, {'Y', 0xD189, 0xD4D0}, {'Z', 0xD4D1, 0xD7F9},
};

} // namespace

QChar pinyinInitial(int code)
{
    for (const LetterRange& r : kLetters)
        if (code >= r.first && code <= r.last)
            return QLatin1Char(r.letter);
    return {};
}

QByteArray gbBytes(const QString& value)
{
    QStringEncoder enc("GB18030");
    return enc.encode(value);
}

bool pinyinMatches(const QString& value, const QString& pattern)
{
    const QByteArray bytes = gbBytes(value);
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar p = pattern.at(i);
        if (p == QLatin1Char('?'))
            continue;
        const int at = 2 * i;
        if (at + 1 >= bytes.size())
            return false;
        const int code = static_cast<unsigned char>(bytes.at(at)) * 256 + static_cast<unsigned char>(bytes.at(at + 1));
        const QChar letter = pinyinInitial(code);
        if (letter.isNull() || p.toUpper() != letter)
            return false;
    }
    return true;
}

bool pinyinSearch(DataSet& ds, const QString& field, const QString& pattern, QWidget* parent)
{
    const int f = ds.active() ? ds.fieldIndex(field) : -1;
    if (f >= 0) {
        ds.first();
        while (!ds.eof()) {
            if (pinyinMatches(ds.text(f), pattern)
                && prompts().box(parent, QStringLiteral("已经找到，是否继续查找？  "), QStringLiteral("警告  "),
                                 Buttons::YesNo, Icon::Question) == Answer::No)
                return true;
            ds.next();
        }
    }
    warning(parent, QStringLiteral("查找结束，没有找到！  "));
    return false;
}

} // namespace tess::query
