#pragma once

#include "data/queries.h"
#include "data/records.h"
#include "data/registers.h"

#include <QHash>

#include <array>

// The register of courses.
namespace parlog::courses {

Result<QStringList> names(Connection& connection);
// The first stored row of that name; an empty record when there is none.
Result<Record> rowNamed(Connection& connection, const QString& name);

// The par of each hole of every course whose eighteen pars are all in the register,
// by course name in lower case.
Result<QHash<QString, std::array<double, 18>>> pars(Connection& connection);

// A course as a card needs it: its pars and stroke indexes, and its tees in the order
// they were stored.
struct WithTees {
    Course course;
    QList<Tee> tees;
};
// The course of that name (of two with one name, the first stored); nothing when the
// register has none.
Result<std::optional<WithTees>> named(Connection& connection, const QString& name);
Result<QList<Tee>> tees(Connection& connection, qint64 courseID);
// Every course with its tees, by name in lower case (of two with one name, the first
// stored): two reads, whatever the number of courses.
Result<QHash<QString, WithTees>> allByName(Connection& connection);

// Saves a course and its tees together, all or nothing: the course row as
// registers::save does, then its tees (those with a key changed, the new ones added,
// those no longer there taken out).
Result<Saved> save(Connection& connection, registers::EditMode mode, qint64 id,
                   const Record& course, const QList<Tee>& tees, const Record& asRead);

// Every course in name order, each with a column "tees" that lists its tees in words.
Result<Rows> listed(Connection& connection);

} // namespace parlog::courses
