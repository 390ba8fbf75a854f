#pragma once
// The logon window: the first window of both programs. It connects to the
// system database with the server name typed, checks the user against
// UserPopedom, then shows the program's main window and hides itself.
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tess {

// A panel shaded from white at the left to sky blue at the right.
class GradientPanel : public QWidget {
public:
    using QWidget::QWidget;
protected:
    void paintEvent(QPaintEvent*) override;
};

class TLogonForm : public QWidget {
    Q_OBJECT
public:
    enum class Program { Runtime, Platform };
    explicit TLogonForm(Program program, QWidget* mainForm = nullptr);

    void setMainForm(QWidget* w) { mainForm = w; }
    // Ends the program (the fourth failed attempt, closing the window).
    // Tests replace it.
    std::function<void()> endProgram;

    QLineEdit* Edit3;   // server
    QLineEdit* Edit1;   // user name
    QLineEdit* Edit2;   // password
    QPushButton* Button1;   // "确定"
    QPushButton* Button2;   // "取消"
    GradientPanel* Panel1;
    QLabel* Label3;     // banner title
    int failures = 0;

public slots:
    void Button1Click();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void FormCreate();
    bool connectDatabase();
    void accept(bool readRights);

    Program program;
    QWidget* mainForm = nullptr;
};

} // namespace tess
