#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A league of matches: every entry plays every other once; the table ranks by points,
// then matches won, then holes up, then the result between those still level.
namespace parlog::league {

struct Match {
    QString a;
    QString b;
    int margin = 0; // holes A won by; negative: B won; 0 halved
};

struct Points {
    double win = 2;
    double half = 1;
};

struct Line {
    QString position; // "3=" for a shared place
    QString entry;
    int played = 0;
    int won = 0;
    int halved = 0;
    int lost = 0;
    double points = 0;
    int holesUp = 0; // the sum of the margins, won less lost
};

// The table of the entries from the matches played so far.
QList<Line> table(const QStringList& entries, const QList<Match>& matches, Points points = {});

} // namespace parlog::league
