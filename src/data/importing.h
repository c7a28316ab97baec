#pragma once

#include "data/csvread.h"
#include "data/queries.h"

#include <QList>
#include <QString>
#include <QStringList>


// Bringing in what a society already keeps: rows of a CSV file stored as players,
// courses or rounds, each shown first with what it becomes or why it cannot be stored.
namespace parlog::importing {

enum class Kind { Players, Courses, Rounds };

// A column of the register a file's column can fill, with the names files give it.
struct Field {
    QString column;   // the register's
    QString caption;  // as the user reads it
    QStringList names; // the headers it answers to, in lower case
    bool required = false;
};
QList<Field> fieldsOf(Kind kind);

// For each field, the file's column that fills it (-1 for none), matched by header
// name in any case, with the usual synonyms ("HCP" for the handicap).
QList<int> matchColumns(Kind kind, const QStringList& header);

struct Row {
    enum class Outcome { Stored, AlreadyThere, NotStored };
    int line = 0; // in the file
    Outcome outcome = Outcome::NotStored;
    QString why; // for a row not stored
    Record record;
};

struct Preview {
    Kind kind = Kind::Players;
    QList<Row> rows;
    int toStore = 0;
    int alreadyThere = 0;
    int notStored = 0;
};

// What each row of the table would become, against the register as it stands. Nothing
// is stored.
Result<Preview> preview(Connection& connection, Kind kind, const csv::Table& table,
                        const QList<int>& columns);

struct Summary {
    Kind kind = Kind::Players;
    int stored = 0;
    int alreadyThere = 0;
    int notStored = 0;
    QString backup; // the copy of the register made first
};
// Stores the rows the preview found good, all in one transaction, after a copy of the
// register; with ALLORNOTHING, nothing while any row cannot be stored.
Result<Summary> store(Connection& connection, const Preview& preview, bool allOrNothing);

// "12 players, 0 courses and 0 rounds imported; 3 already there; 1 row not imported"
QString summaryText(const Summary& summary);

// The rows not stored, as the file had them, with a column saying why.
Status writeNotStored(const QString& path, const csv::Table& table, const Preview& preview);

// Reads a file whole, finds how it is written and matches its columns: what the command
// line and the window start from. Fails for what is not text, or not CSV.
struct Opened {
    QByteArray bytes;
    csv::Dialect dialect;
    csv::Table table;
    QList<int> columns; // by field; -1 where no column matched
};
Result<Opened> open(const QString& path, Kind kind);
// The same file read again as DIALECT says, its columns matched anew.
Result<Opened> reread(const Opened& opened, const csv::Dialect& dialect, Kind kind);
// What a field that must be filled lacks a column, in words; empty when none does.
QString missingColumns(Kind kind, const QList<int>& columns, const QStringList& header);

} // namespace parlog::importing
