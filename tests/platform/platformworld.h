#pragma once
// A small world for the platform's window tests: a system database with its
// system tables, a sys.ini beside the "program", the data module connected
// as after the logon, and dialogs run by script instead of by a user.
#include <QDialog>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <functional>

#include "common/datamodule.h"
#include "common/paths.h"
#include "common/sysdb.h"
#include "platform/platformkit.h"
#include "support/scriptedprompts.h"
#include "support/shots.h"
#include "support/testdb.h"

namespace tess::test {

struct PlatformWorld {
    TestDb db;
    TADODataModule module;

    explicit PlatformWorld(const QString& engine = QStringLiteral("sqlite")) : db(engine)
    {
        installSystemTables(db.conn());
        db.writeLogonIni();
        setExecutableDir(db.dir());
        setNetPath(QString());
        systemTitle() = QStringLiteral("Tessaly");
        module.ADOConnection1->open(TADODataModule::logonParams(db.params().server));
    }
    ~PlatformWorld() { setExecutableDir(QString()); }

    // The system database as the windows use it.
    Connection& conn() { return *module.ADOConnection1; }

    // Rows of a statement, each row's values joined with '|'.
    QStringList rows(const QString& sql)
    {
        QStringList out;
        QSqlQuery q = conn().select(sql);
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < q.record().count(); ++i)
                values << q.value(i).toString();
            out << values.join(QLatin1Char('|'));
        }
        return out;
    }
};

// Runs the modal dialogs of a test in the order planned: each step gets the
// dialog, fills it as a user would and returns its result. An unplanned
// dialog is recorded and rejected.
class DialogScript {
public:
    DialogScript()
    {
        previous = setModalRunner([this](QDialog& d) {
            shown << QString::fromLatin1(d.metaObject()->className()).section(QStringLiteral("::"), -1);
            if (steps.isEmpty())
                return int(QDialog::Rejected);
            return steps.takeFirst()(d);
        });
    }
    ~DialogScript() { setModalRunner(previous); }

    template <class Dialog>
    void then(std::function<int(Dialog&)> step)
    {
        steps << [step](QDialog& d) {
            auto* w = qobject_cast<Dialog*>(&d);
            if (!w) {
                qWarning("unexpected dialog %s", d.metaObject()->className());
                return int(QDialog::Rejected);
            }
            return step(*w);
        };
    }

    QStringList shown;   // class names of the dialogs run, in order

private:
    QList<std::function<int(QDialog&)>> steps;
    ModalRunner previous;
};

} // namespace tess::test
