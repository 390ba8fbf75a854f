#pragma once
// SQL text building. Statements are built by concatenation with bare
// identifiers; every value that goes between single quotes passes through
// quoted() so that a quote inside a value cannot end the literal.
#include <QString>
#include <QVariant>

namespace tess::sql {

// 'O''Brien' for O'Brien: the value between single quotes with embedded
// quotes doubled.
QString quoted(const QString& value);
// The value with embedded quotes doubled, without the surrounding quotes, for
// texts that a caller places inside its own quotes ('%' + v + '%').
QString escaped(const QString& value);

// True when name can be written bare in a statement on every engine we
// support: letters (any script), digits and underscore, not starting with a
// digit, not an SQL keyword, at most maxBytes UTF-8 bytes.
bool isBareIdentifier(const QString& name, QString* why = nullptr, int maxBytes = 63);
bool isKeyword(const QString& word);

} // namespace tess::sql
