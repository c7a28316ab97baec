#include "competitions/matchdraw.h"

#include "competitions/knockout.h"
#include "golf/matchplay.h"
#include "golf/rules.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>

namespace parlog::matchdraw {

namespace {

using draws::Draw;
using draws::Match;

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

const draws::Entry* entryNamed(const Draw& draw, const QString& name)
{
    for (const draws::Entry& e : draw.entries)
        if (sameName(e.name, name))
            return &e;
    return nullptr;
}

bool withdrawn(const Draw& draw, const QString& name)
{
    const draws::Entry* e = entryNamed(draw, name);
    return e && e->withdrawn;
}

QStringList playing(const Draw& draw)
{
    QStringList names;
    for (const draws::Entry& e : draw.entries)
        if (!e.withdrawn && !e.name.trimmed().isEmpty())
            names << e.name.trimmed();
    return names;
}

Match* matchAt(Draw& draw, int round, int slot)
{
    for (Match& m : draw.matches)
        if (m.round == round && m.slot == slot)
            return &m;
    return nullptr;
}

void clearResult(Match& m)
{
    m.holesPlayed.clear();
    m.margin.reset();
    m.result.clear();
    m.winner.clear();
}

void walkoverTo(Match& m, bool toA)
{
    clearResult(m);
    m.margin = toA ? 1 : -1;
    m.result = QStringLiteral("walkover");
    m.winner = toA ? m.a : m.b;
}

// A match with a player who withdrew is the other's; both gone, it is nobody's.
void walkoverIfWithdrawn(const Draw& draw, Match& m)
{
    if (decided(m) || m.a.isEmpty())
        return;
    const bool aOut = withdrawn(draw, m.a);
    const bool bOut = !m.b.isEmpty() && withdrawn(draw, m.b);
    if (aOut && bOut) {
        clearResult(m);
        m.result = QStringLiteral("both withdrawn");
    } else if (aOut && !m.b.isEmpty()) {
        walkoverTo(m, false);
    } else if (bOut) {
        walkoverTo(m, true);
    }
}

Outcome won(const Match& m, bool forA, int margin, const QString& words)
{
    return Outcome{forA ? margin : -margin, words, forA ? m.a : m.b};
}

} // namespace

void makeKnockout(Draw& draw)
{
    draw.kind = draws::Kind::Knockout;
    const QStringList entries = playing(draw);
    // The rounds' play-by dates outlast a new draw.
    QStringList playBy;
    for (const Match& m : std::as_const(draw.matches)) {
        if (playBy.size() < m.round)
            playBy.resize(m.round);
        if (playBy[m.round - 1].isEmpty())
            playBy[m.round - 1] = m.playBy;
    }
    draw.matches.clear();
    if (entries.size() < 2)
        return;
    const QList<knockout::Pairing> first =
        knockout::firstRound(entries, draw.seeded, draw.seeded ? 0 : draw.seed);
    for (qsizetype s = 0; s < first.size(); ++s) {
        Match m;
        m.round = 1;
        m.slot = int(s);
        m.a = first[s].a;
        m.b = first[s].b;
        if (first[s].bye()) {
            m.result = QStringLiteral("bye");
            m.winner = m.a;
        }
        draw.matches << m;
    }
    for (int round = 2, size = int(first.size()) / 2; size >= 1; ++round, size /= 2)
        for (int s = 0; s < size; ++s) {
            Match m;
            m.round = round;
            m.slot = s;
            draw.matches << m;
        }
    for (Match& m : draw.matches)
        m.playBy = playBy.value(m.round - 1);
    moveOn(draw);
}

void makeLeague(Draw& draw)
{
    draw.kind = draws::Kind::League;
    QStringList entries = playing(draw);
    draw.matches.clear();
    if (entries.size() < 2)
        return;
    // The circle: the first stays, the others turn one place a round; an odd number
    // has an empty place, and whoever meets it sits the round out.
    if (entries.size() % 2 != 0)
        entries << QString();
    const int n = int(entries.size());
    for (int round = 1; round < n; ++round) {
        int slot = 0;
        for (int i = 0; i < n / 2; ++i) {
            const QString& a = entries[i];
            const QString& b = entries[n - 1 - i];
            if (a.isEmpty() || b.isEmpty())
                continue;
            Match m;
            m.round = round;
            m.slot = slot++;
            // Turn about who is named first, so nobody is always A.
            m.a = (round + i) % 2 ? a : b;
            m.b = (round + i) % 2 ? b : a;
            draw.matches << m;
        }
        entries.move(n - 1, 1);
    }
}

int rounds(const Draw& draw)
{
    int most = 0;
    for (const Match& m : draw.matches)
        most = std::max(most, m.round);
    return most;
}

QString roundName(const Draw& draw, int round)
{
    if (draw.kind == draws::Kind::Knockout) {
        const int left = rounds(draw) - round;
        if (left == 0)
            return QStringLiteral("Final");
        if (left == 1)
            return QStringLiteral("Semi-finals");
        if (left == 2)
            return QStringLiteral("Quarter-finals");
    }
    return QStringLiteral("Round %1").arg(round);
}

bool decided(const Match& m)
{
    return !m.result.isEmpty();
}

void moveOn(Draw& draw)
{
    if (draw.kind == draws::Kind::League) {
        for (Match& m : draw.matches)
            walkoverIfWithdrawn(draw, m);
        return;
    }
    const int last = rounds(draw);
    for (int round = 1; round <= last; ++round) {
        for (Match& m : draw.matches) {
            if (m.round != round)
                continue;
            if (round > 1) {
                const Match* top = matchAt(draw, round - 1, 2 * m.slot);
                const Match* bottom = matchAt(draw, round - 1, 2 * m.slot + 1);
                const QString a = top ? top->winner : QString();
                const QString b = bottom ? bottom->winner : QString();
                if (!sameName(a, m.a) || !sameName(b, m.b)) {
                    m.a = a;
                    m.b = b;
                    clearResult(m);
                }
                // One side's match left nobody: the other goes through once known.
                const bool topGone = top && decided(*top) && top->winner.isEmpty();
                const bool bottomGone = bottom && decided(*bottom) && bottom->winner.isEmpty();
                if (!decided(m) && (topGone || bottomGone)) {
                    if (topGone && bottomGone)
                        m.result = QStringLiteral("both withdrawn");
                    else if (topGone && !m.b.isEmpty())
                        walkoverTo(m, false);
                    else if (bottomGone && !m.a.isEmpty())
                        walkoverTo(m, true);
                }
            }
            if (!m.b.isEmpty() || round > 1)
                walkoverIfWithdrawn(draw, m);
            else if (withdrawn(draw, m.a) && m.result == u"bye") {
                // A bye for one who withdrew takes nobody on.
                m.winner.clear();
                m.result = QStringLiteral("withdrawn");
            }
        }
    }
}

Result<Outcome> parseResult(const QString& text, const Match& m, bool league, int holes)
{
    const QString typed = text.simplified();
    static const QRegularExpression halved(QStringLiteral("^(halved|h|as|a/s|all square)$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (halved.match(typed).hasMatch()) {
        if (!league)
            return Failure{QStringLiteral("A knock-out match is not halved: it goes on to the "
                                          "19th.")};
        return Outcome{0, QStringLiteral("halved"), QString()};
    }
    static const QRegularExpression words(
        QStringLiteral("^(.+?)\\s+(?:won\\s+)?(?:(\\d+)\\s*&\\s*(\\d+)|(\\d+)\\s*up|"
                       "(?:at\\s+(?:the\\s+)?)?(\\d+)(?:st|nd|rd|th)|(walkover|w/?o)|"
                       "(?:by\\s+)?(concession|conceded))$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto found = words.match(typed);
    if (!found.hasMatch())
        return Failure{QStringLiteral("\"%1\" is not a result: type who won and how, as "
                                      "\"A won 3 & 2\", \"B 1 up\", \"A at the 19th\", \"B "
                                      "walkover\"%2.")
                           .arg(typed, league ? QStringLiteral(" or \"halved\"") : QString())};
    const QString who = found.captured(1).trimmed();
    bool forA = false;
    if (who.compare(QStringLiteral("A"), Qt::CaseInsensitive) == 0 || who == u"1") {
        forA = true;
    } else if (who.compare(QStringLiteral("B"), Qt::CaseInsensitive) == 0 || who == u"2") {
        forA = false;
    } else {
        const bool a = m.a.startsWith(who, Qt::CaseInsensitive);
        const bool b = !m.b.isEmpty() && m.b.startsWith(who, Qt::CaseInsensitive);
        if (a == b)
            return Failure{a ? QStringLiteral("\"%1\" names both players: type A or B.").arg(who)
                             : QStringLiteral("\"%1\" plays in neither side of this match: type "
                                              "A, B or a player's name.")
                                   .arg(who)};
        forA = a;
    }
    if (m.a.isEmpty() || m.b.isEmpty())
        return Failure{QStringLiteral("This match waits for its players.")};
    if (found.capturedLength(2) > 0) {
        const int up = found.captured(2).toInt();
        const int toPlay = found.captured(3).toInt();
        // Won by N with M to play: one or two up more than the holes left (2 & 1 from one
        // up with two to play, 3 & 1 from dormie two), and never more than were played.
        if (toPlay < 1 || toPlay >= holes || (up != toPlay + 1 && up != toPlay + 2) ||
            up > holes - toPlay)
            return Failure{QStringLiteral("No match of %1 holes ends %2 & %3.")
                               .arg(holes)
                               .arg(up)
                               .arg(toPlay)};
        return won(m, forA, up, QStringLiteral("won %1 & %2").arg(up).arg(toPlay));
    }
    if (found.capturedLength(4) > 0) {
        const int up = found.captured(4).toInt();
        if (up < 1 || up > 2)
            return Failure{QStringLiteral("A match that goes the distance is won 1 up or 2 up; "
                                          "%1 up would have ended sooner.")
                               .arg(up)};
        return won(m, forA, up, QStringLiteral("won %1 up").arg(up));
    }
    if (found.capturedLength(5) > 0) {
        const int hole = found.captured(5).toInt();
        if (hole <= holes)
            return Failure{
                QStringLiteral("Extra holes start at the %1.").arg(golf::ordinal(holes + 1))};
        return won(m, forA, 1, QStringLiteral("won at the %1").arg(golf::ordinal(hole)));
    }
    if (found.capturedLength(6) > 0)
        return won(m, forA, 1, QStringLiteral("walkover"));
    return won(m, forA, 1, QStringLiteral("won by concession"));
}

std::optional<Outcome> outcomeOfHoles(const QString& holes, const Match& m, int length)
{
    QList<int> results;
    for (QChar c : holes)
        results << (c == u'1' ? 1 : c == u'2' ? -1 : 0);
    const golf::MatchState state = golf::matchState(results, length);
    if (!state.decided)
        return std::nullopt;
    const bool forA = state.margin > 0;
    // Extra holes count as one hole won, as the match ends there.
    const int margin = state.played > length ? 1 : std::abs(state.margin);
    return won(m, forA, margin, state.words);
}

QString resultLine(const Match& m)
{
    if (m.result.isEmpty())
        return QString();
    if (m.winner.isEmpty())
        return m.result;
    return m.winner + QLatin1Char(' ') + m.result;
}

QList<league::Line> table(const Draw& draw)
{
    QStringList entries;
    for (const draws::Entry& e : draw.entries)
        entries << e.name;
    QList<league::Match> played;
    for (const Match& m : draw.matches)
        if (decided(m) && m.margin && !m.b.isEmpty())
            played.append({m.a, m.b, *m.margin});
    return league::table(entries, played, {draw.winPoints, draw.halfPoints});
}

QList<int> ballStrokes(golf::TeamFormat format, const QList<QList<double>>& courseHandicaps,
                       const QList<int>& parsOverLowest)
{
    using golf::Play;
    QList<int> playingHandicaps;
    for (qsizetype side = 0; side < courseHandicaps.size(); ++side) {
        const int over = parsOverLowest.value(side);
        if (golf::oneBall(format)) {
            const QList<int> one =
                golf::playingHandicaps(format, Play::MatchPlay, courseHandicaps[side]);
            if (one.isEmpty())
                return {};
            playingHandicaps << one.first() + over;
        } else {
            if (courseHandicaps[side].size() != golf::sideSize(format))
                return {};
            for (double ch : courseHandicaps[side])
                playingHandicaps << golf::playingHandicaps(format, Play::MatchPlay, {ch}).first() +
                                        over;
        }
    }
    return golf::matchStrokes(playingHandicaps);
}

std::optional<int> holeResult(const QList<int>& strokes, const QList<int>& received,
                              const QList<int>& sideOfBall)
{
    std::optional<int> best[2];
    for (qsizetype i = 0; i < strokes.size(); ++i) {
        if (strokes[i] <= 0)
            continue;
        const int net = strokes[i] - received.value(i);
        auto& b = best[sideOfBall.value(i) == 0 ? 0 : 1];
        if (!b || net < *b)
            b = net;
    }
    if (!best[0] || !best[1])
        return std::nullopt;
    return *best[0] < *best[1] ? 1 : *best[0] > *best[1] ? -1 : 0;
}

int strokesOnHole(int strokes, const golf::Holes& holes, int hole, int length)
{
    const int h = hole % length;
    const int index = holes.strokeIndex[h];
    if (index <= 0)
        return 0;
    if (length == 18)
        return golf::strokesReceived(strokes, index);
    // Over a nine, the strokes go by the stroke indexes' order within it.
    int place = 1;
    for (int other = 0; other < length; ++other)
        if (holes.strokeIndex[other] > 0 && holes.strokeIndex[other] < index)
            ++place;
    return golf::strokesReceivedOnNine(strokes, place);
}

PlayerMatches playerMatches(const QList<Draw>& all, const QString& player)
{
    PlayerMatches out;
    for (const Draw& draw : all) {
        const auto plays = [&](const QString& entry) {
            if (sameName(entry, player))
                return true;
            const draws::Entry* e = entryNamed(draw, entry);
            return e && std::any_of(e->players.cbegin(), e->players.cend(),
                                    [&](const QString& p) { return sameName(p, player); });
        };
        for (const Match& m : draw.matches) {
            if (!decided(m) || m.a.isEmpty() || m.b.isEmpty() || !m.margin)
                continue;
            const bool asA = plays(m.a);
            if (!asA && !plays(m.b))
                continue;
            PlayedMatch p;
            p.draw = draw.name;
            p.round = roundName(draw, m.round);
            p.as = asA ? m.a : m.b;
            p.opponent = asA ? m.b : m.a;
            const int margin = asA ? *m.margin : -*m.margin;
            p.score = margin > 0 ? 1 : margin < 0 ? -1 : 0;
            if (p.score == 0) {
                p.outcome = QStringLiteral("halved");
                ++out.halved;
            } else if (p.score > 0) {
                p.outcome = m.result;
                ++out.won;
            } else {
                // "won 3 & 2" from the loser's side reads "lost 3 & 2".
                p.outcome = m.result.startsWith(QStringLiteral("won "))
                                ? QStringLiteral("lost ") + m.result.mid(4)
                                : QStringLiteral("lost by ") + m.result;
                ++out.lost;
            }
            out.matches << p;
        }
    }
    return out;
}

} // namespace parlog::matchdraw
