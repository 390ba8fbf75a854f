#pragma once
// An Access file (.mdb, .dbi) made readable like any database of ours: its
// user tables are copied into a private SQLite file, which the connection for
// outside databases then opens read-only. The columns are copied when the
// file is opened, the rows of a table when it is first shown.
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace tess {

class Connection;

class AccessCopy {
public:
    // Reads the file's user tables and their columns; throws EngineError
    // when the file is no Access database.
    explicit AccessCopy(const QString& accessFile);
    ~AccessCopy();
    AccessCopy(const AccessCopy&) = delete;
    AccessCopy& operator=(const AccessCopy&) = delete;

    // Whether Access files can be read this way in this build.
    static bool available();

    const QString& sourcePath() const { return source; }
    // The SQLite file holding the copy.
    QString copyPath() const;
    QStringList tables() const { return names; }
    // Copies the rows of a table, once.
    void fill(const QString& table);

private:
    QString source;
    QTemporaryDir dir;
    QStringList names;
    QSet<QString> filled;
    std::unique_ptr<Connection> copy;
    void* handle = nullptr;   // the library's handle of the Access file
};

} // namespace tess
