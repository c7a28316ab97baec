#pragma once

#include <QDate>
#include <QList>

#include <optional>

// The World Handicap System: a player's Handicap Index, and the handicaps a tee turns it
// into. Pure functions beside the card's rules; rounding as they round.
namespace parlog::whs {

// (113 / slope) x (adjusted gross - course rating - pcc), rounded to a tenth.
double scoreDifferential(int adjustedGrossScore, double courseRating, int slopeRating,
                         double pcc = 0.0);
// index x slope / 113 + (course rating - par), not rounded.
double courseHandicap(double handicapIndex, int slopeRating, double courseRating, int par);
// course handicap (not rounded) x allowance (0.95 for 95%), rounded to a whole number.
int playingHandicap(double courseHandicap, double allowance);

} // namespace parlog::whs
