#pragma once
// The data module of both programs: the connection to the system database
// that every window uses, and a second one for outside database files.
#include <QObject>

#include "common/connection.h"

namespace tess {

class TADODataModule : public QObject {
    Q_OBJECT
public:
    explicit TADODataModule(QObject* parent = nullptr);
    ~TADODataModule() override;

    Connection* ADOConnection1;   // the system database
    Connection* ADOConnection2;   // an outside database file (import, conversion)

    // Logon values of [Form] in the executable directory's sys.ini, with the
    // server text typed at logon.
    static ConnectionParams logonParams(const QString& server);
};

// The program's data module (created by its start-up code).
TADODataModule* dataModule();
// The system database connection of the program.
Connection& db();

// What a successful runtime logon leaves for the rest of the program.
struct LogonState {
    QString user;
    bool FInput = false, FQuery = false, FDerive = false, FLoad = false, FStat = false, FPrint = false,
         FForm = false, FCopy = false, FReturn = false, FType = false, Sys = false;
    bool loggedOn = false;   // a user row matched
};
LogonState& logonState();

// The system title kept from [Form] SysName at logon.
QString& systemTitle();

} // namespace tess
