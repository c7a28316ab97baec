#pragma once

#include "base/window.h"
#include "competitions/field.h"
#include "data/draws.h"

#include <QHash>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;
class QTableWidgetItem;

namespace parlog {

// draws: a knock-out or a league of match play. Its entries (players, or sides of two),
// the draw made from them (seeded or drawn at random from a seed), each match's result
// typed in words or played hole by hole in the match window, winners moved on, the
// bracket or the league's table printed; kept in the register as a whole.
class DrawWindow : public Window {
    Q_OBJECT
public:
    explicit DrawWindow(Application& app);

    void load() override;

    void openDraw();    // the draw named in the box, or a new one of that name
    void addEntry();    // the player or side typed
    void removeEntry(); // the chosen entry, while it plays in no match
    void withdraw();    // the chosen entry out (or back in): its matches walkovers
    void makeTheDraw(); // the first round (or the league's rounds) from the entries
    void playMatch();   // the chosen match, hole by hole
    void showBracket(); // the bracket, or the league's table, on screen
    void showPlayerMatches();
    bool save();
    void removeDraw();
    bool okToClose() override; // a draw changed and not kept is not lost unasked

    const draws::Draw& draw() const { return m_draw; }

private:
    enum Column { RoundColumn, MatchColumn, PlayByColumn, AColumn, BColumn, ResultColumn };
    void startNewDraw(const QString& name);
    void readSettings();
    void showDraw();
    void showSettings();
    void showEntries();
    void showMatches();
    void showTable();
    void matchEdited(QTableWidgetItem* item);
    // The cursor to the result of the first match after that row still waiting for one.
    void goToNextResult(int after);
    void played(const draws::Match& match);
    void say(const QString& text, bool wrong = false);
    bool changed();
    bool askToLeave(const QString& question);
    // The entries' order for a seeded draw: by Handicap Index, a side by its players' sum.
    void seedByHandicap();
    draws::Match* matchOfRow(int row);

    QComboBox* drawName;
    QComboBox* kind;
    QComboBox* teamFormat;
    QComboBox* holes;
    QComboBox* order;
    QLineEdit* seed;
    QLineEdit* winPoints;
    QLineEdit* halfPoints;
    QListWidget* entries;
    QLineEdit* entrant;
    QTableWidget* matches;
    QTableWidget* table;
    QLabel* status;
    draws::Draw m_draw;
    std::optional<draws::Draw> m_asRead; // none for a draw not yet kept
    QHash<QString, double> m_indexes;    // Handicap Index by name in lower case
    QHash<qsizetype, QString> m_typed;   // results typed that could not be read, by match
    bool m_showing = false;              // the table is being filled, not edited
};

} // namespace parlog
