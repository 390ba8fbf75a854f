#pragma once
// The page view: the current record as one caption label and one bound edit
// box per column, laid out in page columns inside a scrollable area, with
// shared overlay editors laid over the box that has the focus (drop-down,
// multi-select list, date and time editors, picture, memo, "…" button).
#include <QObject>
#include <QPointer>
#include <functional>

#include "common/dataset.h"
#include "common/definitions.h"
#include "runtime/shell/layoutsettings.h"
#include "runtime/shell/pagelayout.h"

class QComboBox;
class QDateEdit;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QScrollArea;
class QTimeEdit;
class QToolButton;

namespace tess {

class FieldLink;

class PageView : public QObject {
    Q_OBJECT
public:
    // Puts its page panel into the scrollable page view area.
    PageView(QScrollArea* area, LayoutSettings* settings, QObject* parent = nullptr);
    QWidget* pagePanel() const { return panel; }
    ~PageView() override;

    // Builds labels and edit boxes for the table's columns.
    void build(const FieldDefinition& defs, bool definitionsInUse, int firstRow = 0);
    // Binds the edit boxes to the set the page shows; subsystem 1 entry, 2 query.
    void bind(DataSet* ds, int subsystem);
    DataSet* dataSet() const { return ds; }
    int subsystem() const { return mode; }
    // Lays the pairs out by the area's height, or in FixColCount columns.
    void reflow(bool fixedColumns);
    // The page form lays out from its own first row.
    void reflowByHeight(int height);
    void applyPlacement(const PagePlacement& p);
    void hideOverlays();
    // Applies the label and edit-box geometry settings to the existing pairs.
    void applyLabelWidth();
    void applyEditGeometry();
    void applyRowInterval();
    void setLabelFont(const QFont& f);
    void setEditFont(const QFont& f);
    void setEditColor(const QColor& c);
    void setEdit3D(bool on);

    QList<QLabel*> labels;
    QList<QLineEdit*> edits;
    int currentIndex = -1;    // the edit box that last had the focus
    const FieldDefinition& definitions() const { return defs; }

    // Set by the main window: columns with a reference source, and the
    // condition field of a query-table relation, get a "…" button.
    std::function<bool(const QString& field)> hasReference;
    std::function<bool(const QString& field)> isConditionField;

    // The overlay widgets (shared by all boxes).
    QComboBox* comboBox;
    QToolButton* listButton;
    QListWidget* optionList;
    QDateEdit* dateEdit;
    QDateTimeEdit* dateTimeEdit;
    QToolButton* timeButton;
    QTimeEdit* timePicker;
    QToolButton* ellipsis;
    QLabel* pictureBox;
    QPlainTextEdit* memoBox;

signals:
    void entered(int field);            // an edit box got the focus
    void ellipsisClicked(int field);    // reference, condition or file "…"
    void doubleClicked(int field);      // an edit box was double-clicked
    void pictureDoubleClicked(int field);
    void memoDoubleClicked(int field);
    void optionAppended(int field);     // a multi-select option was written

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void enter(int i);
    void showOverlay(int i);
    void pickOption(const QString& option);
    void timePicked();
    QRect boxRect(int i) const;
    int visibleTop() const;
    int visibleBottom() const;
    void bindOverlay(QWidget* w, int field);
    void clearPairs();

    void fitContent();
    QScrollArea* area;
    QWidget* content;
    QWidget* panel;
    bool timeForDateTime = false;
    LayoutSettings* settings;
    FieldDefinition defs;
    bool inUse = false;
    QPointer<DataSet> ds;
    int mode = 0;
    int overlayField = -1;
    QList<FieldLink*> links;
    FieldLink* overlayLink = nullptr;
    FieldLink* pictureLink = nullptr;
    FieldLink* memoLink = nullptr;
    int firstRow = 0;
};

} // namespace tess
