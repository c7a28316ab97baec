#include "reports/layouts.h"
#include "reports/paginator.h"
#include "reports/report.h"
#include "reports/reportpainter.h"

#include "data/queries.h"
#include "testmain.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace parlog;
using namespace parlog::report;

namespace {

// A small layout: a title, a heading on every page, one line per row.
Layout listLayout(int detailHeight = 300)
{
    Layout l;
    l.name = QStringLiteral("Test");
    l.width = 9000;
    l.bands = {
        {QStringLiteral("Section4"),
         BandKind::ReportHeader,
         500,
         {label(QStringLiteral("Title"), QStringLiteral("Title"), QRect(0, 0, 9000, 400))}},
        {QStringLiteral("Section2"),
         BandKind::PageHeader,
         300,
         {label(QStringLiteral("Head"), QStringLiteral("Name"), QRect(100, 0, 2000, 285))}},
        {QStringLiteral("Section1"),
         BandKind::Detail,
         detailHeight,
         {field(QStringLiteral("Text1"), QStringLiteral("NAME"), QRect(100, 0, 2000, 285)),
          field(QStringLiteral("Text2"), QStringLiteral("score"), QRect(2200, 0, 800, 285))}},
        {QStringLiteral("Section3"),
         BandKind::PageFooter,
         200,
         {hline(QStringLiteral("Foot"), 0, 0, 9000)}},
        {QStringLiteral("Section5"), BandKind::ReportFooter, 0, {}}};
    return l;
}

DataSource rows(int count)
{
    Rows d{{QStringLiteral("name"), QStringLiteral("Score")}, {}};
    for (int i = 0; i < count; ++i)
        d.rows.append({QStringLiteral("Player %1").arg(i), i});
    return DataSource::of(d);
}

QStringList texts(const Page& page, const QString& item)
{
    QStringList list;
    for (const DrawCommand& c : page.commands)
        if (c.item == item)
            list << c.text;
    return list;
}

const DrawCommand* find(const Page& page, const QString& item, const QString& text = {})
{
    for (const DrawCommand& c : page.commands)
        if (c.item == item && (text.isNull() || c.text == text))
            return &c;
    return nullptr;
}

} // namespace

class TestReportEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pagesBreakAndRepeatTheirHeader();
    void detailOrderAndBindingIgnoringCase();
    void groupsWithAndWithoutChildren();
    void emptySourcesSayNothingIsThere();
    void bandThatDoesNotFitMovesOn();
    void formats_data();
    void formats();
    void runTimeCaptionsAndFields();
    void playerLineAtItsTwips();
    void coursesListLayout();
    void searchResultLayouts();
    void longReportsOpenAtOnce();
    void aPageStaysWhereItIsAsOthersAreBuilt();
    void pdfHoldsTheText();
    void pagesPaintWithoutClipping();
};

void TestReportEngine::pagesBreakAndRepeatTheirHeader()
{
    // Page 1: title 500, heading 300, room for (15398 - 200 - 800) / 300 = 47 rows;
    // later pages: (15398 - 200 - 300) / 300 = 49 rows.
    Paginator p(listLayout(), rows(120), QDate(2004, 3, 5));
    QCOMPARE(p.pageCount(), 3);
    QCOMPARE(texts(p.page(0), QStringLiteral("Text1")).size(), 47);
    QCOMPARE(texts(p.page(1), QStringLiteral("Text1")).size(), 49);
    QCOMPARE(texts(p.page(2), QStringLiteral("Text1")).size(), 24);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(p.page(i).number, i + 1);
        QCOMPARE(texts(p.page(i), QStringLiteral("Head")), QStringList{QStringLiteral("Name")});
        QCOMPARE(texts(p.page(i), QStringLiteral("Title")).size(), i == 0 ? 1 : 0);
        const DrawCommand* foot = find(p.page(i), QStringLiteral("Foot"));
        QVERIFY(foot);
        QCOMPARE(foot->rect.top(), 15398 - 200);
    }
    QCOMPARE(find(p.page(0), QStringLiteral("Head"))->rect.top(), 500);
    QCOMPARE(find(p.page(1), QStringLiteral("Head"))->rect.top(), 0);
    QCOMPARE(find(p.page(0), QStringLiteral("Text1"))->rect.top(), 800);
    QCOMPARE(find(p.page(1), QStringLiteral("Text1"))->rect.top(), 300);
    // No band runs into the page footer.
    for (int i = 0; i < 3; ++i)
        for (const DrawCommand& c : p.page(i).commands)
            if (c.item == u"Text1")
                QVERIFY(c.rect.top() + 300 <= 15398 - 200);
    QCOMPARE(p.page(3).commands.size(), 0); // past the end: nothing
}

