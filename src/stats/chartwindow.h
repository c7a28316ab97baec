#pragma once

#include "base/window.h"
#include "stats/statistics.h"

class QLabel;

namespace parlog {

// graph ("Graph") and putts ("Putts Chart"): one bar per row for the hub's player.
class ChartWindow : public Window {
    Q_OBJECT
public:
    enum class Kind { CoursesPlayed, Putts };
    ChartWindow(Application& app, Kind kind);

    void load() override;

    const Series& series() const { return m_series; }
    // The hover hint of a bar: its label in full and its value.
    QString barHint(int index) const;

private:
    void draw();

    Kind m_kind;
    Series m_series;
    QLabel* playerName;
    QWidget* chartView;
};

} // namespace parlog
