#include "runtime/shell/mainform.h"

#include "common/datamodule.h"

namespace tess {

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(systemTitle());
    resize(799, 572);
}

} // namespace tess
