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
};
// The server of a location, or nothing when the location is a file.
std::optional<ServerAddress> serverAddress(const QString& location);

// True when the program runs from an installed tree (bin/ beside share/parlog/), whose
// folder is not the user's to write in, even when the user could (root).
bool isInstalledProgram(const QString& programFolder);

// Where the register lives when none is named: parlog.mdb beside the program when
// that folder already holds one or can be written (a copied folder keeps working),
// else in the user's data folder, which is created owner-only.
QString defaultDataFile(const QString& programFolder);

// The user's own data folder for Parlog (~/.local/share/Parlog).
QString userDataFolder();

// The help pages: help/ beside the program, or share/parlog/help when installed.
QString helpFolder(const QString& programFolder);

} // namespace parlog
