#pragma once
// A small SQL tokenizer for the rewrites the engine layer makes (types in
// CREATE TABLE, SELECT ... INTO, named parameters): string literals, quoted
// identifiers and comments are kept whole so that nothing inside them is
// ever rewritten.
#include <QList>
#include <QString>

namespace tess::sql {

struct Token {
    enum Type { Word, Number, String, QuotedIdent, Param, Punct, Space, Comment };
    Type type;
    QString text;
    bool is(const char* word) const { return type == Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0; }
    bool isPunct(char c) const { return type == Punct && text.size() == 1 && text.at(0) == QLatin1Char(c); }
};

QList<Token> lex(const QString& sql);
QString join(const QList<Token>& tokens);
// Index of the next token that is not space or comment, from i; -1 at the end.
int nextSignificant(const QList<Token>& t, int i);
// ASCII lower case, as PostgreSQL folds unquoted identifiers.
QString foldCase(const QString& ident);

} // namespace tess::sql
