#include "common/modal.h"

#include <QDialog>

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

void applyWindowFont(QWidget* w)
{
    w->setFont(QFont(QStringLiteral("宋体"), 9));
}

} // namespace tess
