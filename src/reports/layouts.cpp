#include "reports/layouts.h"

#include <QHash>
#include <functional>

namespace parlog::report {

namespace {

Band band(const QString& name, BandKind kind, int height, QList<Item> items = {})
{
    return Band{name, kind, height, std::move(items)};
}

// Header, detail and footers as every report has them.
QList<Band> standardBands(int reportHeader, QList<Item> reportItems, int pageHeader,
                          QList<Item> pageItems, int detail, QList<Item> detailItems)
{
    return {band(QStringLiteral("Section4"), BandKind::ReportHeader, reportHeader,
                 std::move(reportItems)),
            band(QStringLiteral("Section2"), BandKind::PageHeader, pageHeader,
                 std::move(pageItems)),
            band(QStringLiteral("Section1"), BandKind::Detail, detail, std::move(detailItems)),
            band(QStringLiteral("Section3"), BandKind::PageFooter, 0),
            band(QStringLiteral("Section5"), BandKind::ReportFooter, 0)};
}

const FontSpec kReportFont = font(8.25);
const FontSpec kHeading = font(9.75, true);

Layout players()
{
    Layout l;
    l.name = QStringLiteral("DataReport1");
    l.caption = QStringLiteral("Players");
    l.width = 9525;
    const auto heading = [](const char* name, const char* text, int left, int width) {
        return label(QString::fromLatin1(name), QString::fromLatin1(text),
                     QRect(left, 0, width, 285), kHeading, Align::Center);
    };
    l.bands = standardBands(
        390,
        {label(QStringLiteral("Label1"), QStringLiteral("Players Details"),
               QRect(3543, 0, 3975, 375), font(15.75, true), Align::Center),
         label(QStringLiteral("Label7"), QStringLiteral("%D"), QRect(283, 142, 1440, 240),
               kReportFont)},
        285,
        {heading("Label3", "Mem No.", 2268, 945), heading("Name", "Name", 3071, 1695),
         heading("Label5", "HCap", 4961, 1140), heading("Label2", "Division", 6095, 1515),
         heading("Label4", "Phone", 7984, 1140), hline(QStringLiteral("Line1"), 2126, 283, 7230)},
        285,
        {field(QStringLiteral("Text4"), QStringLiteral("membership"), QRect(2127, 0, 570, 285),
               kReportFont, Align::Right),
         field(QStringLiteral("Text2"), QStringLiteral("playername"), QRect(2835, 0, 2265, 285),
               kReportFont, Align::Center),
         field(QStringLiteral("Text1"), QStringLiteral("handicapp"), QRect(5245, 0, 720, 285),
               kReportFont, Align::Left),
         field(QStringLiteral("Text3"), QStringLiteral("division"), QRect(6095, 0, 1425, 285),
               kReportFont, Align::Center),
         field(QStringLiteral("Text5"), QStringLiteral("telephone"), QRect(7654, 0, 1560, 285),
               kReportFont, Align::Center),
         hline(QStringLiteral("Line2"), 2126, 283, 7230)});
    return l;
}

Layout courses()
{
    Layout l;
    l.name = QStringLiteral("DataReport2");
    l.caption = QStringLiteral("Golf Courses");
    l.width = 10066;
    const auto heading = [](const char* name, const char* text, int left) {
        return label(QString::fromLatin1(name), QString::fromLatin1(text),
                     QRect(left, 0, 1845, 285), kHeading, Align::Center);
    };
    const auto cell = [](const char* name, const char* column, int left, int width) {
        return field(QString::fromLatin1(name), QString::fromLatin1(column),
                     QRect(left, 0, width, 285), kReportFont, Align::Left);
    };
    Item par = heading("Label3", "Par", 9496);
    par.rect.setWidth(570);
    l.bands = standardBands(
        285,
        {label(QStringLiteral("Label4"), QStringLiteral("Golf Courses"), QRect(3543, 0, 3260, 283),
               font(14.25, true), Align::Center)},
        285,
        {heading("Course", "Course", 0), heading("Label1", "Address", 3827),
         heading("Label2", "Telephone", 7087), par},
        285,
        {cell("Text1", "coursename", 0, 2268), cell("Text2", "courseadd1", 2268, 1710),
         cell("Text3", "courseadd2", 3969, 1695), cell("Text4", "courseadd3", 5669, 1702),
         cell("Text5", "coursetel", 7370, 1125), cell("Text6", "coursepar", 9496, 570),
         hline(QStringLiteral("Line2"), 0, 283, 10063)});
    return l;
}

const QHash<QString, std::function<Layout()>>& factories()
{
    static const QHash<QString, std::function<Layout()>> table{
        {QStringLiteral("DataReport1"), players},
        {QStringLiteral("DataReport2"), courses},
    };
    return table;
}

} // namespace

Layout layoutFor(const QString& name)
{
    const auto it = factories().constFind(name);
    return it == factories().constEnd() ? Layout{} : (*it)();
}

QStringList reportNames()
{
    QStringList names;
    for (int i = 1; i <= 10; ++i) {
        const QString name = QStringLiteral("DataReport%1").arg(i);
        if (factories().contains(name))
            names << name;
    }
    return names;
}

} // namespace parlog::report
