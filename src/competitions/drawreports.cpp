#include "competitions/drawreports.h"

#include "data/conversions.h"
#include "data/queries.h"
#include "reports/layouts.h"

#include <QHash>

namespace parlog::drawreports {

namespace {

using draws::Draw;
using draws::Match;

const Match* matchAt(const Draw& draw, int round, int slot)
{
    for (const Match& m : draw.matches)
        if (m.round == round && m.slot == slot)
            return &m;
    return nullptr;
}

// "3 & 2" under the winner's name: the words without "won".
QString underWinner(const Match& m)
{
    if (m.result == u"bye")
        return QString();
    return m.result.startsWith(QStringLiteral("won ")) ? m.result.mid(4) : m.result;
}

QString heading(const Draw& draw, int column)
{
    const int last = matchdraw::rounds(draw);
    if (column >= last)
        return QStringLiteral("Winner");
    const Match* first = matchAt(draw, column + 1, 0);
    QString words = matchdraw::roundName(draw, column + 1);
    if (first && !first->playBy.isEmpty())
        words += QStringLiteral("\nby ") + formatStoredDate(first->playBy, DateFormat::Medium);
    return words;
}

// The name in a place of a column: the first round's entrants in column 0, then each
// round's winners.
std::pair<QString, QString> place(const Draw& draw, int column, int index)
{
    if (column == 0) {
        const Match* m = matchAt(draw, 1, index / 2);
        if (!m)
            return {};
        const QString name = index % 2 == 0 ? m->a : m->b;
        return {name.isEmpty() && !m->a.isEmpty() ? QStringLiteral("(bye)") : name, QString()};
    }
    const Match* m = matchAt(draw, column, index);
    if (!m || m->winner.isEmpty())
        return {QString(), m && matchdraw::decided(*m) ? m->result : QString()};
    return {m->winner, underWinner(*m)};
}

QString formatWords(const Draw& draw)
{
    return QString::fromLatin1(
        draw.team == golf::TeamFormat::Individual ? "Singles" : golf::formatName(draw.team));
}

} // namespace

QString about(const Draw& draw)
{
    const int entries = int(draw.entries.size());
    if (draw.kind == draws::Kind::League)
        return QStringLiteral("%1, %2 holes: a league of %3; a win %4, a half %5")
            .arg(formatWords(draw))
            .arg(draw.holes)
            .arg(entries)
            .arg(valueText(draw.winPoints), valueText(draw.halfPoints));
    return QStringLiteral("%1, %2 holes, %3: a knock-out of %4")
        .arg(formatWords(draw))
        .arg(draw.holes)
        .arg(draw.seeded ? QStringLiteral("seeded")
                         : QStringLiteral("drawn at random (seed %1)").arg(draw.seed))
        .arg(entries);
}

report::Report bracket(const Draw& draw)
{
    const int rounds = std::max(1, matchdraw::rounds(draw));
    const int places = 1 << rounds;
    const int perPage = std::min(places, report::kBracketPlacesAPage);
    int pageColumns = 0;
    for (int e = perPage; e > 1; e /= 2)
        ++pageColumns;
    report::Report::Parameters parameters{{QStringLiteral("draw"), draw.name},
                                          {QStringLiteral("about"), about(draw)}};
    for (int c = 0; c <= pageColumns; ++c)
        parameters.insert(QStringLiteral("h%1").arg(c), heading(draw, c));
    Rows rows;
    for (int c = 0, n = perPage; c <= pageColumns; ++c, n /= 2)
        for (int p = 0; p < n; ++p)
            rows.columns << QStringLiteral("n%1_%2").arg(c).arg(p)
                         << QStringLiteral("s%1_%2").arg(c).arg(p);
    for (int page = 0; page < places / perPage; ++page) {
        QVariantList row;
        for (int c = 0, n = perPage; c <= pageColumns; ++c, n /= 2)
            for (int p = 0; p < n; ++p) {
                const auto [name, result] = place(draw, c, page * n + p);
                row << name << result;
            }
        rows.rows << row;
    }
    // The rounds after the pages' own, from their winners, on the last page.
    for (int fc = 0, n = places / perPage; n >= 1 && places > perPage; ++fc, n /= 2) {
        const int column = pageColumns + fc;
        parameters.insert(QStringLiteral("fh%1").arg(fc), heading(draw, column));
        for (int p = 0; p < n; ++p) {
            const auto [name, result] = place(draw, column, p);
            parameters.insert(QStringLiteral("fn%1_%2").arg(fc).arg(p), name);
            parameters.insert(QStringLiteral("fs%1_%2").arg(fc).arg(p), result);
        }
    }
    return report::Report(report::bracketLayout(places), report::DataSource::of(rows), parameters);
}

QStringList matchColumns()
{
    return {QStringLiteral("round"), QStringLiteral("match"), QStringLiteral("playBy"),
            QStringLiteral("a"),     QStringLiteral("b"),     QStringLiteral("result")};
}

report::Report matches(const Draw& draw)
{
    Rows rows{matchColumns(), {}};
    for (const Match& m : draw.matches) {
        if (m.a.isEmpty() && m.b.isEmpty())
            continue; // waiting for both its players
        rows.rows << QVariantList{matchdraw::roundName(draw, m.round),
                                  m.slot + 1,
                                  m.playBy,
                                  m.a,
                                  m.b.isEmpty() && m.round == 1 ? QStringLiteral("(bye)") : m.b,
                                  matchdraw::resultLine(m)};
    }
    return report::Report(
        report::kDrawMatchesReport, report::DataSource::of(rows),
        {{QStringLiteral("draw"), draw.name}, {QStringLiteral("about"), about(draw)}});
}

QStringList leagueColumns()
{
    return {QStringLiteral("position"), QStringLiteral("entry"),  QStringLiteral("played"),
            QStringLiteral("won"),      QStringLiteral("halved"), QStringLiteral("lost"),
            QStringLiteral("holesUp"),  QStringLiteral("points")};
}

report::Report leagueTable(const Draw& draw)
{
    Rows rows{leagueColumns(), {}};
    for (const league::Line& l : matchdraw::table(draw))
        rows.rows << QVariantList{l.position, l.entry, l.played,  l.won,
                                  l.halved,   l.lost,  l.holesUp, valueText(l.points)};
    return report::Report(
        report::kLeagueTableReport, report::DataSource::of(rows),
        {{QStringLiteral("draw"), draw.name}, {QStringLiteral("about"), about(draw)}});
}

report::Report playerMatches(const QString& player, const matchdraw::PlayerMatches& record)
{
    Rows rows{{QStringLiteral("draw"), QStringLiteral("round"), QStringLiteral("as"),
               QStringLiteral("opponent"), QStringLiteral("outcome")},
              {}};
    for (const matchdraw::PlayedMatch& m : record.matches)
        rows.rows << QVariantList{m.draw, m.round, m.as, m.opponent, m.outcome};
    const int played = record.won + record.halved + record.lost;
    return report::Report(
        report::kPlayerMatchesReport, report::DataSource::of(rows),
        {{QStringLiteral("player"), player},
         {QStringLiteral("record"), QStringLiteral("Played %1: won %2, halved %3, lost %4")
                                        .arg(played)
                                        .arg(record.won)
                                        .arg(record.halved)
                                        .arg(record.lost)}});
}

} // namespace parlog::drawreports
