#include "competitions/orderofmerit.h"

#include "data/rounds.h"

#include <algorithm>
#include <cmath>

namespace parlog {

namespace {

constexpr double kSame = 1e-9;

int placeOf(const QString& position)
{
    QString digits = position;
    digits.remove(QLatin1Char('='));
    bool ok = false;
    const int place = digits.toInt(&ok);
    return ok ? place : 0;
}

// A player's counted points, best first: what a tie in the total is decided on.
QList<double> bestFirst(const MeritLine& line)
{
    QList<double> points;
    for (qsizetype e = 0; e < line.points.size(); ++e)
        if (line.points[e] && line.counting[e])
            points << *line.points[e];
    std::sort(points.begin(), points.end(), std::greater<>());
    return points;
}

// Negative when a ranks above b, positive when below, 0 when they share a place.
int compareLines(const MeritLine& a, const MeritLine& b)
{
    if (std::abs(a.total - b.total) > kSame)
        return a.total > b.total ? -1 : 1;
    const QList<double> x = bestFirst(a);
    const QList<double> y = bestFirst(b);
    for (qsizetype i = 0; i < std::max(x.size(), y.size()); ++i) {
        const double p = x.value(i, 0);
        const double q = y.value(i, 0);
        if (std::abs(p - q) > kSame)
            return p > q ? -1 : 1;
    }
    return 0;
}

} // namespace

QString shownPoints(double points)
{
    QString text = QString::number(points, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == u"-0" ? QStringLiteral("0") : text;
}

QList<double> placingPoints(const QList<Placing>& placings, const QList<double>& positionPoints,
                            double playingPoints)
{
    QList<double> earned(placings.size(), playingPoints);
    for (qsizetype i = 0; i < placings.size();) {
        const int place = placeOf(placings[i].position);
        qsizetype end = i + 1;
        while (end < placings.size() && placings[end].position == placings[i].position)
            ++end;
        if (place > 0) {
            // The places the tied players cover, from theirs on.
            double sum = 0;
            for (qsizetype k = 0; k < end - i; ++k)
                sum += positionPoints.value(place - 1 + k, 0);
            for (qsizetype k = i; k < end; ++k)
                earned[k] += sum / double(end - i);
        }
        i = end;
    }
    return earned;
}

OrderOfMerit orderOfMerit(const QList<MeritEvent>& events, const QList<QList<Placing>>& results,
                          const seasons::Season& season)
{
    OrderOfMerit table;
    QList<qsizetype> counted; // the results of each counted event
    for (qsizetype e = 0; e < events.size(); ++e)
        if (events[e].counted) {
            table.events << events[e];
            counted << e;
        }
    const qsizetype n = table.events.size();
    QHash<QString, qsizetype> lineOf; // by player in lower case
    for (qsizetype c = 0; c < n; ++c) {
        const QList<Placing>& placings = results.value(counted[c]);
        const QList<double> earned =
            placingPoints(placings, season.positionPoints, season.playingPoints);
        for (qsizetype i = 0; i < placings.size(); ++i) {
            // A side's place earns each of its players the side's points.
            const QStringList players = placings[i].players.isEmpty()
                                            ? QStringList{placings[i].player}
                                            : placings[i].players;
            for (const QString& player : players) {
                const QString key = player.toLower();
                auto it = lineOf.constFind(key);
                if (it == lineOf.constEnd()) {
                    MeritLine line;
                    line.player = player;
                    line.points.resize(n);
                    line.counting.resize(n);
                    it = lineOf.insert(key, table.lines.size());
                    table.lines << line;
                }
                MeritLine& line = table.lines[*it];
                // Two cards in one competition: the better one stands.
                if (!line.points[c] || earned[i] > *line.points[c])
                    line.points[c] = earned[i];
            }
        }
    }
    for (MeritLine& line : table.lines) {
        QList<qsizetype> played;
        for (qsizetype c = 0; c < n; ++c)
            if (line.points[c])
                played << c;
        line.played = int(played.size());
        // The best count; of equal points the earlier event.
        std::stable_sort(played.begin(), played.end(), [&line](qsizetype a, qsizetype b) {
            return *line.points[a] > *line.points[b];
        });
        const qsizetype counting =
            season.bestOf > 0 ? std::min<qsizetype>(season.bestOf, played.size()) : played.size();
        for (qsizetype k = 0; k < counting; ++k) {
            line.counting[played[k]] = true;
            line.total += *line.points[played[k]];
        }
    }
    std::stable_sort(table.lines.begin(), table.lines.end(),
                     [](const MeritLine& a, const MeritLine& b) { return compareLines(a, b) < 0; });
    for (qsizetype i = 0; i < table.lines.size();) {
        qsizetype end = i + 1;
        while (end < table.lines.size() && compareLines(table.lines[i], table.lines[end]) == 0)
            ++end;
        const QString place = QString::number(i + 1);
        for (qsizetype k = i; k < end; ++k)
            table.lines[k].position = end - i > 1 ? place + QLatin1Char('=') : place;
        i = end;
    }
    return table;
}

Result<QList<MeritEvent>> seasonEvents(Connection& connection, const seasons::Season& season)
{
    const auto all = rounds::competitions(connection, season.from, season.to);
    if (!all)
        return Failure{all.error()};
    QList<MeritEvent> events;
    for (auto c = all->crbegin(); c != all->crend(); ++c)
        events.append({c->name, c->date, c->course, c->cards, !season.leavesOut(c->name, c->date)});
    return events;
}

Result<OrderOfMerit> orderOfMerit(Connection& connection, const seasons::Season& season,
                                  const std::optional<QString>& division)
{
    const auto events = seasonEvents(connection, season);
    if (!events)
        return Failure{events.error()};
    // Every card of the dates read at once, then dealt to its competition.
    const auto cards = rounds::competitionCardsBetween(connection, season.from, season.to);
    if (!cards)
        return Failure{cards.error()};
    const auto courses = courseBook(connection, *cards);
    if (!courses)
        return Failure{courses.error()};
    const auto settings = competitions::all(connection);
    if (!settings)
        return Failure{settings.error()};
    const qsizetype comp = cards->column(QStringLiteral("comp"));
    const qsizetype date = cards->column(QStringLiteral("strdate"));
    QHash<std::pair<QString, QString>, qsizetype> eventOf; // by name in lower case and day
    for (qsizetype e = 0; e < events->size(); ++e)
        eventOf.insert({(*events)[e].name.toLower(), (*events)[e].date}, e);
    QList<Rows> fields(events->size(), Rows{cards->columns, {}});
    for (const QVariantList& row : cards->rows) {
        const auto e = eventOf.constFind({row[comp].toString().toLower(), row[date].toString()});
        if (e != eventOf.constEnd() && (*events)[*e].counted)
            fields[*e].rows << row;
    }
    QList<QList<Placing>> results(events->size());
    for (qsizetype e = 0; e < events->size(); ++e) {
        if (!(*events)[e].counted)
            continue;
        const competitions::Settings kept =
            competitions::settingsIn(*settings, (*events)[e].name, (*events)[e].date);
        QList<competitions::Side> sides;
        if (kept.team != golf::TeamFormat::Individual) {
            auto read = competitions::sides(connection, kept.name, kept.date);
            if (!read)
                return Failure{read.error()};
            sides = std::move(*read);
        }
        results[e] =
            rankCompetition(fields[e], rankingOf(kept, Basis::Net, division, sides), *courses);
    }
    return orderOfMerit(*events, results, season);
}

} // namespace parlog
