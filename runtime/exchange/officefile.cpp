#include "runtime/exchange/officefile.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include "common/prompts.h"

namespace tess {

namespace {

FileOpener& opener()
{
    static FileOpener open = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return open;
}

} // namespace

FileOpener setFileOpener(FileOpener next)
{
    FileOpener previous = std::move(opener());
    opener() = std::move(next);
    return previous;
}

QString documentFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir().mkpath(documents) && QFileInfo(documents).isWritable())
        return documents;
    return QDir::tempPath();
}

QString documentPath(const QString& folder, const QString& title, const QString& suffix,
                     const QDateTime& at)
{
    // Characters that no file system or desktop likes in a name.
    QString name = title.trimmed();
    for (QChar& c : name)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    if (!name.isEmpty())
        name += QLatin1Char(' ');
    name += at.toString(QStringLiteral("yyyy-MM-dd hhmmss"));
    const QDir dir(folder);
    QString path = dir.filePath(name + QLatin1Char('.') + suffix);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(QStringLiteral("%1 (%2).%3").arg(name).arg(n).arg(suffix));
    return path;
}

QString handToUser(const OfficeFile& file, const QString& title, QWidget* parent)
{
    const QString path = documentPath(documentFolder(), title, file.suffix());
    file.save(path);
    if (!opener()(QUrl::fromLocalFile(path)))
        message(parent,
                QStringLiteral("没有能打开此文件的程序，文件已保存在：\n%1").arg(QDir::toNativeSeparators(path)),
                QStringLiteral("提示"));
    return path;
}

} // namespace tess
