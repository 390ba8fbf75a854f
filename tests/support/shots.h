#pragma once
#include <QCoreApplication>
#include <QWidget>

namespace tess::test {

// Saves a window's picture when TESS_SHOTS names a folder, after the
// window has laid itself out.
inline void shot(QWidget* w, const QString& name)
{
    const QString dir = qEnvironmentVariable("TESS_SHOTS");
    QCoreApplication::processEvents();
    if (!dir.isEmpty())
        w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace tess::test
