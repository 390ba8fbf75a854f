#pragma once
#include <QMainWindow>

namespace tess {

// The runtime's main window.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
};

} // namespace tess
