#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;

namespace tess {

// The one-line input dialog of both programs: a caption, a prompt and one
// edit box with a preset text. "确定" gives the text, "取消" gives empty text;
// callers treat an empty answer as "change nothing".
class TInputDlg : public QDialog {
    Q_OBJECT
public:
    explicit TInputDlg(QWidget* parent = nullptr);
    QString ask(const QString& caption, const QString& prompt, const QString& preset);

    QLabel* Label1;
    QLineEdit* Edit1;
};

} // namespace tess
