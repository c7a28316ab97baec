#include "competitions/eclectic.h"

#include "data/rounds.h"
#include "data/conversions.h"
#include "golf/rules.h"

#include <algorithm>

namespace parlog {

bool EclecticLine::complete() const
{
    return std::none_of(best.begin(), best.end(), [](int s) { return s <= 0; });
}

QList<EclecticLine> eclectic(const Rows& cards, Basis basis, double share)
{
    const auto column = [&cards](const QString& name) { return cards.column(name); };
    const qsizetype player = column(QStringLiteral("playerID"));
    const qsizetype date = column(QStringLiteral("strdate"));
    const qsizetype playing = column(QStringLiteral("playingHandicap"));
    const qsizetype hand = column(QStringLiteral("hand"));
    const qsizetype hole1 = column(QStringLiteral("hole1"));
    if (player < 0 || date < 0 || playing < 0 || hand < 0 || hole1 < 0 ||
        hole1 + 18 > cards.columns.size())
        return {};
    QList<EclecticLine> lines;
    QHash<QString, qsizetype> lineOf; // by player in lower case
    // Cards come oldest first: a best equalled later keeps the day it was first made.
    for (const QVariantList& row : cards.rows) {
        const QString name = row[player].toString();
        auto it = lineOf.constFind(name.toLower());
        if (it == lineOf.constEnd()) {
            it = lineOf.insert(name.toLower(), lines.size());
            lines.append(EclecticLine{});
            lines.last().player = name;
        }
        EclecticLine& line = lines[*it];
        ++line.cards;
        for (int h = 0; h < 18; ++h) {
            const int strokes = row[hole1 + h].toInt();
            if (strokes > 0 && (line.best[h] == 0 || strokes < line.best[h])) {
                line.best[h] = strokes;
                line.madeOn[h] = row[date].toString();
            }
        }
        const QVariant kept = row[playing].isNull() ? row[hand] : row[playing];
        if (!kept.isNull() && !kept.toString().trimmed().isEmpty()) {
            // As the card played it: 12.5 off 12.
            const int handicap = strokesOff(kept.toDouble());
            line.handicap = line.handicap ? std::min(*line.handicap, handicap) : handicap;
        }
    }
    for (EclecticLine& line : lines) {
        for (int h = 0; h < 18; ++h)
            (h < 9 ? line.out : line.in) += line.best[h];
        line.gross = line.out + line.in;
        if (line.handicap)
            line.net = line.gross - golf::roundToWhole(share * *line.handicap);
    }
    const auto score = [basis](const EclecticLine& line) {
        return basis == Basis::Gross ? line.gross : line.net.value_or(line.gross);
    };
    std::stable_sort(lines.begin(), lines.end(),
                     [&score](const EclecticLine& a, const EclecticLine& b) {
                         if (a.complete() != b.complete())
                             return a.complete();
                         return a.complete() && score(a) < score(b);
                     });
    for (qsizetype i = 0; i < lines.size();) {
        qsizetype end = i + 1;
        if (!lines[i].complete()) {
            lines[i].position = QStringLiteral("NR");
            i = end;
            continue;
        }
        while (end < lines.size() && lines[end].complete() && score(lines[end]) == score(lines[i]))
            ++end;
        const QString place = QString::number(i + 1);
        for (qsizetype k = i; k < end; ++k)
            lines[k].position = end - i > 1 ? place + QLatin1Char('=') : place;
        i = end;
    }
    return lines;
}

Result<QList<EclecticLine>> eclectic(Connection& connection, const QString& course,
                                     const QString& from, const QString& to, Basis basis,
                                     double share)
{
    const auto cards = rounds::eclecticCards(connection, course, from, to);
    if (!cards)
        return Failure{cards.error()};
    return eclectic(*cards, basis, share);
}

} // namespace parlog
