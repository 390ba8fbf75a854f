#pragma once
// The configuration file (sys.ini) with the semantics of the Windows profile
// functions: sections and keys compare case-insensitively, the file keeps its
// order, a missing key gives the caller's default. Every access sees the file
// as it is on disk now (a cached parse is reused only while the file's
// identity, size and modification time are unchanged), so a change written by
// another window or the other program is seen at the next read.
//
// Files are read as UTF-8 (with or without BOM) and otherwise as GB18030, and
// written back in the encoding they had; new files are UTF-8. Every write goes
// to a temporary file that is renamed over the old one.
#include <QString>
#include <QStringList>

namespace tess {

class IniFile {
public:
    explicit IniFile(const QString& fileName);
    const QString& fileName() const { return path; }

    QString readString(const QString& section, const QString& key, const QString& def = {}) const;
    // Decimal (or 0x-prefixed hexadecimal) integer; anything else gives def.
    int readInteger(const QString& section, const QString& key, int def) const;
    // Read as an integer: 0 is false, any other integer true, non-integer text def.
    bool readBool(const QString& section, const QString& key, bool def) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

    QStringList readSections() const;
    // Key names of a section in file order.
    QStringList readSection(const QString& section) const;
    // "key=value" lines of a section in file order.
    QStringList readSectionValues(const QString& section) const;
    bool sectionExists(const QString& section) const;
    bool valueExists(const QString& section, const QString& key) const;

    void eraseSection(const QString& section);
    void deleteKey(const QString& section, const QString& key);

    // Replaces the whole file with the given bytes (restore from a saved copy).
    void replaceContents(const QByteArray& bytes);
    QByteArray contents() const;

private:
    QString path;
};

// Colours are stored as the signed decimal of the 32-bit value 0x00BBGGRR.
int colorToInt(unsigned rgb);   // rgb: 0xRRGGBB
unsigned colorFromInt(int value);

} // namespace tess
