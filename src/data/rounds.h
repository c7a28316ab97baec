#pragma once

#include "data/progress.h"
#include "data/queries.h"
#include "data/records.h"
#include "data/rowfeed.h"

#include <array>
#include <functional>
#include <memory>

#include <optional>

// The recorded rounds: the score table.
namespace parlog::rounds {

// Which rounds: no name means every one; the dates are ISO, both ends included.
struct Filter {
    std::optional<QString> player;
    std::optional<QString> course;
    std::optional<QString> competition;
    QString from;
    QString to;
};

Status insert(Connection& connection, const Record& record);
Status insert(Connection& connection, const Round& round);
// Whether the player has this card already: the same day, course and strokes hole by hole.
Result<bool> alreadyThere(Connection& connection, const Round& round);
// Changes the stored round with that key, if it still reads as asRead (when given);
// the result is how many rounds changed (0: it is no longer there, or someone else
// changed it meanwhile).
Result<int> update(Connection& connection, qint64 key, const Record& record,
                   const Record& asRead = {});
// One stored round, and the row as it was read (to save over only if it still reads
// so); nothing when it is no longer there.
struct Loaded {
    Round round;
    Record asRead;
};
Result<std::optional<Loaded>> load(Connection& connection, qint64 key);
// Changes the stored round with that key to ROUND if it still reads as asRead: a
// correction made meanwhile elsewhere is never overwritten unseen.
Result<Saved> correct(Connection& connection, qint64 key, const Round& round,
                      const Record& asRead);
// A player's rounds between two dates (ISO, both included), newest first, with the
// columns that tell them apart, for picking one: card, strdate, course, comp, gross, net.
Result<Rows> roundsToPick(Connection& connection, const Filter& filter);
// A card as a season's figures read it, small for a keen golfer's thousands: -1 where a
// hole's putts, penalties or bunker are not kept.
struct SeasonCard {
    QString date; // ISO
    QString course;
    std::optional<int> gross;
    std::optional<int> net;
    int putts = 0;
    std::array<int, 18> holes{};
    std::array<bool, 18> greens{};
    std::array<bool, 18> fairways{};
    std::array<int, 18> holePutts{};
    std::array<int, 18> penalties{};
    std::array<int, 18> bunkers{};
    SeasonCard()
    {
        holePutts.fill(-1);
        penalties.fill(-1);
        bunkers.fill(-1);
    }
};
// The player's cards between two dates, on one course or any, oldest first.
Result<QList<SeasonCard>> seasonCards(Connection& connection, const QString& player,
                                      const QString& from, const QString& to,
                                      const std::optional<QString>& course);

// The columns a search may be ordered and grouped by.
bool isOrderColumn(const QString& column);
bool isGroupColumn(const QString& column);

Result<qint64> count(Connection& connection, const Filter& filter);

// The rounds that match, ordered by the column (rounds of equal value in the order
// they were stored): every column, or only those named. Fetched as they are read, on
// a connection of the feed's own to the register of LIKE, never held all at once: the
// keys a few thousand at a time, the rows a window at a time around the one asked
// for. The first rows are read at once, so that a search that cannot run fails here.
Result<std::shared_ptr<RowFeed>> feed(const Connection& like, const Filter& filter,
                                      const QString& orderColumn, const QStringList& columns = {});

// One feed for each value of the group column, of the rounds that match and hold
// that value; they share one connection and each reads nothing until it is read.
Result<QList<std::shared_ptr<RowFeed>>>
groupFeeds(const Connection& like, const Filter& filter, const QString& orderColumn,
           const QStringList& columns, const QString& groupColumn, const QStringList& groupValues);

// The keys of the rounds that match, in the order they were stored: what a deletion
// by those criteria tells the user about.
Result<QList<qint64>> keys(Connection& connection, const Filter& filter);
// Those of the keys whose rounds still match, every column, with the key in the column
// "card"; on a server each is locked against other users' changes until the
// transaction ends (a file is locked whole by its writing transaction).
Result<Rows> lockRounds(Connection& connection, const Filter& filter, const QList<qint64>& keys,
                        Progress* progress = nullptr);
// Deletes those of the keys whose rounds still match; gives how many went. Inside the
// caller's transaction.
Result<int> removeKeys(Connection& connection, const Filter& filter, const QList<qint64>& keys,
                       Progress* progress = nullptr);

// Deletes the rounds that match, in one statement: all of them or none. The result
// is how many went. A progress that says stop leaves every round in place.
Result<int> remove(Connection& connection, const Filter& filter, Progress* progress = nullptr);

// The values a column of the rounds takes, each once, in order, empty ones left out:
// the groups of a search.
Result<QStringList> values(Connection& connection, const QString& column);
// The players, courses and competitions the rounds name, each once, in order.
Result<QStringList> playersNamed(Connection& connection);
Result<QStringList> coursesNamed(Connection& connection);
Result<QStringList> competitionsNamed(Connection& connection);

// What a search may list its rounds in order of, and group them by.
enum class Order { Net, Date, Division, Course, Player, Handicap };
enum class Grouping { Division, Player, Course, Competition };
QString columnOf(Order order);
QString columnOf(Grouping grouping);
// The words for the column a search grouped its rounds by, as a spreadsheet's header;
// the column itself when it is not one of the groupings.
QString groupCaption(const QString& column);

// Every round of the player sharing the lowest (best) or highest net, on one course
// or on any, in the order they were stored.
Result<Rows> extremeRounds(Connection& connection, const QString& player,
                           const std::optional<QString>& course, bool best);
// The courses the player has played, each once, in name order.
Result<QStringList> coursesPlayed(Connection& connection, const QString& player);

enum class Aggregate { Min, Max, Avg };
// One row, columns h1 ... h18: each hole's lowest, highest or mean score over the
// player's rounds (empty when the player has none).
Result<Rows> holeAggregates(Connection& connection, const QString& player, Aggregate aggregate);

// A competition as the cards name it: played on a day, with the course of its cards
// (the first by name when they differ) and how many cards were handed in.
struct Competition {
    QString name;
    QString date; // ISO
    QString course;
    int cards = 0;
};
// Every competition, newest first; of the days between two dates (ISO, both included)
// when they are given.
Result<QList<Competition>> competitions(Connection& connection,
                                        const QString& from = QStringLiteral("0000-00-00"),
                                        const QString& to = QStringLiteral("9999-99-99"));
// The cards of a competition played between two dates (ISO, both included), in the
// order they were stored, with their key in the column "card": the columns that rank
// them (player, division, handicaps, gross, net, course, tee, points, each hole).
Result<Rows> competitionCards(Connection& connection, const QString& competition,
                              const QString& from, const QString& to);
// The same of every competition played between two dates, in the order stored.
Result<Rows> competitionCardsBetween(Connection& connection, const QString& from,
                                     const QString& to);
// The course with the most cards between two days (ISO); empty when none has any.
Result<QString> busiestCourse(Connection& connection, const QString& from, const QString& to);
// Columns playerID, strdate, playingHandicap, hand, hole1 ... hole18: the cards of a
// course between two days (ISO, both included), oldest first, as an eclectic reads them.
Result<Rows> eclecticCards(Connection& connection, const QString& course, const QString& from,
                           const QString& to);

// The tee of the player's latest round on the course that names one; nothing when none does.
Result<std::optional<qint64>> lastTee(Connection& connection, const QString& player,
                                      const QString& course);

// A card as the handicap record reads it: what it was played off, and its strokes.
struct HandicapCard {
    qint64 key = 0;
    QString player;
    QString date; // ISO
    QString course;
    QString competition;
    QString tee;
    std::optional<qint64> teeID;
    std::optional<double> courseRating;
    std::optional<int> slopeRating;
    std::optional<double> teePar;
    std::optional<double> handicapIndex;
    std::array<int, 18> strokes{}; // 0: no score on the hole
};
// A player's cards, oldest first (cards of one day in the order they were stored).
Result<QList<HandicapCard>> handicapCards(Connection& connection, const QString& player);
// Every player's cards, by the player's name in lower case, each player's oldest first.
Result<QHash<QString, QList<HandicapCard>>> everyonesHandicapCards(Connection& connection);

// Columns course, rounds: the player's rounds per course, in the order groups come.
Result<Rows> roundsPerCourse(Connection& connection, const QString& player);
// Columns strdate, putts: the player's rounds with putts, by date, then as stored.
Result<Rows> puttsByDate(Connection& connection, const QString& player);

} // namespace parlog::rounds
