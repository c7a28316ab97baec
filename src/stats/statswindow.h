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

    void form_load() override;
    QString player() const;

    void Command12_Click(); // Best Ever Round
    void Command13_Click(); // Worst Ever Round
    void Command3_Click();  // Best Possible Round
    void Command4_Click();  // Worst Possible Round
    void Command5_Click();  // Average Round
    void Command16_Click(); // Best Score by Course
    void Command14_Click(); // Worst Score by Course
    void Command18_Click(); // Courses Played
    void Command19_Click(); // Putts Chart
    void Command20_Click(); // Season Statistics
    void Command6_Click();  // Close

private:
    void everRound(bool best);
    void possible(Possible kind, const QString& title);

    QComboBox* Combo0;
};

} // namespace parlog
