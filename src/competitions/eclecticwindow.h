#pragma once

#include "base/window.h"
#include "reports/report.h"
#include "competitions/eclectic.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QStandardItemModel;
class QTableView;
class QTableWidget;

namespace parlog {

// eclectic: each player's best score on each hole of a course over a range of dates,
// ranked by gross or by net; the chosen player's card says when each best was made.
class EclecticWindow : public Window {
    Q_OBJECT
public:
    explicit EclecticWindow(Application& app);

    void load() override;
    void refresh(); // the eclectic anew, from the boxes as they stand
    void showCard(); // the chosen player's card, with the day of each best

    const QList<EclecticLine>& lines() const { return m_lines; }
    bool savePdf(const QString& path);
    bool saveCsv(const QString& path);
    report::Report makeReport() const;

private:
    QComboBox* course;
    QLineEdit* from;
    QLineEdit* to;
    QComboBox* basis;
    QLineEdit* share;
    QTableView* standings;
    QStandardItemModel* m_model;
    QTableWidget* bestCard;
    QLabel* status;
    QList<EclecticLine> m_lines;
    double m_share = 0.5;
};

} // namespace parlog
