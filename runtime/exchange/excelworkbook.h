#pragma once
// A new workbook with one sheet, filled cell by cell and written as .xlsx.
#include <QHash>
#include <QString>

#include "runtime/exchange/officefile.h"

namespace tess {

class ExcelWorkbook : public OfficeFile {
public:
    // Cell (row, column), both from 1, of the active sheet. A text that is
    // exactly a number ("12", "1234.57") is stored as that number, anything
    // else ("007", "2000-10-12") as the text itself, so every cell reads back
    // with the text it was given. OfficeError(OutOfRange) outside the sheet.
    void setCell(int row, int column, const QString& text);
    QString cell(int row, int column) const;

    void save(const QString& path) const override;
    QString suffix() const override { return QStringLiteral("xlsx"); }

private:
    QHash<quint64, QString> cells_;
};

} // namespace tess
