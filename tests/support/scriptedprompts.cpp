#include "scriptedprompts.h"

namespace tess::test {

QStringList ScriptedPrompts::texts() const
{
    QStringList out;
    for (const auto& c : calls)
        if (c.kind == QLatin1String("box"))
            out << c.text;
    return out;
}

Answer ScriptedPrompts::box(QWidget*, const QString& text, const QString& caption, Buttons buttons, Icon)
{
    calls.append({QStringLiteral("box"), caption, text, {}, buttons});
    if (!answers.isEmpty() && answers.head().typeId() == QMetaType::Int)
        return static_cast<Answer>(answers.dequeue().toInt());
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

QString ScriptedPrompts::input(QWidget*, const QString& caption, const QString& prompt, const QString& preset)
{
    calls.append({QStringLiteral("input"), caption, prompt, preset});
    if (!answers.isEmpty() && answers.head().typeId() == QMetaType::QString)
        return answers.dequeue().toString();
    return {};
}

QString ScriptedPrompts::openFile(QWidget*, const QString& caption, const QString& filter, const QString&,
                                  int* chosenFilter)
{
    calls.append({QStringLiteral("open"), caption, filter});
    if (chosenFilter)
        *chosenFilter = 1;
    if (!answers.isEmpty() && answers.head().typeId() == QMetaType::QString)
        return answers.dequeue().toString();
    return {};
}

QString ScriptedPrompts::saveFile(QWidget*, const QString& caption, const QString& filter, const QString&,
                                  const QString&, int* chosenFilter)
{
    calls.append({QStringLiteral("save"), caption, filter});
    if (chosenFilter)
        *chosenFilter = 1;
    if (!answers.isEmpty() && answers.head().typeId() == QMetaType::QString)
        return answers.dequeue().toString();
    return {};
}

QString ScriptedPrompts::directory(QWidget*, const QString& caption, const QString&)
{
    calls.append({QStringLiteral("dir"), caption, {}});
    if (!answers.isEmpty() && answers.head().typeId() == QMetaType::QString)
        return answers.dequeue().toString();
    return {};
}

bool ScriptedPrompts::color(QWidget*, QColor& color)
{
    calls.append({QStringLiteral("color"), {}, {}});
    if (!answers.isEmpty() && answers.head().typeId() == QMetaType::QColor) {
        color = answers.dequeue().value<QColor>();
        return true;
    }
    return false;
}

bool ScriptedPrompts::font(QWidget*, QFont& font)
{
    calls.append({QStringLiteral("font"), {}, {}});
    if (!answers.isEmpty() && answers.head().typeId() == QMetaType::QFont) {
        font = answers.dequeue().value<QFont>();
        return true;
    }
    return false;
}

PromptGuard::PromptGuard()
{
    auto sp = std::make_unique<ScriptedPrompts>();
    p = sp.get();
    previous = setPrompts(std::move(sp));
}

PromptGuard::~PromptGuard()
{
    setPrompts(std::move(previous));
}

} // namespace tess::test
