#pragma once

#include "data/queries.h"
#include "data/result.h"
#include "stats/handicaprecord.h"
#include "stats/season.h"
#include "stats/statistics.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace parlog {

class RegisterInUse;

// What the statistics windows ask of the register about a player: each use case opens
// what it needs.
class PlayerStats {
public:
    explicit PlayerStats(RegisterInUse& where)
        : m_where(where)
    {
    }

    Result<QStringList> playersWithRounds();
    Result<QStringList> players();
    Result<QStringList> coursesPlayed(const QString& player);
    // The best or worst rounds, everywhere (no course) or on one course.
    Result<Rows> extremeRounds(const QString& player, const std::optional<QString>& course,
                              bool best);
    Result<PossibleRound> possible(const QString& player, Possible kind);
    Result<Series> roundsPerCourse(const QString& player);
    Result<Series> puttsByDate(const QString& player);
    Result<HandicapRecord> record(const QString& player);
    // The player's cards between two stored dates, on one course or all (none), with the
    // index as the record had it on the last day.
    Result<SeasonFigures> season(const QString& player, const QString& from, const QString& to,
                                 const std::optional<QString>& course);

private:
    RegisterInUse& m_where;
};

} // namespace parlog
