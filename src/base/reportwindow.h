#pragma once

#include <functional>

#include "base/window.h"
#include "reports/paginator.h"
#include "reports/report.h"

#include <memory>

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace parlog {

// A report on screen: the pages with zoom and paging, Print, Save as PDF and as CSV.
// It is handed the report to show as its context.
class ReportWindow : public Window {
    Q_OBJECT
public:
    ReportWindow(Application& app, const QString& name);

    void load() override;
    // Handed another report of its name: shows it, back on the first page.
    void contextChanged() override;
    const report::Report& report() const { return *m_report; }

    int pageIndex() const { return m_page; }
    int pageCount();
    void showPage(int index);
    void setZoom(double zoom);
    bool savePdf(const QString& path);
    // The rows of the report, in the columns it prints, as CSV.
    bool saveCsv(const QString& path);
    // Printing lives with the charts in a module loaded on first use (base/lateparts.h).
    void printTo(QPrinter& printer);
    void printWithDialog();
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

    void reload();

    std::shared_ptr<const report::Report> m_report;
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

// Shows a report in the window of its name, raised with the new report when it is open.
// A report whose data could not be produced raises its error event: DataReport3
// answers with its message and shows nothing, the others show an empty report. Modal
// returns when the user has closed the report.
QWidget* showReport(Application& app, report::Report report, ShowMode mode = ShowMode::Modeless);

enum class SaveKind { Pdf, Csv, Html };

// Asks where to save, suggesting STEM.pdf or STEM.csv in the home folder; empty when
// the user cancelled.
QString askSavePath(QWidget* parent, SaveKind kind, const QString& stem);
// A file name from what a file holds: words joined by "-", nothing a file system refuses.
QString fileStem(const QString& words);

// Writes the report as its pages or as the given columns of its rows; a failure is told
// to the user.
bool saveReport(Application& app, const report::Report& report, SaveKind kind,
                const QString& path, const QStringList& csvColumns = {});

// Print, Save as PDF and Save as CSV for a window that makes a report of its figures:
// MAKE runs for each, when the button is pressed.
// stem: the name a saved file is offered, saying what is in it (made when the user
// saves, from what the window shows then).
void connectReportButtons(QWidget* window, Application& app, std::function<QString()> stem,
                          QPushButton* print, QPushButton* pdf, QPushButton* csv,
                          std::function<report::Report()> make, const QStringList& csvColumns);
// The same for columns that change with what the window shows; MAKEFORCSV, when given,
// makes the report a CSV file is written from.
void connectReportButtons(QWidget* window, Application& app, std::function<QString()> stem,
                          QPushButton* print, QPushButton* pdf, QPushButton* csv,
                          std::function<report::Report()> make,
                          std::function<QStringList()> csvColumns,
                          std::function<report::Report()> makeForCsv = {});

// Copy as text (for an e-mail, columns aligned in a fixed-width font) and Save as web
// page (one self-contained page, opened in the desktop's browser once saved) for a window
// that makes a report; either button may be none.
void connectPublishButtons(QWidget* window, Application& app, std::function<QString()> stem,
                           QPushButton* copy, QPushButton* web,
                           std::function<report::Report()> make);
// The name a published page has on top: the society's, as the user last gave it, else
// the register's own.
QString societyName(const QString& registerLocation);
// Asks the society's name for the page (kept for the next, and for --publish) and where to
// save it; empty when the user cancelled either.
QString askWebPagePath(QWidget* parent, const Application& app, const QString& stem);

} // namespace parlog
