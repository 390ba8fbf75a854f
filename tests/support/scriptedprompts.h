#pragma once
// Prompts for tests: records every call (kind, caption, text) and answers
// from a queue planned by the test. An unplanned question answers Ok/Yes for
// boxes and empty text for inputs and choosers, and is recorded like any other.
#include <QList>
#include <QQueue>
#include <QVariant>

#include "common/prompts.h"

namespace tess::test {

struct PromptCall {
    QString kind;     // "box", "input", "open", "save", "dir", "color", "font"
    QString caption;
    QString text;     // message text, input prompt or file filter
    QString preset;   // input preset
    Buttons buttons = Buttons::Ok;
};

class ScriptedPrompts : public Prompts {
public:
    QList<PromptCall> calls;
    QQueue<QVariant> answers;   // Answer (as int), QString, QColor or QFont

    void plan(Answer a) { answers.enqueue(static_cast<int>(a)); }
    void plan(const QString& s) { answers.enqueue(s); }
    void plan(const QColor& c) { answers.enqueue(c); }

    // Texts of all boxes shown so far.
    QStringList texts() const;
    QString lastText() const { return calls.isEmpty() ? QString() : calls.last().text; }
    QString lastCaption() const { return calls.isEmpty() ? QString() : calls.last().caption; }
    void clear() { calls.clear(); answers.clear(); }

    Answer box(QWidget*, const QString& text, const QString& caption, Buttons buttons, Icon) override;
    QString input(QWidget*, const QString& caption, const QString& prompt, const QString& preset) override;
    QString openFile(QWidget*, const QString& caption, const QString& filter, const QString&,
                     int* chosenFilter) override;
    QString saveFile(QWidget*, const QString& caption, const QString& filter, const QString&,
                     const QString&, int* chosenFilter) override;
    QString directory(QWidget*, const QString& caption, const QString&) override;
    bool color(QWidget*, QColor& color) override;
    bool font(QWidget*, QFont& font) override;
};

// Installs a ScriptedPrompts for the lifetime of the guard.
class PromptGuard {
public:
    PromptGuard();
    ~PromptGuard();
    ScriptedPrompts* operator->() { return p; }
    ScriptedPrompts& operator*() { return *p; }
private:
    ScriptedPrompts* p;
    std::unique_ptr<Prompts> previous;
};

} // namespace tess::test
