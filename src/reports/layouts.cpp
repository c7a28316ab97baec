#include "reports/layouts.h"

#include <QHash>

#include <algorithm>
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

const FontSpec kBold = font(8.25, true);
const FontSpec kRunTime = font(12, true, true);
const FontSpec kPageTitle = font(15.75, true);

// The round card of the best and worst rounds, moved by (dx, dy).
QList<Item> roundCard(int dx, int dy, bool outCaption)
{
    const auto at = [dx, dy](int left, int top, int width, int height) {
        return QRect(left + dx, top + dy, width, height);
    };
    QList<Item> items{
        label(QStringLiteral("Label38"), QString(), at(567, 142, 2130, 435), kRunTime),
        label(QStringLiteral("Label39"), QString(), at(2976, 142, 3260, 425), kRunTime),
        hline(QStringLiteral("Line1"), 283 + dx, 709 + dy, 5386),
        hline(QStringLiteral("Line2"), 992 + dx, 1843 + dy, 7230),
        hline(QStringLiteral("Line3"), 3543 + dx, 1984 + dy, 4545),
    };
    struct Detail {
        const char* caption;
        const char* column;
        int boxLeft;
        int top;
        int captionWidth;
        int boxWidth;
        Format format;
    };
    const Detail details[] = {
        {"Player", "PlayerID", 1701, 1984, 705, 1710, Format::General},
        {"Hcp", "HAND", 1701, 2409, 570, 1275, Format::General},
        {"Division", "division", 1842, 2834, 705, 1140, Format::General},
        {"Course", "course", 1701, 3401, 705, 1695, Format::General},
        {"Comp", "comp", 1701, 3826, 705, 1695, Format::General},
        {"Date", "strdate", 1701, 4251, 705, 1695, Format::DottedShort},
        {"S Scratch", "CompSS", 1842, 4677, 855, 1140, Format::General},
        {"Putts", "putts", 1701, 5102, 705, 1695, Format::General},
    };
    int n = 0;
    for (const Detail& d : details) {
        ++n;
        items << label(QStringLiteral("Caption%1").arg(n), QString::fromLatin1(d.caption),
                       at(992, d.top, d.captionWidth, 285), kReportFont);
        Item box = field(QStringLiteral("Detail%1").arg(n), QString::fromLatin1(d.column),
                         at(d.boxLeft, d.top, d.boxWidth, 285), kBold);
        box.format = d.format;
        items << box;
    }
    items << label(QStringLiteral("CaptionComments"), QStringLiteral("Comments"),
                   at(992, 5527, 855, 285), kReportFont);
    items << field(QStringLiteral("Comment"), QStringLiteral("comment"), at(992, 5811, 2415, 1560),
                   kBold);
    const int headingLefts[2][3] = {{4110, 4677, 5102}, {6803, 7370, 7795}};
    const char* headings[3] = {"Score", "G", "F"};
    for (int side = 0; side < 2; ++side)
        for (int k = 0; k < 3; ++k)
            items << label(QStringLiteral("Head%1%2").arg(side + 1).arg(k + 1),
                           QString::fromLatin1(headings[k]),
                           at(headingLefts[side][k], 3684, k == 0 ? 570 : 285, 285), kBold);
    const int tops[9] = {3968, 4394, 4819, 5244, 5668, 6094, 6519, 6944, 7369};
    for (int h = 1; h <= 18; ++h) {
        const bool front = h <= 9;
        const int top = tops[(h - 1) % 9];
        const int captionLeft = front ? 3685 : 6094;
        const int captionWidth = front ? 420 : 705;
        const int scoreLeft = front ? 4252 : 6945;
        const int greenLeft = front ? 4677 : 7370;
        const int fairwayLeft = front ? 5102 : 7795;
        items << label(QStringLiteral("Hole%1").arg(h), QStringLiteral("Hole%1").arg(h),
                       at(captionLeft, top, captionWidth, 285), kReportFont, Align::Right);
        items << field(QStringLiteral("HOLE%1").arg(h), QStringLiteral("HOLE%1").arg(h),
                       at(scoreLeft, top, 285, 285), kBold);
        items << field(QStringLiteral("green%1").arg(h), QStringLiteral("green%1").arg(h),
                       at(greenLeft, top, 285, 285), kReportFont, Align::Left, Format::YesNo);
        items << field(QStringLiteral("fairway%1").arg(h), QStringLiteral("fairway%1").arg(h),
                       at(fairwayLeft, top, 285, 285), kReportFont, Align::Left, Format::YesNo);
    }
    if (outCaption)
        items << label(QStringLiteral("CaptionOut"), QStringLiteral("Out"),
                       at(3685, 7794, 420, 285), kReportFont, Align::Right);
    items << field(QStringLiteral("out"), QStringLiteral("out"), at(4251, 7794, 570, 285), kBold);
    items << label(QStringLiteral("CaptionIn"), QStringLiteral("In"), at(6094, 7795, 705, 285),
                   kReportFont, Align::Right);
    items << field(QStringLiteral("inn"), QStringLiteral("inn"), at(6945, 7795, 570, 285), kBold);
    items << label(QStringLiteral("CaptionGross"), QStringLiteral("Gross"),
                   at(6094, 8220, 705, 285), kReportFont, Align::Right);
    items << field(QStringLiteral("gross"), QStringLiteral("gross"), at(6945, 8220, 570, 285),
                   kBold);
    items << label(QStringLiteral("CaptionNett"), QStringLiteral("Nett"),
                   at(5669, 8645, 1125, 285), kReportFont, Align::Right);
    items << field(QStringLiteral("net"), QStringLiteral("net"), at(6945, 8645, 570, 285), kBold);
    items << hline(QStringLiteral("Line4"), 4110 + dx, 7794 + dy, 570);
    items << hline(QStringLiteral("Line5"), 6803 + dx, 7794 + dy, 570);
    items << hline(QStringLiteral("Line6"), 5669 + dx, 8219 + dy, 1695);
    items << hline(QStringLiteral("Line7"), 5669 + dx, 8645 + dy, 1695);
    items << picture(QStringLiteral("Image1"), kGolferOnOval, at(1417, 7370, 1560, 1560));
    return items;
}

