#include "data/scorecard.h"

#include "data/conversions.h"

#include <cmath>

namespace parlog {

namespace {

std::optional<std::int16_t> sum(const QString* texts, int count)
{
    std::int16_t total = 0;
    for (int i = 0; i < count; ++i) {
        const auto value = toInt16(texts[i]);
        if (!value)
            return std::nullopt;
        const auto next = add16(total, *value);
        if (!next)
            return std::nullopt;
        total = *next;
    }
    return total;
}

} // namespace

void recomputeTotals(CardTotals& card)
{
    if (const auto out = sum(card.holes.data(), 9))
        card.out = QString::number(*out);
    if (const auto inn = sum(card.holes.data() + 9, 9))
        card.inn = QString::number(*inn);
    const QString halves[2] = {card.out, card.inn};
    if (const auto gross = sum(halves, 2))
        card.gross = QString::number(*gross);
    const auto gross = toInt16(card.gross);
    const auto handicap = toInt16(card.handicap);
    if (gross && handicap) {
        if (const auto net = subtract16(*gross, *handicap))
            card.net = QString::number(*net);
    }
}

Result<Round> roundValues(const RoundCard& card, CardFault* fault)
{
    if (fault)
        *fault = CardFault::Box;
    Round round;
    const auto refuse = [](const QString& box) {
        return Failure{QStringLiteral("%1 cannot be stored as it stands").arg(box)};
    };
    const auto whole = [](const QString& text, std::optional<int>& into) {
        const auto n = toInt16(text);
        if (n)
            into = int(*n);
        return n.has_value();
    };
    for (int h = 0; h < 18; ++h)
        if (!whole(card.totals.holes[h], round.holes[h]))
            return refuse(QStringLiteral("HOLE%1").arg(h + 1));
    if (!whole(card.totals.inn, round.inn))
        return refuse(QStringLiteral("IN"));
    if (!whole(card.totals.out, round.out))
        return refuse(QStringLiteral("OUT"));
    round.handicap = toNumber(card.totals.handicap);
    if (!round.handicap)
        return refuse(QStringLiteral("Handicap"));
    if (!whole(card.totals.gross, round.gross))
        return refuse(QStringLiteral("Gross"));
    if (!whole(card.totals.net, round.net))
        return refuse(QStringLiteral("Net"));
    const auto date = toStoredDate(card.date);
    if (!date)
        return refuse(QStringLiteral("Date"));
    round.date = *date;
    if (!whole(card.putts, round.putts))
        return refuse(QStringLiteral("Putts total"));
    round.greens = card.greens;
    round.fairways = card.fairways;
    round.course = card.course;
    round.player = card.player;
    round.division = card.division;
    round.standardScratch = card.standardScratch;
    round.competition = card.competition;
    round.comment = card.comment;
    if (card.tee) {
        round.teeID = card.tee->id;
        round.tee = card.tee->label();
        round.courseRating = card.tee->courseRating;
        round.slopeRating = card.tee->slopeRating;
        if (card.teePar > 0)
            round.teePar = card.teePar;
    }
    if (!card.handicapIndex.trimmed().isEmpty()) {
        round.handicapIndex = readIndex(card.handicapIndex);
        if (!round.handicapIndex)
            return refuse(QStringLiteral("Handicap Index"));
    }
    round.courseHandicap = card.courseHandicap;
    if (!card.playingHandicap.trimmed().isEmpty()) {
        const auto playing = toInt16(card.playingHandicap);
        if (!playing)
            return refuse(QStringLiteral("Playing Handicap"));
        round.playingHandicap = int(*playing);
    }
    round.points = card.points;
    round.sidePlayers = card.sidePlayers;
    round.holePutts = card.holePutts;
    round.penalties = card.penalties;
    round.bunkers = card.bunkers;
    // A hole's putts are strokes too; the putts total is theirs when they are kept.
    int putts = 0;
    // From here on a refusal names the hole.
    if (fault)
        *fault = CardFault::Hole;
    for (int h = 0; h < 18; ++h) {
        if (!card.holePutts[h])
            continue;
        if (*card.holePutts[h] < 0 || *card.holePutts[h] > round.holes[h].value_or(0))
            return Failure{QStringLiteral("Hole %1 has %2 putts and %3 %4: a hole's putts "
                                          "cannot be more than its strokes")
                               .arg(h + 1)
                               .arg(*card.holePutts[h])
                               .arg(round.holes[h].value_or(0))
                               .arg(round.holes[h].value_or(0) == 1 ? QStringLiteral("stroke")
                                                                     : QStringLiteral("strokes"))};
        putts += *card.holePutts[h];
    }
    // A penalty stroke is one of the hole's strokes.
    for (int h = 0; h < 18; ++h) {
        const int strokes = round.holes[h].value_or(0);
        if (card.penalties[h] && (*card.penalties[h] < 0 || *card.penalties[h] > strokes))
            return Failure{
                QStringLiteral("Hole %1 has %2 penalty strokes and %3 %4: a hole's "
                               "penalty strokes are among its strokes")
                    .arg(h + 1)
                    .arg(*card.penalties[h])
                    .arg(strokes)
                    .arg(strokes == 1 ? QStringLiteral("stroke") : QStringLiteral("strokes"))};
    }
    if (round.hasHoleDetail())
        round.putts = putts;
    return round;
}

std::optional<double> readIndex(const QString& text)
{
    const QString trimmed = text.trimmed();
    const bool plus = trimmed.startsWith(QLatin1Char('+'));
    const auto index = toNumber(plus ? trimmed.mid(1) : trimmed);
    if (!index || *index < -10 || *index > 54)
        return std::nullopt;
    return plus ? -*index : *index;
}

} // namespace parlog
