#include "stats/handicaprecord.h"

#include "golf/rules.h"
#include "golf/scoring.h"

#include <QThread>

#include <thread>
#include <vector>

namespace parlog {

namespace {

// A card played on a 9-hole course, or picked up early, is not a full round.
constexpr int kHolesThatCount = 14;
constexpr int kRecent = 20;

// The holes a card was played over, and their par.
struct Played {
    golf::Holes holes;
    int par = 0;
};

Played teeOf(const CourseBook& courses, const QString& name, std::optional<qint64> teeID)
{
    const auto course = courses.constFind(name.toLower());
    if (course == courses.constEnd())
        return {};
    const Tee* tee = nullptr;
    if (teeID)
        for (const Tee& t : course->tees)
            if (t.id == *teeID)
                tee = &t;
    return {holesOf(course->course, tee), parOf(course->course, tee)};
}

} // namespace

std::optional<int> adjustedGross(const std::array<int, 18>& strokes, const golf::Holes& holes,
                                 std::optional<int> courseHandicap)
{
    if (!holes.complete())
        return std::nullopt;
    int total = 0;
    for (int h = 0; h < 18; ++h) {
        const int most =
            courseHandicap
                ? golf::netDoubleBogey(holes.par[h],
                                       golf::strokesReceived(*courseHandicap, holes.strokeIndex[h]))
                : holes.par[h] + 5;
        total += strokes[h] > 0 ? qMin(strokes[h], most) : most;
    }
    return total;
}

namespace {

// What a card gives a record: its differential, or why it has none.
struct CardScore {
    std::optional<int> adjustedGross;
    int pcc = 0;
    std::optional<double> differential;
    std::optional<double> unrounded;
    QString notCounting;
};

// Scores a player's cards one after another; each course and tee is looked up once.
class Scorer {
public:
    Scorer(const CourseBook& courses, const competitions::Book& competitions)
        : m_courses(courses)
        , m_competitions(competitions)
    {
    }

