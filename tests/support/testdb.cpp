#include "testdb.h"

#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QUrl>
#include <QUuid>

#include "common/inifile.h"

namespace tess::test {

namespace {

QUrl pgUrl()
{
    return QUrl(qEnvironmentVariable("TESS_PG_URL"));
}

// Runs a statement on the server's maintenance database.
void admin(const QString& statement)
{
    const QUrl url = pgUrl();
    const QString name = QStringLiteral("tess-admin-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(url.host());
        db.setPort(url.port(5432));
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setDatabaseName(url.path().mid(1).isEmpty() ? QStringLiteral("postgres") : url.path().mid(1));
        if (!db.open())
            qFatal("cannot reach the PostgreSQL test server: %s", qPrintable(db.lastError().text()));
        QSqlQuery q(db);
        if (!q.exec(statement))
            qWarning("%s: %s", qPrintable(statement), qPrintable(q.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

bool postgresAvailable()
{
    return !qEnvironmentVariableIsEmpty("TESS_PG_URL");
}

QStringList engines()
{
    QStringList e{QStringLiteral("sqlite")};
    if (postgresAvailable())
        e << QStringLiteral("postgres");
    return e;
}

void addEngineRows()
{
    QTest::addColumn<QString>("engine");
    for (const QString& e : engines())
        QTest::newRow(qPrintable(e)) << e;
}

TestDb::TestDb(const QString& engine) : eng(engine), c(std::make_unique<Connection>())
{
    if (isPostgres()) {
        pgName = QStringLiteral("tess_t%1_%2").arg(QCoreApplication::applicationPid()).arg(QRandomGenerator::global()->generate() % 1000000);
        admin(QStringLiteral("CREATE DATABASE %1").arg(pgName));
    }
    ConnectionParams p = params();
    p.create = true;
    c->open(p);
}

TestDb::~TestDb()
{
    c->close();
    if (isPostgres())
        admin(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(pgName));
}

QString TestDb::dir() const
{
    return tmp.path() + QLatin1Char('/');
}

ConnectionParams TestDb::params() const
{
    ConnectionParams p;
    if (isPostgres()) {
        const QUrl url = pgUrl();
        p.server = QStringLiteral("pg:%1:%2").arg(url.host()).arg(url.port(5432));
        p.userName = url.userName();
        p.password = url.password();
        p.databaseName = pgName;
    } else {
        p.server = QStringLiteral("local");
        p.databaseName = QStringLiteral("sysdb");
        p.userName.clear();
    }
    p.dataDir = dir();
    return p;
}

void TestDb::writeLogonIni() const
{
    const ConnectionParams p = params();
    IniFile ini(dir() + QStringLiteral("sys.ini"));
    ini.writeString(QStringLiteral("Form"), QStringLiteral("Server"), p.server);
    ini.writeString(QStringLiteral("Form"), QStringLiteral("dataBaseName"), p.databaseName);
    ini.writeString(QStringLiteral("Form"), QStringLiteral("UserName"), p.userName);
    ini.writeString(QStringLiteral("Form"), QStringLiteral("PassWord"), p.password);
}

QString fixture(const QString& relative)
{
    QString base = qEnvironmentVariable("TESS_FIXTURES");
    if (base.isEmpty())
        base = QStringLiteral("/work/shared/fixtures");
    return base + QLatin1Char('/') + relative;
}

} // namespace tess::test
