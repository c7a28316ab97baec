#include "reports/layouts.h"

#include "reports/paginator.h"

#include <QHash>
#include <QPoint>

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
    return {
        band(QStringLiteral("Section4"), BandKind::ReportHeader, reportHeader,
             std::move(reportItems)),
        band(QStringLiteral("Section2"), BandKind::PageHeader, pageHeader, std::move(pageItems)),
        band(QStringLiteral("Section1"), BandKind::Detail, detail, std::move(detailItems)),
        band(QStringLiteral("Section3"), BandKind::PageFooter, 0),
        band(QStringLiteral("Section5"), BandKind::ReportFooter, 0)};
}

const FontSpec kReportFont = font(8.25);
const FontSpec kHeading = font(9.75, true);

// A column of a table: a heading over a field of the same name.
struct Column {
    const char* name;
    const char* caption;
    int left;
    int width;
    Align align;
};
void tableColumns(std::initializer_list<Column> columns, const FontSpec& heading,
                  const FontSpec& value, int lineHeight, QList<Item>& headings, QList<Item>& line)
{
    for (const Column& c : columns) {
        const QString name = QString::fromLatin1(c.name);
        headings << label(QStringLiteral("Head") + name, QString::fromLatin1(c.caption),
                          QRect(c.left, 0, c.width, 285), heading, c.align);
        line << field(QStringLiteral("Text") + name, name, QRect(c.left, 0, c.width, lineHeight),
                      value, c.align);
    }
}

Layout players()
{
    Layout l;
    l.name = kPlayerList;
    l.caption = QStringLiteral("Players");
    l.contactDetails = true;
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
    l.name = kCourseList;
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
        540,
        {cell("Text1", "coursename", 0, 2268), cell("Text2", "courseadd1", 2268, 1710),
         cell("Text3", "courseadd2", 3969, 1695), cell("Text4", "courseadd3", 5669, 1702),
         cell("Text5", "coursetel", 7370, 1125), cell("Text6", "coursepar", 9496, 570),
         // The course's tees, with their ratings, on a line of their own under it.
         label(QStringLiteral("LabelTees"), QStringLiteral("Tees"), QRect(0, 285, 567, 240),
               font(8.25, false, true)),
         field(QStringLiteral("Text7"), QStringLiteral("tees"), QRect(567, 285, 9496, 240),
               kReportFont),
         hline(QStringLiteral("Line2"), 0, 538, 10063)});
    return l;
}

const FontSpec kBold = font(8.25, true);
const FontSpec kRunTime = font(12, true, true);
const FontSpec kPageTitle = font(15.75, true);

// Where a score card's parts sit and what it carries besides the round itself. The
// best round's card is drawn at (0, 0); the others are the same card moved.
struct CardStyle {
    QPoint details; // the block from Player to Comments
    QPoint grid;    // the holes and the totals
    bool outCaption = true;
    QString dataMember; // "work": the rounds under a group
    int commentHeight = 1560;
    QList<Item> extras; // the card's own titles, rules and picture, placed as drawn
};

QList<Item> scoreCard(const CardStyle& style)
{
    const auto at = [](QPoint shift, int left, int top, int width, int height) {
        return QRect(left + shift.x(), top + shift.y(), width, height);
    };
    const auto bound = [&](Item i) {
        i.dataMember = style.dataMember;
        return i;
    };
    QList<Item> items = style.extras;
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
    const QPoint d = style.details;
    int n = 0;
    for (const Detail& detail : details) {
        ++n;
        items << label(QStringLiteral("Caption%1").arg(n), QString::fromLatin1(detail.caption),
                       at(d, 992, detail.top, detail.captionWidth, 285), kReportFont);
        items << bound(field(QStringLiteral("Detail%1").arg(n), QString::fromLatin1(detail.column),
                             at(d, detail.boxLeft, detail.top, detail.boxWidth, 285), kBold,
                             Align::Left, detail.format));
    }
    items << label(QStringLiteral("CaptionComments"), QStringLiteral("Comments"),
                   at(d, 992, 5527, 855, 285), kReportFont);
    items << bound(field(QStringLiteral("Comment"), QStringLiteral("comment"),
                         at(d, 992, 5811, 2415, style.commentHeight), kBold));

    const QPoint g = style.grid;
    // Each nine: the score, then a narrow column a tick or a count: green, fairway, the
    // hole's putts, penalty strokes and greenside bunker (blank where not kept).
    constexpr int kPitch = 255;
    const int scoreLeft[2] = {4252, 6720};
    const auto column = [&](int side, int k) { return scoreLeft[side] + 400 + k * kPitch; };
    const char* headings[6] = {"Score", "G", "F", "P", "X", "B"};
    for (int side = 0; side < 2; ++side)
        for (int k = 0; k < 6; ++k)
            items << label(QStringLiteral("Head%1%2").arg(side + 1).arg(k + 1),
                           QString::fromLatin1(headings[k]),
                           k == 0 ? at(g, scoreLeft[side] - 240, 3684, 540, 285)
                                  : at(g, column(side, k - 1), 3684, kPitch, 285),
                           kBold, k == 0 ? Align::Right : Align::Left);
    const int tops[9] = {3968, 4394, 4819, 5244, 5668, 6094, 6519, 6944, 7369};
    const struct {
        const char* column;
        FontSpec font;
        Format format;
    } marks[5] = {{"green%1", kReportFont, Format::YesNo},
                  {"fairway%1", kReportFont, Format::YesNo},
                  {"P%1", kBold, Format::General},
                  {"X%1", kBold, Format::Counted},
                  {"B%1", kReportFont, Format::YesNo}};
    for (int h = 1; h <= 18; ++h) {
        const int side = h <= 9 ? 0 : 1;
        const int top = tops[(h - 1) % 9];
        items << label(QStringLiteral("Hole%1").arg(h), QStringLiteral("Hole%1").arg(h),
                       at(g, side == 0 ? 3685 : 5875, top, side == 0 ? 420 : 705, 285), kReportFont,
                       Align::Right);
        items << bound(field(QStringLiteral("HOLE%1").arg(h), QStringLiteral("HOLE%1").arg(h),
                             at(g, scoreLeft[side], top, 285, 285), kBold));
        for (int k = 0; k < 5; ++k) {
            const QString name = QString::fromLatin1(marks[k].column).arg(h);
            items << bound(field(name, name, at(g, column(side, k), top, kPitch, 285),
                                 marks[k].font, Align::Left, marks[k].format));
        }
    }
    const auto box = [&](const char* column, int left, int top) {
        items << bound(field(QString::fromLatin1(column), QString::fromLatin1(column),
                             at(g, left, top, 570, 285), kBold));
    };
    const auto caption = [&](const char* text, int left, int top, int width) {
        items << label(QStringLiteral("Caption") + QString::fromLatin1(text),
                       QString::fromLatin1(text), at(g, left, top, width, 285), kReportFont,
                       Align::Right);
    };
    if (style.outCaption)
        caption("Out", 3685, 7794, 420);
    box("out", 4251, 7794);
    caption("In", 5869, 7795, 705);
    box("inn", 6720, 7795);
    caption("Gross", 5869, 8220, 705);
    box("gross", 6720, 8220);
    caption("Nett", 5444, 8645, 1125);
    box("net", 6720, 8645);
    caption("Points", 3118, 8220, 987);
    box("points", 4251, 8220);
    // The tee and what it made of the player's index, in a column beside the holes.
    const FontSpec small = font(7.5);
    // Narrow enough to print within the page when the card is moved right: a long tee
    // takes two lines.
    constexpr int kTeeLeft = 8475;
    items << label(QStringLiteral("CaptionTee"), QStringLiteral("Tee"),
                   at(g, kTeeLeft, 3684, 1425, 285), kBold);
    items << bound(field(QStringLiteral("Detailtee"), QStringLiteral("tee"),
                         at(g, kTeeLeft, 3968, 1425, 420), small));
    const struct {
        const char* caption;
        const char* column;
        int top;
        Format format;
    } handicaps[] = {{"Hcp Index", "handicapIndex", 4394, Format::Index},
                     {"Course Hcp", "courseHandicap", 4819, Format::Whole},
                     {"Playing Hcp", "playingHandicap", 5244, Format::General}};
    for (const auto& line : handicaps) {
        const QString column = QString::fromLatin1(line.column);
        items << label(QStringLiteral("Caption") + column, QString::fromLatin1(line.caption),
                       at(g, kTeeLeft, line.top, 1000, 285), small);
        items << bound(field(QStringLiteral("Detail") + column, column,
                             at(g, kTeeLeft + 1035, line.top, 390, 285), kBold, Align::Left,
                             line.format));
    }
    items << hline(QStringLiteral("Line4"), 4110 + g.x(), 7794 + g.y(), 570)
          << hline(QStringLiteral("Line5"), 6578 + g.x(), 7794 + g.y(), 570)
          << hline(QStringLiteral("Line6"), 5444 + g.x(), 8219 + g.y(), 1695)
          << hline(QStringLiteral("Line7"), 5444 + g.x(), 8645 + g.y(), 1695);
    return items;
}

