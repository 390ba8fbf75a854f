#include "common/prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

#include "common/inputdlg.h"

namespace tess {

QString qtFilterFromWindows(const QString& windowsFilter)
{
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts.at(i);
        QString pats = parts.at(i + 1);
        pats.replace(QLatin1Char(';'), QLatin1Char(' '));
        // A description that already names its patterns stays as it is;
        // Qt reads the patterns from the last parentheses.
        if (!desc.contains(QLatin1Char('(')))
            desc += QStringLiteral(" (") + pats + QLatin1Char(')');
        else
            desc = desc.left(desc.lastIndexOf(QLatin1Char('('))) + QStringLiteral("(") + pats
                   + QLatin1Char(')');
        out << desc;
    }
    if (out.isEmpty() && !windowsFilter.isEmpty())
        out << windowsFilter;
    return out.join(QStringLiteral(";;"));
}

namespace {

int chosenIndex(const QString& qtFilter, const QString& selected)
{
    const QStringList all = qtFilter.split(QStringLiteral(";;"));
    const int i = all.indexOf(selected);
    return i < 0 ? 1 : i + 1;
}

class QtPrompts final : public Prompts {
public:
    Answer box(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
               Icon icon) override
    {
        QMessageBox mb(parent);
        mb.setWindowTitle(caption);
        mb.setText(text);
        switch (icon) {
        case Icon::None: mb.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: mb.setIcon(QMessageBox::Information); break;
        case Icon::Warning: mb.setIcon(QMessageBox::Warning); break;
        case Icon::Error: mb.setIcon(QMessageBox::Critical); break;
        case Icon::Question: mb.setIcon(QMessageBox::Question); break;
        }
        switch (buttons) {
        case Buttons::Ok: mb.setStandardButtons(QMessageBox::Ok); break;
        case Buttons::OkCancel: mb.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case Buttons::YesNo: mb.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case Buttons::YesNoCancel:
            mb.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        }
        if (auto* b = mb.button(QMessageBox::Ok)) b->setText(QStringLiteral("确定"));
        if (auto* b = mb.button(QMessageBox::Cancel)) b->setText(QStringLiteral("取消"));
        if (auto* b = mb.button(QMessageBox::Yes)) b->setText(QStringLiteral("是(&Y)"));
        if (auto* b = mb.button(QMessageBox::No)) b->setText(QStringLiteral("否(&N)"));
        switch (mb.exec()) {
        case QMessageBox::Ok: return Answer::Ok;
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
        }
    }

    QString input(QWidget* parent, const QString& caption, const QString& prompt,
                  const QString& preset) override
    {
        TInputDlg dlg(parent);
        return dlg.ask(caption, prompt, preset);
    }

    QString openFile(QWidget* parent, const QString& caption, const QString& filter,
                     const QString& dir, int* chosenFilter) override
    {
        const QString qf = qtFilterFromWindows(filter);
        QString selected;
        QString f = QFileDialog::getOpenFileName(parent, caption.isEmpty() ? QStringLiteral("打开") : caption,
                                                 dir, qf, &selected);
        if (chosenFilter)
            *chosenFilter = chosenIndex(qf, selected);
        return f;
    }

    QString saveFile(QWidget* parent, const QString& caption, const QString& filter,
                     const QString& dir, const QString& defaultExt, int* chosenFilter) override
    {
        const QString qf = qtFilterFromWindows(filter);
        QFileDialog dlg(parent, caption.isEmpty() ? QStringLiteral("另存为") : caption, dir, qf);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        if (!defaultExt.isEmpty())
            dlg.setDefaultSuffix(defaultExt);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return {};
        if (chosenFilter)
            *chosenFilter = chosenIndex(qf, dlg.selectedNameFilter());
        return dlg.selectedFiles().constFirst();
    }

    QString directory(QWidget* parent, const QString& caption, const QString& dir) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, dir);
    }

    bool color(QWidget* parent, QColor& color) override
    {
        const QColor c = QColorDialog::getColor(color, parent);
        if (!c.isValid())
            return false;
        color = c;
        return true;
    }

    bool font(QWidget* parent, QFont& font) override
    {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, font, parent);
        if (ok)
            font = f;
        return ok;
    }
};

std::unique_ptr<Prompts>& current()
{
    static std::unique_ptr<Prompts> p = std::make_unique<QtPrompts>();
    return p;
}

} // namespace

Prompts& prompts()
{
    return *current();
}

std::unique_ptr<Prompts> setPrompts(std::unique_ptr<Prompts> p)
{
    std::unique_ptr<Prompts> old = std::move(current());
    current() = std::move(p);
    return old;
}

} // namespace tess
