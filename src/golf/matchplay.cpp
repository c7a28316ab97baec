#include "golf/matchplay.h"

#include <algorithm>
#include <cstdlib>

namespace parlog::golf {

QList<int> matchStrokes(const QList<int>& playingHandicaps)
{
    if (playingHandicaps.isEmpty())
        return {};
    const int lowest = *std::min_element(playingHandicaps.cbegin(), playingHandicaps.cend());
    QList<int> strokes;
    for (int handicap : playingHandicaps)
        strokes << handicap - lowest;
    return strokes;
}

QString ordinal(int number)
{
    const int tens = number % 100;
    const char* suffix = "th";
    if (tens < 11 || tens > 13) {
        switch (number % 10) {
        case 1:
            suffix = "st";
            break;
        case 2:
            suffix = "nd";
            break;
        case 3:
            suffix = "rd";
            break;
        default:
            break;
        }
    }
    return QString::number(number) + QLatin1String(suffix);
}

MatchState matchState(const QList<int>& holeResults, int holes)
{
    MatchState s;
    for (int result : holeResults) {
        if (s.decided)
            break; // nothing after the hole that decided it counts
        s.margin += result > 0 ? 1 : result < 0 ? -1 : 0;
        ++s.played;
        const int left = holes - s.played;
        if (s.played > holes) {
            // Extra holes: the first hole won ends it.
            if (s.margin != 0) {
                s.decided = true;
                s.words = QStringLiteral("won at the %1").arg(ordinal(s.played));
            }
        } else if (std::abs(s.margin) > left) {
            s.decided = true;
            s.words = left == 0 ? QStringLiteral("won %1 up").arg(std::abs(s.margin))
                                : QStringLiteral("won %1 & %2").arg(std::abs(s.margin)).arg(left);
        }
    }
    if (!s.decided) {
        const int left = holes - s.played;
        if (s.margin == 0)
            s.words = QStringLiteral("All square");
        else if (left > 0 && std::abs(s.margin) == left)
            s.words = QStringLiteral("Dormie %1").arg(left);
        else
            s.words = QStringLiteral("%1 up").arg(std::abs(s.margin));
    }
    return s;
}

int byes(int entries)
{
    if (entries <= 1)
        return 0;
    int draw = 1;
    while (draw < entries)
        draw *= 2;
    return draw - entries;
}

} // namespace parlog::golf
