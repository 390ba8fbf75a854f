#include "runtime/shell/pagelayout.h"

#include <algorithm>

namespace tess {

PagePlacement singleColumn(int count, const LayoutSettings& s)
{
    PagePlacement p;
    for (int i = 0; i < count; ++i) {
        const int y = i * s.RowInterval;
        p.labels << QPoint(0, y + 3);
        p.edits << QPoint(s.LabelWidth + s.LabelEditInte, y);
    }
    p.rows = count;
    p.columns = count > 0 ? 1 : 0;
    p.panelWidth = s.PanelWidth;
    p.panelHeight = singleColumnHeight(count, s);
    return p;
}

int singleColumnHeight(int count, const LayoutSettings& s)
{
    return (count - 1) * s.RowInterval + s.TopMargin + 50;
}

namespace {
// Fills page columns of `rows` pairs from x = LeftMargin.
void place(PagePlacement& p, int count, int rows, int columnWidth, const LayoutSettings& s, int firstRow)
{
    int x = s.LeftMargin;
    for (int done = 0; done < count;) {
        int y = firstRow;
        for (int r = 0; r < rows && done < count; ++r, ++done) {
            p.labels << QPoint(x, y + 3);
            p.edits << QPoint(x + s.LabelWidth + s.LabelEditInte, y);
            y += s.RowInterval;
        }
        x += columnWidth;
    }
}
} // namespace

PagePlacement reflowByHeight(int count, int areaHeight, int panelTop, const LayoutSettings& s, int firstRow)
{
    PagePlacement p;
    p.rows = std::max(1, (areaHeight - panelTop) / (s.RowInterval + 1) - 1);
    p.columns = count / p.rows + (count % p.rows ? 1 : 0);
    const int columnWidth = s.LabelWidth + s.EditWidth + s.LabelEditInte + 10;
    place(p, count, p.rows, columnWidth, s, firstRow);
    p.panelWidth = columnWidth * p.columns + 50;
    p.panelHeight = s.RowInterval * p.rows;
    return p;
}

PagePlacement reflowFixed(int count, const LayoutSettings& s)
{
    PagePlacement p;
    if (count <= s.FixColCount || s.FixColCount <= 0)
        return p;
    p.rows = count / s.FixColCount + (count % s.FixColCount ? 1 : 0);
    p.columns = s.FixColCount;
    const int columnWidth = s.LabelWidth + s.EditWidth + s.LabelEditInte + s.ColInterval;
    place(p, count, p.rows, columnWidth, s, 0);
    p.panelWidth = columnWidth * s.FixColCount + 20;
    p.panelHeight = s.RowInterval * p.rows;
    return p;
}

QRect overSmallButton(const QRect& box)
{
    const int side = box.height() - 2;
    return QRect(box.left() + box.width() - box.height() + 1, box.top() + 1, side, side);
}

QRect optionList(const QRect& box, int options, int rowHeight, int areaTop, int areaBottom)
{
    const int h = options > 6 ? 7 * rowHeight : options * rowHeight + 5;
    const int below = areaBottom - (box.bottom() + 1);
    const int above = box.top() - areaTop;
    const int top = below < h && above > below ? box.top() - h : box.bottom() + 1;
    return QRect(box.left(), top, box.width(), h);
}

QRect timePickerBelow(const QRect& box, int height)
{
    return QRect(box.left(), box.bottom() + 1, box.width(), height);
}

QRect pictureBox(const QRect& box, int imageHeight, int areaTop, int areaBottom)
{
    const int below = areaBottom - (box.bottom() + 1);
    const int above = box.top() - areaTop;
    const int top = below < imageHeight && above >= imageHeight ? box.top() - imageHeight : box.bottom() + 1;
    return QRect(box.left() + 25, top, box.width() - 25, imageHeight);
}

QRect memoBox(const QRect& box, int areaBottom)
{
    constexpr int full = 146;
    const int below = areaBottom - (box.bottom() + 1);
    if (below <= 19)
        return QRect(box.left() + 25, box.top() - full, box.width() - 25, full);
    return QRect(box.left() + 25, box.bottom() + 1, box.width() - 25, below < full ? below : full);
}

} // namespace tess
