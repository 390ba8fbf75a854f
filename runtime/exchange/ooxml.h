#pragma once
// Writing Office Open XML packages (.docx, .xlsx): XML parts in a zip.
#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

namespace tess::ooxml {

// The text without the characters XML 1.0 cannot hold (controls other than
// tab and line feed, U+FFFE, U+FFFF).
QString xmlText(QString text);

// Zips the parts, in order, into path; the file appears only when complete.
// OfficeError(CannotWrite) when it cannot be written.
void writePackage(const QString& path, const QList<std::pair<QString, QByteArray>>& parts);

} // namespace tess::ooxml
