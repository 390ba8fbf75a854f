#include "common/sqllex.h"

namespace tess::sql {

namespace {
bool isWordStart(QChar c) { return c.isLetter() || c == QLatin1Char('_') || c.unicode() >= 0x80; }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c.unicode() >= 0x80 || c == QLatin1Char('$'); }
} // namespace

QList<Token> lex(const QString& s)
{
    QList<Token> out;
    const int n = s.size();
    int i = 0;
    while (i < n) {
        const QChar c = s.at(i);
        const int start = i;
        Token::Type type;
        if (c.isSpace()) {
            while (i < n && s.at(i).isSpace())
                ++i;
            type = Token::Space;
        } else if (c == QLatin1Char('\'')) {
            ++i;
            while (i < n) {
                if (s.at(i) == QLatin1Char('\'')) {
                    if (i + 1 < n && s.at(i + 1) == QLatin1Char('\'')) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            type = Token::String;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('[') || c == QLatin1Char('`')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            ++i;
            while (i < n && s.at(i) != close)
                ++i;
            if (i < n)
                ++i;
            type = Token::QuotedIdent;
        } else if (c == QLatin1Char('-') && i + 1 < n && s.at(i + 1) == QLatin1Char('-')) {
            while (i < n && s.at(i) != QLatin1Char('\n'))
                ++i;
            type = Token::Comment;
        } else if (c == QLatin1Char('/') && i + 1 < n && s.at(i + 1) == QLatin1Char('*')) {
            const int end = s.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            type = Token::Comment;
        } else if (c == QLatin1Char(':') && i + 1 < n && isWordStart(s.at(i + 1))
                   && !(i > 0 && s.at(i - 1) == QLatin1Char(':'))) {
            ++i;
            while (i < n && isWordChar(s.at(i)))
                ++i;
            type = Token::Param;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && s.at(i + 1).isDigit())) {
            while (i < n && (s.at(i).isDigit() || s.at(i) == QLatin1Char('.')))
                ++i;
            if (i < n && (s.at(i) == QLatin1Char('e') || s.at(i) == QLatin1Char('E'))) {
                int j = i + 1;
                if (j < n && (s.at(j) == QLatin1Char('+') || s.at(j) == QLatin1Char('-')))
                    ++j;
                if (j < n && s.at(j).isDigit()) {
                    i = j;
                    while (i < n && s.at(i).isDigit())
                        ++i;
                }
            }
            // A name such as 1月 is a word, not a number.
            if (i < n && isWordStart(s.at(i))) {
                while (i < n && isWordChar(s.at(i)))
                    ++i;
                type = Token::Word;
            } else {
                type = Token::Number;
            }
        } else if (isWordStart(c)) {
            while (i < n && isWordChar(s.at(i)))
                ++i;
            type = Token::Word;
        } else {
            ++i;
            type = Token::Punct;
        }
        out.append({type, s.mid(start, i - start)});
    }
    return out;
}

QString join(const QList<Token>& tokens)
{
    QString s;
    for (const Token& t : tokens)
        s += t.text;
    return s;
}

int nextSignificant(const QList<Token>& t, int i)
{
    for (; i < t.size(); ++i)
        if (t.at(i).type != Token::Space && t.at(i).type != Token::Comment)
            return i;
    return -1;
}

QString foldCase(const QString& ident)
{
    QString r = ident;
    for (QChar& c : r)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return r;
}

} // namespace tess::sql
