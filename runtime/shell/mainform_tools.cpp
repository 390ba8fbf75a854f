// The tools and help menus: plug-in libraries, the interface designer and
// the desktop's own programs.
#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLibrary>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "common/paths.h"
#include "common/prompts.h"
#include "runtime/shell/mainform.h"

namespace tess {

namespace {

// A library by its plain name: beside the program first, then wherever the
// system looks for libraries.
QString libraryPath(const QString& name)
{
    const QString local = executableDir() + QStringLiteral("lib") + name + QStringLiteral(".so");
    return QFileInfo::exists(local) ? local : name;
}

QString libraryFileName(const QString& name)
{
    return QStringLiteral("lib") + name + QStringLiteral(".so");
}

} // namespace

void TMainForm::buildToolMenu()
{
    QMenu* tools = menu(QStringLiteral("工具"));
    const QStringList keys = dataIni().readSection(QStringLiteral("ToolMenu"));
    // Each key goes in at position 4, so the last key comes first.
    for (const QString& key : keys) {
        const QList<QAction*> acts = tools->actions();
        auto* a = new QAction(key, tools);
        tools->insertAction(acts.size() > 3 ? acts.at(3) : nullptr, a);
        connect(a, &QAction::triggered, this, [this, key] { runPlugin(key); });
        pluginItems << a;
    }
}

void TMainForm::runPlugin(const QString& caption)
{
    const QString value = dataIni().readString(QStringLiteral("ToolMenu"), caption, QString());
    const int dot = value.indexOf(QLatin1Char('.'));
    if (dot <= 0 || dot == value.size() - 1) {
        warning(this, QStringLiteral("工具“%1”的设置“%2”不完整，应为“库名.函数名”。  ").arg(caption, value));
        return;
    }
    const QString lib = value.left(dot), fn = value.mid(dot + 1);
    // Loaded for good: a plug-in may leave windows of its own open.
    QLibrary library(libraryPath(lib));
    library.setLoadHints(QLibrary::PreventUnloadHint);
    if (!library.load()) {
        message(this, QStringLiteral("不能加载") + libraryFileName(lib), QStringLiteral("错误   "), Buttons::Ok, Icon::Error);
        return;
    }
    using PluginFn = void (*)(qintptr, const char*);
    auto f = reinterpret_cast<PluginFn>(library.resolve(fn.toLatin1().constData()));
    if (!f) {
        message(this, library.errorString(), QStringLiteral("错误   "), Buttons::Ok, Icon::Error);
        return;
    }
    const QByteArray path = netPath().toLocal8Bit();
    f(static_cast<qintptr>(winId()), path.constData());
}

void TMainForm::runDesigner()
{
    QLibrary library(libraryPath(QStringLiteral("tessform")));
    library.setLoadHints(QLibrary::PreventUnloadHint);
    if (!library.load()) {
        message(this, QStringLiteral("不能加载") + libraryFileName(QStringLiteral("tessform")), QStringLiteral("错误   "),
                Buttons::Ok, Icon::Error);
        return;
    }
    using ShowFn = void (*)(qintptr);
    auto f = reinterpret_cast<ShowFn>(library.resolve("ShowBuildForm"));
    if (!f) {
        message(this, library.errorString(), QStringLiteral("错误   "), Buttons::Ok, Icon::Error);
        return;
    }
    f(static_cast<qintptr>(winId()));
}

void TMainForm::startProgram(const QString& what)
{
    // The desktop's counterparts of the tools the menu names.
    static const QMap<QString, QStringList> programs{
        {QStringLiteral("计算器"), {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"}},
        {QStringLiteral("记事本"), {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma", "xed", "leafpad"}},
        {QStringLiteral("画图"), {"kolourpaint", "pinta", "mtpaint", "gimp"}},
        {QStringLiteral("万年历"), {"gnome-calendar", "korganizer", "orage"}},
    };
    auto openDoc = [this](const QString& path) {
        if (path.isEmpty() || !QFileInfo::exists(path)) {
            warning(this, QStringLiteral("找不到文件“%1”。  ").arg(path));
            return;
        }
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            warning(this, QStringLiteral("没有能打开“%1”的程序。  ").arg(path));
    };
    if (what == QStringLiteral("上网")) {
        QDesktopServices::openUrl(QUrl(QStringLiteral("https://")));
        return;
    }
    if (what == QStringLiteral("发邮件")) {
        QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:")));
        return;
    }
    if (what == QStringLiteral("使用帮助")) {
        QString doc = executableDir() + QStringLiteral("user.html");
        if (!QFileInfo::exists(doc))
            doc = executableDir() + QStringLiteral("user.chm");
        openDoc(doc);
        return;
    }
    if (what == QStringLiteral("补充帮助")) {
        const QString doc = exeIni().readString(QStringLiteral("Form"), QStringLiteral("Help"), QString());
        if (!doc.isEmpty())
            openDoc(QFileInfo(doc).isRelative() ? executableDir() + doc : doc);
        return;
    }
    for (const QString& p : programs.value(what)) {
        const QString exe = QStandardPaths::findExecutable(p);
        if (!exe.isEmpty() && QProcess::startDetached(exe, {}))
            return;
    }
    warning(this, QStringLiteral("本机没有安装“%1”程序。  ").arg(what));
}

} // namespace tess
