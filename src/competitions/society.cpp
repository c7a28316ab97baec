#include "competitions/society.h"

#include "competitions/publishing.h"
#include "data/conversions.h"
#include "data/courses.h"
#include "data/draws.h"
#include "data/divisions.h"
#include "data/players.h"

#include <algorithm>
#include "data/registerinuse.h"
#include "reports/layouts.h"
#include "stats/handicaprecord.h"

namespace parlog {

Result<QList<rounds::Competition>> Society::competitions()
{
    return m_where.use([](Connection& c) { return rounds::competitions(c); });
}

Result<competitions::Settings> Society::settings(const QString& name, const QString& date)
{
    return m_where.use([&](Connection& c) { return competitions::settings(c, name, date); });
}

Status Society::keepSettings(const competitions::Settings& settings)
{
    return m_where.use([&](Connection& c) { return competitions::save(c, settings); });
}

Result<QList<competitions::Side>> Society::sides(const QString& name, const QString& date)
{
    return m_where.use([&](Connection& c) { return competitions::sides(c, name, date); });
}

Status Society::keepSides(const QString& name, const QString& date,
                          const QList<competitions::Side>& sides)
{
    return m_where.use(
        [&](Connection& c) { return competitions::saveSides(c, name, date, sides); });
}

Result<QList<field::Entrant>> Society::entrants()
{
    return m_where.use([](Connection& c) -> Result<QList<field::Entrant>> {
        const auto all = players::all(c);
        if (!all)
            return Failure{all.error()};
        QList<field::Entrant> list;
        for (const Player& p : *all)
            if (const auto index = field::indexOf(p.handicap); index && !p.name.trimmed().isEmpty())
                list.append({p.name.trimmed(), *index});
        // In name order, as a list found by typing reads best.
        std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
            return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
        });
        return list;
    });
}

Result<QList<field::RatedTee>> Society::ratedTees()
{
    return m_where.use([](Connection& c) -> Result<QList<field::RatedTee>> {
        const auto all = courses::allByName(c);
        if (!all)
            return Failure{all.error()};
        const auto nine = [](const Tee::Nine& n) -> std::optional<field::Ratings> {
            if (!n.rated())
                return std::nullopt;
            return field::Ratings{*n.courseRating, *n.slopeRating, *n.par};
        };
        QList<field::RatedTee> list;
        for (const courses::WithTees& course : *all)
            for (const Tee& tee : course.tees) {
                const int par = parOf(course.course, &tee);
                if (tee.rated() && par > 0)
                    list.append({QStringLiteral("%1: %2").arg(course.course.name, tee.label()),
                                 {*tee.courseRating, *tee.slopeRating, par},
                                 nine(tee.front),
                                 nine(tee.back),
                                 holesOf(course.course, &tee)});
            }
        std::sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
            return a.label.compare(b.label, Qt::CaseInsensitive) < 0;
        });
        return list;
    });
}

Status Society::keepField(const competitions::Settings& settings,
                          const QList<competitions::Side>& sides)
{
    return m_where.use([&](Connection& c) { return competitions::saveField(c, settings, sides); });
}

Result<Society::Played> Society::played(const QString& name, const QString& day,
                                        const QString& from, const QString& to)
{
    return m_where.use([&](Connection& c) -> Result<Played> {
        auto cards = rounds::competitionCards(c, name, from, to);
        if (!cards)
            return Failure{cards.error()};
        auto book = courseBook(c, *cards);
        if (!book)
            return Failure{book.error()};
        auto sides = competitions::sides(c, name, day);
        if (!sides)
            return Failure{sides.error()};
        return Played{std::move(*cards), std::move(*book), std::move(*sides)};
    });
}

Result<QStringList> Society::coursesWithCards()
{
    return m_where.use([](Connection& c) { return rounds::values(c, QStringLiteral("course")); });
}

Result<QString> Society::busiestCourse(const QString& from, const QString& to)
{
    return m_where.use([&](Connection& c) { return rounds::busiestCourse(c, from, to); });
}

Result<QList<EclecticLine>> Society::eclectic(const QString& course, const QString& from,
                                              const QString& to, Basis basis, double share)
{
    return m_where.use(
        [&](Connection& c) { return parlog::eclectic(c, course, from, to, basis, share); });
}

Result<QStringList> Society::divisions()
{
    return m_where.use([](Connection& c) { return divisions::names(c); });
}

Result<QList<seasons::Season>> Society::seasons()
{
    return m_where.use([](Connection& c) { return seasons::all(c); });
}

Result<QList<MeritEvent>> Society::events(const seasons::Season& season)
{
    return m_where.use([&](Connection& c) { return seasonEvents(c, season); });
}

Result<OrderOfMerit> Society::orderOfMerit(const seasons::Season& season,
                                           const std::optional<QString>& division)
{
    return m_where.use([&](Connection& c) { return parlog::orderOfMerit(c, season, division); });
}

Result<seasons::Kept> Society::keepSeason(const seasons::Season& season)
{
    return m_where.use([&](Connection& c) { return seasons::save(c, season); });
}

