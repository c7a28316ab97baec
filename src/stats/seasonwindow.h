#pragma once

#include "base/window.h"
#include "reports/report.h"
#include "stats/season.h"

#include <QTemporaryDir>

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;

namespace parlog {

// season: the hub's player's figures over a range of dates, on one course or all:
// scoring, fairways, greens, putts and scores to par, with two charts.
class SeasonWindow : public Window {
    Q_OBJECT
public:
    explicit SeasonWindow(Application& app);

    void load() override;
    void refresh(); // the figures anew, from the boxes as they stand

    const SeasonFigures& figures() const { return m_figures; }
    bool savePdf(const QString& path);
    bool saveCsv(const QString& path);
    // The figures as the rows of the season report, with its heading and charts.
    report::Report makeReport();

private:
    // Where the charts are drawn for the printed report, for the window's life.
    QTemporaryDir m_chartFolder;
    void show(const SeasonFigures& f);
    void drawCharts();
    QChart* roundsChart(const QString& title, const QList<double>& values);
    QChart* barsChart(const QString& title, const QStringList& categories,
                      const QList<double>& values, const QString& labels, double top = 0);

    QString m_player;
    QLineEdit* from;
    QLineEdit* to;
    QComboBox* course;
    QLabel* noPars;
    QChartView* netChart;
    QChartView* toParChart;
    QChartView* puttsChart;
    QChartView* scramblingChart;
    QHash<QString, QLabel*> m_values; // each figure's value, by the figure's name
    SeasonFigures m_figures;
};

} // namespace parlog
