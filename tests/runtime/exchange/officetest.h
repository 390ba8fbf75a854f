#pragma once
// Helpers shared by the office-document tests.
#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include "runtime/exchange/officefile.h"

namespace tess::test {

// One part of a zip package; empty when missing.
inline QByteArray zipPart(const QString& zipPath, const QString& part)
{
    QuaZip zip(zipPath);
    if (!zip.open(QuaZip::mdUnzip) || !zip.setCurrentFile(part))
        return {};
    QuaZipFile file(&zip);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes a zip package from (name, content) pairs.
inline bool writeZip(const QString& zipPath, const QList<std::pair<QString, QByteArray>>& parts)
{
    QuaZip zip(zipPath);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto& [name, bytes] : parts) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)) || file.write(bytes) != bytes.size())
            return false;
    }
    zip.close();
    return zip.getZipError() == 0;
}

// The values of one attribute on every element of that local name, in order.
inline QStringList attributeValues(const QByteArray& xml, QStringView element, QStringView attribute)
{
    QStringList out;
    QXmlStreamReader x(xml);
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement || x.name() != element)
            continue;
        for (const QXmlStreamAttribute& a : x.attributes())
            if (a.name() == attribute)
                out << a.value().toString();
    }
    return out;
}

// The reason of the OfficeError that f throws; -1 when it throws none.
template <typename F>
int failure(F&& f)
{
    try {
        f();
    } catch (const OfficeError& e) {
        return e.reason();
    }
    return -1;
}

} // namespace tess::test
