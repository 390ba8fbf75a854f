#include "common/paths.h"

#include <QCoreApplication>
#include <QDir>

namespace tess {

namespace {
QString& exeDirOverride()
{
    static QString d;
    return d;
}
QString& keptNetPath()
{
    static QString p;
    return p;
}
QString withSlash(QString d)
{
    if (!d.endsWith(QLatin1Char('/')) && !d.endsWith(QLatin1Char('\\')))
        d += QLatin1Char('/');
    return d;
}
} // namespace

QString executableDir()
{
    if (!exeDirOverride().isEmpty())
        return exeDirOverride();
    return withSlash(QCoreApplication::applicationDirPath());
}

void setExecutableDir(const QString& dir)
{
    exeDirOverride() = dir.isEmpty() ? QString() : withSlash(dir);
}

QString executablePath()
{
    if (!exeDirOverride().isEmpty())
        return exeDirOverride() + QCoreApplication::applicationName();
    return QCoreApplication::applicationFilePath();
}

QString directoryPart(const QString& path)
{
    const int i = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return i < 0 ? QString() : path.left(i + 1);
}

void initNetPath()
{
    setNetPath(exeIni().readString(QStringLiteral("Form"), QStringLiteral("NetPath"), QString()));
}

void setNetPath(const QString& netPath)
{
    keptNetPath() = netPath.isEmpty() ? executablePath() : netPath;
}

QString netPath()
{
    if (keptNetPath().isEmpty())
        initNetPath();
    return keptNetPath();
}

QString dataDir()
{
    QString d = directoryPart(netPath());
    return d.isEmpty() ? executableDir() : d;
}

IniFile exeIni()
{
    return IniFile(executableDir() + QStringLiteral("sys.ini"));
}

IniFile dataIni()
{
    return IniFile(dataDir() + QStringLiteral("sys.ini"));
}

} // namespace tess
