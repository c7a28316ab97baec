#include "stats/playerstats.h"

#include "data/courses.h"
#include "data/players.h"
#include "data/registerinuse.h"
#include "data/rounds.h"

namespace parlog {

Result<QStringList> PlayerStats::playersWithRounds()
{
    return m_where.use([](Connection& c) { return parlog::playersWithRounds(c); });
}

Result<QStringList> PlayerStats::players()
{
    return m_where.use([](Connection& c) { return players::names(c); });
}

Result<QStringList> PlayerStats::coursesPlayed(const QString& player)
{
    return m_where.use([&](Connection& c) { return rounds::coursesPlayed(c, player); });
}

Result<Rows> PlayerStats::extremeRounds(const QString& player, const std::optional<QString>& course,
                              bool best)
{
    return m_where.use(
        [&](Connection& c) { return rounds::extremeRounds(c, player, course, best); });
}

Result<PossibleRound> PlayerStats::possible(const QString& player, Possible kind)
{
    return m_where.use([&](Connection& c) { return possibleRound(c, player, kind); });
}

Result<Series> PlayerStats::roundsPerCourse(const QString& player)
{
    return m_where.use([&](Connection& c) { return parlog::roundsPerCourse(c, player); });
}

Result<Series> PlayerStats::puttsByDate(const QString& player)
{
    return m_where.use([&](Connection& c) { return parlog::puttsByDate(c, player); });
}

Result<HandicapRecord> PlayerStats::record(const QString& player)
{
    return m_where.use([&](Connection& c) { return handicapRecord(c, player); });
}

Result<SeasonFigures> PlayerStats::season(const QString& player, const QString& from,
                                          const QString& to, const std::optional<QString>& course)
{
    return m_where.use([&](Connection& c) -> Result<SeasonFigures> {
        const auto played = rounds::seasonCards(c, player, from, to, course);
        if (!played)
            return Failure{played.error()};
        const auto pars = courses::pars(c);
        if (!pars)
            return Failure{pars.error()};
        SeasonFigures figures = seasonFigures(*played, *pars);
        // A record that cannot be read leaves the index out, not the season.
        if (const auto record = handicapRecord(c, player))
            figures.handicapIndex = indexOn(*record, to);
        return figures;
    });
}

} // namespace parlog
