#pragma once

#include <QStringList>

namespace parlog::schema {

// Raised when the tables change shape; a file with a higher number was written by a
// newer Parlog and is left alone.
inline constexpr int kVersion = 1;
// "PRLG": marks a file as Parlog's own.
inline constexpr int kApplicationId = 0x50524C47;

// The statements that create an empty data file, in order.
QStringList createStatements();

// The tables every data file must have.
QStringList tableNames();

// The columns the program reads and writes in a table, in the table's order.
QStringList columnNames(const QString& table);

} // namespace parlog::schema
