#pragma once

#include "search/criteria.h"

#include <QList>

class QComboBox;
class QLineEdit;
class QWidget;

namespace parlog {

class Application;

// The criteria controls the quick search and the round deletion share: player,
// course and competition pickers, and the two dates, framed on the window's left.
class CriteriaPanel {
public:
    explicit CriteriaPanel(QWidget* window);

    // The start values: the dates 366 days back and tomorrow, the lists of what the
    // rounds use, each headed by its entry that means all.
    void load(Application& app);
    Criteria criteria() const;
    QList<QWidget*> focusChain() const;

    QComboBox* player;
    QComboBox* course;
    QComboBox* comp;
    QLineEdit* Text1;
    QLineEdit* Text2;
};

} // namespace parlog
