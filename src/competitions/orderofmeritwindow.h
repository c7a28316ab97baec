#pragma once

#include "base/window.h"
#include "data/seasons.h"
#include "reports/report.h"
#include "competitions/orderofmerit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QStandardItemModel;
class QTableView;

namespace parlog {

// orderOfMerit: a season's table of points for finishing positions, kept in the
// register; the best so many events count.
class OrderOfMeritWindow : public Window {
    Q_OBJECT
public:
    explicit OrderOfMeritWindow(Application& app);

    void load() override;
    void seasonChosen();   // a kept season chosen, or a new one
    void datesChanged();   // the competitions of the new dates listed
    void refresh();        // the table anew, from the boxes as they stand
    void saveSeason();     // the boxes kept as the season
    void deleteSeason();

    const OrderOfMerit& table() const { return m_table; }
    bool savePdf(const QString& path);
    bool saveCsv(const QString& path);
    // PRINTED: each event in a column under its number; else under its name, for a CSV.
    report::Report makeReport(bool printed = true) const;
    // Each event a column of its own, as a spreadsheet wants them.
    QStringList csvColumns() const;

private:
    // The season as the boxes say it; why not when a box does not read.
    Result<seasons::Season> fromBoxes() const;
    void showSeason(const seasons::Season& season);
    void listEvents();
    void fillSeasons(std::optional<qint64> chosen);

    QComboBox* season;
    QLineEdit* seasonName;
    QLineEdit* from;
    QLineEdit* to;
    QLineEdit* positionPoints;
    QLineEdit* playingPoints;
    QSpinBox* bestOf;
    QComboBox* divisionFilter;
    QListWidget* competitions;
    QTableView* standings;
    QStandardItemModel* m_model;
    QLabel* status;
    QList<seasons::Season> m_seasons;
    seasons::Season m_season; // as last read from the boxes
    OrderOfMerit m_table;
};

} // namespace parlog
