#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <array>
#include <optional>

// A competition's start sheet: who plays with whom, from which tee and when. Groups are
// made from the entry (drawn, balanced by handicap or in the order entered, those who
// asked to play together kept together) and given their times; changed by hand after,
// a group's time and tee stay with its place on the sheet.
namespace parlog::startsheet {

enum class Start { FirstTee, TwoTees, Shotgun };
enum class Order { Random, Balanced, AsEntered };

struct Options {
    int groupSize = 4; // 2, 3 or 4 players
    QTime first{8, 0};
    int interval = 9; // minutes between one time and the next
    Start start = Start::FirstTee;
    Order order = Order::Random;
    quint32 seed = 0;
};

// What goes into one group whole: a player, a side, or players who asked to play
// together.
struct Entry {
    QString name;                // "Ann Adams", or "Ann Adams & Bob Brown"
    QStringList players;         // empty: the entry is one player of that name
    std::optional<double> index; // the players' mean Handicap Index; none when unknown
    QStringList playersOrSelf() const { return players.isEmpty() ? QStringList{name} : players; }
};

struct Group {
    QTime time;
    QString tee;         // "1", "10"; a shotgun's hole, "5A" and "5B" for two on one hole
    QStringList players; // each player by name
    QStringList units;   // for each player, the entry they came in with
};

// The groups of the entry, each with its time and tee. Sizes: as few groups as hold
// everyone, the short ones (a player fewer) last. pars: each hole's par, where a
// shotgun's extra groups go (the par 5s first).
QList<Group> make(const QList<Entry>& entries, const Options& options,
                  const std::array<int, 18>& pars);
// The time and tee of each place on the sheet from the first: a group changed by hand
// takes those of its place.
void placeTimes(QList<Group>& groups, const Options& options, const std::array<int, 18>& pars);
// The player out of their group; nobody else's time moves, and a group left empty goes.
bool withdraw(QList<Group>& groups, const QString& player);
// A player into the group before (-1) or after (+1); false at either end.
bool movePlayer(QList<Group>& groups, int group, int player, int delta);
// A group's players change places with those of the group before or after: the times
// and tees stay with the places.
bool moveGroup(QList<Group>& groups, int group, int delta);
// "08:00"
QString timeText(const QTime& time);

} // namespace parlog::startsheet