void TestReportEngine::detailOrderAndBindingIgnoringCase()
{
    Paginator p(listLayout(), rows(60), QDate(2004, 3, 5));
    QStringList all;
    for (int i = 0; i < p.pageCount(); ++i)
        all << texts(p.page(i), QStringLiteral("Text1"));
    QCOMPARE(all.size(), 60);
    for (int i = 0; i < 60; ++i)
        QCOMPARE(all[i], QStringLiteral("Player %1").arg(i));
    QCOMPARE(texts(p.page(0), QStringLiteral("Text2")).mid(0, 3), (QStringList{"0", "1", "2"}));
}

void TestReportEngine::groupsWithAndWithoutChildren()
{
    Layout l = listLayout();
    l.bands.insert(
        2, {QStringLiteral("Section6"),
            BandKind::GroupHeader,
            400,
            {field(QStringLiteral("Group"), QStringLiteral("{group}"), QRect(0, 0, 3000, 300))}});
    l.bands.insert(4, {QStringLiteral("Section7"), BandKind::GroupFooter, 0, {}});
    const Report report(l, {}, {{QStringLiteral("group"), QStringLiteral("COURSE")}});
    Layout grouped = report.layout();
    for (Item& i : grouped.bandNamed(QStringLiteral("Section1"))->items)
        i.dataMember = QStringLiteral("work");
    const Rows parents{
        {QStringLiteral("course")},
        {{QStringLiteral("Carne")}, {QStringLiteral("Lahinch")}, {QStringLiteral("Portmarnock")}}};
    Rows carne;
    carne.columns = {QStringLiteral("name"), QStringLiteral("score")};
    carne.rows = {{QStringLiteral("Adams"), 70}, {QStringLiteral("Brown"), 72}};
    Rows portmarnock;
    portmarnock.columns = carne.columns;
    portmarnock.rows = {{QStringLiteral("Kelly"), 80}};
    const QString work = QStringLiteral("work");
    Paginator p(grouped, DataSource::grouped(parents, QList<Rows>{carne, Rows{}, portmarnock}, work),
                QDate(2004, 3, 5));
    QCOMPARE(p.pageCount(), 1);
    QStringList sequence;
    for (const DrawCommand& c : p.page(0).commands)
        if (c.item == u"Group" || c.item == u"Text1")
            sequence << c.item + QLatin1Char(':') + c.text;
    QCOMPARE(sequence, (QStringList{"Group:Carne", "Text1:Adams", "Text1:Brown", "Group:Lahinch",
                                    "Group:Portmarnock", "Text1:Kelly"}));

    // A group header that would end a page alone goes over with its first line: after the
    // headers (800), a group header (400) and 45 lines of 300, the next header would fit
    // on page one but its line would not.
    Rows many;
    many.columns = carne.columns;
    for (int i = 0; i < 45; ++i)
        many.rows.append({QStringLiteral("Line %1").arg(i), i});
    Paginator kept(grouped, DataSource::grouped(parents, QList<Rows>{many, portmarnock, Rows{}}, work),
                   QDate(2004, 3, 5));
    QCOMPARE(texts(kept.page(0), QStringLiteral("Group")), QStringList{QStringLiteral("Carne")});
    QCOMPARE(texts(kept.page(1), QStringLiteral("Group")), (QStringList{"Lahinch", "Portmarnock"}));
    QCOMPARE(texts(kept.page(1), QStringLiteral("Text1")).first(), QStringLiteral("Kelly"));
}

void TestReportEngine::emptySourcesSayNothingIsThere()
{
    Paginator p(listLayout(), DataSource{}, QDate(2004, 3, 5));
    QCOMPARE(p.pageCount(), 1);
    QCOMPARE(texts(p.page(0), QStringLiteral("Title")).size(), 1);
    QCOMPARE(texts(p.page(0), QStringLiteral("Head")).size(), 1);
    QCOMPARE(texts(p.page(0), QStringLiteral("Nothing")), QStringList{nothingToShow()});
    QCOMPARE(texts(p.page(0), QStringLiteral("Text1")).size(), 0);
}

