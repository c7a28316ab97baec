#pragma once

#include "search/criteria.h"

#include <QList>

class QComboBox;
class QFrame;
class QHBoxLayout;
class QVBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace parlog {

class Application;

// The criteria controls the quick search and the round deletion share: player,
// course and competition pickers, and the two dates, framed on the window's left; and
// the two buttons at the top right, the window's action (Command22) and Close
// (Command3), over any the window adds to the column.
class CriteriaPanel {
public:
    CriteriaPanel(QWidget* window, const QString& actionCaption);

    // The start values: the dates 366 days back and tomorrow, the lists of what the
    // rounds use, each headed by its entry that means all.
    void load(Application& app);
    Criteria criteria() const;
    QList<QWidget*> focusChain() const;
    // The frame and the column of buttons beside it, for the window's layout.
    QHBoxLayout* layout() const;

    QComboBox* player;
    QComboBox* course;
    QComboBox* comp;
    QLineEdit* from;
    QLineEdit* to;
    QPushButton* action;
    QPushButton* close;
    QFrame* box;
    QVBoxLayout* buttons; // the action and Close; a window may add its own under them
};

} // namespace parlog
