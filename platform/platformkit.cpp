#include "platform/platformkit.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "common/paths.h"
#include "common/prompts.h"

namespace tess {

void openPlatformHelp(QWidget* parent)
{
    QString doc = executableDir() + QStringLiteral("sys.html");
    if (!QFileInfo::exists(doc))
        doc = executableDir() + QStringLiteral("sys.chm");
    if (!QFileInfo::exists(doc)) {
        warning(parent, QStringLiteral("找不到帮助文件“%1”。  ").arg(doc));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(doc)))
        warning(parent, QStringLiteral("没有能打开“%1”的程序。  ").arg(doc));
}

} // namespace tess
