// Printing a report: in the module loaded on first use, with Qt Print Support.
#include "base/reportwindow.h"

#include "base/application.h"
#include "reports/reportpainter.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace parlog {

void ReportWindow::printTo(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        app().inform(QStringLiteral("The printer could not be started. Check that a printer "
                                    "is installed and ready."));
        return;
    }
    const int count = pageCount();
    if (!m_paginator) {
        printer.abort();
        return;
    }
    int from = printer.fromPage() > 0 ? printer.fromPage() - 1 : 0;
    int to = printer.toPage() > 0 ? printer.toPage() - 1 : count - 1;
    to = qMin(to, count - 1);
    // Page by page, each built for the printer and let go, with Cancel at hand.
    const auto progress = app().progress(QStringLiteral("Printing the report\u2026"));
    for (int i = from; i <= to; ++i) {
        if (!progress->carryOn(i - from, to - from + 1)) {
            printer.abort();
            return;
        }
        if (i > from)
            printer.newPage();
        const report::Page page = m_paginator->build(i);
        if (!m_paginator->readError().isEmpty()) {
            printer.abort();
            broken();
            return;
        }
        report::paintPage(painter, page, printer.resolution());
    }
    painter.end();
}

void ReportWindow::printWithDialog()
{
    if (!m_paginator)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(report::pageLayout(m_paginator->setup().landscape));
    printer.setDocName(windowTitle());
    const int pages = pageCount();
    if (!m_paginator)
        return;
    printer.setFromTo(1, pages);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pages);
    if (dialog.exec() == QDialog::Accepted && m_paginator)
        printTo(printer);
}

} // namespace parlog
