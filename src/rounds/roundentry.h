#pragma once

#include "data/competitions.h"
#include "data/courses.h"
#include "data/deletion.h"
#include "data/records.h"
#include "data/rounds.h"
#include "data/scorecard.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace parlog {

class Progress;
class RegisterInUse;

// What the score card, the round picker and the handicap dialog do with the register:
// each use case opens what it needs and says what came of it.
class RoundEntry {
public:
    explicit RoundEntry(RegisterInUse& where)
        : m_where(where)
    {
    }

    struct Pickers {
        QStringList players;
        QStringList courses;
    };
    Result<Pickers> pickers();
    // The course with its tees; nothing for a name the register does not hold.
    Result<std::optional<courses::WithTees>> course(const QString& name);
    // The tee the player last played the course from.
    Result<std::optional<qint64>> lastTee(const QString& player, const QString& course);
    // The competition's allowance on its day (ISO): 95% unless it was set otherwise.
    Result<double> allowance(const QString& competition, const QString& date);
    // How a competition is played, and its sides.
    Result<competitions::Settings> competition(const QString& name, const QString& date);
    Result<QList<competitions::Side>> sides(const QString& name, const QString& date);
    // The player's row; nothing for a name not in the register.
    Result<std::optional<Player>> player(const QString& name);
    // The stored round with that key; nothing when it has gone.
    Result<std::optional<rounds::Loaded>> load(qint64 key);

    // What saving a card came to, and what the user must say before it can be stored.
    struct Outcome {
        enum class Kind {
            Stored,
            CannotStore,    // a box that does not convert
            HoleFault,      // a hole's detail no card can hold: text names it
            Visitor,        // the name is nobody's in the register: store it as a visitor's?
            SameCard,       // the player has this card already: store it again?
            ConfirmChange,  // a correction: store it over the round it came from?
            Gone,           // a correction of a round deleted meanwhile
            ChangedMeanwhile, // a correction of a round changed meanwhile: not overwritten
            Failed,         // the register said no: text says why
        };
        Kind kind = Kind::Stored;
        QString text;
    };
    // What the user has said to the questions so far.
    struct Answers {
        bool visitor = false;
        bool again = false;
        bool change = false;
    };
    // A new card (EDITING 0), or the correction of the round with that key as it was read.
    Outcome save(const RoundCard& card, qint64 editing, const Record& asRead, Answers answers);

    // The round loaded, alone: copied aside and deleted as a deletion by criteria is.
    Result<Deletion> deleteRound(qint64 key, const Round& loaded, Progress* progress);
    // A player's rounds to pick one from; the players who have rounds.
    Result<Rows> roundsToPick(const rounds::Filter& filter);
    Result<QStringList> playersWithRounds();

    // The handicap the register keeps for the player, as kept; nothing for a name not in it.
    Result<std::optional<QString>> keptHandicap(const QString& player);
    // What the player's cards come to, when they come to an index.
    std::optional<double> recordIndex(const QString& player);
    // Stores a new handicap for every player of that name: how many took it.
    Result<int> setHandicap(const QString& player, const QString& handicap);

private:
    RegisterInUse& m_where;
};

} // namespace parlog
