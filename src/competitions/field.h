#pragma once

#include "data/competitions.h"
#include "golf/allowances.h"
#include "golf/scoring.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// Making the sides of a pairs or fours competition: drawn, balanced by handicap, and the
// Playing Handicap each side is given.
namespace parlog::field {

struct Entrant {
    QString name;
    double index = 0; // Handicap Index; a plus handicap negative
};

// The Handicap Index a register's handicap text holds ("+1.2" is -1.2); none for none.
std::optional<double> indexOf(const QString& handicap);

// Sides of so many players drawn at random, the same draw again from the same seed; the
// last side short when the players do not divide.
QList<competitions::Side> drawn(const QList<Entrant>& entrants, int size, quint32 seed);
// Sides balanced by handicap: of pairs the lowest with the highest, of fours the lowest of
// each quarter of the field with the highest of the next (1st, 8th, 9th and 16th of 16).
QList<competitions::Side> balanced(QList<Entrant> entrants, int size);

// The tee a field plays from, for its Course Handicaps; none rated: the index itself.
struct Ratings {
    double courseRating = 72;
    int slopeRating = 113;
    int par = 72;
};
// A rated tee with the ratings of its nines where it has them.
struct RatedTee {
    QString label; // "Carne: Yellow (Men) 72.1 / 121"
    Ratings eighteen;
    std::optional<Ratings> front;
    std::optional<Ratings> back;
    golf::Holes holes; // each hole's par and stroke index, for a match's strokes
    // The ratings a competition over these holes is played off; none when the nine is
    // not rated.
    std::optional<Ratings> over(competitions::Nine nine) const;
};

// The side's Playing Handicaps as the allowance table makes them ("12, 16" or one for a
// one-ball side); empty when a player's index is not known or the side is not whole.
QString playingHandicapsOf(const competitions::Side& side, const QHash<QString, double>& indexes,
                           const competitions::Settings& settings, const Ratings& tee);

} // namespace parlog::field
