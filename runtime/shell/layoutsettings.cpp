#include "runtime/shell/layoutsettings.h"

#include <QApplication>
#include <QPalette>

namespace tess {

namespace {
const QString kForm = QStringLiteral("Form");
}

LayoutSettings LayoutSettings::read(const IniFile& ini)
{
    LayoutSettings s;
    auto i = [&](const char* key, int def) { return ini.readInteger(kForm, QLatin1String(key), def); };
    auto b = [&](const char* key, bool def) { return ini.readBool(kForm, QLatin1String(key), def); };
    s.FormColor = i("FormColor", clBtnFace);
    if (s.FormColor == 0)
        s.FormColor = clBtnFace;
    s.EditColor = i("EditColor", clWindow);
    s.Edit3D = b("Edit3D", false);
    s.LeftMargin = i("LeftMargin", 20);
    s.TopMargin = i("TopMargin", 20);
    s.RowInterval = i("RowInterval", 23);
    s.FixColCount = i("FixColCount", 2);
    s.ColInterval = i("ColInterval", 10);
    s.ScrollBoxWidth = i("ScrollBoxWidth", 380);
    s.PanelWidth = i("PanelWidth", 362);
    s.LabelWidth = i("LabelWidth", 60);
    s.EditWidth = i("EditWidth", 150);
    s.LabelEditInte = i("LabelEditInte", 10);
    s.ImageHeight = i("ImageHeight", 182);
    s.SingleCol = b("SingleCol", true);
    s.GridVisible = b("GridVisible", true);
    s.PageVisible = b("PageVisible", true);
    s.layout = i("layout", 0);
    return s;
}

void LayoutSettings::save(IniFile& ini, const QString& system, const QString& table) const
{
    ini.writeString(kForm, QStringLiteral("DBSysName"), system);
    ini.writeString(kForm, QStringLiteral("TableName"), table);
    ini.writeInteger(kForm, QStringLiteral("ScrollBoxWidth"), ScrollBoxWidth);
    ini.writeInteger(kForm, QStringLiteral("ScrollBoxColor"), FormColor);
    ini.writeInteger(kForm, QStringLiteral("PanelWidth"), PanelWidth);
    ini.writeInteger(kForm, QStringLiteral("LeftMargin"), LeftMargin);
    ini.writeInteger(kForm, QStringLiteral("TopMargin"), TopMargin);
    ini.writeInteger(kForm, QStringLiteral("FixColCount"), FixColCount);
    ini.writeInteger(kForm, QStringLiteral("ColInterval"), ColInterval);
    ini.writeInteger(kForm, QStringLiteral("LabelWidth"), LabelWidth);
    ini.writeInteger(kForm, QStringLiteral("EditWidth"), EditWidth);
    ini.writeInteger(kForm, QStringLiteral("ImageHeight"), ImageHeight);
    ini.writeInteger(kForm, QStringLiteral("EditColor"), EditColor);
    ini.writeBool(kForm, QStringLiteral("Edit3D"), Edit3D);
    ini.writeInteger(kForm, QStringLiteral("RowInterval"), RowInterval);
    ini.writeInteger(kForm, QStringLiteral("LabelEditInte"), LabelEditInte);
    ini.writeInteger(kForm, QStringLiteral("FormColor"), FormColor);
    ini.writeBool(kForm, QStringLiteral("SingleCol"), SingleCol);
    ini.writeBool(kForm, QStringLiteral("GridVisible"), GridVisible);
    ini.writeBool(kForm, QStringLiteral("PageVisible"), PageVisible);
    ini.writeInteger(kForm, QStringLiteral("layout"), layout);
}

QColor colorOf(int stored)
{
    if (stored < 0) {
        // System colours: 0x80000000 | index.
        const QPalette p = QApplication::palette();
        switch (stored & 0xFF) {
        case 5: return p.color(QPalette::Base);         // clWindow
        case 15: return p.color(QPalette::Button);      // clBtnFace
        case 8: return p.color(QPalette::Text);         // clWindowText
        case 13: return p.color(QPalette::Highlight);   // clHighlight
        default: return p.color(QPalette::Window);
        }
    }
    const unsigned v = static_cast<unsigned>(stored);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int storedColor(const QColor& c)
{
    return static_cast<int>((unsigned(c.blue()) << 16) | (unsigned(c.green()) << 8) | unsigned(c.red()));
}

} // namespace tess
