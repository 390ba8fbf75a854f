#pragma once
// A throwaway database for one test on either engine: an SQLite file in a
// temporary directory, or a fresh database on the PostgreSQL server the test
// script started (TESS_PG_URL). The temporary directory doubles as the data
// and executable directory of the test, for its sys.ini files.
#include <QTemporaryDir>
#include <memory>

#include "common/connection.h"

namespace tess::test {

// "sqlite", and "postgres" when a server is available.
QStringList engines();
// Adds the column "engine" and one row per engine to a _data() function.
void addEngineRows();
bool postgresAvailable();

class TestDb {
public:
    explicit TestDb(const QString& engine = QStringLiteral("sqlite"));
    ~TestDb();
    TestDb(const TestDb&) = delete;
    TestDb& operator=(const TestDb&) = delete;

    const QString& engine() const { return eng; }
    bool isPostgres() const { return eng == QLatin1String("postgres"); }
    // Logon values that reach this database: server text plus [Form] values.
    ConnectionParams params() const;
    // The directory of the test's sys.ini files (with a trailing '/').
    QString dir() const;
    // An open connection to the database.
    Connection& conn() { return *c; }
    // Writes [Form] Server/dataBaseName/UserName/PassWord into dir()/sys.ini.
    void writeLogonIni() const;

private:
    QString eng;
    QTemporaryDir tmp;
    QString pgName;
    std::unique_ptr<Connection> c;
};

// Path of a file under the shared fixtures folder.
QString fixture(const QString& relative);

} // namespace tess::test
