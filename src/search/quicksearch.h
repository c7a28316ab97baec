#pragma once

#include "app/window.h"
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

    void form_load() override;
    void C_score_MouseUp();
    void OrderBox_Click(QCheckBox* box, const QString& column); // C_date_Click ...
    void Check5_Click();
    void GroupBox_Click(QCheckBox* box, const QString& column); // Check1_Click ...
    void Command22_Click();                                     // Open
    void Command3_Click();                                      // Close

    QString orderField() const { return m_orderField; }
    QString groupField() const { return m_groupField; }

private:
    std::unique_ptr<CriteriaPanel> m_criteria;
    QString m_orderField = QStringLiteral("net");
    QString m_groupField = QStringLiteral("none");
    QCheckBox* C_score;
    QList<QCheckBox*> m_order; // the five besides C_score
    QCheckBox* Check5;
    QList<QCheckBox*> m_groups; // Check1 ... Check4
};

} // namespace parlog
