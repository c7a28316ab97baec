#pragma once

#include <QString>

#include <optional>

namespace parlog {

// A register on a club's PostgreSQL server: postgresql://USER@HOST:PORT/DBNAME. Every
// part but the database may be left out (libpq's defaults then hold).
struct ServerAddress {
    QString user;
    QString host;
    int port = 0; // 0: the default
    QString database;
    QString password; // given in the address: used to connect, never stored or shown
    // "?schema=NAME": a register kept in a schema of its own (a backup the server made
    // of itself), opened for reading only. Empty: the database's own register.
    QString schema;
};
// The address of a register kept in the given schema of the same database.
QString inSchema(const QString& location, const QString& schema);
// The server of a location, or nothing when the location is a file.
std::optional<ServerAddress> serverAddress(const QString& location);
// A location as it may be shown, kept or printed: a server's address with its
// password left out, a file's path in the system's spelling.
QString shownLocation(const QString& location);
// The address without its password, to keep (a file's path as it is).
QString withoutPassword(const QString& location);
// A name for a file that stands for a server's database: letters, digits, '-' and
// '_' only, so never a path of folders nor a hidden file, and never empty.
QString safeFileStem(const QString& name);

// True when the program runs from an installed tree (bin/ beside share/parlog/), whose
// folder is not the user's to write in, even when the user could (root).
bool isInstalledProgram(const QString& programFolder);

// Where the register lives when none is named: parlog.mdb beside the program when
// that folder already holds one or can be written (a copied folder keeps working),
// else in the user's data folder, which is created owner-only.
QString defaultDataFile(const QString& programFolder);

// Which file a path names (its device and inode, through links): a file put in its
// place is another file. Nothing for a server or a path with no file.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> fileIdentity(const QString& location);

// The user's own data folder for Parlog (~/.local/share/Parlog).
QString userDataFolder();
// The same, made owner-only when it is not there yet: it holds registers and backups.
QString madeUserDataFolder();

// The help pages: help/ beside the program, or share/parlog/help when installed.
QString helpFolder(const QString& programFolder);

} // namespace parlog