Status Society::removeSeason(qint64 id)
{
    return m_where.use([&](Connection& c) { return seasons::remove(c, id); });
}

Result<QStringList> Society::drawNames()
{
    return m_where.use([](Connection& c) { return draws::names(c); });
}

Result<std::optional<draws::Draw>> Society::draw(const QString& name)
{
    return m_where.use([&](Connection& c) { return draws::named(c, name); });
}

Result<draws::Kept> Society::keepDraw(const draws::Draw& draw,
                                      const std::optional<draws::Draw>& asRead)
{
    return m_where.use([&](Connection& c) { return draws::save(c, draw, asRead); });
}

Status Society::removeDraw(qint64 id)
{
    return m_where.use([&](Connection& c) { return draws::remove(c, id); });
}

Result<matchdraw::PlayerMatches> Society::playerMatches(const QString& player)
{
    return m_where.use([&](Connection& c) -> Result<matchdraw::PlayerMatches> {
        const auto names = draws::names(c);
        if (!names)
            return Failure{names.error()};
        QList<draws::Draw> all;
        for (const QString& name : *names) {
            const auto one = draws::named(c, name);
            if (!one)
                return Failure{one.error()};
            if (*one)
                all << **one;
        }
        return matchdraw::playerMatches(all, player);
    });
}

Result<std::optional<startsheets::Sheet>> Society::startSheet(const QString& name,
                                                              const QString& date)
{
    return m_where.use([&](Connection& c) { return startsheets::read(c, name, date); });
}

Status Society::keepStartSheet(const startsheets::Sheet& sheet)
{
    return m_where.use([&](Connection& c) { return startsheets::save(c, sheet); });
}

Result<std::optional<report::Report>> Society::publishedResults(const QString& name)
{
    const auto days = competitions();
    if (!days)
        return Failure{days.error()};
    std::optional<rounds::Competition> latest;
    for (const rounds::Competition& c : *days)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0 && (!latest || c.date > latest->date))
            latest = c;
    if (!latest)
        return std::optional<report::Report>();
    const auto kept = settings(latest->name, latest->date);
    const auto cards = played(latest->name, latest->date, latest->date, latest->date);
    if (!kept || !cards)
        return Failure{!kept ? kept.error() : cards.error()};
    const QList<Placing> placings = rankCompetition(
        cards->cards, rankingOf(*kept, Basis::Net, std::nullopt, cards->sides), cards->courses);
    const Round first = cards->cards.rows.isEmpty() ? Round() : Round::from(cards->cards, 0);
    return std::optional<report::Report>(
        publishing::resultsReport(placings, *kept,
                                  {latest->name, formatStoredDate(latest->date, DateFormat::Medium),
                                   first.course, first.standardScratch}));
}

Result<std::optional<report::Report>> Society::publishedMerit(const QString& name)
{
    const auto all = seasons();
    if (!all)
        return Failure{all.error()};
    for (const seasons::Season& s : *all) {
        if (s.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const auto table = orderOfMerit(s, std::nullopt);
        if (!table)
            return Failure{table.error()};
        return std::optional<report::Report>(publishing::meritReport(
            s, *table, QString(),
            formatStoredDate(s.from, DateFormat::Medium) + QStringLiteral(" \u2013 ") +
                formatStoredDate(s.to, DateFormat::Medium)));
    }
    return std::optional<report::Report>();
}

Result<std::optional<report::Report>> Society::handicapList(const QDate& day)
{
    return m_where.use([&](Connection& c) -> Result<std::optional<report::Report>> {
        const auto all = players::all(c);
        if (!all)
            return Failure{all.error()};
        const auto worked = everyIndex(c);
        if (!worked)
            return Failure{worked.error()};
        QList<Player> list = *all;
        std::stable_sort(list.begin(), list.end(), [](const Player& a, const Player& b) {
            return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
        });
        Rows rows{{QStringLiteral("player"), QStringLiteral("index"), QStringLiteral("from"),
                   QStringLiteral("division")},
                  {}};
        for (const Player& p : std::as_const(list)) {
            if (p.name.trimmed().isEmpty())
                continue;
            const auto fromCards = worked->value(p.name.trimmed().toLower());
            const std::optional<double> index = fromCards ? fromCards : field::indexOf(p.handicap);
            const QString shown = !index ? QString()
                                  : *index < 0
                                      ? QStringLiteral("+") + QString::number(-*index, 'f', 1)
                                      : QString::number(*index, 'f', 1);
            rows.rows << QVariantList{p.name.trimmed(), shown,
                                      fromCards ? QStringLiteral("the cards")
                                      : index   ? QStringLiteral("as kept")
                                                : QString(),
                                      p.division};
        }
        return std::optional<report::Report>(
            report::Report(report::kHandicapListReport, report::DataSource::of(rows),
                           {{QStringLiteral("day"), formatDate(day, DateFormat::Long)}}));
    });
}

} // namespace parlog
