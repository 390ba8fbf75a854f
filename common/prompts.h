#pragma once
// Every message box, question, input line and chooser goes through Prompts.
// The real implementation shows Qt dialogs; tests install ScriptedPrompts,
// which records each call and hands back planned answers.
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

namespace tess {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Warning, Error, Question };
enum class Answer { Ok, Cancel, Yes, No };

struct FileFilter {
    // Filters in the Windows form: "文本文件(*.txt)|*.txt|所有文件(*.*)|*.*".
    QString windowsFilter;
    int chosenIndex = 0;   // 1-based index of the filter the user picked (0: unknown)
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // A message box: text, caption, buttons. Returns the button pressed;
    // closing the box counts as Cancel (or No for Yes/No boxes).
    virtual Answer box(QWidget* parent, const QString& text, const QString& caption,
                       Buttons buttons = Buttons::Ok, Icon icon = Icon::Information) = 0;
    // The one-line input dialog: returns the edited text on "确定" and an
    // empty text on "取消".
    virtual QString input(QWidget* parent, const QString& caption, const QString& prompt,
                          const QString& preset = {}) = 0;
    // File choosers; empty text when cancelled. The filter is in the Windows
    // form; *chosenFilter receives the 1-based index of the filter used.
    virtual QString openFile(QWidget* parent, const QString& caption, const QString& filter,
                             const QString& dir = {}, int* chosenFilter = nullptr) = 0;
    virtual QString saveFile(QWidget* parent, const QString& caption, const QString& filter,
                             const QString& dir = {}, const QString& defaultExt = {},
                             int* chosenFilter = nullptr) = 0;
    virtual QString directory(QWidget* parent, const QString& caption, const QString& dir = {}) = 0;
    // Colour and font choosers: false when cancelled.
    virtual bool color(QWidget* parent, QColor& color) = 0;
    virtual bool font(QWidget* parent, QFont& font) = 0;
};

// The process-wide prompt implementation (Qt dialogs unless replaced).
Prompts& prompts();
// Installs another implementation and returns the previous one.
std::unique_ptr<Prompts> setPrompts(std::unique_ptr<Prompts> p);

// Shorthands used all over the windows.
inline Answer message(QWidget* parent, const QString& text, const QString& caption,
                      Buttons b = Buttons::Ok, Icon i = Icon::Information)
{
    return prompts().box(parent, text, caption, b, i);
}
inline Answer warning(QWidget* parent, const QString& text, const QString& caption = QStringLiteral("警告  "))
{
    return prompts().box(parent, text, caption, Buttons::Ok, Icon::Warning);
}
inline bool ask(QWidget* parent, const QString& text, const QString& caption)
{
    return prompts().box(parent, text, caption, Buttons::YesNo, Icon::Question) == Answer::Yes;
}
// TInputDlg: caption, prompt and preset; empty on cancel.
inline QString inputText(QWidget* parent, const QString& caption, const QString& prompt,
                         const QString& preset = {})
{
    return prompts().input(parent, caption, prompt, preset);
}

// Tells the user that a command is not there yet.
inline void notAvailable(QWidget* parent, const QString& feature)
{
    prompts().box(parent, QStringLiteral("“%1”功能尚未提供。  ").arg(feature), QStringLiteral("提示  "), Buttons::Ok,
                  Icon::Information);
}

// Converts "描述(*.a)|*.a|描述2(*.b;*.c)|*.b;*.c" to Qt's ";;" form.
QString qtFilterFromWindows(const QString& windowsFilter);

} // namespace tess