    // BEFORE: the index the record gives the player when the card was played.
    CardScore score(const rounds::HandicapCard& card, std::optional<double> before)
    {
        CardScore out;
        const auto settings = card.competition.isEmpty()
                                  ? competitions::Settings{}
                                  : competitions::settingsIn(m_competitions, card.competition,
                                                             card.date);
        out.pcc = settings.pcc;
        int scored = 0;
        for (int st : card.strokes)
            scored += st > 0;
        const std::pair<QString, qint64> teeKey{card.course, card.teeID.value_or(-1)};
        auto played = m_tees.constFind(teeKey);
        if (played == m_tees.constEnd())
            played = m_tees.insert(teeKey, teeOf(m_courses, card.course, card.teeID));
        const golf::Holes& holes = played->holes;
        const int par = card.teePar ? golf::roundToWhole(*card.teePar) : played->par;
        // Ratings no tee can have (from an older file, or another program) are none.
        if (!settings.countsForHandicap)
            out.notCounting = QStringLiteral("not a handicap competition");
        else if (!card.courseRating || !card.slopeRating ||
                 !whs::ratingsHold(*card.courseRating, *card.slopeRating, par))
            out.notCounting = QStringLiteral("no rated tee");
        else if (scored < kHolesThatCount)
            out.notCounting = scored == 9 ? QStringLiteral("9 holes: not counted yet")
                                          : QStringLiteral("fewer than 14 holes");
        else if (!holes.complete())
            out.notCounting = QStringLiteral("the course has no stroke indexes");
        if (!out.notCounting.isEmpty())
            return out;
        // Before the record has an index, the one the card was played off.
        if (!before)
            before = card.handicapIndex;
        std::optional<int> courseHandicap;
        if (before)
            courseHandicap = golf::roundToWhole(
                whs::courseHandicap(*before, *card.slopeRating, *card.courseRating, par));
        out.adjustedGross = adjustedGross(card.strokes, holes, courseHandicap);
        out.differential = whs::scoreDifferential(*out.adjustedGross, *card.courseRating,
                                                  *card.slopeRating, settings.pcc);
        out.unrounded = whs::unroundedDifferential(*out.adjustedGross, *card.courseRating,
                                                   *card.slopeRating, settings.pcc);
        return out;
    }

private:
    const CourseBook& m_courses;
    const competitions::Book& m_competitions;
    QHash<std::pair<QString, qint64>, Played> m_tees;
};

// A day as the cards keep it, yyyy-MM-dd, read without a parser: a record reads
// thousands.
QDate isoDate(const QString& text)
{
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return QDate::fromString(text, Qt::ISODate);
    const auto number = [&text](int from, int length) {
        int n = 0;
        for (int i = from; i < from + length; ++i)
            n = n * 10 + text[i].digitValue();
        return n;
    };
    return QDate(number(0, 4), number(5, 2), number(8, 2));
}

std::optional<double> indexOf(const QList<rounds::HandicapCard>& cards, const CourseBook& courses,
                              const competitions::Book& competitions)
{
    whs::RecordKeeper keeper;
    Scorer scorer(courses, competitions);
    for (const rounds::HandicapCard& card : cards)
        if (const CardScore score = scorer.score(card, keeper.indexOn(isoDate(card.date)));
            score.differential)
            keeper.add({isoDate(card.date), *score.differential, score.unrounded});
    return keeper.index();
}

} // namespace

HandicapRecord handicapRecord(const QList<rounds::HandicapCard>& cards, const CourseBook& courses,
                              const competitions::Book& competitions)
{
    HandicapRecord record;
    whs::RecordKeeper keeper;
    Scorer scorer(courses, competitions);
    QList<qsizetype> lineOf; // the line of each score
    for (const rounds::HandicapCard& card : cards) {
        RecordLine line;
        line.card = card.key;
        line.date = card.date;
        line.course = card.course;
        line.tee = card.tee;
        line.courseRating = card.courseRating;
        line.slopeRating = card.slopeRating;
        // Judged against the index as the card's day began.
        const CardScore score = scorer.score(card, keeper.indexOn(isoDate(card.date)));
        line.pcc = score.pcc;
        line.adjustedGross = score.adjustedGross;
        line.notCounting = score.notCounting;
        if (!score.differential) {
            record.lines << line;
            continue;
        }
        const whs::Step& step =
            keeper.add({isoDate(card.date), *score.differential, score.unrounded});
        line.indexAfter = step.index;
        line.applied = step.applied;
        if (step.index)
            record.indexByDate.append({card.date, *step.index});
        lineOf << record.lines.size();
        record.lines << line;
    }
    const QList<whs::Step> steps = keeper.steps();
    for (qsizetype i = 0; i < steps.size(); ++i) {
        RecordLine& line = record.lines[lineOf[i]];
        line.differential = steps[i].differential;
        line.reduction = steps[i].reduction;
        line.counted = steps[i].counted;
        line.recent = i >= steps.size() - kRecent;
    }
    record.scores = int(steps.size());
    record.index = keeper.index();
    if (!steps.isEmpty()) {
        record.low = steps.last().low;
        const whs::Counting c = whs::counting(int(qMin<qsizetype>(steps.size(), kRecent)));
        QString note;
        const qsizetype recent = qMin<qsizetype>(steps.size(), kRecent);
        if (c.lowest == 1)
            note = QStringLiteral("The lowest of the most recent %1 differentials").arg(recent);
        else if (c.lowest > 1)
            note = QStringLiteral("The average of the lowest %1 of the most recent %2 "
                                  "differentials")
                       .arg(c.lowest)
                       .arg(recent);
        if (c.adjustment > 0)
            note += QStringLiteral(", less %1").arg(QString::number(c.adjustment, 'f', 1));
        if (!steps.last().applied.isEmpty())
            note += QStringLiteral("; %1").arg(steps.last().applied);
        bool reduced = false;
        for (qsizetype i = qMax<qsizetype>(0, steps.size() - kRecent); i < steps.size(); ++i)
            reduced |= steps[i].reduction > 0;
        if (reduced && !steps.last().applied.contains(QStringLiteral("exceptional")))
            note += QStringLiteral("; exceptional-score reductions stand on some of them");
        record.note = note.isEmpty() ? QStringLiteral("Fewer than 3 scores: no index yet.")
                                     : note + QLatin1Char('.');
    }
    return record;
}

namespace {

// What scoring a card needs besides the card: its course and its competition.
struct Books {
    CourseBook courses;
    competitions::Book competitions;
};

Result<Books> booksOf(Connection& connection)
{
    auto courses = courses::allByName(connection);
    if (!courses)
        return Failure{courses.error()};
    auto competitions = competitions::all(connection);
    if (!competitions)
        return Failure{competitions.error()};
    return Books{std::move(*courses), std::move(*competitions)};
}

} // namespace

Result<HandicapRecord> handicapRecord(Connection& connection, const QString& player)
{
    const auto books = booksOf(connection);
    if (!books)
        return Failure{books.error()};
    const auto cards = rounds::handicapCards(connection, player);
    if (!cards)
        return Failure{cards.error()};
    return handicapRecord(*cards, books->courses, books->competitions);
}

std::optional<double> indexOn(const HandicapRecord& record, const QString& date)
{
    std::optional<double> index;
    for (const auto& [day, value] : record.indexByDate) {
        if (day > date)
            break;
        index = value;
    }
    return index;
}

importing::IndexOnDay indexAtTheStartOf(Connection& connection)
{
    auto records = std::make_shared<QHash<QString, HandicapRecord>>();
    return [&connection, records](const QString& player, const QString& date) {
        auto it = records->find(player.toLower());
        if (it == records->end())
            it = records->insert(player.toLower(),
                                 handicapRecord(connection, player).valueOr(HandicapRecord{}));
        std::optional<double> index;
        for (const auto& [day, value] : std::as_const(it->indexByDate)) {
            if (day >= date)
                break;
            index = value;
        }
        return index;
    };
}

Result<QHash<QString, std::optional<double>>> everyIndex(Connection& connection)
{
    const auto books = booksOf(connection);
    if (!books)
        return Failure{books.error()};
    const auto cards = rounds::everyonesHandicapCards(connection);
    if (!cards)
        return Failure{cards.error()};
    // Each player's record stands alone: the players are shared among the cores.
    const QList<QString> names = cards->keys();
    const int parts = qBound(1, QThread::idealThreadCount(), 4);
    std::vector<std::optional<double>> found(size_t(names.size()));
    const auto work = [&](int part) {
        for (qsizetype i = part; i < names.size(); i += parts)
            found[size_t(i)] = indexOf(cards->value(names[i]), books->courses, books->competitions);
    };
    std::vector<std::thread> helpers;
    for (int part = 1; part < parts; ++part)
        helpers.emplace_back(work, part);
    work(0);
    for (std::thread& helper : helpers)
        helper.join();
    QHash<QString, std::optional<double>> indexes;
    indexes.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        indexes.insert(names[i], found[size_t(i)]);
    return indexes;
}

} // namespace parlog
