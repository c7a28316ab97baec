#include "stats/statistics.h"

#include "data/conversions.h"

#include <QSqlQuery>

#include <cmath>
#include <functional>

namespace parlog {

std::optional<QStringList> playersWithRounds(Connection& connection)
{
    return columnTexts(connection,
                       QStringLiteral("SELECT DISTINCT playerID FROM score WHERE playerID IS NOT "
                                      "NULL ORDER BY playerID"),
                       QStringLiteral("playerID"));
}

std::optional<Rows> everRound(Connection& connection, const QString& player, bool best)
{
    // Ties all print, as the cards always have: every round sharing the net.
    return allRows(connection,
                   QStringLiteral("SELECT * FROM score WHERE playerID = ? AND net = "
                                  "(SELECT %1(net) FROM score WHERE playerID = ?) ORDER BY rowid")
                       .arg(best ? QStringLiteral("min") : QStringLiteral("max")),
                   {player, player});
}

std::optional<Rows> courseRound(Connection& connection, const QString& player,
                                const QString& course, bool best)
{
    return allRows(connection,
                   QStringLiteral("SELECT * FROM score WHERE playerID = ? AND course = ? AND "
                                  "net = (SELECT %1(net) FROM score WHERE playerID = ? AND "
                                  "course = ?) ORDER BY rowid")
                       .arg(best ? QStringLiteral("min") : QStringLiteral("max")),
                   {player, course, player, course});
}

std::optional<QStringList> coursesPlayed(Connection& connection, const QString& player)
{
    return columnTexts(connection,
                       QStringLiteral("SELECT DISTINCT course FROM score WHERE playerID = ? AND "
                                      "course IS NOT NULL ORDER BY course"),
                       QStringLiteral("course"), {player});
}

std::optional<qint64> currentHandicap(Connection& connection, const QString& player)
{
    const auto row = firstRow(connection,
                              QStringLiteral("SELECT Handicapp FROM player WHERE playername = ? "
                                             "ORDER BY ID LIMIT 1"),
                              {player});
    if (!row || row->isEmpty())
        return std::nullopt;
    const auto value = toNumber(valueText(row->value(QStringLiteral("Handicapp"))));
    if (!value)
        return std::nullopt;
    return roundHalfEven(*value);
}

std::optional<PossibleRound> possibleRound(Connection& connection, const QString& player,
                                           Possible kind)
{
    const QString aggregate = kind == Possible::Best    ? QStringLiteral("min")
                              : kind == Possible::Worst ? QStringLiteral("max")
                                                        : QStringLiteral("avg");
    QStringList columns;
    for (int h = 1; h <= 18; ++h)
        columns << QStringLiteral("%1(hole%2) AS h%2").arg(aggregate).arg(h);
    const auto rows = allRows(connection,
                              QStringLiteral("SELECT %1 FROM score WHERE playerID = ?")
                                  .arg(columns.join(QStringLiteral(", "))),
                              {player});
    if (!rows)
        return std::nullopt;
    PossibleRound round;
    round.holes = *rows;
    const QVariantList values = rows->rows.isEmpty() ? QVariantList() : rows->rows.first();
    const auto half = [&](int from) -> std::optional<double> {
        double sum = 0;
        for (int h = from; h < from + 9; ++h) {
            if (h >= values.size() || values[h].isNull())
                return std::nullopt;
            sum += values[h].toDouble();
        }
        return sum;
    };
    std::optional<double> out = half(0);
    std::optional<double> inn = half(9);
    if (kind == Possible::Average) {
        // Out and in are rounded once each, halves to even, before they are added.
        // Means of thirds and sixths do not add up exactly in binary: settle the sum
        // to a millionth first, so that a true half is seen as one.
        const auto settle = [](double v) { return std::round(v * 1e6) / 1e6; };
        if (out)
            out = double(*roundHalfEven(settle(*out)));
        if (inn)
            inn = double(*roundHalfEven(settle(*inn)));
        // The cells print each hole's mean with one decimal.
        if (!round.holes.rows.isEmpty())
            for (QVariant& v : round.holes.rows.first())
                if (!v.isNull())
                    v = QString::number(v.toDouble(), 'f', 1);
    }
    const auto text = [](double v) { return QString::number(qint64(std::llround(v))); };
    if (out)
        round.out = text(*out);
    if (inn)
        round.inn = text(*inn);
    std::optional<double> gross;
    if (out && inn) {
        gross = *out + *inn;
        round.gross = text(*gross);
    }
    const auto handicap = currentHandicap(connection, player);
    if (handicap)
        round.handicap = QString::number(*handicap);
    if (gross && handicap)
        round.net = text(*gross - double(*handicap));
    return round;
}

namespace {

std::optional<Series> series(Connection& connection, const QString& sql, const QString& player,
                             const std::function<QString(const QVariant&)>& label)
{
    QSqlQuery q = connection.query();
    if (!connection.exec(q, sql, {player}))
        return std::nullopt;
    Series result;
    while (q.next())
        result.append({label(q.value(0)), q.value(1).toDouble()});
    return result;
}

} // namespace

std::optional<Series> roundsPerCourse(Connection& connection, const QString& player)
{
    return series(connection,
                  QStringLiteral("SELECT course, count(*) FROM score WHERE playerID = ? "
                                 "GROUP BY course"),
                  player, [](const QVariant& v) { return valueText(v); });
}

std::optional<Series> puttsByDate(Connection& connection, const QString& player)
{
    return series(connection,
                  QStringLiteral("SELECT strdate, putts FROM score WHERE putts > 0 AND "
                                 "playerID = ? ORDER BY strdate, rowid"),
                  player,
                  [](const QVariant& v) { return formatStoredDate(v, DateFormat::ShortPadded); });
}

} // namespace parlog
