#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "common/datamodule.h"
#include "common/logon.h"
#include "common/paths.h"
#include "common/sysdb.h"
#include "support/scriptedprompts.h"
#include "support/testdb.h"

using namespace tess;
using namespace tess::test;

namespace {

// One logon attempt's world: a database with users, the executable
// directory's sys.ini pointing at it, a data module and a main window.
struct World {
    TestDb db;
    TADODataModule module;
    QWidget mainForm;
    explicit World(const QString& engine) : db(engine)
    {
        installSystemTables(db.conn());
        db.conn().exec("DELETE FROM UserPopedom");
        db.writeLogonIni();
        setExecutableDir(db.dir());
        logonState() = LogonState();
    }
    ~World() { setExecutableDir(QString()); }
    void addUser(const QString& user, const QString& pass, bool input, bool query)
    {
        db.conn().exec("INSERT INTO UserPopedom(FUser,FPass,FInput,FQuery,FType,Sys) VALUES (?,?,?,?,?,?)",
                       {user, pass, db.conn().toEngine(input, ftBoolean), db.conn().toEngine(query, ftBoolean),
                        db.conn().toEngine(false, ftBoolean), db.conn().toEngine(true, ftBoolean)});
    }
};

struct Form {
    TLogonForm form;
    int ended = 0;
    Form(TLogonForm::Program p, QWidget* main) : form(p, main)
    {
        form.endProgram = [this] { ++ended; };
        form.show();
    }
    void attempt(const QString& user, const QString& pass)
    {
        form.Edit1->setText(user);
        form.Edit2->setText(pass);
        form.Button1Click();
    }
};

} // namespace

class TestLogon : public QObject {
    Q_OBJECT
private slots:
    void emptyBoxes()
    {
        World w("sqlite");
        PromptGuard p;
        Form f(TLogonForm::Program::Runtime, &w.mainForm);
        f.attempt("", "x");
        f.attempt("admin", "");
        f.form.Edit3->clear();
        f.attempt("admin", "x");
        QCOMPARE(p->texts(), (QStringList{"没有输入用户名  ", "没有输入密码  ", "没有输入服务器名  "}));
        QCOMPARE(p->calls.at(2).caption, QStringLiteral("没有输入服务器名   "));
        QVERIFY(!w.module.ADOConnection1->connected());
    }

    void acceptsCaseInsensitively_data() { addEngineRows(); }
    void acceptsCaseInsensitively()
    {
        QFETCH(QString, engine);
        World w(engine);
        w.addUser("Zhang", "pw", false, true);
        PromptGuard p;
        Form f(TLogonForm::Program::Runtime, &w.mainForm);
        const QString server = f.form.Edit3->text();
        QVERIFY(!server.isEmpty());
        f.attempt("ZHANG", "pw");
        QVERIFY(p->calls.isEmpty());
        QVERIFY(w.mainForm.isVisible());
        QVERIFY(f.form.isHidden());
        QVERIFY(logonState().loggedOn);
        QCOMPARE(logonState().user, QStringLiteral("ZHANG"));
        QVERIFY(logonState().FQuery && !logonState().FInput && logonState().Sys);
        // the server is written back and offered at the next start
        exeIni().deleteKey("Form", "Server");
        f.form.Edit3->setText(server);
        f.attempt("zhang", "PW");
        QCOMPARE(exeIni().readString("Form", "Server"), server);
        TLogonForm next(TLogonForm::Program::Runtime);
        QCOMPARE(next.Edit3->text(), server);
    }

