#include "runtime/exchange/ooxml.h"

#include <QBuffer>
#include <QDir>
#include <QSaveFile>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include "runtime/exchange/officefile.h"

namespace tess::ooxml {

QString xmlText(QString text)
{
    text.removeIf([](QChar c) {
        return (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
               || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF;
    });
    return text;
}

void writePackage(const QString& path, const QList<std::pair<QString, QByteArray>>& parts)
{
    // Zipped in memory first: QuaZip closes its device, which a QSaveFile
    // must not be before it commits.
    QBuffer zipped;
    bool ok = true;
    {
        QuaZip zip(&zipped);
        ok = zip.open(QuaZip::mdCreate);
        for (const auto& [name, bytes] : parts) {
            QuaZipFile file(&zip);
            ok = ok && file.open(QIODevice::WriteOnly, QuaZipNewInfo(name))
                 && file.write(bytes) == bytes.size();
            file.close();
            ok = ok && file.getZipError() == ZIP_OK;
        }
        zip.close();
        ok = ok && zip.getZipError() == ZIP_OK;
    }
    QSaveFile out(path);
    if (!ok || !out.open(QIODevice::WriteOnly) || out.write(zipped.data()) != zipped.size()
        || !out.commit())
        throw OfficeError(OfficeError::CannotWrite,
                          QStringLiteral("文件无法写入：%1").arg(QDir::toNativeSeparators(path)));
}

} // namespace tess::ooxml
