#pragma once
// The layout keys of [Form] in the data directory's sys.ini: one set for
// all tables, read when the main window is created and written when it
// closes.
#include <QColor>

#include "common/inifile.h"

namespace tess {

struct LayoutSettings {
    static constexpr int clBtnFace = -16777201;
    static constexpr int clWindow = -16777211;

    int FormColor = clBtnFace;
    int EditColor = clWindow;
    bool Edit3D = false;
    int LeftMargin = 20;
    int TopMargin = 20;
    int RowInterval = 23;
    int FixColCount = 2;
    int ColInterval = 10;
    int ScrollBoxWidth = 380;
    int PanelWidth = 362;
    int LabelWidth = 60;
    int EditWidth = 150;
    int LabelEditInte = 10;
    int ImageHeight = 182;
    bool SingleCol = true;
    bool GridVisible = true;
    bool PageVisible = true;
    int layout = 0;   // 0 left-right, 1 top-bottom

    static LayoutSettings read(const IniFile& ini);
    // Writes the keys in their fixed order, after DBSysName and TableName.
    void save(IniFile& ini, const QString& system, const QString& table) const;
};

// A stored colour as a QColor: system colours (negative values) map to the
// palette's, 0 for the background means the button face.
QColor colorOf(int stored);
int storedColor(const QColor& c);

} // namespace tess
