#pragma once

#include "data/draws.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

// What a window is handed by the window that shows it, so that no window reads
// another's controls.
namespace parlog {

// The section of the help pages to show.
struct HelpContext {
    QString section;
};

// The player the statistics are for: the hub hands it to the windows it opens.
struct PlayerContext {
    QString player;
};

// The round just saved: its player and the handicap it was played off.
struct HandicapContext {
    QString player;
    QString handicap;
    // The card was played off a rated tee: its handicap box held the playing handicap,
    // and what may change is the player's Handicap Index, shown as the register has it.
    bool ratedTee = false;
};

// A tee's own pars and stroke indexes, hole by hole (empty: the course's), to change;
// done gets them back when the user says OK.
struct TeeHolesContext {
    QString tee;
    std::array<QString, 18> pars;
    std::array<QString, 18> strokeIndexes;
    std::function<void(const std::array<QString, 18>& pars,
                       const std::array<QString, 18>& strokeIndexes)>
        done;
};

// Which rounds to offer for correcting: the criteria of a search, or a player's.
struct PickRoundContext {
    std::optional<QString> player;
    std::optional<QString> course;
    std::optional<QString> competition;
    QString from; // as typed, "5 Mar 2004"
    QString to;
};

// The competition whose sides are made: its name and day (ISO); saved is called once
// they are kept.
struct FieldContext {
    QString competition;
    QString date;
    std::function<void()> saved;
};

// A match of a draw to play hole by hole: the draw as its window holds it, the match's
// round and place; done gets the match back with its result when the user keeps it.
struct MatchContext {
    draws::Draw draw;
    int round = 1;
    int slot = 0;
    std::function<void(const draws::Match& played)> done;
};

// A stored round to load into the score card for correcting.
struct EditRoundContext {
    qint64 round = 0;
};

} // namespace parlog
