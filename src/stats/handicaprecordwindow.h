#pragma once

#include "base/window.h"
#include "reports/report.h"
#include "stats/handicaprecord.h"

#include <QTemporaryDir>

class QChartView;
class QComboBox;
class QLabel;
class QStandardItemModel;
class QTableView;

namespace parlog {

// handicapRecord: a player's Handicap Index from their cards, with every card's
// differential, which of them the index rests on, and why a card does not count.
class HandicapRecordWindow : public Window {
    Q_OBJECT
public:
    explicit HandicapRecordWindow(Application& app);

    void load() override;
    void refresh(); // the chosen player's record, read anew

    const HandicapRecord& record() const { return m_record; }
    bool savePdf(const QString& path);
    bool saveCsv(const QString& path);
    // The record as the report prints it, newest card first, with the chart.
    report::Report makeReport();

private:
    void drawChart();

    QComboBox* player;
    QLabel* handicapIndex;
    QLabel* lowIndex;
    QLabel* note;
    QTableView* differentials;
    QStandardItemModel* m_model;
    QChartView* indexChart;
    QTemporaryDir m_chartFolder;
    HandicapRecord m_record;
};

} // namespace parlog
