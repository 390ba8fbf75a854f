#pragma once
// The picture and memo boxes a grid shows below its focused cell when that
// cell is a picture or memo column, in both subsystems.
#include <QObject>
#include <QPointer>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QTableView;

namespace tess {

class DataSet;
class FieldLink;
struct FieldDefinition;

class GridOverlay : public QObject {
    Q_OBJECT
public:
    GridOverlay(QTableView* grid, QObject* parent = nullptr);
    // The set the grid shows and its definitions (may be empty).
    void attach(DataSet* ds, const FieldDefinition* defs);
    void hide();
    // Box geometry for a cell rectangle inside a grid of the given width and
    // height: below the cell, above when there is no room, else at top 18;
    // left = cell left + 25 unless that overflows the right edge.
    static QRect place(const QRect& cell, const QSize& box, const QSize& grid);

    QLabel* pictureBox;
    QPlainTextEdit* memoBox;

signals:
    void pictureDoubleClicked(const QString& field);
    void memoDoubleClicked(const QString& field);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void currentChanged();
    QTableView* grid;
    QPointer<DataSet> ds;
    const FieldDefinition* defs = nullptr;
    FieldLink* link = nullptr;
    QString field;
};

} // namespace tess
