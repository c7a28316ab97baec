#pragma once

#include "base/window.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace parlog {

// Handicapform: stores a new handicap for the player whose round was just saved.
class HandicapForm : public Window {
    Q_OBJECT
public:
    explicit HandicapForm(Application& app);

    void load() override;
    // Stores what the box holds for the player: unless it is the index as it was.
    void save();

private:
    QLabel* playerName;
    QLabel* caption; // "New Handicap", or "New Handicap Index" after a rated tee's card
    QLineEdit* handicapBox;
    QLabel* recordIndex;
    QPushButton* saveButton;
    QPushButton* closeButton;
    // The player the dialog was opened for; Save writes to this player whatever the
    // round window shows by then.
    QString m_player;
    // The index as the register had it, when the box holds one: Save with it unchanged
    // keeps it as it is.
    std::optional<QString> m_indexAsStored;
};

} // namespace parlog
