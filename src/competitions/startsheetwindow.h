#pragma once

#include "base/window.h"
#include "competitions/field.h"
#include "competitions/startsheet.h"
#include "data/startsheets.h"
#include "reports/report.h"

#include <QHash>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;

namespace parlog {

// startSheet: a competition's groups and tee times from its entry (players typed, or the
// competition's sides): drawn, balanced or as entered, from the 1st, two tees or a
// shotgun; changed by hand from the keyboard (Alt+Up/Down a player, Ctrl+Up/Down a
// group, Delete a withdrawal), kept with the competition, printed, as PDF and CSV.
class StartSheetWindow : public Window {
    Q_OBJECT
public:
    explicit StartSheetWindow(Application& app);

    void load() override;

    void openCompetition(); // the sheet kept for the competition named, or its sides
    void addEntry();        // a player, or players together as "A & B"
    void removeEntry();
    void makeSheet();
    void showCards();      // a card for each player, in the sheet's order
    void withdrawPlayer(); // the chosen player off the sheet
    bool movePlayer(int delta);
    bool moveGroup(int delta);
    bool save();
    bool okToClose() override; // a sheet changed and not kept is not lost unasked

    const QList<startsheet::Group>& groups() const { return m_groups; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when nothing on screen is unkept, or the user lets it go.
    bool leave(const QString& question);
    startsheet::Options options() const;
    std::array<int, 18> pars() const;
    startsheets::Sheet sheet() const;
    report::Report makeReport() const;
    QString isoDate() const;
    void showEntries();
    void showSheet(int group = -1, int player = -1);
    // The chosen line of the sheet as its group and place in it; -1 when none.
    std::pair<int, int> chosen() const;
    void say(const QString& text, bool wrong = false);
    QString indexText(const QString& player) const;

    QLineEdit* competitionName;
    QLineEdit* competitionDate;
    QComboBox* groupSize;
    QLineEdit* firstTime;
    QLineEdit* interval;
    QComboBox* startFrom;
    QComboBox* order;
    QLineEdit* seed;
    QComboBox* course;
    QLineEdit* entrant;
    QListWidget* entries;
    QTableWidget* sheetTable;
    QLabel* status;
    QList<startsheet::Entry> m_entries;
    QList<startsheet::Group> m_groups;
    std::optional<startsheets::Sheet> m_kept; // as read or last saved
    QHash<QString, double> m_indexes;
    QList<field::RatedTee> m_tees;
};

} // namespace parlog
