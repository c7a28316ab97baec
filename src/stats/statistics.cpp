#include "stats/statistics.h"

#include "data/conversions.h"
#include "data/players.h"
#include "data/rounds.h"

#include <cmath>
#include <functional>

namespace parlog {

Result<QStringList> playersWithRounds(Connection& connection)
{
    return rounds::playersNamed(connection);
}

Result<std::optional<qint64>> currentHandicap(Connection& connection, const QString& player)
{
    const auto row = players::rowNamed(connection, player);
    if (!row)
        return Failure{row.error()};
    const auto value = toNumber(valueText(row->value(QStringLiteral("Handicapp"))));
    if (!value)
        return std::optional<qint64>();
    return std::optional<qint64>(roundHalfEven(*value));
}

Result<PossibleRound> possibleRound(Connection& connection, const QString& player, Possible kind)
{
    const auto rows = rounds::holeAggregates(connection, player,
                                             kind == Possible::Best    ? rounds::Aggregate::Min
                                             : kind == Possible::Worst ? rounds::Aggregate::Max
                                                                       : rounds::Aggregate::Avg);
    if (!rows)
        return Failure{rows.error()};
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
    if (!handicap)
        return Failure{handicap.error()};
    if (*handicap)
        round.handicap = QString::number(**handicap);
    if (gross && *handicap)
        round.net = text(*gross - double(**handicap));
    return round;
}

namespace {

Result<Series> series(const Result<Rows>& rows,
                      const std::function<QString(const QVariant&)>& label)
{
    if (!rows)
        return Failure{rows.error()};
    Series result;
    for (const QVariantList& row : rows->rows)
        result.append({label(row.value(0)), row.value(1).toDouble()});
    return result;
}

} // namespace

Result<Series> roundsPerCourse(Connection& connection, const QString& player)
{
    return series(rounds::roundsPerCourse(connection, player),
                  [](const QVariant& v) { return valueText(v); });
}

Result<Series> puttsByDate(Connection& connection, const QString& player)
{
    return series(rounds::puttsByDate(connection, player),
                  [](const QVariant& v) { return formatStoredDate(v, DateFormat::ShortPadded); });
}

QStringList barLabels(const Series& series, int step, int maxLength)
{
    // Invisible marks make each label its own: the bar's number in zero-width
    // spaces and non-joiners.
    const auto mark = [](qsizetype n) {
        QString suffix;
        for (; n > 0; n /= 2)
            suffix += QChar(n % 2 ? 0x200C : 0x200B);
        return suffix;
    };
    QStringList labels;
    for (qsizetype i = 0; i < series.size(); ++i) {
        QString text;
        if (step <= 1 || i % step == 0) {
            text = series[i].first;
            if (maxLength > 0 && text.size() > maxLength)
                text = text.left(maxLength - 1) + QChar(0x2026);
        }
        labels << text + QChar(0x200B) + mark(i);
    }
    return labels;
}

int labelStep(int bars, double plotWidth, double labelWidth)
{
    if (bars <= 0 || labelWidth <= 0)
        return 1;
    const int fit = qMax(1, int(plotWidth / labelWidth));
    return qMax(1, (bars + fit - 1) / fit);
}

} // namespace parlog
