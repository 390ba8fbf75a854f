#pragma once
// The system tables: users and their rights, per-system permissions and the
// saved copy of the configuration file. The programs never create them; the
// install step does, on a new database.
#include "common/connection.h"

namespace tess {

// The rights columns of UserPopedom in table order (third to thirteenth).
QStringList rightsColumns();

// The first administrator of a new installation.
inline const char* kFirstAdmin = "admin";
inline const char* kFirstAdminPassword = "admin";

// Creates UserPopedom, SysQx and SysIni where they are missing, and puts
// the first administrator (every right) into an empty UserPopedom.
void installSystemTables(Connection& c);

} // namespace tess