    void fourthFailureEnds()
    {
        World w("sqlite");
        w.addUser("admin", "secret", true, true);
        PromptGuard p;
        Form f(TLogonForm::Program::Runtime, &w.mainForm);
        f.attempt("nobody", "x");
        QVERIFY(f.form.Edit1->text().isEmpty());
        f.attempt("admin", "wrong");
        QCOMPARE(f.form.Edit1->text(), QStringLiteral("admin"));
        QVERIFY(f.form.Edit2->text().isEmpty());
        f.attempt("admin", "wrong");
        QCOMPARE(p->texts(), (QStringList{"用户名错误！重新输入  ", "密码错误！重新输入  ", "密码错误！重新输入  "}));
        QCOMPARE(p->calls.at(0).caption, QStringLiteral("错误   "));
        QCOMPARE(f.ended, 0);
        f.attempt("admin", "wrong");
        QCOMPARE(f.ended, 1);
        QCOMPARE(p->calls.size(), 3);
        QVERIFY(!logonState().loggedOn);
    }

    void emptyUserTableLetsAnybodyIn()
    {
        World w("sqlite");
        PromptGuard p;
        Form f(TLogonForm::Program::Runtime, &w.mainForm);
        f.attempt("whoever", "x");
        QVERIFY(w.mainForm.isVisible());
        QVERIFY(!logonState().loggedOn);
        QVERIFY(!logonState().FInput);
    }

    // The runtime keeps its first connection; the platform connects anew
    // on every click.
    void connectionPerProgram_data()
    {
        QTest::addColumn<int>("program");
        QTest::newRow("runtime") << int(TLogonForm::Program::Runtime);
        QTest::newRow("platform") << int(TLogonForm::Program::Platform);
    }
    void connectionPerProgram()
    {
        QFETCH(int, program);
        const auto prog = TLogonForm::Program(program);
        World w("sqlite");
        w.addUser("admin", "pw", true, true);
        PromptGuard p;
        Form f(prog, &w.mainForm);
        const QString good = f.form.Edit3->text();
        f.form.Edit3->setText("nosuchserver");
        f.attempt("admin", "pw");
        QCOMPARE(p->lastText(), QStringLiteral("数据库连接出错！  "));
        QCOMPARE(p->lastCaption(), QStringLiteral("数据库连接出错   "));
        QVERIFY(!w.mainForm.isVisible());
        f.form.Edit3->setText(good);
        f.attempt("admin", "wrong");   // connects, then refuses the password
        QCOMPARE(p->lastText(), QStringLiteral("密码错误！重新输入  "));
        f.form.Edit3->setText("nosuchserver");
        f.attempt("admin", "pw");
        QCOMPARE(w.mainForm.isVisible(), prog == TLogonForm::Program::Runtime);
        if (prog == TLogonForm::Program::Platform) {
            QCOMPARE(p->lastText(), QStringLiteral("数据库连接出错！  "));
            QCOMPARE(f.form.windowTitle(), QStringLiteral("Tessaly开发平台"));
        }
    }

    void missingIniUsesDefaults()
    {
        QTemporaryDir dir;
        setExecutableDir(dir.path());
        TADODataModule module;
        PromptGuard p;
        Form f(TLogonForm::Program::Runtime, nullptr);
        QVERIFY(f.form.Edit3->text().isEmpty());
        QCOMPARE(f.form.Label3->text(), QStringLiteral("Tessaly"));
        QCOMPARE(tess::netPath(), executablePath());
        f.attempt("admin", "pw");
        QCOMPARE(p->lastText(), QStringLiteral("没有输入服务器名  "));
        setExecutableDir(QString());
    }

    void looksRight()
    {
        QTemporaryDir dir;
        setExecutableDir(dir.path());
        TLogonForm form(TLogonForm::Program::Runtime);
        form.show();
        const QImage img = form.grab().toImage();
        const QString out = qEnvironmentVariable("TESS_SHOTS");
        if (!out.isEmpty())
            img.save(out + "/logon.png");
        // the banner runs from white to sky blue
        const QColor left = img.pixelColor(3, 30), right = img.pixelColor(img.width() - 3, 30);
        QVERIFY(left.red() > 240 && left.green() > 240 && left.blue() > 240);
        QCOMPARE(right.red() < 180 && right.blue() > 220, true);
        setExecutableDir(QString());
    }
};

QTEST_MAIN(TestLogon)
#include "tst_logon.moc"
