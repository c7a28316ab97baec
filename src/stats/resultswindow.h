#pragma once

#include "base/window.h"
#include "reports/report.h"
#include "stats/results.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QStandardItemModel;
class QTableView;

namespace parlog {

// results: a competition's cards ranked, net or gross, overall or by division, with
// ties decided by countback; printed, saved as PDF or as CSV.
class ResultsWindow : public Window {
    Q_OBJECT
public:
    explicit ResultsWindow(Application& app);

    void form_load() override;
    void competition_Click(); // a competition chosen: its day becomes the range
    void refresh();           // the ranking anew, from the boxes as they stand

    const QList<Placing>& placings() const { return m_placings; }
    bool savePdf(const QString& path);
    bool saveCsv(const QString& path);

private:
    // Hands the ranking to the results report, with its heading.
    report::Report makeReport() const;

    QComboBox* competition;
    QLineEdit* from;
    QLineEdit* to;
    QComboBox* basis;
    QComboBox* divisionFilter;
    QTableView* ranking;
    QLabel* status;
    QStandardItemModel* m_model;
    QList<Placing> m_placings;
    QString m_course;
    QString m_scratch;
};

} // namespace parlog