Layout roundReport(const QString& name, int width, int titleLeft, int detailHeight, int dx,
                   int dy, bool outCaption)
{
    Layout l;
    l.name = name;
    // The designs keep the report's own name as the window caption.
    l.caption = name;
    l.width = width;
    l.bands = standardBands(0, {}, 570,
                            {label(QStringLiteral("Label23"), QStringLiteral("Golf Results"),
                                   QRect(titleLeft, 0, 4545, 570), kPageTitle, Align::Center)},
                            detailHeight, roundCard(dx, dy, outCaption));
    return l;
}

Layout bestEver()
{
    return roundReport(QStringLiteral("DataReport7"), 9000, 2268, 9255, 0, 0, true);
}

Layout worstEver()
{
    return roundReport(QStringLiteral("DataReport8"), 9135, 3118, 9497, 567, 567, false);
}

// The round card under a heading: title for player at course.
Layout byCourse()
{
    Layout l = roundReport(QStringLiteral("DataReport9"), 9210, 2409, 9639, 0, 284, false);
    Band& page = l.bands[1];
    page.height = 1065;
    page.items[0].rect = QRect(2409, 142, 4545, 570);
    QList<Item>& items = l.bands[2].items;
    items.erase(std::remove_if(items.begin(), items.end(),
                               [](const Item& i) {
                                   return i.name == u"Label38" || i.name == u"Label39" ||
                                          i.name == u"Line1";
                               }),
                items.end());
    const FontSpec plain = font(12);
    items << label(QStringLiteral("Label39"), QString(), QRect(283, 425, 1843, 420), kRunTime)
          << label(QStringLiteral("CaptionFor"), QStringLiteral("for"), QRect(2126, 425, 555, 420),
                   plain)
          << label(QStringLiteral("Label41"), QString(), QRect(2693, 425, 2130, 435), kRunTime)
          << label(QStringLiteral("CaptionAt"), QStringLiteral("at"), QRect(4819, 425, 555, 420),
                   plain)
          << label(QStringLiteral("Label38"), QString(), QRect(5386, 425, 2130, 435), kRunTime)
          << hline(QStringLiteral("Line1"), 283, 993, 5385);
    return l;
}

