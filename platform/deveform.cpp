#include "platform/deveform.h"

#include "common/datamodule.h"

namespace tess {

TDeveForm::TDeveForm(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(systemTitle() + QStringLiteral("开发平台"));
    resize(799, 572);
}

} // namespace tess
