#include <QTest>

#include "common/sqltext.h"

using namespace tess;

class TestSqlText : public QObject {
    Q_OBJECT
private slots:
    void quoting()
    {
        QCOMPARE(sql::quoted("O'Brien"), QStringLiteral("'O''Brien'"));
        QCOMPARE(sql::quoted("''"), QStringLiteral("''''''"));
        QCOMPARE(sql::quoted("张三"), QStringLiteral("'张三'"));
        QCOMPARE(sql::escaped("a'b"), QStringLiteral("a''b"));
    }

    void identifiers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("bare");
        QTest::newRow("chinese") << "职工" << true;
        QTest::newRow("mixed") << "订单_2024" << true;
        QTest::newRow("latin") << "FName" << true;
        QTest::newRow("space") << "my table" << false;
        QTest::newRow("quote") << "a'b" << false;
        QTest::newRow("dash") << "a-b" << false;
        QTest::newRow("leading digit") << "1月" << false;
        QTest::newRow("keyword") << "Select" << false;
        QTest::newRow("keyword user") << "user" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("chinese punctuation") << "单价（元）" << false;
        QTest::newRow("too long") << QString(22, QChar(0x4E00)) << false;
    }
    void identifiers()
    {
        QFETCH(QString, name);
        QFETCH(bool, bare);
        QString why;
        QCOMPARE(sql::isBareIdentifier(name, &why), bare);
        QCOMPARE(why.isEmpty(), bare);
    }
};

QTEST_GUILESS_MAIN(TestSqlText)
#include "tst_sqltext.moc"
