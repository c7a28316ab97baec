#include "rounds/roundentry.h"

#include "data/competitions.h"
#include "data/connection.h"
#include "data/conversions.h"
#include "data/players.h"
#include "data/registerinuse.h"
#include "stats/handicaprecord.h"

namespace parlog {

Result<RoundEntry::Pickers> RoundEntry::pickers()
{
    return m_where.use([](Connection& c) -> Result<Pickers> {
        const auto players = players::names(c);
        if (!players)
            return Failure{players.error()};
        const auto courses = courses::names(c);
        if (!courses)
            return Failure{courses.error()};
        return Pickers{*players, *courses};
    });
}

Result<std::optional<courses::WithTees>> RoundEntry::course(const QString& name)
{
    return m_where.use([&](Connection& c) { return courses::named(c, name); });
}

Result<std::optional<qint64>> RoundEntry::lastTee(const QString& player, const QString& course)
{
    return m_where.use([&](Connection& c) { return rounds::lastTee(c, player, course); });
}

Result<double> RoundEntry::allowance(const QString& competition, const QString& date)
{
    return m_where.use([&](Connection& c) -> Result<double> {
        const auto settings = competitions::settings(c, competition, date);
        if (!settings)
            return Failure{settings.error()};
        return settings->allowance;
    });
}

Result<competitions::Settings> RoundEntry::competition(const QString& name, const QString& date)
{
    return m_where.use([&](Connection& c) { return competitions::settings(c, name, date); });
}

Result<QList<competitions::Side>> RoundEntry::sides(const QString& name, const QString& date)
{
    return m_where.use([&](Connection& c) { return competitions::sides(c, name, date); });
}

Result<std::optional<Player>> RoundEntry::player(const QString& name)
{
    return m_where.use([&](Connection& c) -> Result<std::optional<Player>> {
        const auto row = players::rowNamed(c, name);
        if (!row)
            return Failure{row.error()};
        if (row->isEmpty())
            return std::optional<Player>();
        return std::optional<Player>(Player::from(*row));
    });
}

Result<std::optional<rounds::Loaded>> RoundEntry::load(qint64 key)
{
    return m_where.use([&](Connection& c) { return rounds::load(c, key); });
}

RoundEntry::Outcome RoundEntry::save(const RoundCard& card, qint64 editing, const Record& asRead,
                                     Answers answers)
{
    using Kind = Outcome::Kind;
    CardFault fault = CardFault::Box;
    const auto values = roundValues(card, &fault);
    if (!values)
        return {fault == CardFault::Hole ? Kind::HoleFault : Kind::CannotStore, values.error()};
    auto connection = m_where.connect();
    if (!connection)
        return {Kind::Failed, connection.error()};
    Connection& c = **connection;
    // A visitor's card is welcome, but only when the user says it is one: a typing slip
    // would otherwise start a new player in the statistics.
    const auto known = players::exists(c, card.player);
    if (!known)
        return {Kind::Failed, known.error()};
    // A side's card bears the side's name, which no player has.
    if (!*known && !answers.visitor && !card.sidePlayers)
        return {Kind::Visitor, {}};
    if (editing != 0) {
        if (!answers.change)
            return {Kind::ConfirmChange, {}};
        const auto saved = rounds::correct(c, editing, *values, asRead);
        if (!saved)
            return {Kind::Failed, saved.error()};
        switch (saved->outcome) {
        case Saved::Outcome::Gone:
            return {Kind::Gone, {}};
        case Saved::Outcome::ChangedMeanwhile:
        case Saved::Outcome::NothingChosen:
            return {Kind::ChangedMeanwhile, {}};
        case Saved::Outcome::Stored:
            return {Kind::Stored, {}};
        }
    }
    // The same card twice counts twice in the results and the order of merit.
    if (!answers.again) {
        const auto twice = rounds::alreadyThere(c, *values);
        if (!twice)
            return {Kind::Failed, twice.error()};
        if (*twice)
            return {Kind::SameCard,
                    QStringLiteral("%1 already has this card for %2 at %3. Save it again?")
                        .arg(values->player, formatStoredDate(values->date, DateFormat::Medium),
                             values->course)};
    }
    if (Status saved = rounds::insert(c, *values); !saved)
        return {Kind::Failed, saved.error()};
    return {Kind::Stored, {}};
}

Result<Deletion> RoundEntry::deleteRound(qint64 key, const Round& loaded, Progress* progress)
{
    return m_where.use(
        [&](Connection& c) { return parlog::deleteRound(c, key, loaded, progress); });
}

Result<Rows> RoundEntry::roundsToPick(const rounds::Filter& filter)
{
    return m_where.use([&](Connection& c) { return rounds::roundsToPick(c, filter); });
}

Result<QStringList> RoundEntry::playersWithRounds()
{
    return m_where.use([](Connection& c) { return rounds::playersNamed(c); });
}

Result<std::optional<QString>> RoundEntry::keptHandicap(const QString& player)
{
    return m_where.use([&](Connection& c) -> Result<std::optional<QString>> {
        const auto row = players::rowNamed(c, player);
        if (!row)
            return Failure{row.error()};
        if (row->isEmpty())
            return std::optional<QString>();
        return std::optional<QString>(row->value(QStringLiteral("Handicapp")).toString());
    });
}

std::optional<double> RoundEntry::recordIndex(const QString& player)
{
    const auto record = m_where.use([&](Connection& c) { return handicapRecord(c, player); });
    return record ? record->index : std::nullopt;
}

Result<int> RoundEntry::setHandicap(const QString& player, const QString& handicap)
{
    return m_where.use([&](Connection& c) { return players::setHandicap(c, player, handicap); });
}

} // namespace parlog
