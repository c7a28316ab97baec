#include "competitions/playcards.h"

#include "data/conversions.h"
#include "data/queries.h"
#include "golf/rules.h"
#include "golf/whs.h"
#include "reports/layouts.h"

namespace parlog::playcards {

namespace {

QString plusText(double value, int decimals)
{
    const QString digits = QString::number(std::abs(value), 'f', decimals);
    return value < 0 && digits != QString::number(0.0, 'f', decimals) ? QStringLiteral("+") + digits
                                                                      : digits;
}

} // namespace

QString dotsFor(int received)
{
    return received >= 0 ? QString(received, QChar(0x2022)) : QString(-received, u'+');
}

QList<Card> cardsOf(const QList<startsheet::Group>& groups, const QHash<QString, double>& indexes,
                    const competitions::Settings& settings, const field::RatedTee& tee)
{
    const bool oneBall = golf::oneBall(settings.team);
    const golf::Play play = competitions::playOf(settings.format);
    QList<Card> cards;
    for (qsizetype g = 0; g < groups.size(); ++g) {
        const startsheet::Group& group = groups[g];
        for (qsizetype p = 0; p < group.players.size(); ++p) {
            const QString unit = group.units.value(p, group.players[p]);
            // A one-ball side plays one card: it goes with its first player.
            if (oneBall && p > 0 && group.units.value(p - 1) == unit)
                continue;
            QStringList players{group.players[p]};
            if (oneBall)
                for (qsizetype q = p + 1; q < group.players.size() && group.units.value(q) == unit;
                     ++q)
                    players << group.players[q];
            Card card;
            card.name = oneBall && players.size() > 1 ? unit : group.players[p];
            card.time = startsheet::timeText(group.time);
            card.startTee = group.tee;
            card.group = int(g + 1);
            QList<double> courseHandicaps;
            for (const QString& player : std::as_const(players)) {
                const auto index = indexes.constFind(player.toLower());
                if (index == indexes.constEnd()) {
                    courseHandicaps.clear();
                    break;
                }
                courseHandicaps << whs::courseHandicap(*index, tee.eighteen.slopeRating,
                                                       tee.eighteen.courseRating, tee.eighteen.par);
                if (players.size() == 1) {
                    card.index = plusText(*index, 1);
                    card.courseHandicap = plusText(courseHandicaps.last(), 1);
                }
            }
            const QList<int> playing =
                courseHandicaps.isEmpty()
                    ? QList<int>()
                    : golf::playingHandicaps(oneBall ? settings.team : golf::TeamFormat::Individual,
                                             play, courseHandicaps, settings.allowance);
            if (!playing.isEmpty()) {
                card.playing = plusText(playing.first(), 0);
                for (int h = 0; h < 18; ++h)
                    card.dots[h] =
                        dotsFor(golf::strokesReceived(playing.first(), tee.holes.strokeIndex[h]));
            }
            cards << card;
        }
    }
    return cards;
}

report::Report report(const QList<Card>& cards, const competitions::Settings& settings,
                      const field::RatedTee& tee)
{
    Rows rows{{QStringLiteral("name"), QStringLiteral("index"), QStringLiteral("courseHandicap"),
               QStringLiteral("playing"), QStringLiteral("time"), QStringLiteral("startTee"),
               QStringLiteral("group")},
              {}};
    for (int h = 1; h <= 18; ++h)
        rows.columns << QStringLiteral("dots%1").arg(h);
    for (const Card& c : cards) {
        QVariantList row{c.name, c.index,    c.courseHandicap,        c.playing,
                         c.time, c.startTee, QString::number(c.group)};
        for (const QString& d : c.dots)
            row << d;
        rows.rows << row;
    }
    report::Report::Parameters parameters{
        {QStringLiteral("competition"), settings.name},
        {QStringLiteral("day"), formatStoredDate(settings.date, DateFormat::Medium)},
        {QStringLiteral("course"), tee.label},
        {QStringLiteral("format"),
         QStringLiteral("%1%2, %3% allowance")
             .arg(competitions::formatName(settings.format),
                  settings.team == golf::TeamFormat::Individual
                      ? QString()
                      : QStringLiteral(", ") + QString::fromLatin1(golf::formatName(settings.team)))
             .arg(valueText(settings.allowance * 100))},
        {QStringLiteral("pointsRow"),
         settings.format == competitions::Format::Stableford ? QStringLiteral("Points")
         : settings.format == competitions::Format::ParBogey ? QStringLiteral("+ / \u2013")
                                                             : QString()}};
    int out = 0;
    int in = 0;
    for (int h = 0; h < 18; ++h) {
        parameters.insert(QStringLiteral("par%1").arg(h + 1),
                          tee.holes.par[h] > 0 ? QString::number(tee.holes.par[h]) : QString());
        parameters.insert(QStringLiteral("si%1").arg(h + 1),
                          tee.holes.strokeIndex[h] > 0 ? QString::number(tee.holes.strokeIndex[h])
                                                       : QString());
        (h < 9 ? out : in) += tee.holes.par[h];
    }
    parameters.insert(QStringLiteral("parOut"), QString::number(out));
    parameters.insert(QStringLiteral("parIn"), QString::number(in));
    parameters.insert(QStringLiteral("parTotal"), QString::number(out + in));
    return report::Report(report::kPlayCardsReport, report::DataSource::of(rows), parameters);
}

} // namespace parlog::playcards