void TestReportEngine::bandThatDoesNotFitMovesOn()
{
    // Cards of 6000 twips: two fit on a page after the headers, never three.
    Paginator p(listLayout(6000), rows(5), QDate(2004, 3, 5));
    QCOMPARE(p.pageCount(), 3);
    QCOMPARE(texts(p.page(0), QStringLiteral("Text1")).size(), 2);
    QCOMPARE(texts(p.page(1), QStringLiteral("Text1")).size(), 2);
    QCOMPARE(texts(p.page(2), QStringLiteral("Text1")).size(), 1);
    // Taller than a page: printed on a page of its own, not lost and no endless loop.
    Paginator tall(listLayout(20000), rows(2), QDate(2004, 3, 5));
    QCOMPARE(tall.pageCount(), 2);
}

void TestReportEngine::formats_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("expected");
    const int general = int(Format::General);
    const int yesNo = int(Format::YesNo);
    QTest::newRow("whole real") << QVariant(72.0) << general << "72";
    QTest::newRow("half") << QVariant(12.5) << general << "12.5";
    QTest::newRow("text") << QVariant(QStringLiteral("O'Brien")) << general << "O'Brien";
    QTest::newRow("null") << QVariant() << general << "";
    QTest::newRow("iso date") << QVariant(QStringLiteral("2004-03-05")) << general << "5-Mar-04";
    QTest::newRow("d.MMM.yy") << QVariant(QStringLiteral("2004-03-05")) << int(Format::DottedShort)
                              << "5.Mar.04";
    QTest::newRow("d.MMMyyyy") << QVariant(QStringLiteral("2004-03-05")) << int(Format::DottedLong)
                               << "5.Mar2004";
    QTest::newRow("flag set") << QVariant(1) << yesNo << "x";
    QTest::newRow("flag text") << QVariant(QStringLiteral("1")) << yesNo << "x";
    QTest::newRow("flag true") << QVariant(true) << yesNo << "x";
    QTest::newRow("flag clear") << QVariant(0) << yesNo << "";
    QTest::newRow("flag empty") << QVariant() << yesNo << "";
    QTest::newRow("flag empty text") << QVariant(QString()) << yesNo << "";
}

void TestReportEngine::formats()
{
    QFETCH(QVariant, value);
    QFETCH(int, format);
    QFETCH(QString, expected);
    QCOMPARE(formatValue(value, Format(format)), expected);
}

void TestReportEngine::runTimeCaptionsAndFields()
{
    Layout l = listLayout();
    l.item(QStringLiteral("Section2"), QStringLiteral("Head"))->caption =
        QStringLiteral("{title} for {player}");
    l.item(QStringLiteral("Section1"), QStringLiteral("Text1"))->dataField =
        QStringLiteral("{column}");
    const Report report(l, {},
                        {{QStringLiteral("title"), QStringLiteral("Worst Ever Round")},
                         {QStringLiteral("column"), QStringLiteral("score")}});
    QCOMPARE(report.parameter(QStringLiteral("title")), QStringLiteral("Worst Ever Round"));
    Paginator p(report.layout(), rows(2), QDate(2004, 3, 5));
    // An unset parameter prints nothing.
    QCOMPARE(texts(p.page(0), QStringLiteral("Head")),
             QStringList{QStringLiteral("Worst Ever Round for ")});
    QCOMPARE(texts(p.page(0), QStringLiteral("Text1")), (QStringList{"0", "1"}));

    // "%D" is the day the report is run.
    Layout withDate = listLayout();
    withDate.item(QStringLiteral("Section4"), QStringLiteral("Title"))->caption =
        QStringLiteral("%D");
    Paginator dated(withDate, rows(1), QDate(2026, 12, 9));
    QCOMPARE(texts(dated.page(0), QStringLiteral("Title")),
             QStringList{QStringLiteral("9 December 2026")});
}

