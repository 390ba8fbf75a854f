// Handing a finished document to the user: where it goes, its name, and
// what the user is told when nothing opens it.
#include <QTemporaryDir>
#include <QtTest>

#include "runtime/exchange/excelworkbook.h"
#include "runtime/exchange/officefile.h"
#include "support/scriptedprompts.h"

using namespace tess;
using namespace tess::test;

class TestHandover : public QObject {
    Q_OBJECT

    QTemporaryDir home;

private slots:
    void initTestCase()
    {
        // The documents folder follows HOME and the XDG user directories.
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath(".config").toUtf8());
    }

    void documentFolder()
    {
        QCOMPARE(tess::documentFolder(), home.filePath("Documents"));
        QVERIFY(QFileInfo(home.filePath("Documents")).isDir());

        // No documents folder can be made under a home that is a file.
        QFile file(home.filePath("plain"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        qputenv("HOME", file.fileName().toUtf8());
        const QString folder = tess::documentFolder();
        qputenv("HOME", home.path().toUtf8());
        QCOMPARE(folder, QDir::tempPath());
    }

    void documentPath_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("name");
        QTest::newRow("title and time") << "数据统计表" << QStringList() << "数据统计表 2024-05-01 143005.xlsx";
        QTest::newRow("characters a name cannot hold") << " a/b:c*?\"<>|\\ " << QStringList()
                                                        << "a_b_c_______ 2024-05-01 143005.xlsx";
        QTest::newRow("name taken") << "数据表"
            << QStringList{"数据表 2024-05-01 143005.xlsx", "数据表 2024-05-01 143005 (2).xlsx"}
            << "数据表 2024-05-01 143005 (3).xlsx";
    }
    void documentPath()
    {
        QFETCH(QString, title);
        QFETCH(QStringList, taken);
        QFETCH(QString, name);
        QTemporaryDir folder;
        for (const QString& t : taken) {
            QFile f(folder.filePath(t));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QDateTime at(QDate(2024, 5, 1), QTime(14, 30, 5));
        QCOMPARE(tess::documentPath(folder.path(), title, "xlsx", at), folder.filePath(name));
    }

    // The file is written whether or not an application opens it; when none
    // does, the user is told where it is.
    void handToUser_data()
    {
        QTest::addColumn<bool>("opens");
        QTest::newRow("opened") << true;
        QTest::newRow("nothing opens it") << false;
    }
    void handToUser()
    {
        QFETCH(bool, opens);
        QList<QUrl> opened;
        const FileOpener previous = setFileOpener([&](const QUrl& url) {
            opened << url;
            return opens;
        });
        PromptGuard prompts;
        ExcelWorkbook book;
        book.setCell(1, 1, "数据表");
        const QString path = tess::handToUser(book, "数据表");
        setFileOpener(previous);

        QCOMPARE(QFileInfo(path).absolutePath(), home.filePath("Documents"));
        QVERIFY(QFileInfo(path).fileName().startsWith("数据表 "));
        QVERIFY(path.endsWith(".xlsx"));
        QVERIFY(QFileInfo(path).size() > 0);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(path)});
        QCOMPARE(prompts->calls.size(), opens ? 0 : 1);
        if (!opens) {
            QVERIFY(prompts->lastText().endsWith(path));
            QCOMPARE(prompts->lastCaption(), "提示");
        }
    }
};

QTEST_MAIN(TestHandover)
#include "tst_handover.moc"
