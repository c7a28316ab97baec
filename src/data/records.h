#pragma once

#include "data/queries.h"

#include <QString>

#include <array>
#include <optional>

// The rows of the registers as typed values: a player, a course, a round. Each turns
// into the record its table stores and back here, and nowhere else, so that no window
// reads a column by its name.
namespace parlog {

struct Player {
    qint64 id = 0; // 0: not stored yet
    QString name;
    QString membership;
    QString handicap; // as typed: the register keeps it as text
    QString division;
    QString address1;
    QString address2;
    QString address3;
    QString postcode;
    QString telephone;
    QString mobile;
    QString email;

    static Player from(const Record& record);
    // Every column but the key.
    Record record() const;
};

struct Course {
    qint64 id = 0;
    QString name;
    QString address1;
    QString address2;
    QString address3;
    QString telephone;
    std::array<std::optional<double>, 18> pars;
    std::optional<double> par; // the course par as stored

    static Course from(const Record& record);
    Record record() const;
};

struct Round {
    qint64 key = 0; // 0: not stored yet
    std::array<std::optional<int>, 18> holes;
    std::optional<int> out;
    std::optional<int> inn;
    std::optional<int> gross;
    std::optional<int> net;
    std::optional<int> putts;
    std::optional<double> handicap;
    QString date; // ISO yyyy-mm-dd
    std::array<bool, 18> greens{};
    std::array<bool, 18> fairways{};
    QString course;
    QString player;
    QString division;
    QString standardScratch;
    QString competition;
    QString comment;

    // The key is read from the column "card" when the row has one.
    static Round from(const Record& record);
    static Round from(const Rows& rows, qsizetype row);
    Record record() const;
};

// The key of a player's or a course's row; 0 when it has none.
qint64 keyOf(const Record& record);

// A number as a box shows it: nothing for none, 4 for 4.0.
QString shown(const std::optional<double>& value);
QString shown(const std::optional<int>& value);

} // namespace parlog
