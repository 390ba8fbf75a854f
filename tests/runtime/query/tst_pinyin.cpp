#include <QTest>

#include "queryfixture.h"
#include "runtime/query/pinyin.h"
#include "support/scriptedprompts.h"

using namespace tess;
using namespace tess::query;
using namespace tess::test;

namespace {

struct Range {
    char letter;
    int first, last;
};
// The initial-letter table, written out here apart from the code under test.
const Range kTable[] = {
    {'A', 0xB0A1, 0xB0C4}, {'B', 0xB0C5, 0xB2C0}, {'C', 0xB2C1, 0xB4ED}, {'D', 0xB4EE, 0xB6E9},
    {'E', 0xB6EA, 0xB7A1}, {'F', 0xB7A2, 0xB8C0}, {'G', 0xB8C1, 0xB9FD}, {'H', 0xB9FE, 0xBBF6},
    {'J', 0xBBF7, 0xBFA5}, {'K', 0xBFA6, 0xC0AB}, {'L', 0xC0AC, 0xC2E7}, {'M', 0xC2E8, 0xC4C2},
    {'N', 0xC4C3, 0xC5B5}, {'O', 0xC5B6, 0xC5BD}, {'P', 0xC5BE, 0xC6D9}, {'Q', 0xC6DA, 0xC8BA},
    {'R', 0xC8BB, 0xC8F5}, {'S', 0xC8F6, 0xCBF9}, {'T', 0xCBFA, 0xCDD9}, {'W', 0xCDDA, 0xCEF3},
    {'X', 0xCEF4, 0xD188}, {'Y', 0xD189, 0xD4D0}, {'Z', 0xD4D1, 0xD7F9},
};

} // namespace

class TestPinyin : public QObject {
    Q_OBJECT
private slots:
    void letterTable_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("letter");   // empty: no letter
        const int n = int(std::size(kTable));
        for (int i = 0; i < n; ++i) {
            const Range& r = kTable[i];
            const QString here(QLatin1Char(r.letter));
            QTest::addRow("%c first", r.letter) << r.first << here;
            QTest::addRow("%c last", r.letter) << r.last << here;
            // The neighbours across each boundary belong to the next letters.
            QTest::addRow("%c before", r.letter) << r.first - 1 << (i > 0 ? QString(QLatin1Char(kTable[i - 1].letter)) : QString());
            QTest::addRow("%c after", r.letter) << r.last + 1 << (i + 1 < n ? QString(QLatin1Char(kTable[i + 1].letter)) : QString());
        }
        QTest::newRow("ascii pair") << 0x6162 << QString();
        QTest::newRow("symbols row") << 0xA1A1 << QString();
        QTest::newRow("level two hanzi") << 0xD8A1 << QString();
        QTest::newRow("highest") << 0xFFFF << QString();
    }
    void letterTable()
    {
        QFETCH(int, code);
        QFETCH(QString, letter);
        const QChar c = pinyinInitial(code);
        QCOMPARE(c.isNull() ? QString() : QString(c), letter);
    }

    void lettersOfCharacters()
    {
        QCOMPARE(gbBytes("张三"), QByteArray("\xD5\xC5\xC8\xFD"));
        const QString chars = QStringLiteral("啊张三李四王五赵山座");
        QString initials;
        for (const QChar ch : chars) {
            const QByteArray b = gbBytes(QString(ch));
            initials += pinyinInitial(static_cast<unsigned char>(b.at(0)) * 256 + static_cast<unsigned char>(b.at(1)));
        }
        QCOMPARE(initials, QStringLiteral("AZSLSWWZSZ"));
    }

    void patterns_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("matches");
        QTest::newRow("zs finds 张三") << "张三" << "zs" << true;
        QTest::newRow("upper case pattern") << "张三" << "ZS" << true;
        QTest::newRow("longer value") << "张三丰" << "zs" << true;
        QTest::newRow("z? 张三") << "张三" << "z?" << true;
        QTest::newRow("z? 赵") << "赵" << "z?" << true;
        QTest::newRow("z? 李四") << "李四" << "z?" << false;
        QTest::newRow("?s") << "李四" << "?s" << true;
        QTest::newRow("wrong second") << "张三" << "zl" << false;
        QTest::newRow("pattern longer than value") << "张三" << "zsf" << false;
        QTest::newRow("extra positions ?") << "张三" << "zs??" << true;
        QTest::newRow("empty value") << "" << "z" << false;
        QTest::newRow("empty value, ?") << "" << "?" << true;
        QTest::newRow("empty pattern") << "张三" << "" << true;
        QTest::newRow("latin letters give no initial") << "zs" << "z" << false;
        QTest::newRow("a leading latin byte shifts the pairs") << "a张三" << "z" << false;
        QTest::newRow("non-letter in pattern") << "张三" << "张" << false;
    }
    void patterns()
    {
        QFETCH(QString, value);
        QFETCH(QString, pattern);
        QFETCH(bool, matches);
        QCOMPARE(pinyinMatches(value, pattern), matches);
    }

    // 姓名 in record order: 张三, 李四, O'Brien, 王五, '', NULL, 赵四, 张山.
    void search_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QList<int>>("answers");   // Answer values for the questions
        QTest::addColumn<int>("stopsAt");           // record number; 0: went to the end
        QTest::addColumn<int>("questions");
        const int yes = int(Answer::Yes), no = int(Answer::No);
        QTest::newRow("No at the first match") << "姓名" << "zs" << QList<int>{no} << 1 << 1;
        QTest::newRow("Yes then No") << "姓名" << "zs" << QList<int>{yes, no} << 7 << 2;
        QTest::newRow("Yes to every match") << "姓名" << "zs" << QList<int>{yes, yes, yes} << 0 << 3;
        QTest::newRow("nothing matches") << "姓名" << "xx" << QList<int>{} << 0 << 0;
        QTest::newRow("? pattern on the other field") << "学号" << "?" << QList<int>{no} << 1 << 1;
        QTest::newRow("unknown field") << "无此字段" << "zs" << QList<int>{} << 0 << 0;
    }
    void search()
    {
        QFETCH(QString, field);
        QFETCH(QString, pattern);
        QFETCH(QList<int>, answers);
        QFETCH(int, stopsAt);
        QFETCH(int, questions);
        StudentDb s;
        DataSet ds(&s.conn());
        ds.setSql("Select * From 学生");
        ds.open();
        ds.last();
        PromptGuard p;
        for (int a : answers)
            p->plan(Answer(a));
        QCOMPARE(pinyinSearch(ds, field, pattern), stopsAt > 0);
        for (int i = 0; i < questions; ++i)
            QCOMPARE(p->calls.value(i).text, QStringLiteral("已经找到，是否继续查找？  "));
        for (const PromptCall& c : p->calls)
            QCOMPARE(c.caption, QStringLiteral("警告  "));
        if (questions > 0)
            QCOMPARE(p->calls.first().buttons, Buttons::YesNo);
        if (stopsAt > 0) {
            QCOMPARE(p->calls.size(), questions);
            QCOMPARE(ds.recNo(), stopsAt);
        } else {
            QCOMPARE(p->calls.size(), questions + 1);
            QCOMPARE(p->lastText(), QStringLiteral("查找结束，没有找到！  "));
        }
    }
};

QTEST_GUILESS_MAIN(TestPinyin)
#include "tst_pinyin.moc"
