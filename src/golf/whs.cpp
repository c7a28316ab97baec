#include "golf/whs.h"

#include "golf/rules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace parlog::whs {

bool ratingsHold(double courseRating, int slopeRating, double par)
{
    if (slopeRating < kLowestSlope || slopeRating > kHighestSlope || !std::isfinite(courseRating))
        return false;
    return par <= 0 || std::abs(courseRating - par) <= kRatingFromPar;
}

double unroundedDifferential(int adjustedGrossScore, double courseRating, int slopeRating,
                             double pcc)
{
    return 113.0 / slopeRating * (adjustedGrossScore - courseRating - pcc);
}

double scoreDifferential(int adjustedGrossScore, double courseRating, int slopeRating, double pcc)
{
    return golf::roundHalfUp(
        unroundedDifferential(adjustedGrossScore, courseRating, slopeRating, pcc), 1);
}

double courseHandicap(double handicapIndex, int slopeRating, double courseRating, int par)
{
    return handicapIndex * slopeRating / 113.0 + (courseRating - par);
}

double nineHoleCourseHandicap(double handicapIndex, int slopeRating, double courseRating, int par)
{
    return courseHandicap(handicapIndex / 2.0, slopeRating, courseRating, par);
}

int playingHandicap(double courseHandicap, double allowance)
{
    return golf::roundToWhole(courseHandicap * allowance);
}

namespace {

// Everything below is counted in tenths, whole numbers, so that no binary fraction can
// tip a half.
int tenths(double value)
{
    return golf::roundToWhole(value * 10);
}

// a / b to the nearest whole number, halves upward, for b > 0.
int divideHalfUp(int a, int b)
{
    const int twice = 2 * a + b;
    const int under = 2 * b;
    return twice >= 0 ? twice / under : -((-twice + under - 1) / under);
}

constexpr int kRecent = 20;
constexpr int kSoftCap = 30;  // 3.0
constexpr int kHardCap = 50;  // 5.0
constexpr int kMaximum = 540; // 54.0

// The index from the most recent differentials (in tenths, at most 20), before any cap;
// nothing with fewer than 3. USED, if given, gets which of them it rests on.
std::optional<int> calculated(std::span<const int> recent, QList<int>* used = nullptr)
{
    const Counting c = counting(int(recent.size()));
    if (c.lowest == 0)
        return std::nullopt;
    // Lowest first; of equal ones the older counts.
    std::array<int, kRecent> order{};
    const int n = int(recent.size());
    for (int i = 0; i < n; ++i) {
        int j = i;
        for (; j > 0 && recent[order[j - 1]] > recent[i]; --j)
            order[j] = order[j - 1];
        order[j] = i;
    }
    int sum = 0;
    for (int k = 0; k < c.lowest; ++k) {
        sum += recent[order[k]];
        if (used)
            *used << order[k];
    }
    return divideHalfUp(sum, c.lowest) - tenths(c.adjustment);
}

} // namespace

Counting counting(int n)
{
    if (n < 3)
        return {};
    if (n == 3)
        return {1, 2.0};
    if (n == 4)
        return {1, 1.0};
    if (n == 5)
        return {1, 0};
    if (n == 6)
        return {2, 1.0};
    if (n <= 8)
        return {2, 0};
    if (n <= 11)
        return {3, 0};
    if (n <= 14)
        return {4, 0};
    if (n <= 16)
        return {5, 0};
    if (n <= 18)
        return {6, 0};
    if (n == 19)
        return {7, 0};
    return {8, 0};
}

std::optional<double> RecordKeeper::indexOn(const QDate& day) const
{
    return !m_steps.isEmpty() && day == m_day ? m_startOfDay : index();
}

