#pragma once

#include "base/window.h"
#include "reports/report.h"
#include "competitions/results.h"

class QCheckBox;
class QComboBox;
class QSpinBox;
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

    void load() override;
    void competitionChosen(); // a competition chosen: its day becomes the range
    void refresh();           // the ranking anew, from the boxes as they stand
    // The competition's format, allowance, PCC and handicap counting, kept at once.
    void keepSettings();
    // The sides of the chosen competition, in their own window.
    void enterField();

    const QList<Placing>& placings() const { return m_placings; }
    bool savePdf(const QString& path);
    bool saveCsv(const QString& path);

    // The ranking as the results report prints it, with its heading.
    report::Report makeReport() const;

private:
    void showSettings();
    // The columns of a line: a player's, or a side's.
    QStringList csvColumns() const;

    QComboBox* competition;
    QLineEdit* from;
    QLineEdit* to;
    QComboBox* basis;
    QComboBox* divisionFilter;
    QComboBox* format;
    QLineEdit* allowance;
    QSpinBox* pcc;
    QCheckBox* countsForHandicap;
    QComboBox* teamFormat;
    QComboBox* nine;
    competitions::Settings m_settings;
    QTableView* ranking;
    QLabel* status;
    QStandardItemModel* m_model;
    QList<Placing> m_placings;
    QString m_course;
    QString m_scratch;
};

} // namespace parlog
