#pragma once
// Where the page view puts its caption labels and edit boxes, and where the
// overlay editors go: plain arithmetic on the layout settings, kept apart
// from the widgets.
#include <QList>
#include <QPoint>
#include <QRect>

#include "runtime/shell/layoutsettings.h"

namespace tess {

struct PagePlacement {
    QList<QPoint> labels;   // top-left of each caption label, by column position
    QList<QPoint> edits;    // top-left of each edit box
    int panelWidth = 0;
    int panelHeight = 0;
    int rows = 0;           // pairs per page column
    int columns = 0;        // page columns
};

// One pair per row, as first built: label at 0, box after the label.
PagePlacement singleColumn(int count, const LayoutSettings& s);
// Page panel height of the single column.
int singleColumnHeight(int count, const LayoutSettings& s);
// As many rows as the page view area holds, then the next page column.
// areaHeight is the height of the page view area, panelTop the page panel's
// top in it; firstRow is the y of the first row (0 in the main window).
PagePlacement reflowByHeight(int count, int areaHeight, int panelTop, const LayoutSettings& s, int firstRow = 0);
// FixColCount page columns; a table with no more columns than that keeps
// its single column (the result is empty).
PagePlacement reflowFixed(int count, const LayoutSettings& s);

// Overlay editors around an edit box (box), inside a visible area whose
// bottom is areaBottom and top is areaTop (same coordinates as box).
QRect overSmallButton(const QRect& box);   // style-3 button, "…" buttons
QRect optionList(const QRect& box, int options, int rowHeight, int areaTop, int areaBottom);
QRect timePickerBelow(const QRect& box, int height);
QRect pictureBox(const QRect& box, int imageHeight, int areaTop, int areaBottom);
QRect memoBox(const QRect& box, int areaBottom);

} // namespace tess
