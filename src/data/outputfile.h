#pragma once

#include "data/result.h"

#include <QFile>
#include <QString>

#include <memory>

namespace parlog {

// A file Parlog writes for the user (a CSV, a PDF, the rows not imported), and the
// register it comes from, whose own files it must never take the place of.
struct OutputFile {
    // A file with no register to keep clear of (a test's, a benchmark's).
    OutputFile(QString path, QString registerLocation = {}, bool ownerOnly = false)
        : path(std::move(path))
        , registerLocation(std::move(registerLocation))
        , ownerOnly(ownerOnly)
    {
    }
    QString path;
    QString registerLocation; // a file's path or a server's address; empty: none
    // Members' addresses and telephone numbers: for the owner's eyes only, as the
    // register and its backups are.
    bool ownerOnly = false;
};

// Why PATH may not be written over for the register at LOCATION: it is the register,
// its journal, or one of its backups (by device and inode, so that another name or a
// link to one of them is caught too). Empty when it may.
QString protectedFile(const QString& path, const QString& registerLocation);

// Writes a file whole or not at all: the bytes go to a new file beside it, which takes
// its name only once every one is written and on the disk. A write refused or failed
// leaves the file that was there as it was, and nothing beside it.
class WholeFile {
public:
    explicit WholeFile(OutputFile target);
    ~WholeFile(); // without commit(), the new file goes
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    // Refuses a target that is the register's; a failure says why in the user's words.
    Status open();
    QIODevice& device() { return m_file; }
    Status commit();

private:
    OutputFile m_target;
    QString m_final; // where it goes: a link's target, the link kept
    QString m_part;  // the new file beside it, until it takes the name
    QFile m_file;
};

} // namespace parlog
