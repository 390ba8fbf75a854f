#pragma once
// What the platform's windows share beyond common/: the help document.
#include <QDialog>

#include "common/modal.h"
#include "common/prompts.h"

namespace tess {

// Opens the platform's help document "sys.chm" (or an HTML copy beside it)
// in the executable directory with the desktop's viewer.
void openPlatformHelp(QWidget* parent);

} // namespace tess