void TestReportEngine::playerLineAtItsTwips()
{
    Rows d;
    d.columns = {QStringLiteral("ID"),         QStringLiteral("playername"),
                      QStringLiteral("membership"), QStringLiteral("Handicapp"),
                      QStringLiteral("division"),   QStringLiteral("telephone")};
    d.rows = {{1, QStringLiteral("Sean O'Brien"), QStringLiteral("1042"),
                    QStringLiteral("12.5"), QStringLiteral("Gents"), QString()},
                   {2, QStringLiteral("Adams"), QStringLiteral("7"), QStringLiteral("8"),
                    QStringLiteral("Seniors"), QStringLiteral("01 234")}};
    Paginator p(layoutFor(QStringLiteral("DataReport1")), DataSource::of(d), QDate(2004, 3, 5));
    const Page& page = p.page(0);
    // Report header 390 and page header 285: the first line starts at 675.
    const auto at = [&](const char* item, const char* text) {
        const DrawCommand* c = find(page, QString::fromLatin1(item), QString::fromUtf8(text));
        return c ? c->rect : QRect();
    };
    QCOMPARE(at("Text4", "1042"), QRect(2127, 675, 570, 285));
    QCOMPARE(at("Text2", "Sean O'Brien"), QRect(2835, 675, 2265, 285));
    QCOMPARE(at("Text1", "12.5"), QRect(5245, 675, 720, 285));
    QCOMPARE(at("Text3", "Gents"), QRect(6095, 675, 1425, 285));
    QCOMPARE(at("Text4", "7"), QRect(2127, 960, 570, 285));
    QCOMPARE(at("Text5", "01 234"), QRect(7654, 960, 1560, 285));
    // An empty telephone prints nothing; the rest of the line prints as usual.
    QCOMPARE(texts(page, QStringLiteral("Text5")), QStringList{QStringLiteral("01 234")});
    QCOMPARE(find(page, QStringLiteral("Text4"), QStringLiteral("1042"))->align, Align::Right);
    QCOMPARE(find(page, QStringLiteral("Text2"), QStringLiteral("Adams"))->align, Align::Center);
    QCOMPARE(at("Label1", "Players Details"), QRect(3543, 0, 3975, 375));
    QCOMPARE(find(page, QStringLiteral("Label1"))->font.points, 15.75);
    QVERIFY(find(page, QStringLiteral("Label1"))->font.bold);
    QCOMPARE(at("Label7", "5 March 2004"), QRect(283, 142, 1440, 240));
    QCOMPARE(at("Label3", "Mem No."), QRect(2268, 390, 945, 285));
    QCOMPARE(at("Name", "Name"), QRect(3071, 390, 1695, 285));
    QCOMPARE(at("Label5", "HCap"), QRect(4961, 390, 1140, 285));
    QCOMPARE(at("Label2", "Division"), QRect(6095, 390, 1515, 285));
    QCOMPARE(at("Label4", "Phone"), QRect(7984, 390, 1140, 285));
    QCOMPARE(find(page, QStringLiteral("Label4"))->font.points, 9.75);
    int rules = 0;
    for (const DrawCommand& c : page.commands)
        if (c.kind == DrawCommand::Kind::Line) {
            QCOMPARE(c.rect.left(), 2126);
            QCOMPARE(c.rect.width(), 7230);
            ++rules;
        }
    QCOMPARE(rules, 3); // under the headings and under each line
    QCOMPARE(layoutFor(QStringLiteral("DataReport1")).caption, QStringLiteral("Players"));
    QCOMPARE(layoutFor(QStringLiteral("DataReport1")).width, 9525);
}

void TestReportEngine::coursesListLayout()
{
    Rows d;
    d.columns = {QStringLiteral("coursename"), QStringLiteral("courseadd1"),
                      QStringLiteral("courseadd2"), QStringLiteral("courseadd3"),
                      QStringLiteral("coursetel"),  QStringLiteral("coursepar")};
    d.rows = {{QStringLiteral("Druid's Glen"), QStringLiteral("Newtownmountkennedy"),
                    QStringLiteral("Wicklow"), QStringLiteral("Co. Wicklow"),
                    QStringLiteral("01 2873600"), 71.0}};
    const Layout l = layoutFor(QStringLiteral("DataReport2"));
    QCOMPARE(l.caption, QStringLiteral("Golf Courses"));
    QCOMPARE(l.width, 10066);
    Paginator p(l, DataSource::of(d), QDate(2004, 3, 5));
    const Page& page = p.page(0);
    QCOMPARE(find(page, QStringLiteral("Label4"), QStringLiteral("Golf Courses"))->rect,
             QRect(3543, 0, 3260, 283));
    QCOMPARE(find(page, QStringLiteral("Label3"), QStringLiteral("Par"))->rect,
             QRect(9496, 285, 570, 285));
    QCOMPARE(find(page, QStringLiteral("Text1"), QStringLiteral("Druid's Glen"))->rect,
             QRect(0, 570, 2268, 285));
    QCOMPARE(find(page, QStringLiteral("Text6"), QStringLiteral("71"))->rect,
             QRect(9496, 570, 570, 285));
    QCOMPARE(find(page, QStringLiteral("Text5"))->rect.left(), 7370);
    QCOMPARE(find(page, QStringLiteral("Line2"))->rect, QRect(0, 570 + 538, 10063, 0));
}

