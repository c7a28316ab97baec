#include "competitions/field.h"

#include "data/conversions.h"
#include "golf/whs.h"

#include <algorithm>
#include <random>

namespace parlog::field {

std::optional<double> indexOf(const QString& handicap)
{
    QString t = handicap.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    const bool plus = t.startsWith(QLatin1Char('+'));
    const auto value = toNumber(plus ? t.mid(1) : t);
    if (!value)
        return std::nullopt;
    return plus ? -*value : *value;
}

namespace {

QList<competitions::Side> inSides(const QList<Entrant>& ordered, int size)
{
    QList<competitions::Side> sides;
    for (qsizetype i = 0; i < ordered.size(); i += size) {
        competitions::Side side;
        for (qsizetype k = i; k < std::min<qsizetype>(i + size, ordered.size()); ++k)
            side.players << ordered[k].name;
        side.name = competitions::sideNameOf(side.players);
        sides << side;
    }
    return sides;
}

} // namespace

QList<competitions::Side> drawn(const QList<Entrant>& entrants, int size, quint32 seed)
{
    // Fisher-Yates on the generator's own numbers: the same seed draws the same sides on
    // any machine.
    QList<Entrant> order = entrants;
    std::mt19937 random(seed);
    for (qsizetype i = order.size() - 1; i > 0; --i)
        order.swapItemsAt(i, qsizetype(random() % quint32(i + 1)));
    return inSides(order, std::max(1, size));
}

QList<competitions::Side> balanced(QList<Entrant> entrants, int size)
{
    size = std::max(1, size);
    std::stable_sort(entrants.begin(), entrants.end(),
                     [](const Entrant& a, const Entrant& b) { return a.index < b.index; });
    const qsizetype sides = (entrants.size() + size - 1) / size;
    // Dealt as a snake: down the sides, back up, and down again.
    QList<QList<Entrant>> dealt(sides);
    for (qsizetype i = 0; i < entrants.size(); ++i) {
        const qsizetype round = i / sides;
        const qsizetype at = i % sides;
        dealt[round % 2 == 0 ? at : sides - 1 - at] << entrants[i];
    }
    QList<competitions::Side> result;
    for (const QList<Entrant>& side : std::as_const(dealt)) {
        competitions::Side s;
        for (const Entrant& e : side)
            s.players << e.name;
        s.name = competitions::sideNameOf(s.players);
        result << s;
    }
    return result;
}

std::optional<Ratings> RatedTee::over(competitions::Nine nine) const
{
    switch (nine) {
    case competitions::Nine::Front:
        return front;
    case competitions::Nine::Back:
        return back;
    case competitions::Nine::Eighteen:
        break;
    }
    return eighteen;
}

QString playingHandicapsOf(const competitions::Side& side, const QHash<QString, double>& indexes,
                           const competitions::Settings& settings, const Ratings& tee)
{
    QList<double> courseHandicaps;
    for (const QString& player : side.players) {
        const auto index = indexes.constFind(player.toLower());
        if (index == indexes.constEnd())
            return QString();
        courseHandicaps << (settings.nine == competitions::Nine::Eighteen
                                ? whs::courseHandicap(*index, tee.slopeRating, tee.courseRating,
                                                      tee.par)
                                : whs::nineHoleCourseHandicap(*index, tee.slopeRating,
                                                              tee.courseRating, tee.par));
    }
    const QList<int> playing =
        golf::playingHandicaps(settings.team, competitions::playOf(settings.format),
                               courseHandicaps, settings.allowance);
    QStringList shown;
    for (int p : playing)
        shown << (p < 0 ? QStringLiteral("+%1").arg(-p) : QString::number(p));
    return shown.join(QStringLiteral(", "));
}

} // namespace parlog::field
