#pragma once

#include "data/csv.h"
#include "data/progress.h"
#include "data/queries.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Bringing in what a society already keeps: rows of a CSV file stored as players,
// courses or rounds, each shown first with what it becomes or why it cannot be stored.
// Files are read a piece at a time and stored a batch at a time, so that a file of
// any length takes the same memory.
namespace parlog::importing {

enum class Kind { Players, Courses, Rounds };

// A column of the register a file's column can fill, with the names files give it.
struct Field {
    QString column;   // the register's
    QString caption;  // as the user reads it, and as Parlog's own files head it
    QStringList names; // the headers it answers to, in lower case
    bool required = false;
};
QList<Field> fieldsOf(Kind kind);

// For each field, the file's column that fills it (-1 for none), matched by header
// name in any case, with the usual synonyms ("HCP" for the handicap).
QList<int> matchColumns(Kind kind, const QStringList& header);

// A file opened for importing: how it is written, its header and the column that fills
// each field. Its rows are read anew by each step.
// The Handicap Index a player had on a day (ISO), from the record of the player's
// cards; nothing when the record gives none.
using IndexOnDay = std::function<std::optional<double>(const QString& player, const QString& date)>;

struct Opened {
    QString path;
    csv::Dialect dialect;
    QStringList header;
    QList<int> columns; // by field; -1 where no column fills it
    std::optional<csv::DateOrder> dates; // none: as the file's dates show
    // For a card the file gives no handicap: the index the player had that day; when
    // none, the index or handicap the register keeps for the player.
    IndexOnDay indexOnDay;
};
// Finds how a file is written and matches its columns. Fails for what is not text, or
// not CSV.
Result<Opened> open(const QString& path, Kind kind);
// The same file read as DIALECT says, its columns matched anew.
Result<Opened> reread(const Opened& opened, const csv::Dialect& dialect, Kind kind);
// What a field that must be filled lacks a column, in words; empty when none does.
QString missingColumns(Kind kind, const QList<int>& columns, const QStringList& header);

struct Row {
    enum class Outcome { Stored, AlreadyThere, NotStored };
    int line = 0; // in the file
    Outcome outcome = Outcome::NotStored;
    QString why;         // for a row not stored
    QString becomes;     // for a row stored: "a new player", "a new tee"... and how its
                         // handicap was found when the file gave none
    QStringList values;  // what it becomes, field by field
};

struct Preview {
    Kind kind = Kind::Players;
    // The first rows of the file, and the first of those that cannot be stored: what a
    // window can show of a file of any length.
    QList<Row> rows;
    int toStore = 0;
    int alreadyThere = 0;
    int notStored = 0;
    csv::DateOrder dates = csv::DateOrder::DayFirst; // as a card file's dates were read
};
// What each row of the file would become, against the register as it stands. Nothing
// is stored.
Result<Preview> preview(Connection& connection, Kind kind, const Opened& opened,
                        Progress* progress = nullptr);

struct Summary {
    Kind kind = Kind::Players;
    int stored = 0;
    int tees = 0; // a course file's tees, of courses new or already there
    int alreadyThere = 0;
    int notStored = 0;
    QString backup; // the copy of the register made first
    QList<Row> rejected; // the first rows not stored, with why
};
// Stores the rows that can be stored, all in one transaction, after a copy of the
// register; with ALLORNOTHING, nothing while any row cannot be stored. Cancelled, it
// stores nothing.
Result<Summary> store(Connection& connection, Kind kind, const Opened& opened,
                      bool allOrNothing, Progress* progress = nullptr);

// "12 players, 0 courses and 0 rounds imported; 3 already there; 1 row not imported"
QString summaryText(const Summary& summary);

// The rows that cannot be stored, as the file had them, with a column saying why.
Status writeNotStored(Connection& connection, Kind kind, const Opened& opened,
                      const QString& path);

// Every player, course (a line a tee) or round of the register, every column it
// stores, headed with the fields' captions: what import reads back the same.
Status exportRegister(Connection& connection, Kind kind, const QString& path,
                      Progress* progress = nullptr);

} // namespace parlog::importing
