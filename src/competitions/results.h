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
};
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
QList<Placing> rankCompetition(const Rows& cards, const Ranking& ranking,
                               const CourseBook& courses);

} // namespace parlog