// The round cards of the statistics: the card moved by (dx, dy), with the rules above
// its details and its headings, and the golfer on his oval.
CardStyle roundCardStyle(int dx, int dy, bool outCaption)
{
    CardStyle style;
    style.details = style.grid = QPoint(dx, dy);
    style.outCaption = outCaption;
    style.extras = {
        hline(QStringLiteral("Line2"), 992 + dx, 1843 + dy, 7230),
        hline(QStringLiteral("Line3"), 3543 + dx, 1984 + dy, 4545),
        picture(QStringLiteral("Image1"), kGolferOnOval, QRect(1417 + dx, 7370 + dy, 1560, 1560))};
    return style;
}

// The best and worst ever round: player and title over the card.
Layout everRound(const QString& name, const QString& caption, int width, int titleLeft,
                 int detailHeight, int shift, bool outCaption)
{
    CardStyle style = roundCardStyle(shift, shift, outCaption);
    style.extras << label(QStringLiteral("Label38"), QStringLiteral("{player}"),
                          QRect(567 + shift, 142 + shift, 2130, 435), kRunTime)
                 << label(QStringLiteral("Label39"), QStringLiteral("{title}"),
                          QRect(2976 + shift, 142 + shift, 3260, 425), kRunTime)
                 << hline(QStringLiteral("Line1"), 283 + shift, 709 + shift, 5386);
    Layout l;
    l.name = name;
    l.caption = caption;
    l.width = width;
    l.bands = standardBands(0, {}, 570,
                            {label(QStringLiteral("Label23"), QStringLiteral("Golf Results"),
                                   QRect(titleLeft, 0, 4545, 570), kPageTitle, Align::Center)},
                            detailHeight, scoreCard(style));
    return l;
}

Layout bestEver()
{
    return everRound(kBestEverRound, QStringLiteral("Best Ever Round"), 9000, 2268, 9255,
                     0, true);
}

Layout worstEver()
{
    return everRound(kWorstEverRound, QStringLiteral("Worst Ever Round"), 9135, 3118, 9497,
                     567, false);
}

// The round card under a heading: title for player at course.
Layout byCourse()
{
    CardStyle style = roundCardStyle(0, 284, false);
    const FontSpec plain = font(12);
    style.extras << label(QStringLiteral("Label39"), QStringLiteral("{title}"),
                          QRect(283, 425, 1843, 420), kRunTime)
                 << label(QStringLiteral("CaptionFor"), QStringLiteral("for"),
                          QRect(2126, 425, 555, 420), plain)
                 << label(QStringLiteral("Label41"), QStringLiteral("{player}"),
                          QRect(2693, 425, 2130, 435), kRunTime)
                 << label(QStringLiteral("CaptionAt"), QStringLiteral("at"),
                          QRect(4819, 425, 555, 420), plain)
                 << label(QStringLiteral("Label38"), QStringLiteral("{course}"),
                          QRect(5386, 425, 2130, 435), kRunTime)
                 << hline(QStringLiteral("Line1"), 283, 993, 5385);
    Layout l;
    l.name = kCourseRound;
    l.caption = QStringLiteral("{title} by Course");
    l.width = 9210;
    l.bands = standardBands(0, {}, 1065,
                            {label(QStringLiteral("Label23"), QStringLiteral("Golf Results"),
                                   QRect(2409, 142, 4545, 570), kPageTitle, Align::Center)},
                            9639, scoreCard(style));
    return l;
}

