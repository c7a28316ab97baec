#pragma once

#include "data/outputfile.h"
#include "data/progress.h"
#include "data/result.h"
#include "reports/paginator.h"

#include <QImage>
#include <QPageLayout>

class QPainter;

namespace parlog::report {

// Draws a page's commands with the painter's origin at the top left of the printable
// area, at the given resolution. The same drawing serves screen, printer and PDF.
void paintPage(QPainter& painter, const Page& page, double dotsPerInch);

// What a text command prints, the same on every device: a caption whole, as the
// layout was designed to hold it; a value that overflows its box cut with an
// ellipsis, measured with the font's design metrics, not a device's.
QString fittedText(const DrawCommand& command);

// A page as a picture for the screen, white paper with the printable area inset.
QImage pageImage(const Page& page, double dotsPerInch, const PageSetup& setup = {});

// Writes every page to a PDF file (A4, half-inch margins), page by page, telling the
// progress. Cancelled, it leaves no file behind.
Status writePdf(Paginator& paginator, const OutputFile& target, Progress* progress = nullptr);

// The paper of PageSetup for a printer or a PDF writer.
QPageLayout pageLayout(bool landscape = false);

// The QFont for a report font at a resolution.
QFont qfont(const FontSpec& style);

} // namespace parlog::report
