#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include "common/inifile.h"
#include "common/paths.h"

using namespace tess;

class TestIniFile : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString path(const QString& name) const { return tmp.filePath(name); }
    static void writeBytes(const QString& p, const QByteArray& b)
    {
        QFile f(p);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(b);
    }
    static QByteArray readBytes(const QString& p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void profileSemantics()
    {
        const QString p = path("a.ini");
        writeBytes(p, "; comment\r\n[Form]\r\nSysName = 人事管理 \r\nserver=\"pg:db\"\r\nStar=2\r\nstar=9\r\n\r\n"
                      "[人事Table]\r\n职工=职工\r\n部门=True\r\n[form]\r\nNetPath=/x\r\n");
        IniFile ini(p);
        // case-insensitive names, trimmed values, quotes dropped, first occurrence wins
        QCOMPARE(ini.readString("FORM", "sysname"), QStringLiteral("人事管理"));
        QCOMPARE(ini.readString("form", "Server"), QStringLiteral("pg:db"));
        QCOMPARE(ini.readInteger("Form", "Star", 1), 2);
        QCOMPARE(ini.readString("Form", "NetPath", "dflt"), QStringLiteral("dflt"));
        QCOMPARE(ini.readString("Nope", "x", "d"), QStringLiteral("d"));
        QCOMPARE(ini.readSection("人事Table"), (QStringList{"职工", "部门"}));
        QCOMPARE(ini.readSectionValues("人事table"), (QStringList{"职工=职工", "部门=True"}));
        QCOMPARE(ini.readSections(), (QStringList{"Form", "人事Table"}));
        QVERIFY(ini.valueExists("form", "STAR"));
        QVERIFY(!ini.valueExists("form", "nokey"));

        // writing keeps the line ending, the key's spelling and the order
        ini.writeString("FORM", "STAR", "1");
        ini.writeString("人事Table", "工资", "工资");
        ini.writeString("New", "k", "v");
        QCOMPARE(ini.readSection("人事Table"), (QStringList{"职工", "部门", "工资"}));
        const QByteArray b = readBytes(p);
        QVERIFY(b.contains("Star=1\r\n"));
        QVERIFY(b.contains("[New]\r\nk=v\r\n"));
        QVERIFY(b.indexOf("工资=工资") < b.indexOf("[form]"));

        ini.deleteKey("form", "server");
        QVERIFY(!ini.valueExists("Form", "Server"));
        ini.eraseSection("FORM");   // every occurrence goes
        QVERIFY(!ini.sectionExists("Form"));
        QCOMPARE(ini.readSections(), (QStringList{"人事Table", "New"}));
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("integer");
        QTest::addColumn<bool>("boolean");
        QTest::newRow("decimal") << "12" << 12 << true;
        QTest::newRow("zero") << "0" << 0 << false;
        QTest::newRow("negative colour") << "-16777201" << -16777201 << true;
        QTest::newRow("hex") << "0x1F" << 31 << true;
        QTest::newRow("text gives default") << "True" << 7 << true;
        QTest::newRow("empty gives default") << "" << 7 << true;
    }
    void numbers()
    {
        QFETCH(QString, stored);
        QFETCH(int, integer);
        QFETCH(bool, boolean);
        IniFile ini(path("n.ini"));
        ini.writeString("S", "k", stored);
        QCOMPARE(ini.readInteger("S", "k", 7), integer);
        QCOMPARE(ini.readBool("S", "k", true), boolean);
        ini.writeBool("S", "b", false);
        QCOMPARE(ini.readString("S", "b"), QStringLiteral("0"));
        QCOMPARE(ini.readBool("S", "b", true), false);
    }

    void colours()
    {
        QCOMPARE(colorToInt(0xFF0000), 0x0000FF);   // red is $000000FF
        QCOMPARE(colorFromInt(0x0000FF), 0xFF0000u);
        QCOMPARE(colorFromInt(colorToInt(0x123456)), 0x123456u);
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("prefix");
        QTest::addColumn<QString>("codec");
        QTest::newRow("gb18030") << QByteArray() << "GB18030";
        QTest::newRow("utf8") << QByteArray() << "UTF-8";
        QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBF") << "UTF-8";
    }
    void encodings()
    {
        QFETCH(QByteArray, prefix);
        QFETCH(QString, codec);
        const QString text = QStringLiteral("[SysName]\r\n人事=职工\r\n销售管理=订单\r\n");
        QStringEncoder enc(codec.toLatin1().constData());
        const QString p = path("enc.ini");
        writeBytes(p, prefix + QByteArray(enc.encode(text)));
        IniFile ini(p);
        QCOMPARE(ini.readSection("SysName"), (QStringList{"人事", "销售管理"}));
        ini.writeString("SysName", "库存管理", "库存");
        const QString expected = text + QStringLiteral("库存管理=库存\r\n");
        QCOMPARE(readBytes(p), prefix + QByteArray(enc.encode(expected)));
        // a new file is UTF-8
        IniFile fresh(path("new.ini"));
        fresh.writeString("节", "键", "值");
        QCOMPARE(readBytes(path("new.ini")), QStringLiteral("[节]\n键=值\n").toUtf8());
    }

    void everyReadSeesTheDisk()
    {
        const QString p = path("fresh.ini");
        IniFile a(p), b(p);
        a.writeString("S", "k", "1");
        QCOMPARE(b.readString("S", "k"), QStringLiteral("1"));
        // another program rewrites the file with the same size
        writeBytes(p, "[S]\nk=2\n");
        QCOMPARE(a.readString("S", "k"), QStringLiteral("2"));
        QFile::remove(p);
        QCOMPARE(a.readString("S", "k", "gone"), QStringLiteral("gone"));
        QVERIFY(a.readSections().isEmpty());
    }

    void writesAreAtomic()
    {
        QTemporaryDir d;
        const QString p = d.filePath("sys.ini");
        IniFile ini(p);
        ini.writeString("S", "k", "v");
        QCOMPARE(QDir(d.path()).entryList(QDir::Files), QStringList{"sys.ini"});
        // an unwritable directory reports, and the old file stays whole
        QFile::setPermissions(d.path(), QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(d.path()).isWritable())
            QSKIP("running as a user who can write anywhere");
        bool threw = false;
        try {
            ini.writeString("S", "k", "w");
        } catch (const std::exception&) {
            threw = true;
        }
        QFile::setPermissions(d.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(threw);
        QCOMPARE(ini.readString("S", "k"), QStringLiteral("v"));
    }

    void netPath_data()
    {
        QTest::addColumn<QString>("netPath");
        QTest::addColumn<QString>("dataDir");
        QTest::newRow("file in a shared directory") << "/srv/share/sys.ini" << "/srv/share/";
        QTest::newRow("directory with trailing slash") << "/srv/data/" << "/srv/data/";
        QTest::newRow("windows directory") << "D:\\data\\" << "D:\\data\\";
        QTest::newRow("missing: the program's own directory") << "" << "EXE";
    }
    void netPath()
    {
        QFETCH(QString, netPath);
        QFETCH(QString, dataDir);
        QTemporaryDir exe;
        setExecutableDir(exe.path());
        IniFile(exe.filePath("sys.ini")).writeString("Form", "NetPath", netPath);
        initNetPath();
        QCOMPARE(tess::dataDir(), dataDir == "EXE" ? exe.path() + "/" : dataDir);
        if (dataDir == "EXE")
            QCOMPARE(tess::dataIni().fileName(), exe.filePath("sys.ini"));
        setExecutableDir(QString());
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