// The best possible, worst possible and average round, built hole by hole.
Layout possibleRound()
{
    Layout l;
    l.name = kPossibleRound;
    l.caption = QStringLiteral("{title}");
    l.width = 9825;
    QList<Item> items{
        label(QStringLiteral("Label39"), QStringLiteral("{title}"), QRect(850, 992, 2977, 420),
              kRunTime),
        label(QStringLiteral("CaptionFor"), QStringLiteral("for"), QRect(3827, 992, 500, 420),
              font(12)),
        label(QStringLiteral("Label38"), QStringLiteral("{player}"), QRect(4394, 992, 2835, 435),
              kRunTime),
        label(QStringLiteral("CaptionHandicap"), QStringLiteral("Handicap"),
              QRect(709, 1843, 900, 285), kReportFont, Align::Right),
        label(QStringLiteral("Labelhand"), QStringLiteral("{handicap}"),
              QRect(1701, 1843, 570, 285), kBold),
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
    const auto total = [&](const char* caption, int captionLeft, const char* name,
                           const char* parameter, int left, int top) {
        items << label(QStringLiteral("Caption") + QString::fromLatin1(caption),
                       QString::fromLatin1(caption), QRect(captionLeft, top, 705, 285), kReportFont,
                       Align::Right);
        items << label(QString::fromLatin1(name),
                       QStringLiteral("{%1}").arg(QLatin1String(parameter)),
                       QRect(left, top, 570, 285), kBold);
    };
    total("Out", 3118, "Labelout", "out", 3969, 7087);
    total("In", 5811, "Labelin", "in", 6661, 7087);
    total("Gross", 5811, "Labelgross", "gross", 6661, 7512);
    total("Net", 5811, "Labelnet", "net", 6661, 8079);
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

// The bands of a grouped search report: no page header, a group header per group.
QList<Band> groupedBands(Item title, int titleHeight, int groupHeight, QList<Item> group,
                         int detailHeight, QList<Item> detail)
{
    return {band(QStringLiteral("Section4"), BandKind::ReportHeader, titleHeight, {title}),
            band(QStringLiteral("Section2"), BandKind::PageHeader, 0),
            band(QStringLiteral("Section6"), BandKind::GroupHeader, groupHeight, std::move(group)),
            band(QStringLiteral("Section1"), BandKind::Detail, detailHeight, std::move(detail)),
            band(QStringLiteral("Section7"), BandKind::GroupFooter, 0),
            band(QStringLiteral("Section3"), BandKind::PageFooter, 0),
            band(QStringLiteral("Section5"), BandKind::ReportFooter, 0)};
}

// The compact line of a round, as the plain list prints it (top 142) or under a
// group header (top 0, reading the child rows).
QList<Item> compactHeadings(int top, bool grouped)
{
    const auto heading = [top](const char* name, const char* text, int left, int width,
                               Align align = Align::Center) {
        return label(QString::fromLatin1(name), QString::fromLatin1(text),
                     QRect(left, top, width, 285), kBold, align);
    };
    return {heading("Player", "Player", 567, 990),
            heading("Label2", "Hcp", 2126, 420),
            heading("Label1", "Division", 2693, 720),
            heading("Label5", "Comp", 3685, 990),
            heading("Label6", "Comment", 5244, 1140),
            heading("Label10", "Date", 6661, 990),
            heading("Label3", "In", 7795, grouped ? 279 : 285),
            heading("Label4", "Out", 8079, 420),
            heading("Label7", "Gross", 8504, 570),
            heading("Label8", "Net", 9071, grouped ? 413 : 420, Align::Right)};
}

QList<Item> compactLine(int top, bool grouped)
{
    const auto box = [top, grouped](const char* name, const char* column, int left, int width,
                                    Align align = Align::Center, Format format = Format::General) {
        Item i = field(QString::fromLatin1(name), QString::fromLatin1(column),
                       QRect(left, top, width, 285), kReportFont, align, format);
        if (grouped)
            i.dataMember = QStringLiteral("work");
        return i;
    };
    return {
        box("Text2", "PlayerID", 425, 1710, Align::Left),
        box("Text7", "HAND", 2126, 420),
        box("Text3", "division", 2693, 720),
        box("Text6", "comp", 3402, 1560),
        box("Text10", "comment", 4961, grouped ? 1688 : 1680),
        box("Text11", "strdate", 6661, grouped ? 1134 : 1125, Align::Center, Format::DottedLong),
        box("Text8", "inn", 7795, 285),
        box("Text9", "out", 8220, 270),
        box("Text4", "gross", 8504, 570),
        box("Text5", "net", 9213, 420)};
}

Layout compactList()
{
    Layout l;
    l.name = kCompactList;
    l.caption = QStringLiteral("Search Results");
    l.width = 9705;
    QList<Item> headings = compactHeadings(0, false);
    headings << hline(QStringLiteral("Line2"), 425, 283, 9213);
    l.bands = standardBands(285,
                            {label(QStringLiteral("Label9"), QStringLiteral("Search Results"),
                                   QRect(3685, 0, 2685, 285), font(12, true), Align::Center)},
                            330, headings, 488, compactLine(142, false));
    return l;
}

Layout groupedCompactList()
{
    Layout l;
    l.name = kGroupedCompactList;
    l.caption = QStringLiteral("Search Results");
    l.width = 9633;
    // Wider than drawn first, so that a long name prints whole.
    QList<Item> group{field(QStringLiteral("Text1"), QStringLiteral("{group}"),
                            QRect(425, 283, 6000, 285), font(12, true)),
                      hline(QStringLiteral("Line2"), 283, 567, 2130)};
    for (Item heading : compactHeadings(566, true))
        group << heading;
    group << hline(QStringLiteral("Line1"), 283, 850, 9213);
    QList<Item> line = compactLine(0, true);
    line << hline(QStringLiteral("Line3"), 425, 283, 9082);
    l.bands = groupedBands(label(QStringLiteral("Label9"), QStringLiteral("Golf  Report Results"),
                                 QRect(3260, 0, 3405, 285),
                                 font(15.75, true, false, QStringLiteral("Times New Roman")),
                                 Align::Center),
                           285, 855, group, 315, line);
    return l;
}

// The full score card of the search results: the round card moved up and left, with
// rules of its own and the golfer without his oval. The grouped form moves the hole
// grid beside the player, shortens the comment box and keeps one rule.
QList<Item> fullCard(bool grouped)
{
    CardStyle style;
    if (grouped) {
        style.details = QPoint(-992, -1559);
        style.grid = QPoint(-992, -3401);
        style.dataMember = QStringLiteral("work");
        style.commentHeight = 1125;
        // The hole headings sit beside the player: the rule runs just above them.
        style.extras = {hline(QStringLiteral("Line8"), 2551, 255, 4545)};
    } else {
        style.details = style.grid = QPoint(-567, -1701);
        style.extras = {hline(QStringLiteral("Line1"), 425, 142, 7228),
                        hline(QStringLiteral("Line8"), 2976, 283, 4545),
                        hline(QStringLiteral("Line9"), 3260, 1276, 4252),
                        picture(QStringLiteral("Image2"), kGolfer, QRect(850, 5669, 1560, 1560))};
    }
    return scoreCard(style);
}

Layout fullCards()
{
    Layout l;
    l.name = kFullCards;
    l.caption = QStringLiteral("Search Results");
    l.width = 7965;
    l.bands = {band(QStringLiteral("Section4"), BandKind::ReportHeader, 465,
                    {label(QStringLiteral("Label23"), QStringLiteral("Search Results"),
                           QRect(2835, 0, 2415, 435), font(14.25, true))}),
               band(QStringLiteral("Section2"), BandKind::PageHeader, 0),
               band(QStringLiteral("Section1"), BandKind::Detail, 7370, fullCard(false)),
               band(QStringLiteral("Section3"), BandKind::PageFooter, 82,
                    {hline(QStringLiteral("Line2"), 283, 0, 7365)}),
               band(QStringLiteral("Section5"), BandKind::ReportFooter, 7)};
    return l;
}

Layout groupedFullCards()
{
    Layout l;
    l.name = kGroupedFullCards;
    l.caption = QStringLiteral("Report");
    l.width = 7657;
    l.bands = groupedBands(label(QStringLiteral("Label23"),
                                 QStringLiteral("Detailed Golf Report Results"),
                                 QRect(1701, 0, 4680, 435), font(14.25, true), Align::Center),
                           435, 570,
                           {hline(QStringLiteral("Line2"), 0, 0, 7657),
                            // Wider than drawn first, so that a long name prints whole.
                            field(QStringLiteral("Text1"), QStringLiteral("{group}"),
                                  QRect(142, 0, 7000, 435), font(15.75, true)),
                            hline(QStringLiteral("Line1"), 0, 567, 2265)},
                           6390, fullCard(true));
    return l;
}

// A competition's results: the competition over the ranking, a line a card.
Layout results()
{
    Layout l;
    l.name = kResultsReport;
    l.caption = QStringLiteral("Results: {competition}");
    l.width = 10400;
    QList<Item> headings;
    QList<Item> line;
    tableColumns({{"position", "Position", 0, 900, Align::Center},
                  {"player", "Player", 950, 2350, Align::Left},
                  {"division", "Division", 3350, 1150, Align::Left},
                  {"handicap", "Handicap", 4550, 900, Align::Center},
                  {"gross", "Gross", 5500, 650, Align::Center},
                  {"net", "Net", 6200, 650, Align::Center},
                  {"points", "Points", 6900, 750, Align::Center},
                  {"countback", "Countback", 7700, 2700, Align::Left}},
                 kHeading, kReportFont, 285, headings, line);
    headings << hline(QStringLiteral("Line1"), 0, 300, 10400);
    const FontSpec plain = font(10);
    l.bands = standardBands(
        1790,
        {label(QStringLiteral("Title"), QStringLiteral("Results"), QRect(0, 0, 10400, 450),
               kPageTitle, Align::Center),
         label(QStringLiteral("Competition"), QStringLiteral("{competition}"),
               QRect(0, 480, 10400, 330), font(12, true), Align::Center),
         label(QStringLiteral("Played"), QStringLiteral("{date} at {course}"),
               QRect(0, 830, 10400, 285), plain, Align::Center),
         label(QStringLiteral("Format"), QStringLiteral("{format}, {allowance} allowance"),
               QRect(0, 1120, 10400, 285), plain, Align::Center),
         label(QStringLiteral("Scratch"), QStringLiteral("{scratch}"), QRect(0, 1410, 10400, 285),
               plain, Align::Center)},
        345, headings, 300, line);
    return l;
}

// A team competition's results: a line a side, with its players and their handicaps.
Layout teamResults()
{
    Layout l = results();
    l.name = kTeamResultsReport;
    QList<Item> headings;
    QList<Item> line;
    tableColumns({{"position", "Position", 0, 900, Align::Center},
                  {"side", "Side", 950, 1900, Align::Left},
                  {"players", "Players", 2900, 3050, Align::Left},
                  {"handicaps", "Handicaps", 6000, 1100, Align::Center},
                  {"net", "Net", 7150, 650, Align::Center},
                  {"points", "Points", 7850, 750, Align::Center},
                  {"countback", "Countback", 8650, 1750, Align::Left}},
                 kHeading, kReportFont, 285, headings, line);
    headings << hline(QStringLiteral("Line1"), 0, 300, 10400);
    for (Band& band : l.bands) {
        if (band.kind == BandKind::PageHeader)
            band.items = headings;
        else if (band.kind == BandKind::Detail)
            band.items = line;
    }
    return l;
}

// A player's season: the figures, a line each, then the window's two charts side by
// side across the page.
Layout season()
{
    constexpr int kWidth = 10466; // A4 within half-inch margins
    Layout l;
    l.name = kSeasonReport;
    l.caption = QStringLiteral("Season Statistics: {player}");
    l.width = kWidth;
    l.bands = standardBands(1300,
                            {label(QStringLiteral("Title"), QStringLiteral("Season Statistics"),
                                   QRect(0, 0, kWidth, 450), kPageTitle, Align::Center),
                             label(QStringLiteral("Player"), QStringLiteral("{player}"),
                                   QRect(0, 480, kWidth, 330), font(12, true), Align::Center),
                             label(QStringLiteral("Range"), QStringLiteral("{range}, {course}"),
                                   QRect(0, 830, kWidth, 285), font(10), Align::Center)},
                            0, {}, 330,
                            {field(QStringLiteral("Figure"), QStringLiteral("figure"),
                                   QRect(2200, 0, 3800, 300), font(10)),
                             field(QStringLiteral("Value"), QStringLiteral("value"),
                                   QRect(6200, 0, 2000, 300), font(10, true))});
    // The charts two by two: scoring, then the short game.
    Band& footer = l.bands.last();
    // Low enough that a whole season's figures and the four charts share a page.
    footer.height = 4750;
    footer.items = {picture(QStringLiteral("NetChart"), QStringLiteral("{netChart}"),
                            QRect(0, 200, kWidth / 2 - 100, 2200)),
                    picture(QStringLiteral("ToParChart"), QStringLiteral("{toParChart}"),
                            QRect(kWidth / 2 + 100, 200, kWidth / 2 - 100, 2200)),
                    picture(QStringLiteral("PuttsChart"), QStringLiteral("{puttsChart}"),
                            QRect(0, 2500, kWidth / 2 - 100, 2200)),
                    picture(QStringLiteral("ScramblingChart"), QStringLiteral("{scramblingChart}"),
                            QRect(kWidth / 2 + 100, 2500, kWidth / 2 - 100, 2200))};
    return l;
}

// A player's handicap record: the index over the cards, newest first, then the chart of
// the index across the page.
Layout handicapRecord()
{
    constexpr int kWidth = 10466; // A4 within half-inch margins
    Layout l;
    l.name = kHandicapRecordReport;
    l.caption = QStringLiteral("Handicap Record: {player}");
    l.width = kWidth;
    QList<Item> headings;
    QList<Item> line;
    tableColumns({{"date", "Date", 0, 1000, Align::Left},
                  {"course", "Course", 1050, 1650, Align::Left},
                  {"tee", "Tee", 2750, 750, Align::Left},
                  {"adjustedGross", "Adj.", 3550, 500, Align::Center},
                  {"courseRating", "CR", 4100, 550, Align::Center},
                  {"slopeRating", "Slope", 4700, 550, Align::Center},
                  {"pcc", "PCC", 5300, 450, Align::Center},
                  {"differential", "Diff.", 5800, 600, Align::Center},
                  {"counted", "Counts", 6450, 650, Align::Center},
                  {"reduction", "ESR", 7150, 500, Align::Center},
                  {"indexAfter", "Index", 7700, 600, Align::Center},
                  {"notCounting", "Not counted", 8350, 2116, Align::Left}},
                 font(8.5, true), font(8), 255, headings, line);
    headings << hline(QStringLiteral("Line1"), 0, 300, kWidth);
    const FontSpec plain = font(10);
    l.bands = standardBands(
        1730,
        {label(QStringLiteral("Title"), QStringLiteral("Handicap Record"),
               QRect(0, 0, kWidth, 450), kPageTitle, Align::Center),
         label(QStringLiteral("Player"), QStringLiteral("{player}"), QRect(0, 480, kWidth, 330),
               font(12, true), Align::Center),
         label(QStringLiteral("Index"),
               QStringLiteral("Handicap Index {index}    Low Handicap Index {low}    as at {date}"),
               QRect(0, 830, kWidth, 285), font(10, true), Align::Center),
         label(QStringLiteral("Note"), QStringLiteral("{note}"), QRect(0, 1130, kWidth, 570),
               plain, Align::Center)},
        345, headings, 255, line);
    Band& footer = l.bands.last();
    footer.height = 3700;
    footer.items = {picture(QStringLiteral("IndexChart"), QStringLiteral("{indexChart}"),
                            QRect(0, 300, kWidth, 3300))};
    return l;
}

// A season's eclectic: a line a player, the best of each hole across the page.
Layout eclecticLayout()
{
    constexpr int kWidth = 10466;
    Layout l;
    l.name = kEclecticReport;
    l.caption = QStringLiteral("Eclectic: {course}");
    l.width = kWidth;
    QList<Item> headings;
    QList<Item> line;
    const FontSpec small = font(8);
    const FontSpec head = font(8.5, true);
    const auto column = [&](const QString& name, const QString& caption, int left, int width,
                            Align align, bool bold = false) {
        headings << label(QStringLiteral("Head") + name, caption, QRect(left, 0, width, 285), head,
                          align);
        line << field(QStringLiteral("Text") + name, name, QRect(left, 0, width, 255),
                      bold ? font(8, true) : small, align);
    };
    column(QStringLiteral("position"), QStringLiteral("Pos"), 0, 420, Align::Center);
    column(QStringLiteral("player"), QStringLiteral("Player"), 450, 1700, Align::Left);
    for (int h = 1; h <= 18; ++h)
        column(QStringLiteral("hole%1").arg(h), QString::number(h), 2180 + (h - 1) * 320, 320,
               Align::Center);
    column(QStringLiteral("out"), QStringLiteral("Out"), 7960, 440, Align::Center);
    column(QStringLiteral("in"), QStringLiteral("In"), 8420, 440, Align::Center);
    column(QStringLiteral("gross"), QStringLiteral("Gross"), 8880, 520, Align::Center, true);
    column(QStringLiteral("handicap"), QStringLiteral("Hcp"), 9420, 460, Align::Center);
    column(QStringLiteral("net"), QStringLiteral("Net"), 9900, 520, Align::Center, true);
    headings << hline(QStringLiteral("Line1"), 0, 300, kWidth);
    l.bands = standardBands(
        1180,
        {label(QStringLiteral("Title"), QStringLiteral("Eclectic"), QRect(0, 0, kWidth, 450),
               kPageTitle, Align::Center),
         label(QStringLiteral("Course"), QStringLiteral("{course}"), QRect(0, 480, kWidth, 330),
               font(12, true), Align::Center),
         label(QStringLiteral("Range"), QStringLiteral("{dates}; {basis}"),
               QRect(0, 830, kWidth, 285), font(10), Align::Center)},
        345, headings, 255, line);
    return l;
}

// One bracket of ENTRANTS first-round places filling the page under its title: its
// names read from columns (a page of a larger draw) or from parameters (the last page).
QList<Item> bracketItems(int entrants, const QString& prefix, bool fromParameters, int width,
                         int height)
{
    constexpr int kTop = 1400;
    constexpr int kNameHeight = 230;
    int columns = 1;
    for (int e = entrants; e > 1; e /= 2)
        ++columns;
    const int columnWidth = width / columns;
    const int span = height - kTop - 80;
    QList<Item> items{label(QStringLiteral("Title"), QStringLiteral("{draw}"),
                            QRect(0, 0, width, 420), font(14, true), Align::Center),
                      label(QStringLiteral("About"), QStringLiteral("{about}"),
                            QRect(0, 440, width, 260), font(9), Align::Center)};
    const FontSpec name = font(entrants > 16 ? 7.5 : 8.5);
    const FontSpec result = font(7, false, true);
    const auto value = [&](const QString& itemName, const QString& key, QRect rect,
                           const FontSpec& f) {
        return fromParameters ? label(itemName, QLatin1Char('{') + key + QLatin1Char('}'), rect, f)
                              : field(itemName, key, rect, f);
    };
    for (int c = 0, places = entrants; c < columns; ++c, places /= 2) {
        const int left = c * columnWidth;
        items << label(prefix + QStringLiteral("Head%1").arg(c),
                       QStringLiteral("{%1h%2}").arg(prefix).arg(c),
                       QRect(left, 760, columnWidth - 100, 420), font(8.5, true));
        QList<int> ys;
        for (int p = 0; p < places; ++p) {
            const int y = kTop + int((p + 0.5) * span / places);
            ys << y;
            const QString at = QStringLiteral("%1_%2").arg(c).arg(p);
            items << value(prefix + QStringLiteral("Name") + at, prefix + QStringLiteral("n") + at,
                           QRect(left + 60, y - kNameHeight, columnWidth - 200, kNameHeight - 10),
                           name)
                  << hline(prefix + QStringLiteral("Line") + at, left, y, columnWidth - 100);
            if (c > 0)
                items << value(prefix + QStringLiteral("Result") + at,
                               prefix + QStringLiteral("s") + at,
                               QRect(left + 60, y + 15, columnWidth - 200, 190), result);
        }
        // Each pair joined down the right of its column, to its winner's line.
        if (c + 1 < columns)
            for (int p = 0; p + 1 < places; p += 2) {
                Item join = hline(prefix + QStringLiteral("Join%1_%2").arg(c).arg(p),
                                  left + columnWidth - 100, ys[p], 0);
                join.rect.setHeight(ys[p + 1] - ys[p]);
                items << join;
            }
    }
    return items;
}

// A draw's matches a line each, as a spreadsheet takes them.
Layout drawMatches()
{
    constexpr int kWidth = 10466;
    Layout l;
    l.name = kDrawMatchesReport;
    l.caption = QStringLiteral("Matches: {draw}");
    l.width = kWidth;
    QList<Item> headings;
    QList<Item> line;
    tableColumns({{"round", "Round", 0, 1350, Align::Left},
                  {"match", "Match", 1380, 550, Align::Center},
                  {"playBy", "Play by", 1960, 1000, Align::Left},
                  {"a", "A", 3000, 2300, Align::Left},
                  {"b", "B", 5330, 2300, Align::Left},
                  {"result", "Result", 7660, 2806, Align::Left}},
                 font(8.5, true), font(8), 255, headings, line);
    headings << hline(QStringLiteral("Line1"), 0, 300, kWidth);
    l.bands = standardBands(1180,
                            {label(QStringLiteral("Title"), QStringLiteral("{draw}"),
                                   QRect(0, 0, kWidth, 450), kPageTitle, Align::Center),
                             label(QStringLiteral("About"), QStringLiteral("{about}"),
                                   QRect(0, 480, kWidth, 330), font(10), Align::Center),
                             label(QStringLiteral("Printed"), QStringLiteral("%D"),
                                   QRect(0, 830, kWidth, 285), font(8), Align::Center)},
                            345, headings, 255, line);
    return l;
}

// A league's table, its places shared where the rules leave them level.
Layout leagueTable()
{
    constexpr int kWidth = 10466;
    Layout l;
    l.name = kLeagueTableReport;
    l.caption = QStringLiteral("League: {draw}");
    l.width = kWidth;
    QList<Item> headings;
    QList<Item> line;
    tableColumns({{"position", "Pos", 0, 600, Align::Center},
                  {"entry", "Entry", 650, 3600, Align::Left},
                  {"played", "Played", 4300, 800, Align::Center},
                  {"won", "Won", 5150, 800, Align::Center},
                  {"halved", "Halved", 6000, 800, Align::Center},
                  {"lost", "Lost", 6850, 800, Align::Center},
                  {"holesUp", "Holes up", 7700, 1100, Align::Center},
                  {"points", "Points", 8850, 1000, Align::Center}},
                 font(8.5, true), font(8.5), 270, headings, line);
    headings << hline(QStringLiteral("Line1"), 0, 300, kWidth);
    l.bands = standardBands(1180,
                            {label(QStringLiteral("Title"), QStringLiteral("{draw}"),
                                   QRect(0, 0, kWidth, 450), kPageTitle, Align::Center),
                             label(QStringLiteral("About"), QStringLiteral("{about}"),
                                   QRect(0, 480, kWidth, 330), font(10), Align::Center),
                             label(QStringLiteral("Printed"), QStringLiteral("%D"),
                                   QRect(0, 830, kWidth, 285), font(8), Align::Center)},
                            345, headings, 270, line);
    return l;
}

// A player's matches in every draw, with the count of those won, halved and lost.
Layout playerMatches()
{
    constexpr int kWidth = 10466;
    Layout l;
    l.name = kPlayerMatchesReport;
    l.caption = QStringLiteral("Matches of {player}");
    l.width = kWidth;
    QList<Item> headings;
    QList<Item> line;
    tableColumns({{"draw", "Draw", 0, 2500, Align::Left},
                  {"round", "Round", 2530, 1350, Align::Left},
                  {"as", "Played as", 3910, 2100, Align::Left},
                  {"opponent", "Against", 6040, 2300, Align::Left},
                  {"outcome", "Result", 8370, 2096, Align::Left}},
                 font(8.5, true), font(8), 255, headings, line);
    headings << hline(QStringLiteral("Line1"), 0, 300, kWidth);
    l.bands = standardBands(1180,
                            {label(QStringLiteral("Title"), QStringLiteral("Matches of {player}"),
                                   QRect(0, 0, kWidth, 450), kPageTitle, Align::Center),
                             label(QStringLiteral("Record"), QStringLiteral("{record}"),
                                   QRect(0, 480, kWidth, 330), font(10, true), Align::Center),
                             label(QStringLiteral("Printed"), QStringLiteral("%D"),
                                   QRect(0, 830, kWidth, 285), font(8), Align::Center)},
                            345, headings, 255, line);
    return l;
}

// A start sheet: a line a player, the group's time and tee on its first.
Layout startSheetLayout()
{
    constexpr int kWidth = 10466;
    Layout l;
    l.name = kStartSheetReport;
    l.caption = QStringLiteral("Start sheet: {competition}");
    l.width = kWidth;
    QList<Item> headings;
    QList<Item> line;
    tableColumns({{"time", "Time", 0, 900, Align::Center},
                  {"tee", "Tee", 950, 700, Align::Center},
                  {"group", "Group", 1700, 800, Align::Center},
                  {"player", "Player", 2600, 3300, Align::Left},
                  {"index", "Index", 5950, 900, Align::Center},
                  {"entry", "Entered with", 7000, 3466, Align::Left}},
                 font(8.5, true), font(9), 270, headings, line);
    for (Item& i : line)
        if (i.name == u"Texttime" || i.name == u"Texttee")
            i.font = font(9, true);
    headings << hline(QStringLiteral("Line1"), 0, 300, kWidth);
    l.bands = standardBands(1180,
                            {label(QStringLiteral("Title"), QStringLiteral("{competition}"),
                                   QRect(0, 0, kWidth, 450), kPageTitle, Align::Center),
                             label(QStringLiteral("Day"), QStringLiteral("Start sheet, {day}"),
                                   QRect(0, 480, kWidth, 330), font(12, true), Align::Center),
                             label(QStringLiteral("About"), QStringLiteral("{about}"),
                                   QRect(0, 830, kWidth, 285), font(9), Align::Center)},
                            345, headings, 270, line);
    return l;
}

// The cards printed before play, two to a landscape page: the player's handicaps and
// time over a grid of the holes, a dot on each for each stroke received, boxes for the
// score (and the points), lines for the signatures.
Layout playCardsLayout()
{
    constexpr int kWidth = PageSetup::kPaperHeight - 2 * PageSetup::kMargin;
    constexpr int kHalf = (PageSetup::kPaperWidth - 2 * PageSetup::kMargin) / 2;
    constexpr int kLabels = 1300;
    constexpr int kColumn = 666;
    constexpr int kTop = 1300;
    constexpr int kRow = 430;
    constexpr int kRows = 6;
    constexpr int kRight = kLabels + 21 * kColumn;
    Layout l;
    l.name = kPlayCardsReport;
    l.caption = QStringLiteral("Cards: {competition}");
    l.width = kWidth;
    l.landscape = true;
    const FontSpec small = font(8);
    const FontSpec bold = font(9, true);
    QList<Item> items{label(QStringLiteral("Competition"), QStringLiteral("{competition}"),
                            QRect(0, 0, 9000, 400), font(13, true)),
                      label(QStringLiteral("Day"), QStringLiteral("{day}"),
                            QRect(9000, 0, kRight - 9000, 400), font(11, true), Align::Right),
                      label(QStringLiteral("Course"), QStringLiteral("{course}"),
                            QRect(0, 420, 8000, 300), small),
                      label(QStringLiteral("Format"), QStringLiteral("{format}"),
                            QRect(8000, 420, kRight - 8000, 300), small, Align::Right),
                      field(QStringLiteral("Name"), QStringLiteral("name"),
                            QRect(0, 760, 5900, 420), font(13, true))};
    // The handicaps and the time across the player's line, each a caption and its value.
    struct Pair {
        const char* name;
        const char* caption;
        int left;
        int captionWidth;
        int valueWidth;
    };
    for (const Pair& p :
         {Pair{"index", "Index", 6000, 650, 750},
          Pair{"courseHandicap", "Course hcp", 7500, 1150, 750},
          Pair{"playing", "Playing hcp", 9500, 1200, 550}, Pair{"time", "Time", 11400, 600, 800},
          Pair{"startTee", "Tee", 12900, 500, 550}, Pair{"group", "Group", 14050, 750, 450}}) {
        const QString name = QString::fromLatin1(p.name);
        items << label(QStringLiteral("Label") + name, QString::fromLatin1(p.caption),
                       QRect(p.left, 860, p.captionWidth, 300), small)
              << field(QStringLiteral("Text") + name, name,
                       QRect(p.left + p.captionWidth, 840, p.valueWidth, 320), bold);
    }
    const QStringList rowCaptions{QStringLiteral("Hole"),  QStringLiteral("Par"),
                                  QStringLiteral("S.I."),  QStringLiteral("Strokes"),
                                  QStringLiteral("Score"), QStringLiteral("{pointsRow}")};
    for (int r = 0; r < kRows; ++r)
        items << label(QStringLiteral("Row%1").arg(r), rowCaptions[r],
                       QRect(80, kTop + r * kRow + 80, kLabels - 120, 280), r == 0 ? bold : small);
    for (int c = 0; c < 21; ++c) {
        // Holes 1-9, Out, holes 10-18, In, Total.
        const int hole = c < 9 ? c + 1 : c > 9 && c < 19 ? c : 0;
        const QString head = hole > 0  ? QString::number(hole)
                             : c == 9  ? QStringLiteral("Out")
                             : c == 19 ? QStringLiteral("In")
                                       : QStringLiteral("Total");
        const QString key = hole > 0  ? QString::number(hole)
                            : c == 9  ? QStringLiteral("Out")
                            : c == 19 ? QStringLiteral("In")
                                      : QStringLiteral("Total");
        const int left = kLabels + c * kColumn;
        const auto cellAt = [&](int r) { return QRect(left, kTop + r * kRow + 80, kColumn, 280); };
        items << label(QStringLiteral("Hole") + key, head, cellAt(0), bold, Align::Center)
              << label(QStringLiteral("Par") + key, QStringLiteral("{par%1}").arg(key), cellAt(1),
                       small, Align::Center);
        if (hole > 0)
            items << label(QStringLiteral("SI") + key, QStringLiteral("{si%1}").arg(key), cellAt(2),
                           small, Align::Center)
                  << field(QStringLiteral("Dots") + key, QStringLiteral("dots%1").arg(hole),
                           QRect(left, kTop + 3 * kRow + 40, kColumn, kRow - 60), font(12, true),
                           Align::Center);
    }
    for (int r = 0; r <= kRows; ++r)
        items << hline(QStringLiteral("Across%1").arg(r), 0, kTop + r * kRow, kRight);
    for (int c = 0; c <= 22; ++c) {
        const int x = c == 0 ? 0 : kLabels + (c - 1) * kColumn;
        Item down = hline(QStringLiteral("Down%1").arg(c), x, kTop, 0);
        down.rect.setHeight(kRows * kRow);
        items << down;
    }
    const int signatures = kTop + kRows * kRow + 550;
    items << label(QStringLiteral("Marker"), QStringLiteral("Marker's signature"),
                   QRect(0, signatures - 260, 1900, 300), small)
          << hline(QStringLiteral("MarkerLine"), 1950, signatures, 5500)
          << label(QStringLiteral("Player"), QStringLiteral("Player's signature"),
                   QRect(8000, signatures - 260, 1900, 300), small)
          << hline(QStringLiteral("PlayerLine"), 9950, signatures, kRight - 9950);
    l.bands = {band(QStringLiteral("Section1"), BandKind::Detail, kHalf, items)};
    return l;
}

// The society's handicap list: each player's Handicap Index on the day.
Layout handicapListLayout()
{
    constexpr int kWidth = 10466;
    Layout l;
    l.name = kHandicapListReport;
    l.caption = QStringLiteral("Handicap list");
    l.width = kWidth;
    QList<Item> headings;
    QList<Item> line;
    tableColumns({{"player", "Player", 0, 4000, Align::Left},
                  {"index", "Handicap Index", 4100, 1800, Align::Center},
                  {"from", "From", 6000, 2500, Align::Left},
                  {"division", "Division", 8600, 1866, Align::Left}},
                 font(8.5, true), font(9), 270, headings, line);
    headings << hline(QStringLiteral("Line1"), 0, 300, kWidth);
    l.bands = standardBands(900,
                            {label(QStringLiteral("Title"), QStringLiteral("Handicap list"),
                                   QRect(0, 0, kWidth, 450), kPageTitle, Align::Center),
                             label(QStringLiteral("Day"), QStringLiteral("{day}"),
                                   QRect(0, 480, kWidth, 330), font(11, true), Align::Center)},
                            345, headings, 270, line);
    return l;
}

const QHash<QString, std::function<Layout()>>& factories()
{
    static const QHash<QString, std::function<Layout()>> table{
        {kPlayerList, players},
        {kCourseList, courses},
        {kGroupedCompactList, groupedCompactList},
        {kGroupedFullCards, groupedFullCards},
        {kCompactList, compactList},
        {kFullCards, fullCards},
        {kBestEverRound, bestEver},
        {kWorstEverRound, worstEver},
        {kCourseRound, byCourse},
        {kPossibleRound, possibleRound},
        {kResultsReport, results},
        {kTeamResultsReport, teamResults},
        {kSeasonReport, season},
        {kHandicapRecordReport, handicapRecord},
        {kOrderOfMeritReport, [] { return orderOfMeritLayout({}); }},
        {kEclecticReport, eclecticLayout},
        {kBracketReport, [] { return bracketLayout(8); }},
        {kDrawMatchesReport, drawMatches},
        {kLeagueTableReport, leagueTable},
        {kPlayerMatchesReport, playerMatches},
        {kStartSheetReport, startSheetLayout},
        {kPlayCardsReport, playCardsLayout},
        {kHandicapListReport, handicapListLayout},
    };
    return table;
}

} // namespace

Layout bracketLayout(int places)
{
    constexpr int kWidth = PageSetup::kPaperHeight - 2 * PageSetup::kMargin;
    constexpr int kHeight = PageSetup::kPaperWidth - 2 * PageSetup::kMargin;
    places = std::max(2, places);
    Layout l;
    l.name = kBracketReport;
    l.caption = QStringLiteral("Draw: {draw}");
    l.width = kWidth;
    l.landscape = true;
    const int perPage = std::min(places, kBracketPlacesAPage);
    l.bands = {band(QStringLiteral("Section1"), BandKind::Detail, kHeight,
                    bracketItems(perPage, QString(), false, kWidth, kHeight))};
    if (places > perPage)
        l.bands << band(QStringLiteral("Section5"), BandKind::ReportFooter, kHeight,
                        bracketItems(places / perPage, QStringLiteral("f"), true, kWidth, kHeight));
    return l;
}

Layout orderOfMeritLayout(const QStringList& eventColumns, bool eachInAColumn)
{
    constexpr int kWidth = 10466;
    constexpr int kEventsLeft = 4250;
    constexpr int kColumnsAtMost = 16; // a column each, no narrower than "18.5" needs
    const int events = int(eventColumns.size());
    const bool columned = eachInAColumn && events <= kColumnsAtMost;
    // About four events to a line of the legend, ten to a line of a player's points when
    // they run as text.
    const int legendLines = std::max(1, (events + 3) / 4);
    const int pointLines = columned ? 1 : std::max(1, (events + 9) / 10);
    Layout l;
    l.name = kOrderOfMeritReport;
    l.caption = QStringLiteral("Order of Merit: {season}");
    l.width = kWidth;
    const FontSpec head = font(8.5, true);
    const FontSpec small = font(8);
    const int legendTop = 1420;
    const int legendHeight = 230 * (legendLines + 1); // two lines at least, so that it wraps
    const int detail = 255 * pointLines;
    QList<Item> headings{
        label(QStringLiteral("Headposition"), QStringLiteral("Pos"), QRect(0, 0, 500, 285), head,
              Align::Center),
        label(QStringLiteral("Headplayer"), QStringLiteral("Player"), QRect(550, 0, 2200, 285),
              head),
        label(QStringLiteral("Headtotal"), QStringLiteral("Total"), QRect(2800, 0, 650, 285), head,
              Align::Center),
        label(QStringLiteral("Headplayed"), QStringLiteral("Played"), QRect(3500, 0, 650, 285),
              head, Align::Center),
        hline(QStringLiteral("Line1"), 0, 300, kWidth)};
    QList<Item> line{
        field(QStringLiteral("Textposition"), QStringLiteral("position"), QRect(0, 0, 500, 255),
              small, Align::Center),
        field(QStringLiteral("Textplayer"), QStringLiteral("player"), QRect(550, 0, 2200, 255),
              small),
        field(QStringLiteral("Texttotal"), QStringLiteral("total"), QRect(2800, 0, 650, 255),
              font(8, true), Align::Center),
        field(QStringLiteral("Textplayed"), QStringLiteral("played"), QRect(3500, 0, 650, 255),
              small, Align::Center)};
    if (columned) {
        // Each event under its number in the legend.
        const int width = (kWidth - kEventsLeft) / kColumnsAtMost;
        for (int e = 0; e < events; ++e) {
            const QRect where(kEventsLeft + e * width, 0, width, 285);
            headings << label(QStringLiteral("Headevent%1").arg(e + 1), QString::number(e + 1),
                              where, head, Align::Center);
            line << field(QStringLiteral("Textevent%1").arg(e + 1), eventColumns[e],
                          where.adjusted(0, 0, 0, -30), small, Align::Center);
        }
    } else {
        headings << label(QStringLiteral("HeadbyEvent"), QStringLiteral("Points by event, in order"),
                          QRect(kEventsLeft, 0, kWidth - kEventsLeft, 285), head);
        line << field(QStringLiteral("TextbyEvent"), QStringLiteral("byEvent"),
                      QRect(kEventsLeft, 0, kWidth - kEventsLeft, detail), small);
    }
    l.bands = standardBands(
        legendTop + legendHeight + 120,
        {label(QStringLiteral("Title"), QStringLiteral("Order of Merit"), QRect(0, 0, kWidth, 450),
               kPageTitle, Align::Center),
         label(QStringLiteral("Season"), QStringLiteral("{season}"), QRect(0, 480, kWidth, 330),
               font(12, true), Align::Center),
         label(QStringLiteral("Dates"), QStringLiteral("{dates}"), QRect(0, 830, kWidth, 285),
               font(10), Align::Center),
         label(QStringLiteral("Rule"), QStringLiteral("{rule}"), QRect(0, 1120, kWidth, 285),
               font(9), Align::Center),
         label(QStringLiteral("Events"), QStringLiteral("{events}"),
               QRect(0, legendTop, kWidth, legendHeight), small)},
        345, headings, detail, line);
    return l;
}

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
    return names << kResultsReport << kTeamResultsReport << kSeasonReport << kHandicapRecordReport
                 << kOrderOfMeritReport << kEclecticReport << kBracketReport << kDrawMatchesReport
                 << kLeagueTableReport << kPlayerMatchesReport << kStartSheetReport
                 << kPlayCardsReport << kHandicapListReport;
}

} // namespace parlog::report
