#include "competitions/league.h"

#include <QHash>

#include <algorithm>

namespace parlog::league {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// What each of a group earned in the matches among themselves.
QHash<QString, double> amongThemselves(const QList<Line>& group, const QList<Match>& matches,
                                       Points points)
{
    const auto inGroup = [&group](const QString& name) {
        return std::any_of(group.cbegin(), group.cend(),
                           [&name](const Line& l) { return sameName(l.entry, name); });
    };
    QHash<QString, double> earned;
    for (const Match& m : matches) {
        if (!inGroup(m.a) || !inGroup(m.b))
            continue;
        earned[m.a.toLower()] += m.margin > 0 ? points.win : m.margin == 0 ? points.half : 0;
        earned[m.b.toLower()] += m.margin < 0 ? points.win : m.margin == 0 ? points.half : 0;
    }
    return earned;
}

bool level(const Line& x, const Line& y)
{
    return qFuzzyCompare(1 + x.points, 1 + y.points) && x.won == y.won && x.holesUp == y.holesUp;
}

} // namespace

QList<Line> table(const QStringList& entries, const QList<Match>& matches, Points points)
{
    QList<Line> lines;
    for (const QString& e : entries)
        lines.append({{}, e});
    const auto lineOf = [&lines](const QString& name) -> Line* {
        for (Line& l : lines)
            if (sameName(l.entry, name))
                return &l;
        return nullptr;
    };
    for (const Match& m : matches) {
        Line* a = lineOf(m.a);
        Line* b = lineOf(m.b);
        if (!a || !b)
            continue;
        for (auto [line, margin] : {std::pair{a, m.margin}, std::pair{b, -m.margin}}) {
            ++line->played;
            line->holesUp += margin;
            if (margin > 0) {
                ++line->won;
                line->points += points.win;
            } else if (margin == 0) {
                ++line->halved;
                line->points += points.half;
            } else {
                ++line->lost;
            }
        }
    }
    std::stable_sort(lines.begin(), lines.end(), [](const Line& x, const Line& y) {
        if (!qFuzzyCompare(1 + x.points, 1 + y.points))
            return x.points > y.points;
        if (x.won != y.won)
            return x.won > y.won;
        return x.holesUp > y.holesUp;
    });
    // Those still level are parted by their matches among themselves.
    QList<double> headToHead(lines.size(), 0);
    for (qsizetype i = 0; i < lines.size();) {
        qsizetype end = i + 1;
        while (end < lines.size() && level(lines[i], lines[end]))
            ++end;
        if (end - i > 1) {
            const QList<Line> group = lines.mid(i, end - i);
            const auto earned = amongThemselves(group, matches, points);
            std::stable_sort(
                lines.begin() + i, lines.begin() + end, [&earned](const Line& x, const Line& y) {
                    return earned.value(x.entry.toLower()) > earned.value(y.entry.toLower());
                });
            for (qsizetype k = i; k < end; ++k)
                headToHead[k] = earned.value(lines[k].entry.toLower());
        }
        i = end;
    }
    for (qsizetype i = 0; i < lines.size();) {
        qsizetype end = i + 1;
        while (end < lines.size() && level(lines[i], lines[end]) &&
               qFuzzyCompare(1 + headToHead[i], 1 + headToHead[end]))
            ++end;
        for (qsizetype k = i; k < end; ++k)
            lines[k].position =
                QString::number(i + 1) + (end - i > 1 ? QStringLiteral("=") : QString());
        i = end;
    }
    return lines;
}

} // namespace parlog::league
