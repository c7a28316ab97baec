#pragma once

#include <QString>

// What a window is handed by the window that shows it, so that no window reads
// another's controls.
namespace parlog {

// The player the statistics are for: the hub hands it to the windows it opens.
struct PlayerContext {
    QString player;
};

// The round just saved: its player and the handicap it was played off.
struct HandicapContext {
    QString player;
    QString handicap;
};

} // namespace parlog
