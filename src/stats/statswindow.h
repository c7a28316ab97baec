#pragma once

#include "base/window.h"
#include "stats/statistics.h"

class QComboBox;
class QPushButton;

namespace parlog {

// stats: the one place where the player for every statistic is chosen.
class StatsWindow : public Window {
    Q_OBJECT
public:
    explicit StatsWindow(Application& app);

    void load() override;
    QString player() const;

private:
    void everRound(bool best);
    void possible(Possible kind, const QString& title);

    QComboBox* players;
};

} // namespace parlog
