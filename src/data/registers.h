#pragma once

#include "data/queries.h"

// What the registers of players and of courses share: a row per name, kept by key.
namespace parlog::registers {

struct Register {
    const schema::Table& table;
    QString nameColumn; // playername, coursename
};

const Register& players();
const Register& courses();

// The names in name order, empty names left out.
Result<QStringList> names(Connection& connection, const Register& r);
// The row of that name (of two with one name, the first stored); an empty record
// when there is none.
Result<Record> rowNamed(Connection& connection, const Register& r, const QString& name);
// Every row in name order, for the list report.
Result<Rows> all(Connection& connection, const Register& r);
Status insert(Connection& connection, const Register& r, const Record& record);
// Changes the row with that key, if it still reads as asRead; the result is how many
// rows changed (0: none has that key, or someone else changed it meanwhile).
Result<int> update(Connection& connection, const Register& r, qint64 id, const Record& record,
                   const Record& asRead = {});
// The row with that key as it reads now; an empty record when there is none.
Result<Record> rowWithKey(Connection& connection, const Register& r, qint64 id);
Status remove(Connection& connection, const Register& r, qint64 id);

// What a register window is doing with its row.
enum class EditMode { Adding = 1, Editing = 2, Browsing = 3 };

// Adds a row, or changes the row with that key if it still reads as asRead: what
// another user changed meanwhile is never overwritten unseen. Browsing stores nothing.
Result<Saved> save(Connection& connection, const Register& r, EditMode mode, qint64 id,
                   const Record& values, const Record& asRead);

} // namespace parlog::registers
