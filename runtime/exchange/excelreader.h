#pragma once
// Reads the active sheet of a workbook file (.xlsx or .xls) as the texts a
// user sees in its cells.
#include <QHash>
#include <QString>

namespace tess {

class ExcelReader {
public:
    // Opens the workbook and reads its active sheet, the one selected when
    // the workbook was saved. OfficeError when the file is missing,
    // unreadable, protected or no workbook.
    explicit ExcelReader(const QString& path);

    QString sheetName() const { return sheetName_; }
    // Rows and columns in use: the last row and column holding a value.
    int rowCount() const { return rows_; }
    int columnCount() const { return columns_; }
    // The text of cell (row, column), both from 1; empty for an empty cell
    // and for any cell outside the used range. Numbers read as a General
    // cell shows them ("2", "4.2"), dates as "yyyy-MM-dd", times as
    // "hh:mm:ss", both together as "yyyy-MM-dd hh:mm:ss".
    QString cell(int row, int column) const;

private:
    void readXlsx(const QString& path);
    void readXls(const QString& path, const QByteArray& data);
    void put(int row, int column, const QString& text);

    QHash<quint64, QString> cells_;
    QString sheetName_;
    int rows_ = 0;
    int columns_ = 0;
};

} // namespace tess
