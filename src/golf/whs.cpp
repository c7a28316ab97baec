#include "golf/whs.h"

#include "golf/rules.h"

#include <algorithm>

namespace parlog::whs {

double scoreDifferential(int adjustedGrossScore, double courseRating, int slopeRating, double pcc)
{
    return golf::roundHalfUp(113.0 / slopeRating * (adjustedGrossScore - courseRating - pcc), 1);
}

double courseHandicap(double handicapIndex, int slopeRating, double courseRating, int par)
{
    return handicapIndex * slopeRating / 113.0 + (courseRating - par);
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
// nothing with fewer than 3.
std::optional<int> calculated(QList<int> recent, QList<int>* used = nullptr)
{
    const Counting c = counting(int(recent.size()));
    if (c.lowest == 0)
        return std::nullopt;
    QList<int> order(recent.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    // Lowest first; of equal ones the older counts.
    std::stable_sort(order.begin(), order.end(),
                     [&recent](int a, int b) { return recent[a] < recent[b]; });
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

QList<Step> indexHistory(const QList<Score>& record)
{
    QList<Step> steps;
    QList<int> diffs;     // in tenths, as reduced
    QList<int> reduction; // in tenths, on each
    QList<std::pair<QDate, int>> fromTwenty; // indexes computed from 20 differentials
    for (const Score& score : record) {
        Step step;
        diffs << tenths(score.differential);
        reduction << 0;
        const qsizetype last = diffs.size() - 1;
        // An exceptional score: well below the index the player had when it was played.
        const std::optional<double> before = steps.isEmpty() ? std::nullopt : steps.last().index;
        if (before) {
            const int below = tenths(*before) - diffs[last];
            const int cut = below >= 100 ? 20 : below >= 70 ? 10 : 0;
            if (cut > 0) {
                for (qsizetype i = qMax<qsizetype>(0, last - kRecent + 1); i <= last; ++i) {
                    diffs[i] -= cut;
                    reduction[i] += cut;
                }
                step.applied = QStringLiteral("exceptional score: -%1 on the last %2")
                                   .arg(QString::number(cut / 10.0, 'f', 1))
                                   .arg(qMin<qsizetype>(kRecent, last + 1));
            }
        }
        const QList<int> recent = diffs.mid(qMax<qsizetype>(0, diffs.size() - kRecent));
        std::optional<int> index = calculated(recent);
        // The Low Handicap Index: the lowest computed from 20 differentials in the 365
        // days before the day of this score.
        std::optional<int> low;
        for (const auto& [date, value] : std::as_const(fromTwenty))
            if (date < score.date && date >= score.date.addDays(-365))
                low = low ? qMin(*low, value) : value;
        if (index && recent.size() == kRecent && low) {
            QString cap;
            if (*index - *low > kSoftCap) {
                index = *low + kSoftCap + divideHalfUp(*index - *low - kSoftCap, 2);
                cap = QStringLiteral("soft cap");
            }
            if (*index - *low > kHardCap) {
                index = *low + kHardCap;
                cap = QStringLiteral("hard cap");
            }
            if (!cap.isEmpty())
                step.applied = step.applied.isEmpty() ? cap : cap + QStringLiteral("; ") + step.applied;
        }
        if (index) {
            index = qMin(*index, kMaximum);
            step.index = *index / 10.0;
            if (recent.size() == kRecent)
                fromTwenty.append({score.date, *index});
        }
        if (low)
            step.low = *low / 10.0;
        steps << step;
    }
    // Each score as it stands now, and which the latest index rests on.
    const qsizetype first = qMax<qsizetype>(0, diffs.size() - kRecent);
    QList<int> used;
    (void)calculated(diffs.mid(first), &used);
    for (qsizetype i = 0; i < steps.size(); ++i) {
        steps[i].differential = diffs[i] / 10.0;
        steps[i].reduction = reduction[i] / 10.0;
    }
    for (int k : std::as_const(used))
        steps[first + k].counted = true;
    return steps;
}

std::optional<double> handicapIndex(const QList<Score>& record)
{
    const QList<Step> steps = indexHistory(record);
    return steps.isEmpty() ? std::nullopt : steps.last().index;
}

} // namespace parlog::whs
