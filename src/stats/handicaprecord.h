#pragma once

#include "data/competitions.h"
#include "data/importing.h"
#include "data/rounds.h"
#include "golf/scoring.h"
#include "golf/whs.h"
#include "competitions/results.h"

#include <QList>
#include <QString>

#include <optional>

namespace parlog {

// One card in a player's handicap record: what it counted as, or why it did not.
struct RecordLine {
    qint64 card = 0;
    QString date; // ISO
    QString course;
    QString tee;
    std::optional<int> adjustedGross;
    std::optional<double> courseRating;
    std::optional<int> slopeRating;
    int pcc = 0;
    std::optional<double> differential; // as it stands now: less any reductions
    double reduction = 0;               // exceptional-score reductions it carries
    bool counted = false;               // among those the index now rests on
    bool recent = false;                // among the most recent 20
    std::optional<double> indexAfter;
    QString applied;     // a cap or an exceptional score at this card
    QString notCounting; // why the card does not count; empty when it counts
};

struct HandicapRecord {
    QList<RecordLine> lines; // every card, oldest first
    std::optional<double> index;
    std::optional<double> low;
    QString note; // what applied to the index now, in words
    int scores = 0;
    // The index as it moved, a point for each card that changed it.
    QList<std::pair<QString, double>> indexByDate;
};

// The adjusted gross score of a card: each hole at most its net double bogey from the
// course handicap (rounded) of the index the player had, a hole without a score at that
// most; at most par + 5 a hole for a player with no index yet. Nothing when the holes
// have no par or stroke index.
std::optional<int> adjustedGross(const std::array<int, 18>& strokes, const golf::Holes& holes,
                                 std::optional<int> courseHandicap);

// A player's record from their cards, oldest first: a card counts when its competition
// counts for handicap, its tee is rated and at least 14 holes have a score; its
// differential goes into the index as the Rules of Handicapping say.
HandicapRecord handicapRecord(const QList<rounds::HandicapCard>& cards, const CourseBook& courses,
                              const competitions::Book& competitions);

// The same read from the register.
Result<HandicapRecord> handicapRecord(Connection& connection, const QString& player);
// The index as it stood at the end of that day (ISO); nothing before the record had one.
std::optional<double> indexOn(const HandicapRecord& record, const QString& date);
// The index a player had as the day (ISO) began, for a card of that day that gives none:
// each player's record worked out once, on the connection given, which must outlive it.
importing::IndexOnDay indexAtTheStartOf(Connection& connection);

// Every player's index now, by name in lower case.
Result<QHash<QString, std::optional<double>>> everyIndex(Connection& connection);

} // namespace parlog
