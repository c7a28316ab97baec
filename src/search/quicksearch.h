#pragma once

#include "base/window.h"
#include "search/criteriapanel.h"

#include <memory>

class QCheckBox;

namespace parlog {

// quicksearch1: rounds by player, course, competition and dates, ordered and grouped
// as asked, as a compact list or full cards.
class QuickSearch : public Window {
    Q_OBJECT
public:
    explicit QuickSearch(Application& app);

    void load() override;
    // The rounds that match, ordered and grouped as ticked, as a compact list or full
    // cards as the user answers.
    void search();

    QString orderField() const { return m_order.field; }
    QString groupField() const { return m_groups.field; }

private:
    // A row of tick boxes choosing a column. Its first box (Score, No Grouping)
    // brings back the row's default; ticking any other chooses that box's column and
    // hides the rest of the row until it is unticked. The column chosen last stays
    // in force after its box is unticked.
    struct TickRow {
        QCheckBox* first = nullptr;
        QString defaultColumn;
        QList<QCheckBox*> others;
        QString field;
    };
    void firstTicked(TickRow& row);
    void otherTicked(TickRow& row, QCheckBox* box, const QString& column);

    std::unique_ptr<CriteriaPanel> m_criteria;
    TickRow m_order;  // C_score; C_date ... C_handicap
    TickRow m_groups; // Check5; Check1 ... Check4
};

} // namespace parlog
