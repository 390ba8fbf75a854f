#pragma once
// The popup page form: one grid row's record as a page of labels and edit
// boxes, with a navigator.
#include <QDialog>

#include "common/dataset.h"
#include "common/definitions.h"
#include "runtime/shell/layoutsettings.h"

class QScrollArea;

namespace tess {

class PageView;

class TShowPageForm : public QDialog {
    Q_OBJECT
public:
    // subsystem 1: the editing buttons are offered (the set is a table).
    TShowPageForm(DataSet* ds, const FieldDefinition& defs, const QString& caption, int subsystem,
                  QWidget* parent = nullptr);
    PageView* page;
    LayoutSettings settings;
protected:
    void resizeEvent(QResizeEvent* e) override;
private:
    void reflow();
    QScrollArea* area;
};

} // namespace tess
