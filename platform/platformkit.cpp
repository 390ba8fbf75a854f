#include "platform/platformkit.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "common/paths.h"
#include "common/prompts.h"

namespace tess {

namespace {
ModalRunner& runner()
{
    static ModalRunner r;
    return r;
}
} // namespace

int runModal(QDialog& dialog)
{
    if (runner())
        return runner()(dialog);
    return dialog.exec();
}

ModalRunner setModalRunner(ModalRunner r)
{
    ModalRunner previous = std::move(runner());
    runner() = std::move(r);
    return previous;
}

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

void applyWindowFont(QWidget* w)
{
    w->setFont(QFont(QStringLiteral("宋体"), 9));
}

void notAvailable(QWidget* parent, const QString& feature)
{
    message(parent, QStringLiteral("“%1”功能尚未提供。  ").arg(feature), QStringLiteral("提示  "));
}

} // namespace tess
