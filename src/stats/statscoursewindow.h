#pragma once

#include "base/window.h"

#include <memory>

class QComboBox;

namespace parlog {

class Connection;

// statscourse ("Best via Course") and statscourse1 ("Worst Score by Course"): the
// player's best or worst round on a chosen course.
class StatsCourseWindow : public Window {
    Q_OBJECT
public:
    enum class Kind { Best, Worst };
    StatsCourseWindow(Application& app, Kind kind);

    void load() override;
    // The best or worst round on the course chosen, as a report.
    void showRound();

    QString player() const { return m_player; }

private:
    Kind m_kind;
    QString m_player;
    QComboBox* courses;
};

} // namespace parlog
