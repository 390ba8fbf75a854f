#pragma once
// What both programs do before their first window: the application font
// and the default handler for errors nobody caught.
#include <QApplication>

namespace tess {

// An application whose event handlers may throw tess::Error: the error is
// shown to the user with the engine's text and the program goes on.
class Application : public QApplication {
public:
    Application(int& argc, char** argv, const QString& name);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows an error that reached the top of an event handler.
void showError(const QString& text);

} // namespace tess