void TestReportEngine::searchResultLayouts()
{
    Rows rounds;
    rounds.columns = {
        QStringLiteral("playerID"), QStringLiteral("hand"),   QStringLiteral("strdate"),
        QStringLiteral("net"),      QStringLiteral("green1"), QStringLiteral("green2"),
        QStringLiteral("compss"),   QStringLiteral("course"), QStringLiteral("P1"),
        QStringLiteral("X1"),       QStringLiteral("B1")};
    rounds.rows = {{QStringLiteral("Adams"), 12.5, QStringLiteral("2004-03-05"), 70, 1, 0,
                    QStringLiteral("70"), QStringLiteral("Carne"), 2, 0, 1}};
    const DataSource plain = DataSource::of(rounds);

    Paginator compact(layoutFor(QStringLiteral("DataReport5")), plain, QDate(2004, 3, 5));
    const Page& list = compact.page(0);
    QCOMPARE(find(list, QStringLiteral("Text2"), QStringLiteral("Adams"))->rect,
             QRect(425, 285 + 330 + 142, 1710, 285));
    QCOMPARE(find(list, QStringLiteral("Text11"), QStringLiteral("5.Mar2004"))->rect.left(), 6661);
    QCOMPARE(find(list, QStringLiteral("Text7"), QStringLiteral("12.5"))->align, Align::Center);
    QCOMPARE(find(list, QStringLiteral("Label8"), QStringLiteral("Net"))->align, Align::Right);
    QCOMPARE(find(list, QStringLiteral("Label3"), QStringLiteral("In"))->rect.left(), 7795);
    QCOMPARE(layoutFor(QStringLiteral("DataReport5")).caption, QStringLiteral("Search Results"));

    Paginator cards(layoutFor(QStringLiteral("DataReport6")), plain, QDate(2004, 3, 5));
    const Page& card = cards.page(0);
    QCOMPARE(texts(card, QStringLiteral("green1")), QStringList{QStringLiteral("x")});
    QCOMPARE(texts(card, QStringLiteral("green2")), QStringList());
    QCOMPARE(find(card, QStringLiteral("green1"))->rect, QRect(4085, 465 + 2267, 255, 285));
    // The hole's putts, penalty strokes (none: blank) and bunker, beside its fairway.
    QCOMPARE(find(card, QStringLiteral("P1"))->rect.left(), 4085 + 2 * 255);
    QCOMPARE(texts(card, QStringLiteral("P1")), QStringList{QStringLiteral("2")});
    QCOMPARE(texts(card, QStringLiteral("X1")), QStringList());
    QCOMPARE(texts(card, QStringLiteral("B1")), QStringList{QStringLiteral("x")});
    QCOMPARE(find(card, QStringLiteral("Detail6"))->text, QStringLiteral("5.Mar.04"));
    QCOMPARE(find(card, QStringLiteral("Detail7"))->text, QStringLiteral("70")); // CompSS
    QCOMPARE(find(card, QStringLiteral("CaptionNett"))->rect, QRect(4877, 465 + 6944, 1125, 285));
    QVERIFY(find(card, QStringLiteral("Image2")));

    // Grouped: a course with no matching round prints its header and headings alone.
    Rows none;
    none.columns = rounds.columns;
    const DataSource grouped = DataSource::grouped(
        Rows{{QStringLiteral("course")}, {{QStringLiteral("Carne")}, {QStringLiteral("Lahinch")}}},
        QList<Rows>{rounds, none}, QStringLiteral("work"));
    Layout layout = layoutFor(QStringLiteral("DataReport3"));
    layout.item(QStringLiteral("Section6"), QStringLiteral("Text1"))->dataField =
        QStringLiteral("course");
    Paginator groups(layout, grouped, QDate(2004, 3, 5));
    const Page& page = groups.page(0);
    QCOMPARE(texts(page, QStringLiteral("Text1")), (QStringList{"Carne", "Lahinch"}));
    QCOMPARE(texts(page, QStringLiteral("Player")).size(), 2);
    QCOMPARE(texts(page, QStringLiteral("Text2")), QStringList{QStringLiteral("Adams")});
    QCOMPARE(find(page, QStringLiteral("Text2"))->rect.top(), 285 + 855);
    QCOMPARE(find(page, QStringLiteral("Text1"), QStringLiteral("Lahinch"))->rect.top(),
             285 + 855 + 315 + 283);
    QCOMPARE(layoutFor(QStringLiteral("DataReport4")).caption, QStringLiteral("Report"));
    QCOMPARE(layoutFor(QStringLiteral("DataReport3")).band(BandKind::GroupHeader)->height, 855);
}

