#pragma once
// The office-document layer: Word documents and Excel workbooks written and
// read as files, and handed to the user's desktop. Nothing here shows a
// window of its own except the one message of handToUser().
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

#include "common/errors.h"

class QUrl;
class QWidget;

namespace tess {

// Every failure of this layer. Callers show text() or a message of their own.
class OfficeError : public Error {
public:
    enum Reason {
        CannotWrite,   // the file could not be written
        Unreadable,    // missing, unreadable or damaged file
        Protected,     // the workbook is protected by a password
        NotWorkbook,   // the file is no workbook we can read
        OutOfRange     // a row, column or table size the office program refuses
    };
    OfficeError(Reason reason, const QString& text) : Error(text), reason_(reason) {}
    Reason reason() const { return reason_; }

private:
    Reason reason_;
};

// A document or workbook built in memory and written as one file.
class OfficeFile {
public:
    virtual ~OfficeFile() = default;
    // Writes the file; OfficeError(CannotWrite) when that fails. An existing
    // file of that name is replaced only once the new one is complete.
    virtual void save(const QString& path) const = 0;
    // "docx" or "xlsx".
    virtual QString suffix() const = 0;
};

// Where new documents for the user go: the documents folder (created when
// missing), or the temporary folder when there is none.
QString documentFolder();

// A free name in folder made of the title and the time:
// "数据统计表 2024-05-01 143005.docx", then "... (2).docx" and so on.
QString documentPath(const QString& folder, const QString& title, const QString& suffix,
                     const QDateTime& at = QDateTime::currentDateTime());

// Writes file into documentFolder() under documentPath() and opens it with the
// desktop's default application. When nothing can open it, the user is told
// where the file is. Returns the path; OfficeError when it cannot be written.
QString handToUser(const OfficeFile& file, const QString& title, QWidget* parent = nullptr);

// How handToUser() opens a file (QDesktopServices::openUrl unless replaced);
// returns the previous opener.
using FileOpener = std::function<bool(const QUrl&)>;
FileOpener setFileOpener(FileOpener opener);

} // namespace tess
