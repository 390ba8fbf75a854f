#include "common/application.h"
#include "common/datamodule.h"
#include "common/logon.h"
#include "runtime/shell/mainform.h"

int main(int argc, char** argv)
{
    tess::Application app(argc, argv, QStringLiteral("tessrun"));
    tess::TLogonForm logon(tess::TLogonForm::Program::Runtime);
    tess::TADODataModule dataModule;
    tess::TMainForm mainForm;
    logon.setMainForm(&mainForm);
    logon.show();
    return app.exec();
}
