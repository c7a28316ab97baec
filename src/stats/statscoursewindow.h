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

    void form_load() override;
    void Command1_Click(); // Open
    void Command2_Click(); // Close

    QString player() const { return m_player; }

private:
    Kind m_kind;
    QString m_player;
    QComboBox* Combo1;
};

} // namespace parlog
