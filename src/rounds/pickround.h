#pragma once

#include "base/window.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace parlog {

// pickround ("Edit a Round"): a player's rounds over a range of dates, newest first,
// narrowed as the user types in Find; Open loads the chosen one into the score card
// for correcting.
class PickRound : public Window {
    Q_OBJECT
public:
    explicit PickRound(Application& app);

    void load() override;
    void refresh();    // the rounds anew, from the boxes
    void openRound(); // the chosen round into the score card
    int shownRounds() const;

private:
    std::optional<QString> m_course;
    std::optional<QString> m_competition;
    QComboBox* player;
    QLineEdit* from;
    QLineEdit* to;
    QLineEdit* find;
    QTableView* rounds;
    QLabel* status;
    QStandardItemModel* m_model;
    QSortFilterProxyModel* m_filter;
};

} // namespace parlog
