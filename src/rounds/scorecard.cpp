#include "rounds/scorecard.h"

#include "data/conversions.h"

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

Result<Record> roundValues(const RoundCard& card)
{
    Record values;
    const auto refuse = [](const QString& box) {
        return Failure{QStringLiteral("%1 cannot be stored as it stands").arg(box)};
    };
    const auto whole = [&](const char* column, const QString& text) {
        const auto n = toInt16(text);
        if (n)
            values.insert(QLatin1String(column), int(*n));
        return n.has_value();
    };
    for (int h = 0; h < 18; ++h)
        if (!whole(qPrintable(QStringLiteral("hole%1").arg(h + 1)), card.totals.holes[h]))
            return refuse(QStringLiteral("HOLE%1").arg(h + 1));
    if (!whole("inn", card.totals.inn))
        return refuse(QStringLiteral("IN"));
    if (!whole("out", card.totals.out))
        return refuse(QStringLiteral("OUT"));
    const auto hand = toNumber(card.totals.handicap);
    if (!hand)
        return refuse(QStringLiteral("Handicap"));
    values.insert(QStringLiteral("hand"), *hand);
    if (!whole("gross", card.totals.gross))
        return refuse(QStringLiteral("Gross"));
    if (!whole("net", card.totals.net))
        return refuse(QStringLiteral("Net"));
    const auto date = toStoredDate(card.date);
    if (!date)
        return refuse(QStringLiteral("Date"));
    values.insert(QStringLiteral("strdate"), *date);
    if (!whole("putts", card.putts))
        return refuse(QStringLiteral("Putts total"));
    for (int h = 0; h < 18; ++h) {
        values.insert(QStringLiteral("green%1").arg(h + 1), int(card.greens[h]));
        values.insert(QStringLiteral("fairway%1").arg(h + 1), int(card.fairways[h]));
    }
    values.insert(QStringLiteral("course"), card.course);
    values.insert(QStringLiteral("playerID"), card.player);
    values.insert(QStringLiteral("division"), card.division);
    values.insert(QStringLiteral("compss"), card.standardScratch);
    values.insert(QStringLiteral("comp"), card.competition);
    values.insert(QStringLiteral("comment"), card.comment);
    return values;
}

} // namespace parlog