// The best possible, worst possible and average round, built hole by hole.
Layout possibleRound()
{
    Layout l;
    l.name = QStringLiteral("DataReport10");
    l.caption = l.name;
    l.width = 9825;
    QList<Item> items{
        label(QStringLiteral("Label39"), QString(), QRect(850, 992, 2977, 420), kRunTime),
        label(QStringLiteral("CaptionFor"), QStringLiteral("for"), QRect(3827, 992, 500, 420),
              font(12)),
        label(QStringLiteral("Label38"), QString(), QRect(4394, 992, 2835, 435), kRunTime),
        label(QStringLiteral("CaptionHandicap"), QStringLiteral("Handicap"),
              QRect(709, 1843, 900, 285), kReportFont, Align::Right),
        label(QStringLiteral("Labelhand"), QString(), QRect(1701, 1843, 570, 285), kBold),
        hline(QStringLiteral("Line1"), 1276, 1559, 7230),
        hline(QStringLiteral("Line2"), 1276, 2409, 7230),
        hline(QStringLiteral("Line3"), 2693, 2835, 4545),
        label(QStringLiteral("Head1"), QStringLiteral("Score"), QRect(3827, 2834, 570, 285), kBold),
        label(QStringLiteral("Head2"), QStringLiteral("Score"), QRect(6520, 2834, 570, 285), kBold),
    };
    const int tops[9] = {3118, 3544, 3969, 4394, 4818, 5244, 5669, 6094, 6519};
    for (int h = 1; h <= 18; ++h) {
        const bool front = h <= 9;
        const int top = tops[(h - 1) % 9];
        items << label(QStringLiteral("Hole%1").arg(h), QStringLiteral("Hole%1").arg(h),
                       QRect(front ? 3402 : 5811, top, front ? 420 : 705, 285), kReportFont,
                       Align::Right);
        items << field(QStringLiteral("Text%1").arg(h), QStringLiteral("H%1").arg(h),
                       QRect(front ? 3969 : 6662, top, 570, 285), kBold);
    }
    const auto total = [&](const char* caption, int captionLeft, const char* name, int left,
                           int top) {
        items << label(QStringLiteral("Caption") + QString::fromLatin1(caption),
                       QString::fromLatin1(caption), QRect(captionLeft, top, 705, 285),
                       kReportFont, Align::Right);
        items << label(QString::fromLatin1(name), QString(), QRect(left, top, 570, 285), kBold);
    };
    total("Out", 3118, "Labelout", 3969, 7087);
    total("In", 5811, "Labelin", 6661, 7087);
    total("Gross", 5811, "Labelgross", 6661, 7512);
    total("Net", 5811, "Labelnet", 6661, 8079);
    items << hline(QStringLiteral("Line4"), 2835, 6945, 1695)
          << hline(QStringLiteral("Line5"), 5386, 6945, 1695)
          << hline(QStringLiteral("Line6"), 5386, 7369, 1695)
          << hline(QStringLiteral("Line7"), 2835, 7370, 1695)
          << hline(QStringLiteral("Line8"), 5386, 7937, 1695)
          << hline(QStringLiteral("Line9"), 5386, 8504, 1695)
          << hline(QStringLiteral("Line10"), 1276, 8929, 7230)
          << picture(QStringLiteral("Image1"), kGolferOnOval, QRect(567, 3118, 1560, 1560));
    l.bands = standardBands(0, {}, 855,
                            {label(QStringLiteral("Label23"), QStringLiteral("Golf Results"),
                                   QRect(2551, 142, 4545, 570), kPageTitle, Align::Center)},
                            9781, items);
    return l;
}

const QHash<QString, std::function<Layout()>>& factories()
{
    static const QHash<QString, std::function<Layout()>> table{
        {QStringLiteral("DataReport1"), players},      {QStringLiteral("DataReport2"), courses},
        {QStringLiteral("DataReport7"), bestEver},     {QStringLiteral("DataReport8"), worstEver},
        {QStringLiteral("DataReport9"), byCourse},     {QStringLiteral("DataReport10"), possibleRound},
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
