#include "reports/tabular.h"

#include "data/conversions.h"
#include "reports/paginator.h"

#include <algorithm>

namespace parlog::report {

namespace {

const Item* fieldItem(const Layout& layout, const QString& column)
{
    for (const Band& b : layout.bands)
        for (const Item& i : b.items)
            if (i.kind == Item::Kind::Field &&
                i.dataField.compare(column, Qt::CaseInsensitive) == 0)
                return &i;
    return nullptr;
}

} // namespace

Table tableOf(const Report& report, const QDate& runDate)
{
    const Layout layout = report.layout();
    Table t;
    if (const Band* header = layout.band(BandKind::ReportHeader)) {
        QList<Item> labels;
        for (const Item& i : header->items)
            if (i.kind == Item::Kind::Label && !i.caption.trimmed().isEmpty())
                labels << i;
        std::stable_sort(labels.begin(), labels.end(), [](const Item& a, const Item& b) {
            return a.rect.top() != b.rect.top() ? a.rect.top() < b.rect.top()
                                                : a.rect.left() < b.rect.left();
        });
        for (const Item& i : std::as_const(labels)) {
            QString line = i.caption;
            line.replace(QStringLiteral("%D"), formatDate(runDate, DateFormat::Long));
            if (!line.trimmed().isEmpty() && !t.titles.contains(line.trimmed()))
                t.titles << line.trimmed();
        }
    }
    const QStringList columns = fieldColumns(layout);
    t.captions = fieldCaptions(layout, columns);
    QList<Format> formats;
    for (const QString& c : columns) {
        const Item* item = fieldItem(layout, c);
        t.aligns << (item ? item->align : Align::Left);
        formats << (item ? item->format : Format::General);
    }
    const DataSource& source = report.dataSource();
    for (int r = 0; source.hasRow(r); ++r) {
        QStringList row;
        for (qsizetype c = 0; c < columns.size(); ++c)
            row << formatValue(source.value(r, columns[c]), formats[c]);
        t.rows << row;
    }
    // A column no line fills (a stroke play's points, a Stableford's net) takes no room.
    for (qsizetype c = columns.size() - 1; c >= 0 && !t.rows.isEmpty(); --c) {
        if (std::any_of(t.rows.cbegin(), t.rows.cend(),
                        [c](const QStringList& row) { return !row[c].isEmpty(); }))
            continue;
        t.captions.removeAt(c);
        t.aligns.removeAt(c);
        for (QStringList& row : t.rows)
            row.removeAt(c);
    }
    return t;
}

QString plainText(const Table& t)
{
    QList<qsizetype> widths;
    for (const QString& c : t.captions)
        widths << c.size();
    for (const QStringList& row : t.rows)
        for (qsizetype c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    const auto line = [&](const QStringList& cells) {
        QStringList padded;
        for (qsizetype c = 0; c < widths.size(); ++c) {
            const QString cell = cells.value(c);
            padded << (t.aligns.value(c) == Align::Left ? cell.leftJustified(widths[c])
                       : t.aligns.value(c) == Align::Right
                           ? cell.rightJustified(widths[c])
                           : QString((widths[c] - cell.size()) / 2, u' ') + cell +
                                 QString(widths[c] - cell.size() - (widths[c] - cell.size()) / 2,
                                         u' '));
        }
        // Trailing blanks serve no one in a message.
        QString text = padded.join(QStringLiteral("  "));
        while (text.endsWith(u' '))
            text.chop(1);
        return text;
    };
    QStringList lines = t.titles;
    if (!lines.isEmpty())
        lines << QString();
    lines << line(t.captions);
    qsizetype total = 0;
    for (qsizetype w : std::as_const(widths))
        total += w;
    lines << QString(total + 2 * std::max<qsizetype>(0, widths.size() - 1), u'-');
    for (const QStringList& row : t.rows)
        lines << line(row);
    return lines.join(u'\n') + u'\n';
}

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QStringLiteral("&amp;");
            break;
        case '<':
            out += QStringLiteral("&lt;");
            break;
        case '>':
            out += QStringLiteral("&gt;");
            break;
        case '"':
            out += QStringLiteral("&quot;");
            break;
        case '\'':
            out += QStringLiteral("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString htmlPage(const QString& society, const QString& date, const QList<Table>& tables)
{
    QString h;
    h += QStringLiteral(
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n");
    h += QStringLiteral("<title>%1</title>\n").arg(escaped(society));
    // Read on a phone (tables scroll sideways in their own box) and printed on A4.
    h += QStringLiteral(
        "<style>\n"
        "body{font-family:Arial,Helvetica,sans-serif;margin:1em;color:#111;background:#fff}\n"
        "h1{font-size:1.5em;margin:0 0 .2em}\n"
        ".date{color:#444;margin:0 0 1.2em}\n"
        "h2{font-size:1.2em;margin:1.4em 0 .2em}\n"
        "p.sub{margin:.1em 0;color:#333}\n"
        ".scroll{overflow-x:auto;margin:.5em 0 1em}\n"
        "table{border-collapse:collapse;font-size:.95em}\n"
        "th,td{padding:.25em .6em;border-bottom:1px solid #ccc;white-space:nowrap}\n"
        "th{background:#e8efe6;text-align:left}\n"
        "td.c,th.c{text-align:center}td.r,th.r{text-align:right}\n"
        "@media (max-width:600px){body{margin:.5em}table{font-size:.82em}"
        "th,td{padding:.2em .3em}}\n"
        "@media print{body{margin:0}@page{size:A4;margin:15mm}.scroll{overflow:visible}"
        "section{break-inside:avoid-page}}\n"
        "</style>\n</head>\n<body>\n");
    h += QStringLiteral("<h1>%1</h1>\n<p class=\"date\">%2</p>\n")
             .arg(escaped(society), escaped(date));
    for (const Table& t : tables) {
        h += QStringLiteral("<section>\n");
        for (qsizetype i = 0; i < t.titles.size(); ++i)
            h += i == 0 ? QStringLiteral("<h2>%1</h2>\n").arg(escaped(t.titles[i]))
                        : QStringLiteral("<p class=\"sub\">%1</p>\n").arg(escaped(t.titles[i]));
        const auto cls = [&t](qsizetype c) {
            const Align a = t.aligns.value(c);
            return a == Align::Center  ? QStringLiteral(" class=\"c\"")
                   : a == Align::Right ? QStringLiteral(" class=\"r\"")
                                       : QString();
        };
        h += QStringLiteral("<div class=\"scroll\"><table>\n<thead><tr>");
        for (qsizetype c = 0; c < t.captions.size(); ++c)
            h += QStringLiteral("<th%1>%2</th>").arg(cls(c), escaped(t.captions[c]));
        h += QStringLiteral("</tr></thead>\n<tbody>\n");
        for (const QStringList& row : t.rows) {
            h += QStringLiteral("<tr>");
            for (qsizetype c = 0; c < t.captions.size(); ++c)
                h += QStringLiteral("<td%1>%2</td>").arg(cls(c), escaped(row.value(c)));
            h += QStringLiteral("</tr>\n");
        }
        h += QStringLiteral("</tbody>\n</table></div>\n</section>\n");
    }
    h += QStringLiteral("</body>\n</html>\n");
    return h;
}

Status writeHtml(const QString& society, const QString& date, const QList<Table>& tables,
                 const OutputFile& target)
{
    WholeFile file(target);
    if (Status opened = file.open(); !opened)
        return opened;
    const QByteArray bytes = htmlPage(society, date, tables).toUtf8();
    if (file.device().write(bytes) != bytes.size())
        return Failure{QStringLiteral("The file %1 could not be written.").arg(target.path)};
    return file.commit();
}

} // namespace parlog::report
