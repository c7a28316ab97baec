#pragma once

#include "base/window.h"
#include "competitions/field.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;

namespace parlog {

// field: the sides of a pairs or fours competition, made by hand from the register's
// players, drawn at random or balanced by handicap, each side's Playing Handicap shown
// as the allowance table makes it; kept with the competition's format.
class FieldWindow : public Window {
    Q_OBJECT
public:
    explicit FieldWindow(Application& app);

    void load() override;
    void contextChanged() override;

    void addPlayer();   // the chosen player to the chosen side, or the next with room
    void addVisitor();  // the visitor's name typed, to the chosen side likewise
    void newSide();     // an empty side to fill next
    void removeSide();  // the chosen side's players back to the list
    void drawSides();   // every player listed or in a side, drawn at random
    void balanceSides(); // the same, lowest with highest
    bool save();
    bool okToClose() override; // sides made and not kept are not lost unasked

    const QList<competitions::Side>& sides() const { return m_sides; }

private:
    competitions::Settings wanted() const;
    int sideSize() const;
    QList<field::Entrant> everyone() const;
    void showSides();
    void showPlayers();
    void addToSide(const QString& name);
    void loadCompetition(const QString& name, const QString& date);

    QLineEdit* competitionName;
    QLineEdit* competitionDate;
    QComboBox* format;
    QComboBox* teamFormat;
    QComboBox* nine;
    QComboBox* tee;
    QListWidget* players;
    QLineEdit* visitor;
    QTableWidget* sidesTable;
    QLabel* status;
    QList<field::Entrant> m_entrants;
    QList<field::RatedTee> m_tees;
    QList<competitions::Side> m_sides;
    QList<competitions::Side> m_sidesKept; // as read or last saved
    competitions::Settings m_kept;
    std::function<void()> m_saved;
};

} // namespace parlog