void TestReportEngine::longReportsOpenAtOnce()
{
    Paginator p(layoutFor(QStringLiteral("DataReport1")), rows(100000), QDate(2004, 3, 5));
    const Page& first = p.page(0);
    QVERIFY(!first.commands.isEmpty());
    QCOMPARE(p.pagesPlanned(), 1);
    QCOMPARE(p.pagesBuilt(), 1);
    QVERIFY(p.pageCount() > 1800);
    QCOMPARE(p.pagesBuilt(), 1);
    const Page& last = p.page(p.pageCount() - 1);
    QVERIFY(!last.commands.isEmpty());
    QCOMPARE(p.pagesBuilt(), 2);
}

void TestReportEngine::aPageStaysWhereItIsAsOthersAreBuilt()
{
    Paginator p(layoutFor(QStringLiteral("DataReport1")), rows(20000), QDate(2004, 3, 5));
    const Page& first = p.page(0);
    const QString firstName = first.commands.value(3).text;
    for (int i = 1; i < 300; ++i)
        QVERIFY(!p.page(i).commands.isEmpty());
    QCOMPARE(&p.page(0), &first);
    QCOMPARE(first.number, 1);
    QCOMPARE(first.commands.value(3).text, firstName);
}

void TestReportEngine::pdfHoldsTheText()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("players.pdf"));
    Rows d{{QStringLiteral("playername"), QStringLiteral("membership")}, {}};
    for (int i = 0; i < 80; ++i)
        d.rows.append({QStringLiteral("Member%1").arg(i), QString::number(1000 + i)});
    Paginator p(layoutFor(QStringLiteral("DataReport1")), DataSource::of(d), QDate(2004, 3, 5));
    const Status written = writePdf(p, path);
    QVERIFY2(written, qPrintable(written.error()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5).startsWith("%PDF-"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is not installed");
    QProcess extract;
    extract.start(pdftotext, {path, QStringLiteral("-")});
    QVERIFY(extract.waitForFinished(30000));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("Players Details")), qPrintable(text.left(200)));
    QVERIFY(text.contains(QStringLiteral("Member0")));
    QVERIFY(text.contains(QStringLiteral("Member79")));
    QCOMPARE(text.count(QStringLiteral("Mem No.")), p.pageCount());
    QCOMPARE(p.pageCount(), 2);

    const Status refused = writePdf(p, QStringLiteral("/nonexistent-folder/x.pdf"));
    QVERIFY(!refused);
    QVERIFY(refused.error().contains(QStringLiteral("/nonexistent-folder/x.pdf")));
}

void TestReportEngine::pagesPaintWithoutClipping()
{
    // The run date and every heading fit their boxes in the report font.
    Paginator p(layoutFor(QStringLiteral("DataReport1")), rows(3), QDate(2026, 9, 30));
    QImage image = pageImage(p.page(0), 300);
    QVERIFY(!image.isNull());
    for (const DrawCommand& c : p.page(0).commands) {
        if (c.kind != DrawCommand::Kind::Text)
            continue;
        const QFontMetricsF metrics(qfont(c.font), &image);
        QVERIFY2(metrics.horizontalAdvance(c.text) * 1440.0 / 300 <= c.rect.width() + 1,
                 qPrintable(c.text));
    }
}

PARLOG_TEST(TestReportEngine)
#include "tst_reportengine.moc"
