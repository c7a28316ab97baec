#include "reports/reportpainter.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>

namespace parlog::report {

namespace {

QRectF toDevice(const QRect& twips, double dpi)
{
    const double k = dpi / kTwipsPerInch;
    return QRectF(twips.x() * k, twips.y() * k, twips.width() * k, twips.height() * k);
}

Qt::Alignment alignmentOf(Align align)
{
    switch (align) {
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

QString fittedText(const DrawCommand& c)
{
    if (c.kind != DrawCommand::Kind::Text || c.caption)
        return c.text;
    // Measured in twips on a device of 1440 dots to the inch, unhinted: the same
    // answer for the screen at any zoom, the printer and a PDF.
    static const QImage design = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = int(kTwipsPerInch / 0.0254 + 0.5);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    QFont f = qfont(c.font);
    f.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(f, &design);
    if (c.rect.height() >= 2 * metrics.lineSpacing())
        return c.text; // wrapped within its box
    return metrics.elidedText(c.text, Qt::ElideRight, c.rect.width() + 1);
}

QPageLayout pageLayout(bool landscape)
{
    const double margin = double(PageSetup::kMargin) / kTwipsPerPoint;
    return QPageLayout(QPageSize(QPageSize::A4),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(margin, margin, margin, margin), QPageLayout::Point);
}

QFont qfont(const FontSpec& style)
{
    QFont f(style.family);
    f.setStyleHint(style.family.contains(QLatin1String("Times")) ? QFont::Serif : QFont::SansSerif);
    f.setPointSizeF(style.points);
    f.setBold(style.bold);
    f.setItalic(style.italic);
    return f;
}

void paintPage(QPainter& painter, const Page& page, double dpi)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QPen pen(Qt::black);
    pen.setWidthF(qMax(1.0, 12.0 * dpi / kTwipsPerInch));
    for (const DrawCommand& c : page.commands) {
        const QRectF r = toDevice(c.rect, dpi);
        switch (c.kind) {
        case DrawCommand::Kind::Line:
            painter.setPen(pen);
            if (c.rect.width() >= c.rect.height())
                painter.drawLine(QPointF(r.left(), r.top()), QPointF(r.right(), r.top()));
            else
                painter.drawLine(QPointF(r.left(), r.top()), QPointF(r.left(), r.bottom()));
            break;
        case DrawCommand::Kind::Picture: {
            QSvgRenderer svg(c.picture);
            if (svg.isValid()) {
                QSizeF size = svg.defaultSize();
                size.scale(r.size(), Qt::KeepAspectRatio);
                const QRectF target(r.center() - QPointF(size.width() / 2, size.height() / 2),
                                    size);
                svg.render(&painter, target);
            }
            break;
        }
        case DrawCommand::Kind::Text: {
            const QFont f = qfont(c.font);
            painter.setFont(f);
            painter.setPen(Qt::black);
            const QFontMetricsF metrics(f, painter.device());
            const bool wrap = r.height() >= 2 * metrics.lineSpacing();
            const Qt::Alignment align = alignmentOf(c.align) | Qt::AlignTop;
            if (wrap) {
                painter.drawText(r, int(align | Qt::TextWordWrap), c.text);
            } else {
                // A value wider than its box ends in an ellipsis rather than running
                // into the next column; a caption prints whole.
                painter.drawText(
                    QRectF(r.left(), r.top(), r.width(), qMax(r.height(), metrics.height())),
                    int(align | Qt::TextSingleLine | Qt::TextDontClip), fittedText(c));
            }
            break;
        }
        }
    }
    painter.restore();
}

QImage pageImage(const Page& page, double dpi, const PageSetup& setup)
{
    const double k = dpi / kTwipsPerInch;
    const QSize size(int((setup.width + 2 * PageSetup::kMargin) * k + 0.5),
                     int((setup.height + 2 * PageSetup::kMargin) * k + 0.5));
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMeter = int(dpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(PageSetup::kMargin * k, PageSetup::kMargin * k);
    paintPage(painter, page, dpi);
    return image;
}

Status writePdf(Paginator& paginator, const OutputFile& target, Progress* progress)
{
    const Failure failed{QStringLiteral("The file %1 could not be written.").arg(target.path)};
    // Written aside and put in place whole: a failure leaves no file, or the old one.
    WholeFile file(target);
    if (Status opened = file.open(); !opened)
        return opened;
    QPdfWriter writer(&file.device());
    writer.setResolution(1200);
    writer.setTitle(paginator.layout().caption);
    writer.setCreator(QStringLiteral("Parlog"));
    writer.setPageLayout(pageLayout(paginator.setup().landscape));
    QPainter painter;
    if (!painter.begin(&writer))
        return failed;
    const auto stop = [&](const QString& why) {
        painter.end();
        return Failure{QStringLiteral("The report was not saved: %1").arg(why)};
    };
    const QString cancelled = QStringLiteral("it was cancelled.");
    // Counted first, a page at a time, so that the progress can say how far it is.
    while (paginator.planAhead())
        if (progress && !progress->carryOn(0, 0))
            return stop(cancelled);
    if (!paginator.readError().isEmpty())
        return stop(paginator.readError());
    const int pages = paginator.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (progress && !progress->carryOn(i, pages))
            return stop(cancelled);
        if (i > 0)
            writer.newPage();
        const Page page = paginator.build(i);
        if (!paginator.readError().isEmpty())
            return stop(paginator.readError());
        paintPage(painter, page, writer.resolution());
    }
    if (!painter.end())
        return failed;
    return file.commit();
}

} // namespace parlog::report