const Step& RecordKeeper::add(const Score& score)
{
    Step step;
    const std::optional<double> before = indexOn(score.date);
    if (m_steps.isEmpty() || score.date != m_day) {
        m_day = score.date;
        m_startOfDay = index();
    }
    m_diffs << tenths(score.differential);
    m_reduction << 0;
    const qsizetype last = m_diffs.size() - 1;
    // An exceptional score: well below the index the player had as its day began,
    // judged on the differential before it was rounded (7.006 against 14.0 is 6.994
    // below, no reduction). A differential is a fraction of whole strokes and tenths
    // over a slope of 55 to 155: one that is not 7.0 or 10.0 below is a thousandth or
    // more away, so a hair's allowance keeps a binary fraction from tipping either.
    if (before) {
        constexpr double kHair = 1e-9;
        const double below = *before - score.unrounded.value_or(score.differential);
        const int cut = below >= 10.0 - kHair ? 20 : below >= 7.0 - kHair ? 10 : 0;
        if (cut > 0) {
            for (qsizetype i = qMax<qsizetype>(0, last - kRecent + 1); i <= last; ++i) {
                m_diffs[i] -= cut;
                m_reduction[i] += cut;
            }
            step.applied = QStringLiteral("exceptional score: -%1 on the last %2")
                               .arg(QString::number(cut / 10.0, 'f', 1))
                               .arg(qMin<qsizetype>(kRecent, last + 1));
        }
    }
    const std::span<const int> recent(m_diffs.constData() + qMax<qsizetype>(0, m_diffs.size() - kRecent),
                                      m_diffs.constData() + m_diffs.size());
    std::optional<int> computed = calculated(recent);
    // The Low Handicap Index: the lowest computed from 20 differentials in the 365 days
    // before the day of this score. Scores come oldest first: older ones go for good.
    while (!m_fromTwenty.isEmpty() && m_fromTwenty.first().first < score.date.addDays(-365))
        m_fromTwenty.removeFirst();
    std::optional<int> low;
    for (const auto& [date, value] : std::as_const(m_fromTwenty))
        if (date < score.date)
            low = low ? qMin(*low, value) : value;
    if (computed && recent.size() == kRecent && low) {
        QString cap;
        if (*computed - *low > kSoftCap) {
            computed = *low + kSoftCap + divideHalfUp(*computed - *low - kSoftCap, 2);
            cap = QStringLiteral("soft cap");
        }
        if (*computed - *low > kHardCap) {
            computed = *low + kHardCap;
            cap = QStringLiteral("hard cap");
        }
        if (!cap.isEmpty())
            step.applied = step.applied.isEmpty() ? cap : cap + QStringLiteral("; ") + step.applied;
    }
    if (computed) {
        computed = qMin(*computed, kMaximum);
        step.index = *computed / 10.0;
        if (recent.size() == kRecent)
            m_fromTwenty.append({score.date, *computed});
    }
    if (low)
        step.low = *low / 10.0;
    m_steps << step;
    return m_steps.last();
}

std::optional<double> RecordKeeper::index() const
{
    return m_steps.isEmpty() ? std::nullopt : m_steps.last().index;
}

QList<Step> RecordKeeper::steps() const
{
    QList<Step> steps = m_steps;
    const qsizetype first = qMax<qsizetype>(0, m_diffs.size() - kRecent);
    QList<int> used;
    (void)calculated(std::span<const int>(m_diffs.constData() + first,
                                          m_diffs.constData() + m_diffs.size()),
                     &used);
    for (qsizetype i = 0; i < steps.size(); ++i) {
        steps[i].differential = m_diffs[i] / 10.0;
        steps[i].reduction = m_reduction[i] / 10.0;
    }
    for (int k : std::as_const(used))
        steps[first + k].counted = true;
    return steps;
}

QList<Step> indexHistory(const QList<Score>& record)
{
    RecordKeeper keeper;
    for (const Score& score : record)
        keeper.add(score);
    return keeper.steps();
}

std::optional<double> handicapIndex(const QList<Score>& record)
{
    // By their dates, whatever order they came in; those of one day as given.
    QList<Score> byDate = record;
    std::stable_sort(byDate.begin(), byDate.end(),
                     [](const Score& a, const Score& b) { return a.date < b.date; });
    RecordKeeper keeper;
    for (const Score& score : std::as_const(byDate))
        keeper.add(score);
    return keeper.index();
}

} // namespace parlog::whs

namespace parlog {

QString showIndex(double index)
{
    const QString text = QString::number(std::fabs(index), 'f', 1);
    return index < 0 ? QLatin1Char('+') + text : text;
}

} // namespace parlog
