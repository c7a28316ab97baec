#pragma once

#include <functional>

#include "app/window.h"
#include "reports/paginator.h"

#include <memory>

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace parlog {

namespace report {
class Report;
}

// DataReport1 ... DataReport10 on screen: the pages with zoom and paging, Print and
// Save as PDF.
class ReportWindow : public Window {
    Q_OBJECT
public:
    ReportWindow(Application& app, report::Report& report);

    void form_load() override;
    // Takes the report's current data again, back on the first page.
    void reload();

    int pageIndex() const { return m_page; }
    int pageCount();
    void showPage(int index);
    void setZoom(double zoom);
    bool savePdf(const QString& path);
    // The rows of the report, in the columns it prints, as CSV.
    bool saveCsv(const QString& path);
    void printTo(QPrinter& printer);
    report::Paginator& paginator() { return *m_paginator; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // True, when the rows stopped early: said, and the window closes.
    bool broken();
    // The name a saved file is offered: what the pages hold.
    QString suggestedName() const;
    void render();
    void countSomePages();
    void print();
    void saveAs();
    void saveAsCsv();

    report::Report& m_report;
    std::unique_ptr<report::Paginator> m_paginator;
    int m_page = 0;
    bool m_counting = false; // the pages of a fed report are still being counted
    double m_zoom = 1.0;
    QScrollArea* m_scroll;
    QLabel* m_sheet;
    QLabel* m_pageLabel;
    QComboBox* m_zoomBox;
    QPushButton* m_first;
    QPushButton* m_previous;
    QPushButton* m_next;
    QPushButton* m_last;
};

enum class ShowMode { Modeless, Modal };

// Shows a report with the data set on it: raises its window with the new data when it
// is open. A report whose data could not be produced raises its error event:
// DataReport3 answers with its message and shows nothing, the others show an empty
// report. Modal returns when the user has closed the report.
QWidget* showReport(Application& app, const QString& name, ShowMode mode = ShowMode::Modeless);

enum class SaveKind { Pdf, Csv };

// Asks where to save, suggesting STEM.pdf or STEM.csv in the home folder; empty when
// the user cancelled.
QString askSavePath(QWidget* parent, SaveKind kind, const QString& stem);
// A file name from what a file holds: words joined by "-", nothing a file system refuses.
QString fileStem(const QString& words);

// Writes the report as its pages or as the given columns of its rows; a failure is told
// to the user.
bool saveReport(Application& app, const QString& name, SaveKind kind, const QString& path,
                const QStringList& csvColumns = {});

// Print, Save as PDF and Save as CSV for a window that fills a report with its figures
// first: FILL runs before each.
// stem: the name a saved file is offered, saying what is in it (made when the user
// saves, from what the window shows then).
void connectReportButtons(QWidget* window, Application& app, const QString& report,
                          std::function<QString()> stem, QPushButton* print, QPushButton* pdf,
                          QPushButton* csv, std::function<void()> fill,
                          const QStringList& csvColumns);

} // namespace parlog
