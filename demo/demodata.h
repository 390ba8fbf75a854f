#pragma once
// The demonstration installation that ./run.sh starts the programs on: two
// information systems (人事 and 销售管理) with their tables, field
// definitions, a few hundred records, the relation and rule sections of the
// data directory's sys.ini, and two users (an administrator and a user who
// may only query).
#include <QDate>
#include <QString>

#include "common/connection.h"
#include "common/inifile.h"

namespace tess::demo {

enum class Outcome {
    Created,       // the data directory was filled now
    AlreadyThere,  // <dataDir>/sysdb.sqlite existed: the data was left as it is
    Failed,
};

struct Result {
    Outcome outcome = Outcome::Failed;
    QString message;   // the reason of a failure
};

// Fills in [Form] of <exeDir>/sys.ini where keys are missing (Server=local,
// NetPath=<dataDir>/sys.ini, dataBaseName=sysdb, SysName=Tessaly), then, unless
// <dataDir>/sysdb.sqlite already exists, creates the system database and the
// data directory's sys.ini. The database is built beside and moved into place
// last, so an interrupted run leaves nothing that a later run would take for
// finished data.
Result createDemo(const QString& dataDir, const QString& exeDir);

// The pieces, for an open connection to a database that does not hold the
// demo tables yet, and for a configuration file. Record dates
// are laid out around today (orders of the last two years, contracts that
// fall due in the coming weeks); every other choice comes from a fixed seed.
void installDemoTables(Connection& c, const QDate& today = QDate::currentDate());
void writeDemoConfig(IniFile& dataIni);

// The users the demo installs.
inline const char* kQueryUser = "查询员";
inline const char* kQueryUserPassword = "123";

} // namespace tess::demo
