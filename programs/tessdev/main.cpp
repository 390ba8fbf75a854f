#include "common/application.h"
#include "common/datamodule.h"
#include "common/logon.h"
#include "platform/deveform.h"

int main(int argc, char** argv)
{
    tess::Application app(argc, argv, QStringLiteral("tessdev"));
    tess::TADODataModule dataModule;
    tess::TLogonForm logon(tess::TLogonForm::Program::Platform);
    tess::TDeveForm deveForm;
    logon.setMainForm(&deveForm);
    logon.show();
    return app.exec();
}
