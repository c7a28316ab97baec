#pragma once

#include "competitions/matchdraw.h"
#include "data/draws.h"
#include "reports/report.h"

#include <QStringList>

// A draw on paper: the knock-out's bracket, its matches a line each, a league's table and
// a player's matches, each a report of the engine's.
namespace parlog::drawreports {

// "Four-ball, 18 holes, seeded: a knock-out of 12"
QString about(const draws::Draw& draw);
report::Report bracket(const draws::Draw& draw);
report::Report matches(const draws::Draw& draw);
report::Report leagueTable(const draws::Draw& draw);
report::Report playerMatches(const QString& player, const matchdraw::PlayerMatches& record);

// The columns each is saved to a spreadsheet in.
QStringList matchColumns();
QStringList leagueColumns();

} // namespace parlog::drawreports
