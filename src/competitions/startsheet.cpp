#include "competitions/startsheet.h"

#include <algorithm>
#include <random>

namespace parlog::startsheet {

namespace {

int sizeOf(const Entry& e)
{
    return int(e.playersOrSelf().size());
}

// The tees of a shotgun: a group a hole, then a second group on the par 5s, the par 4s
// and the par 3s in the order of the holes; a hole with two has "A" and "B".
QStringList shotgunTees(int groups, const std::array<int, 18>& pars)
{
    QList<int> second;
    for (int par : {5, 4, 3})
        for (int h = 0; h < 18; ++h)
            if (pars[h] == par || (par == 4 && (pars[h] < 3 || pars[h] > 5)))
                second << h;
    QStringList tees;
    QList<int> doubled;
    for (int g = 18; g < groups && g - 18 < second.size(); ++g)
        doubled << second[g - 18];
    for (int g = 0; g < std::min(groups, 18); ++g)
        tees << QString::number(g + 1) + (doubled.contains(g) ? QStringLiteral("A") : QString());
    for (int h : std::as_const(doubled))
        tees << QString::number(h + 1) + QStringLiteral("B");
    // More groups than two to a hole: the rest wait their turn on the 1st.
    while (tees.size() < groups)
        tees << QStringLiteral("1");
    return tees;
}

} // namespace

QString timeText(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

QList<Group> make(const QList<Entry>& entries, const Options& options,
                  const std::array<int, 18>& pars)
{
    const int size = std::clamp(options.groupSize, 2, 4);
    QList<Entry> order = entries;
    if (options.order == Order::Random) {
        std::mt19937 random(options.seed);
        for (qsizetype i = order.size() - 1; i > 0; --i)
            order.swapItemsAt(i, qsizetype(random() % quint32(i + 1)));
    } else if (options.order == Order::Balanced) {
        std::stable_sort(order.begin(), order.end(), [](const Entry& a, const Entry& b) {
            return a.index.value_or(1e9) < b.index.value_or(1e9);
        });
    }
    int players = 0;
    for (const Entry& e : std::as_const(order))
        players += sizeOf(e);
    const int count = (players + size - 1) / size;
    // As few groups as hold everyone, the short ones last.
    QList<int> room(count, size);
    for (int short_ = count * size - players, g = count - 1; short_ > 0; --short_, --g)
        room[g] -= 1;
    QList<Group> groups(count);
    for (qsizetype k = 0; k < order.size(); ++k) {
        const Entry& e = order[k];
        // Balanced: the lowest of each band of handicaps to the groups in turn, so that each
        // group has one of every band; else the groups fill in order.
        const int from = options.order == Order::Balanced && count > 0 ? int(k % count) : 0;
        int g = -1;
        for (int step = 0; step < count && g < 0; ++step) {
            const int at = (from + step) % count;
            if (room[at] >= sizeOf(e))
                g = at;
        }
        if (g < 0) {
            // Sides that do not divide the groups: one more group takes them.
            groups.append(Group());
            room.append(size);
            g = int(groups.size()) - 1;
        }
        for (const QString& p : e.playersOrSelf()) {
            groups[g].players << p;
            groups[g].units << e.name;
        }
        room[g] -= sizeOf(e);
    }
    groups.erase(std::remove_if(groups.begin(), groups.end(),
                                [](const Group& g) { return g.players.isEmpty(); }),
                 groups.end());
    placeTimes(groups, options, pars);
    return groups;
}

void placeTimes(QList<Group>& groups, const Options& options, const std::array<int, 18>& pars)
{
    const int n = int(groups.size());
    const QStringList shotgun =
        options.start == Start::Shotgun ? shotgunTees(n, pars) : QStringList();
    for (int g = 0; g < n; ++g) {
        switch (options.start) {
        case Start::FirstTee:
            groups[g].time = options.first.addSecs(60 * options.interval * g);
            groups[g].tee = QStringLiteral("1");
            break;
        case Start::TwoTees:
            // The 1st and the 10th at each time, the 1st first.
            groups[g].time = options.first.addSecs(60 * options.interval * (g / 2));
            groups[g].tee = g % 2 == 0 ? QStringLiteral("1") : QStringLiteral("10");
            break;
        case Start::Shotgun:
            groups[g].time = options.first;
            groups[g].tee = shotgun[g];
            break;
        }
    }
}

bool withdraw(QList<Group>& groups, const QString& player)
{
    for (qsizetype g = 0; g < groups.size(); ++g) {
        const qsizetype at = groups[g].players.indexOf(player);
        if (at < 0)
            continue;
        groups[g].players.removeAt(at);
        groups[g].units.removeAt(at);
        if (groups[g].players.isEmpty())
            groups.removeAt(g);
        return true;
    }
    return false;
}

bool movePlayer(QList<Group>& groups, int group, int player, int delta)
{
    const int to = group + delta;
    if (group < 0 || group >= groups.size() || to < 0 || to >= groups.size() || player < 0 ||
        player >= groups[group].players.size())
        return false;
    groups[to].players << groups[group].players.takeAt(player);
    groups[to].units << groups[group].units.takeAt(player);
    if (groups[group].players.isEmpty())
        groups.removeAt(group);
    return true;
}

bool moveGroup(QList<Group>& groups, int group, int delta)
{
    const int to = group + delta;
    if (group < 0 || group >= groups.size() || to < 0 || to >= groups.size())
        return false;
    std::swap(groups[group].players, groups[to].players);
    std::swap(groups[group].units, groups[to].units);
    return true;
}

} // namespace parlog::startsheet
