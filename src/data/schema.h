#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The tables and their columns, written once: the DDL of each engine, the column
// lists, the checks of an opened file and the inserts are all made from here.
namespace parlog::schema {

// Raised when the tables change shape; a file with a higher number was written by a
// newer Parlog and is left alone, one with a lower number is brought up to this one.
// 2: tees with their ratings, stroke indexes, a card's tee and handicaps, competitions.
// 3: seasons for an order of merit.
// 4: a card's putts, penalty strokes and greenside bunkers hole by hole.
// 5: the sides of team competitions, a side's card, a competition's team format and
//    nine, the ratings of each nine of a tee.
// 6: match play's draws, their entries and matches.
// 7: a competition's start sheet: its groups, times and tees.
inline constexpr int kVersion = 7;
// "PRLG": marks a file as Parlog's own.
inline constexpr int kApplicationId = 0x50524C47;

enum class Type {
    Key,    // the row's key, given by the engine
    Text,   // text as typed
    Name,   // text that compares, sorts and groups without regard to case
    Whole,  // a whole number
    Number, // a number, fractions kept
    Date,   // a date, stored as ISO yyyy-mm-dd text
    Tick,   // 0 or 1
};

struct Column {
    QString name;
    Type type;
    int since = 1; // the data version that added it; empty (NULL) in rows older than that
};

struct Table {
    QString name;
    QList<Column> columns;
    int since = 1;

    QStringList columnNames() const;
    // The columns a register of that data version has.
    QList<Column> columnsOf(int version) const;
    // The column of that name, found ignoring case as the engines do; nullptr if none.
    const Column* column(const QString& name) const;
};

struct Index {
    QString name;
    QString table;
    QStringList columns;
    int since = 1;
};

const Table& player();
const Table& courses();
const Table& division();
const Table& score();
// Since 2: the tees of the courses, and the settings of the competitions.
const Table& tees();
const Table& competition();
const Table& season();        // a season's order of merit: its dates and points
const Table& seasonLeftOut(); // the competitions a season leaves out
const Table& side();          // since 5: the sides of a team competition
const Table& draw();          // since 6: a knock-out or a league of matches
const Table& drawEntry();     // its entries
const Table& drawMatch();     // its matches
const Table& startSheet();    // a competition's start sheet: how it was made
const Table& startPlace();    // each player's group, time and tee on it

// Every table, in the order they are created.
QList<const Table*> tables();
// The table of that name, or nullptr.
const Table* table(const QString& name);
// The indexes on the columns that statistics and searches filter and order by.
QList<Index> indexes();

// Kept for the checks of an opened file: the names of a table's columns.
QStringList columnNames(const QString& table);
QStringList tableNames();

} // namespace parlog::schema
