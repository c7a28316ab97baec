#include "competitions/publishing.h"

#include "data/conversions.h"
#include "data/queries.h"
#include "golf/rules.h"
#include "reports/layouts.h"

namespace parlog::publishing {

namespace {

const QStringList kColumns{"position", "player", "division", "handicap",
                           "gross",    "net",    "points",   "countback"};
const QStringList kSideColumns{"position", "side", "players", "handicaps",
                               "gross",    "net",  "points",  "countback"};

} // namespace

QString nineName(competitions::Nine nine)
{
    switch (nine) {
    case competitions::Nine::Front:
        return QStringLiteral("Front nine");
    case competitions::Nine::Back:
        return QStringLiteral("Back nine");
    case competitions::Nine::Eighteen:
        break;
    }
    return QStringLiteral("18 holes");
}

QString playedAs(const competitions::Settings& s)
{
    QString text = competitions::formatName(s.format);
    if (s.team != golf::TeamFormat::Individual)
        text += QStringLiteral(", ") + QString::fromLatin1(golf::formatName(s.team)).toLower();
    if (s.nine != competitions::Nine::Eighteen)
        text += QStringLiteral(", ") + nineName(s.nine).toLower();
    return text;
}

QString percentOf(double allowance)
{
    return QString::number(golf::roundHalfUp(allowance * 100, 1));
}

QStringList placingFields(const Placing& p)
{
    return {p.position,
            p.player,
            p.players.isEmpty() ? p.division : p.players.join(QStringLiteral(", ")),
            p.handicap,
            p.gross,
            p.net,
            p.points,
            p.countback};
}

report::Report resultsReport(const QList<Placing>& placings, const competitions::Settings& settings,
                             const ResultsHeading& heading)
{
    const bool sides = settings.team != golf::TeamFormat::Individual;
    // A spreadsheet has no heading: each line says how the competition was played.
    Rows lines{(sides ? kSideColumns : kColumns) +
                   QStringList{QStringLiteral("Format"), QStringLiteral("Allowance")},
               {}};
    const QString played = playedAs(settings);
    const QString share = percentOf(settings.allowance) + QLatin1Char('%');
    for (const Placing& p : placings) {
        QVariantList row;
        for (const QString& text : placingFields(p))
            row << text;
        lines.rows << (row << played << share);
    }
    return report::Report(
        sides ? report::kTeamResultsReport : report::kResultsReport, report::DataSource::of(lines),
        {{QStringLiteral("competition"), heading.competition},
         {QStringLiteral("date"), heading.dates},
         {QStringLiteral("course"), heading.course},
         // None typed (or 0): no line that says 0.
         {QStringLiteral("scratch"),
          heading.scratch.trimmed().isEmpty() || heading.scratch.trimmed() == u"0"
              ? QString()
              : QStringLiteral("Standard scratch %1").arg(heading.scratch.trimmed())},
         {QStringLiteral("format"), played},
         {QStringLiteral("allowance"), share}});
}

QStringList eventPoints(const MeritLine& line)
{
    QStringList texts;
    for (qsizetype e = 0; e < line.points.size(); ++e) {
        if (!line.points[e])
            texts << QString();
        else if (line.counting[e])
            texts << shownPoints(*line.points[e]);
        else
            texts << QStringLiteral("(%1)").arg(shownPoints(*line.points[e]));
    }
    return texts;
}

QString meritRule(const seasons::Season& season, const OrderOfMerit& table)
{
    const QString best =
        season.bestOf > 0
            ? QStringLiteral("the best %1 of each player's events count").arg(season.bestOf)
            : QStringLiteral("every event counts");
    return table.events.isEmpty()
               ? QStringLiteral("No competitions between these dates count.")
               : QStringLiteral("%1 competitions, %2 players; %3; points in brackets do not "
                                "count.")
                     .arg(table.events.size())
                     .arg(table.lines.size())
                     .arg(best);
}

report::Report meritReport(const seasons::Season& season, const OrderOfMerit& table,
                           const QString& division, const QString& dates, bool printed)
{
    QStringList columns{QStringLiteral("position"), QStringLiteral("player")};
    QStringList legend;
    QStringList eventColumns;
    for (qsizetype e = 0; e < table.events.size(); ++e) {
        const MeritEvent& event = table.events[e];
        eventColumns << QStringLiteral("%1 %2").arg(event.name, event.date);
        columns << eventColumns.last();
        legend << QStringLiteral("%1 %2 (%3)")
                      .arg(e + 1)
                      .arg(event.name, formatStoredDate(event.date, DateFormat::Medium));
    }
    columns << QStringLiteral("total") << QStringLiteral("played") << QStringLiteral("byEvent");
    Rows lines{columns, {}};
    for (const MeritLine& line : table.lines) {
        QVariantList row{line.position, line.player};
        QStringList shown;
        for (const QString& text : eventPoints(line)) {
            row << text;
            shown << (text.isEmpty() ? QStringLiteral("\u2013") : text);
        }
        row << shownPoints(line.total) << line.played << shown.join(QStringLiteral("  "));
        lines.rows << row;
    }
    return report::Report(
        report::orderOfMeritLayout(eventColumns, printed), report::DataSource::of(lines),
        {{QStringLiteral("season"),
          season.name + (division.isEmpty() ? QString() : QStringLiteral(", ") + division)},
         {QStringLiteral("dates"), dates},
         {QStringLiteral("rule"), meritRule(season, table)},
         {QStringLiteral("events"), legend.join(QStringLiteral("; "))}});
}

} // namespace parlog::publishing
