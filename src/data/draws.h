#pragma once

#include "data/queries.h"
#include "golf/allowances.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Match play's draws kept in the register: a knock-out or a league, its entries and its
// matches with their results, all saved together.
namespace parlog::draws {

enum class Kind { Knockout, League };

struct Entry {
    QString name;        // a player's, or a side's
    QStringList players; // a side's players; empty for a player
    bool withdrawn = false;
    bool operator==(const Entry&) const = default;
};

struct Match {
    int round = 1;  // from 1, the first
    int slot = 0;   // its place in the round, from the top
    QString playBy; // ISO; empty for none
    QString a;
    QString b;                 // empty: A has a bye
    QString holesPlayed;       // as keyed, a character a hole: 1, 2 or H
    std::optional<int> margin; // holes A won by once decided (negative: B); 0 halved
    QString result;            // "won 3 & 2", "walkover", "won by concession"
    QString winner;
    bool operator==(const Match&) const = default;
};

struct Draw {
    std::optional<qint64> id; // none until kept
    QString name;
    Kind kind = Kind::Knockout;
    golf::TeamFormat team = golf::TeamFormat::Individual;
    int holes = 18;
    bool seeded = false;
    quint32 seed = 0;
    double winPoints = 2;
    double halfPoints = 1;
    QList<Entry> entries;
    QList<Match> matches;
    bool operator==(const Draw&) const = default;
};

// Every draw's name, in name order.
Result<QStringList> names(Connection& connection);
// The draw of that name with its entries and matches; none when there is none.
Result<std::optional<Draw>> named(Connection& connection, const QString& name);
// Keeps the draw, its entries and its matches in place of those kept before, all or none,
// if what is kept still reads as asRead (when given): another secretary's save between
// is never overwritten. A new draw takes a name no other has.
struct Kept {
    Saved::Outcome outcome = Saved::Outcome::Stored; // Gone, ChangedMeanwhile: nothing kept
    qint64 id = 0;
};
Result<Kept> save(Connection& connection, const Draw& draw,
                  const std::optional<Draw>& asRead = std::nullopt);
Status remove(Connection& connection, qint64 id);

} // namespace parlog::draws
