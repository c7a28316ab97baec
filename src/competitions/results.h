#pragma once

#include "data/competitions.h"
#include "data/courses.h"
#include "data/queries.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace parlog {

enum class Basis { Net, Gross };

// One card's line in the results.
struct Placing {
    QString position; // "1", "3=" for a shared place, "NR" for no return
    QString player;
    QString division;
    QString handicap;
    QString gross;
    QString net;
    QString points;    // Stableford points, or holes won less lost ("+2", "all square")
    QString countback; // what decided a tie: "last 9: 33.5"
    qint64 card = 0;   // the round's key
    QStringList players; // a side's players; empty for one player's card
};

// The countback stages of a card: its score and then the last 9, 6 and 3 holes and
// the 18th, each less its share of the handicap (none on a gross basis). Fractions
// are kept.
struct Countback {
    double score = 0;
    double stages[4] = {0, 0, 0, 0};
};
Countback countback(const QVariantList& holes18, double handicap, double score, Basis basis);

// Ranks the cards of a stroke-play competition (rows as rounds::competitionCards gives
// them): by net or gross, ties broken by the matching-cards method recommended for
// stroke play, players still tied sharing the place. Cards with a hole not played (0)
// come after the ranked ones as "NR". Only the cards of one division when one is given.
QList<Placing> rankCards(const Rows& cards, Basis basis,
                         const std::optional<QString>& division = {});

// How a competition's cards are ranked.
struct Ranking {
    competitions::Format format = competitions::Format::Stroke;
    Basis basis = Basis::Net; // gross: no strokes received
    std::optional<QString> division;
    golf::TeamFormat team = golf::TeamFormat::Individual;
    competitions::Nine nine = competitions::Nine::Eighteen;
    QList<competitions::Side> sides; // of a team format, in the field's order
};
// How a competition of these settings ranks: its format, team format and nine.
Ranking rankingOf(const competitions::Settings& settings, Basis basis = Basis::Net,
                  const std::optional<QString>& division = {},
                  const QList<competitions::Side>& sides = {});

// The courses cards were played on, with their tees, by course name in lower case.
using CourseBook = QHash<QString, courses::WithTees>;

// The courses the cards name, each read once.
Result<CourseBook> courseBook(Connection& connection, const Rows& cards);

// Ranks the cards by the competition's format. Stroke play as rankCards; Stableford by
// points, most first; par/bogey by holes won less holes lost. Each card is scored hole
// by hole against its course (or its tee's own holes) with the playing handicap it
// kept (else its handicap, rounded as net rounds it). Ties go to the last 9, 6 and 3
// holes and the 18th by what was scored there, then are shared ("3="). A card whose
// course has no stroke indexes, or with no hole scored, comes last as "NR".
//
// A field whose cards come from tees of different par plays stroke play with the
// difference added to the higher tees' handicaps (Rule 6.2b), said on their lines. A
// nine-hole competition scores and counts back over its nine (last 6, 3 and its last
// hole). Sides rank by their holes: a better-ball side's hole is the best (or the best
// two, three, four added) of its players' nets or points there, each card scored off its
// own playing handicap; a one-ball side's card is scored as a player's. A hole none of a
// side's balls scored is no score for it in stroke play.
QList<Placing> rankCompetition(const Rows& cards, const Ranking& ranking,
                               const CourseBook& courses);

} // namespace parlog
