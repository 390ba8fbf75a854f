#include "common/application.h"

#include <QFont>

#include "common/errors.h"
#include "common/prompts.h"

namespace tess {

Application::Application(int& argc, char** argv, const QString& name) : QApplication(argc, argv)
{
    setApplicationName(name);
    // Chinese text everywhere: "宋体" 9 pt, which fontconfig maps to an
    // installed CJK font.
    setFont(QFont(QStringLiteral("宋体"), 9));
}

void showError(const QString& text)
{
    message(QApplication::activeWindow(), text, QApplication::applicationName(), Buttons::Ok, Icon::Error);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Abort&) {
    } catch (const Error& e) {
        showError(e.text());
    } catch (const std::exception& e) {
        showError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace tess
