#pragma once
// The two copies of sys.ini: the one beside the running program and the one
// in the data directory named by [Form] NetPath of the first.
#include <QString>

#include "common/inifile.h"

namespace tess {

// Directory of the running program, with a trailing '/'. Tests may point it
// elsewhere.
QString executableDir();
void setExecutableDir(const QString& dir);
// Full path of the running program (the default of NetPath).
QString executablePath();

// Directory part of a path, up to and including the last '/' or '\'.
QString directoryPart(const QString& path);

// Reads [Form] NetPath of the executable directory's file and keeps it for
// the rest of the run; empty means the running program's own path.
void initNetPath();
void setNetPath(const QString& netPath);
QString netPath();
// Directory of the data-directory file, with a trailing separator.
QString dataDir();

IniFile exeIni();    // <executable directory>/sys.ini
IniFile dataIni();   // <data directory>/sys.ini

} // namespace tess
