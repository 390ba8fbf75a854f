#pragma once
// Streams of a compound document, the container of .xls workbooks and of
// password-encrypted Office files.
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace tess {

class CompoundFile {
public:
    static bool isCompound(const QByteArray& data);
    explicit CompoundFile(const QByteArray& data);
    bool isValid() const { return valid_; }
    // The stream of that name (case-insensitive), wherever it sits.
    std::optional<QByteArray> stream(const QString& name) const;

private:
    QByteArray chain(quint32 start, bool mini) const;
    QByteArray data_;
    bool valid_ = false;
    int sectorSize_ = 512;
    quint32 miniCutoff_ = 4096;
    QList<quint32> fat_, miniFat_;
    QByteArray directory_, miniStream_;
};

// What the workbook globals of a BIFF stream say about the sheets.
struct BiffSheets {
    int selectedTab = 0;     // the tab selected when the workbook was saved
    QList<int> sheetTypes;   // one per sheet in tab order: 0 worksheet, else chart, macro...
};
BiffSheets biffSheets(const QByteArray& workbookStream);

} // namespace tess
