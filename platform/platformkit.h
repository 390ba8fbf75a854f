#pragma once
// What every window of the platform shares: running a dialog modally (tests
// run them by script), the help document and the window font.
#include <QDialog>
#include <functional>

namespace tess {

// Shows a dialog modally and returns its result. Tests install a runner that
// fills and closes the dialog without a user.
using ModalRunner = std::function<int(QDialog&)>;
int runModal(QDialog& dialog);
// Installs a runner (an empty one restores exec()) and returns the previous one.
ModalRunner setModalRunner(ModalRunner runner);

// Opens the platform's help document "sys.chm" (or an HTML copy beside it)
// in the executable directory with the desktop's viewer.
void openPlatformHelp(QWidget* parent);

// The font of every platform window: "宋体" 9 points.
void applyWindowFont(QWidget* w);

// Tells the user that a command of the platform is not there yet.
void notAvailable(QWidget* parent, const QString& feature);

} // namespace tess
