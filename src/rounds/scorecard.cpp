#include "rounds/scorecard.h"

#include "data/connection.h"
#include "data/conversions.h"
#include "data/queries.h"

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

QStringList roundColumns()
{
    QStringList columns;
    for (int h = 1; h <= 18; ++h)
        columns << QStringLiteral("hole%1").arg(h);
    columns << QStringLiteral("inn") << QStringLiteral("out") << QStringLiteral("hand")
            << QStringLiteral("gross") << QStringLiteral("net") << QStringLiteral("course")
            << QStringLiteral("strdate") << QStringLiteral("putts") << QStringLiteral("playerID");
    for (int h = 1; h <= 18; ++h)
        columns << QStringLiteral("green%1").arg(h);
    for (int h = 1; h <= 18; ++h)
        columns << QStringLiteral("fairway%1").arg(h);
    columns << QStringLiteral("division") << QStringLiteral("compss") << QStringLiteral("comp")
            << QStringLiteral("comment");
    return columns;
}

std::optional<QVariantList> roundValues(const RoundCard& card, QString* problem)
{
    QVariantList values;
    const auto whole = [&](const QString& text, const QString& what) {
        const auto n = toInt16(text);
        if (!n && problem)
            *problem = what;
        if (n)
            values << int(*n);
        return n.has_value();
    };
    for (int h = 0; h < 18; ++h)
        if (!whole(card.totals.holes[h], QStringLiteral("HOLE%1").arg(h + 1)))
            return std::nullopt;
    if (!whole(card.totals.inn, QStringLiteral("IN")) ||
        !whole(card.totals.out, QStringLiteral("OUT")))
        return std::nullopt;
    const auto hand = toNumber(card.totals.handicap);
    if (!hand) {
        if (problem)
            *problem = QStringLiteral("Handicap");
        return std::nullopt;
    }
    values << *hand;
    if (!whole(card.totals.gross, QStringLiteral("Gross")) ||
        !whole(card.totals.net, QStringLiteral("Net")))
        return std::nullopt;
    values << card.course;
    const auto date = toStoredDate(card.date);
    if (!date) {
        if (problem)
            *problem = QStringLiteral("Date");
        return std::nullopt;
    }
    values << *date;
    if (!whole(card.putts, QStringLiteral("Putts total")))
        return std::nullopt;
    values << card.player;
    for (bool green : card.greens)
        values << int(green);
    for (bool fairway : card.fairways)
        values << int(fairway);
    values << card.division << card.standardScratch << card.competition << card.comment;
    return values;
}

bool insertRound(Connection& connection, const QVariantList& values)
{
    return insertRow(connection, QStringLiteral("score"), roundColumns(), values);
}

} // namespace parlog
