#pragma once
// Every modal window of both programs is shown through runModal(): it runs
// the installed runner (tests fill and close windows in code there) or else
// QDialog::exec().
#include <functional>

class QDialog;
class QWidget;

namespace tess {

using ModalRunner = std::function<int(QDialog&)>;
int runModal(QDialog& dialog);
// Installs a runner (an empty one restores exec()) and returns the previous one.
ModalRunner setModalRunner(ModalRunner runner);

// The font every window asks for: "宋体" 9 points.
void applyWindowFont(QWidget* w);

} // namespace tess
