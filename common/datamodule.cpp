#include "common/datamodule.h"

#include "common/paths.h"

namespace tess {

namespace {
TADODataModule*& instance()
{
    static TADODataModule* m = nullptr;
    return m;
}
} // namespace

TADODataModule::TADODataModule(QObject* parent)
    : QObject(parent), ADOConnection1(new Connection(this)), ADOConnection2(new Connection(this))
{
    instance() = this;
}

TADODataModule::~TADODataModule()
{
    if (instance() == this)
        instance() = nullptr;
}

ConnectionParams TADODataModule::logonParams(const QString& server)
{
    const IniFile ini = exeIni();
    ConnectionParams p;
    p.server = server;
    p.password = ini.readString(QStringLiteral("Form"), QStringLiteral("PassWord"), QString());
    p.userName = ini.readString(QStringLiteral("Form"), QStringLiteral("UserName"), QStringLiteral("sa"));
    p.databaseName = ini.readString(QStringLiteral("Form"), QStringLiteral("dataBaseName"), QStringLiteral("sysdb"));
    p.dataDir = dataDir();
    return p;
}

TADODataModule* dataModule()
{
    return instance();
}

Connection& db()
{
    return *instance()->ADOConnection1;
}

LogonState& logonState()
{
    static LogonState s;
    return s;
}

QString& systemTitle()
{
    static QString t = QStringLiteral("Tessaly");
    return t;
}

} // namespace tess
