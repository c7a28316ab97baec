#include "data/registerinuse.h"
#include "data/registers.h"
#include "reports/layouts.h"
#include "reports/report.h"
#include "base/reportwindow.h"

#include "data/queries.h"
#include "testmain.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace parlog;
using namespace parlog::test;

namespace {

report::DataSource players(const QStringList& names)
{
    Rows d{{QStringLiteral("playername"), QStringLiteral("membership")}, {}};
    for (const QString& n : names)
        d.rows.append({n, QStringLiteral("1")});
    return report::DataSource::of(d);
}

QStringList printed(ReportWindow* window, const QString& item, int page = 0)
{
    QStringList list;
    for (const auto& c : window->paginator().page(page).commands)
        if (c.item == item)
            list << c.text;
    return list;
}

} // namespace

class TestReportWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.start(); }
    void cleanup() { f.stop(); }
    void showsInItsOwnWindowAndShowsAgainWithNewData();
    void theReportKeepsItsOwnCopy();
    void emptyAndFailedSources();
    void pagingAndZoom();
    void modalShowWaitsForTheRunner();
    void pdfThatCannotBeWrittenIsReported();
    void everyReportSavesItsRowsAsCsv();
    void savedFilesAreNamedForWhatTheyHold_data();
    void savedFilesAreNamedForWhatTheyHold();

private:
    Fixture f{Fixture::NotStarted{}};
};

void TestReportWindows::showsInItsOwnWindowAndShowsAgainWithNewData()
{
    auto* window = qobject_cast<ReportWindow*>(showReport(*f.app, report::Report(QStringLiteral("DataReport1"), players({"Adams", "Brown"}))));
    QVERIFY(window);
    QCOMPARE(window->objectName(), QStringLiteral("DataReport1"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Players"));
    QVERIFY(window->isVisible());
    QCOMPARE(f.app->find(QStringLiteral("DataReport1")), window);
    QCOMPARE(printed(window, QStringLiteral("Text2")), (QStringList{"Adams", "Brown"}));
    QVERIFY(!child<QLabel>(window, QStringLiteral("Sheet"))->pixmap().isNull());

    QCOMPARE(showReport(*f.app, report::Report(QStringLiteral("DataReport1"), players({"Kelly"}))), window);
    QCOMPARE(printed(window, QStringLiteral("Text2")), QStringList{QStringLiteral("Kelly")});

    QWidget* courses = showReport(*f.app, report::Report(QStringLiteral("DataReport2")));
    QVERIFY(courses && courses != window);
    QCOMPARE(courses->windowTitle(), QStringLiteral("Golf Courses"));
    window->close();
    QCOMPARE(f.app->find(QStringLiteral("DataReport1")), nullptr);
    QVERIFY(showReport(*f.app, report::Report(QStringLiteral("DataReport1"))));
}

void TestReportWindows::theReportKeepsItsOwnCopy()
{
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername) VALUES ('Adams'), ('Brown')")));
    std::optional<report::Report> made;
    {
        auto connection = f.app->registerInUse().connect();
        QVERIFY(connection);
        made.emplace(QStringLiteral("DataReport1"),
                     report::DataSource::of(registers::all(**connection, registers::players())));
    }
    QVERIFY(f.sql(QStringLiteral("DELETE FROM player")));
    auto* window = qobject_cast<ReportWindow*>(showReport(*f.app, *made));
    QCOMPARE(printed(window, QStringLiteral("Text2")), (QStringList{"Adams", "Brown"}));
}

void TestReportWindows::emptyAndFailedSources()
{
    auto* window = qobject_cast<ReportWindow*>(showReport(*f.app, report::Report(QStringLiteral("DataReport2"))));
    QCOMPARE(printed(window, QStringLiteral("Nothing")),
             QStringList{QStringLiteral("There is nothing to show.")});
    QCOMPARE(printed(window, QStringLiteral("Label4")),
             QStringList{QStringLiteral("Golf Courses")});
    QCOMPARE(printed(window, QStringLiteral("Course")), QStringList{QStringLiteral("Course")});

    // A source that could not be produced: most reports show themselves empty.
    auto* players = qobject_cast<ReportWindow*>(showReport(*f.app, report::Report(QStringLiteral("DataReport1"), report::DataSource::failure(QStringLiteral("no such table")))));
    QVERIFY(players);
    QCOMPARE(printed(players, QStringLiteral("Nothing")).size(), 1);
    QVERIFY(f.prompter->messages.isEmpty());

    // The grouped compact list answers its error event and shows nothing.
    QCOMPARE(showReport(*f.app, report::Report(QStringLiteral("DataReport3"), report::DataSource::failure(QStringLiteral("near \"'\": syntax error")))), nullptr);
    QCOMPARE(f.prompter->texts(),
             QStringList{QStringLiteral("Please try a different search criteria")});
    QCOMPARE(f.prompter->messages.first().caption, QStringLiteral("Parlog"));
    QCOMPARE(f.app->find(QStringLiteral("DataReport3")), nullptr);
}

void TestReportWindows::pagingAndZoom()
{
    QStringList names;
    for (int i = 0; i < 120; ++i)
        names << QStringLiteral("Player %1").arg(i, 3, 10, QLatin1Char('0'));
    auto* window = qobject_cast<ReportWindow*>(showReport(*f.app, report::Report(QStringLiteral("DataReport1"), players(names))));
    auto* label = child<QLabel>(window, QStringLiteral("PageLabel"));
    QCOMPARE(label->text(), QStringLiteral("Page 1 of 3"));
    QVERIFY(!child<QPushButton>(window, QStringLiteral("Previous"))->isEnabled());
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("Next")), Qt::LeftButton);
    QCOMPARE(window->pageIndex(), 1);
    QCOMPARE(label->text(), QStringLiteral("Page 2 of 3"));
    QTest::keyClick(window, Qt::Key_PageDown);
    QCOMPARE(window->pageIndex(), 2);
    QVERIFY(!child<QPushButton>(window, QStringLiteral("Next"))->isEnabled());
    QTest::keyClick(window, Qt::Key_PageDown);
    QCOMPARE(window->pageIndex(), 2);
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("First")), Qt::LeftButton);
    QCOMPARE(window->pageIndex(), 0);

    auto* sheet = child<QLabel>(window, QStringLiteral("Sheet"));
    const int width = sheet->pixmap().width();
    child<QComboBox>(window, QStringLiteral("Zoom"))->setCurrentIndex(5); // 200%
    QVERIFY(qAbs(sheet->pixmap().width() - 2 * width) <= 2);
}

