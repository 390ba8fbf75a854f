#include <QTest>

#include "runtime/shell/gridoverlay.h"
#include "runtime/shell/pagelayout.h"

using namespace tess;

namespace {
// Pairs per page column, read back from the edit boxes' x positions.
QList<int> perColumn(const PagePlacement& p)
{
    QList<int> out;
    int lastX = -1;
    for (const QPoint& e : p.edits) {
        if (e.x() != lastX) {
            out << 0;
            lastX = e.x();
        }
        ++out.last();
    }
    return out;
}
} // namespace

class TestPageLayout : public QObject {
    Q_OBJECT
private slots:
    void byHeight_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("areaHeight");
        QTest::addColumn<QList<int>>("columns");
        // rows = (height - top 20) div 24 - 1
        QTest::newRow("10 columns in 4 rows") << 10 << 20 + 24 * 5 << QList<int>{4, 4, 2};
        QTest::newRow("exact fit") << 8 << 20 + 24 * 5 << QList<int>{4, 4};
        QTest::newRow("tiny area: one row") << 3 << 30 << QList<int>{1, 1, 1};
        QTest::newRow("all in one") << 5 << 400 << QList<int>{5};
    }
    void byHeight()
    {
        QFETCH(int, count);
        QFETCH(int, areaHeight);
        QFETCH(QList<int>, columns);
        LayoutSettings s;
        const PagePlacement p = reflowByHeight(count, areaHeight, s.TopMargin, s);
        QCOMPARE(perColumn(p), columns);
        const int colWidth = s.LabelWidth + s.EditWidth + s.LabelEditInte + 10;
        QCOMPARE(p.panelWidth, colWidth * int(columns.size()) + 50);
        QCOMPARE(p.panelHeight, s.RowInterval * p.rows);
        // label at x, box after label width and gap, rows RowInterval apart
        QCOMPARE(p.labels.at(0), QPoint(s.LeftMargin, 3));
        QCOMPARE(p.edits.at(0), QPoint(s.LeftMargin + s.LabelWidth + s.LabelEditInte, 0));
        if (count > 1 && columns.at(0) > 1)
            QCOMPARE(p.edits.at(1).y(), s.RowInterval);
        if (columns.size() > 1)
            QCOMPARE(p.edits.at(columns.at(0)).x() - p.edits.at(0).x(), colWidth);
    }

    void fixed_data()
    {
        QTest::addColumn<int>("fix");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("columns");
        QTest::newRow("2 with 5") << 2 << 5 << QList<int>{3, 2};
        QTest::newRow("3 with 3: unchanged") << 3 << 3 << QList<int>{};
        QTest::newRow("3 with 7") << 3 << 7 << QList<int>{3, 3, 1};
    }
    void fixed()
    {
        QFETCH(int, fix);
        QFETCH(int, count);
        QFETCH(QList<int>, columns);
        LayoutSettings s;
        s.FixColCount = fix;
        s.ColInterval = 15;
        const PagePlacement p = reflowFixed(count, s);
        QCOMPARE(perColumn(p), columns);
        if (!columns.isEmpty()) {
            QCOMPARE(p.panelWidth, (s.LabelWidth + s.EditWidth + s.LabelEditInte + 15) * fix + 20);
            QCOMPARE(p.panelHeight, s.RowInterval * columns.at(0));
        }
    }

    void singleAndOverlays()
    {
        LayoutSettings s;
        s.LabelWidth = 80;
        const PagePlacement p = singleColumn(3, s);
        QCOMPARE(p.edits.at(2), QPoint(90, 46));
        QCOMPARE(p.labels.at(2), QPoint(0, 49));
        QCOMPARE(singleColumnHeight(3, s), 2 * 23 + 20 + 50);

        const QRect box(100, 50, 150, 21);
        QCOMPARE(overSmallButton(box), QRect(100 + 150 - 21 + 1, 51, 19, 19));
        // option list: up to 6 options fit, more scroll in 7 rows; above when there is no room below
        QCOMPARE(optionList(box, 3, 16, 0, 500), QRect(100, 71, 150, 53));
        QCOMPARE(optionList(box, 9, 16, 0, 500).height(), 112);
        QCOMPARE(optionList(box, 3, 16, 0, 90).top(), 50 - 53);
        QCOMPARE(timePickerBelow(box, 22), QRect(100, 71, 150, 22));
        QCOMPARE(pictureBox(box, 182, 0, 500), QRect(125, 71, 125, 182));
        QCOMPARE(pictureBox(box, 182, 0, 150).top(), 71);   // no room above either: below
        QCOMPARE(memoBox(box, 500), QRect(125, 71, 125, 146));
        QCOMPARE(memoBox(box, 171).height(), 100);           // the room below
        QVERIFY(memoBox(box, 85).bottom() < box.top());      // no room below: above the box

        // grid boxes: below the cell, else above, else at 18; kept inside the grid
        const QSize pic(200, 182), grid(600, 400);
        QCOMPARE(GridOverlay::place(QRect(10, 40, 80, 20), pic, grid), QRect(35, 60, 200, 182));
        QCOMPARE(GridOverlay::place(QRect(10, 300, 80, 20), pic, grid).top(), 300 - 182);
        QCOMPARE(GridOverlay::place(QRect(10, 100, 80, 20), pic, QSize(600, 250)).top(), 18);
        QCOMPARE(GridOverlay::place(QRect(500, 40, 80, 20), pic, grid).left(), 400);
    }
};

QTEST_GUILESS_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
