#pragma once
#include <QMainWindow>

namespace tess {

// The development platform's main window.
class TDeveForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TDeveForm(QWidget* parent = nullptr);
};

} // namespace tess