void TestReportWindows::modalShowWaitsForTheRunner()
{
    QList<QWidget*> ran;
    f.app->setModalRunner([&](QWidget* w) {
        ran << w;
        w->close();
    });
    QWidget* w = showReport(*f.app, report::Report(QStringLiteral("DataReport2")), ShowMode::Modal);
    QCOMPARE(ran.size(), 1);
    QCOMPARE(ran.first(), w);
    QCOMPARE(f.app->find(QStringLiteral("DataReport2")), nullptr);
}

void TestReportWindows::pdfThatCannotBeWrittenIsReported()
{
    auto* window = qobject_cast<ReportWindow*>(showReport(*f.app, report::Report(QStringLiteral("DataReport2"))));
    QVERIFY(!window->savePdf(QStringLiteral("/nonexistent-folder/courses.pdf")));
    QCOMPARE(f.prompter->messages.size(), 1);
    QVERIFY(f.prompter->last().contains(QStringLiteral("/nonexistent-folder/courses.pdf")));
    QVERIFY(window->savePdf(f.path(QStringLiteral("courses.pdf"))));
    QVERIFY(QFileInfo(f.path(QStringLiteral("courses.pdf"))).size() > 0);
}

void TestReportWindows::everyReportSavesItsRowsAsCsv()
{
    auto* window = qobject_cast<ReportWindow*>(showReport(*f.app, report::Report(QStringLiteral("DataReport1"), players({"Adams", "O'Brien, Seán"}))));
    QVERIFY(window->saveCsv(f.path(QStringLiteral("players.csv"))));
    QFile file(f.path(QStringLiteral("players.csv")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    // The columns the report prints, in the order it draws them, headed as it heads
    // them, after a byte-order mark.
    QCOMPARE(file.readAll(), QStringLiteral("\uFEFFMem No.,Name,HCap,Division,Phone\r\n"
                                            "1,Adams,,,\r\n"
                                            "1,\"O'Brien, Seán\",,,\r\n")
                                 .toUtf8());
    // The players' telephone numbers, as a list or as pages, are the owner's alone; a
    // course list is anyone's the user's umask lets read it. Neither goes over the
    // register, nor over a link to it.
    QVERIFY(window->savePdf(f.path(QStringLiteral("players.pdf"))));
    for (const char* name : {"players.csv", "players.pdf"})
        QCOMPARE(int(QFile::permissions(f.path(QString::fromLatin1(name))) & 0x0077), 0);
    QVERIFY(f.app->openDataFile());
    const QByteArray before = [&] {
        QFile data(f.dataFile());
        return data.open(QIODevice::ReadOnly) ? data.readAll() : QByteArray();
    }();
    QVERIFY(QFile::link(f.dataFile(), f.path(QStringLiteral("link.csv"))));
    QVERIFY(!window->saveCsv(f.path(QStringLiteral("link.csv"))));
    QVERIFY(!window->savePdf(f.dataFile()));
    QVERIFY2(f.prompter->last().contains(QStringLiteral("is the register in use")),
             qPrintable(f.prompter->last()));
    QFile data(f.dataFile());
    QVERIFY(data.open(QIODevice::ReadOnly));
    QCOMPARE(data.readAll(), before);
    // An address in lines under one heading, a card's labels beside its values.
    const auto captions = [](const char* name) {
        const report::Layout l = report::layoutFor(QString::fromLatin1(name));
        return report::fieldCaptions(l, report::fieldColumns(l)).mid(0, 10);
    };
    QCOMPARE(captions("DataReport2"),
             (QStringList{"Course", "Address 1", "Address 2", "Address 3", "Telephone", "Par",
                          "Tees"}));
    QCOMPARE(captions("DataReport4"), (QStringList{"Player", "Hcp", "Division", "Course", "Comp",
                                                   "Date", "S Scratch", "Putts", "Comment",
                                                   "Hole 1"}));
}

void TestReportWindows::savedFilesAreNamedForWhatTheyHold_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("stem");
    QTest::newRow("season") << "Season Sean O'Brien 1 Jan 2026 to 9 Dec 2026"
                            << "Season-Sean-O'Brien-1-Jan-2026-to-9-Dec-2026";
    QTest::newRow("slashes") << "Results Captain's Prize 5/3/04" << "Results-Captain's-Prize-5-3-04";
    QTest::newRow("nothing") << " / " << "Parlog";
}

void TestReportWindows::savedFilesAreNamedForWhatTheyHold()
{
    QFETCH(QString, words);
    QFETCH(QString, stem);
    QCOMPARE(fileStem(words), stem);
}

PARLOG_TEST(TestReportWindows)
#include "tst_reportwindows.moc"
