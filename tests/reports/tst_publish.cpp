#include "data/queries.h"
#include "reports/layouts.h"
#include "reports/tabular.h"

#include "testmain.h"
#include "testsupport.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QTest>
#include <QXmlStreamReader>

using namespace parlog;
using namespace parlog::report;

class TestPublish : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hostileNamesAreText();
    void plainTextColumnsLineUp();
    void aBrowserShowsTheNamesAsText();
};

namespace {

const QStringList kNames{QStringLiteral("<script>alert('x')</script>"),
                         QStringLiteral("Smith & Sons"), QStringLiteral("Bud \"The Bear\" O'Brien"),
                         QStringLiteral("Se\u00e1n \u00d3 Braon\u00e1in")};

// A competition's results with hostile names, as the results window makes them.
Report results()
{
    Rows rows{{QStringLiteral("position"), QStringLiteral("player"), QStringLiteral("division"),
               QStringLiteral("handicap"), QStringLiteral("gross"), QStringLiteral("net"),
               QStringLiteral("points"), QStringLiteral("countback")},
              {}};
    int net = 70;
    for (const QString& name : kNames)
        rows.rows << QVariantList{QString::number(rows.rows.size() + 1),
                                  name,
                                  QStringLiteral("Gents"),
                                  10,
                                  net + 10,
                                  net++,
                                  QString(),
                                  QString()};
    return Report(kResultsReport, DataSource::of(rows),
                  {{QStringLiteral("competition"), QStringLiteral("Captain's <Prize> & Cup")},
                   {QStringLiteral("date"), QStringLiteral("9 Dec 2026")}});
}

} // namespace

void TestPublish::hostileNamesAreText()
{
    const Table t = tableOf(results(), QDate(2026, 12, 10));
    const QString page = htmlPage(QStringLiteral("The <Society> & Friends"),
                                  QStringLiteral("10 December 2026"), {t});
    // Nothing runs and nothing is fetched: no script, no link, no source from elsewhere.
    for (const char* never : {"<script", "src=", "href=", "@import", "url("})
        QVERIFY2(!page.contains(QLatin1String(never), Qt::CaseInsensitive), never);
    // Read back as a browser's parser would: every table has its header row, each row as
    // many cells as it has captions, and every name comes back once, as text.
    QXmlStreamReader xml(page);
    QStringList cells;
    int tds = 0;
    int headers = 0;
    int tables = 0;
    QString element;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            element = xml.name().toString();
            tables += element == u"table";
            headers += element == u"th";
            tds += element == u"td";
        } else if (xml.isCharacters() && element == u"td") {
            cells << xml.text().toString();
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(tables, 1);
    QCOMPARE(headers, int(t.captions.size()));
    QCOMPARE(tds, headers * int(kNames.size()));
    // The columns no line fills (points, countback) are left out.
    QCOMPARE(headers, 6);
    for (const QString& name : kNames)
        QCOMPARE(cells.count(name), 1);
    QVERIFY(page.contains(QStringLiteral("Captain&#39;s &lt;Prize&gt; &amp; Cup")));
    QVERIFY(page.contains(QStringLiteral("<h1>The &lt;Society&gt; &amp; Friends</h1>")));
    // Written whole, as UTF-8.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("results.html"));
    PARLOG_VERIFY_OK(writeHtml(QStringLiteral("Society"), QStringLiteral("today"), {t}, file));
    QFile read(file);
    QVERIFY(read.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(read.readAll()).contains(kNames[3]));
}

void TestPublish::plainTextColumnsLineUp()
{
    const QString text = plainText(tableOf(results(), QDate(2026, 12, 10)));
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    // The net column ends at the same place on every line of the table.
    QList<qsizetype> ends;
    for (const QString& line : lines)
        if (line.contains(QStringLiteral("Sons")) || line.contains(QStringLiteral("Braon")))
            ends << line.size();
    QCOMPARE(ends.size(), 2);
    QCOMPARE(ends[0], ends[1]);
    QVERIFY(text.contains(QStringLiteral("Captain's <Prize> & Cup")));
}

// Rendered by headless Chromium where it is installed: on a phone's width as a picture,
// and printed on A4, where every hostile name must come out as the text it is.
void TestPublish::aBrowserShowsTheNamesAsText()
{
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (chromium.isEmpty() || pdftotext.isEmpty())
        QSKIP("chromium or pdftotext is not installed");
    QTemporaryDir dir;
    const QString keep = qEnvironmentVariable("PARLOG_KEEP_PAGES");
    const QString folder = keep.isEmpty() ? dir.path() : keep;
    const QString page = QDir(folder).filePath(QStringLiteral("results.html"));
    PARLOG_VERIFY_OK(writeHtml(QStringLiteral("The <Society> & Friends"),
                               QStringLiteral("10 December 2026"),
                               {tableOf(results(), QDate(2026, 12, 10))}, page));
    const QString url = QUrl::fromLocalFile(page).toString();
    const auto run = [&chromium](const QStringList& arguments) {
        QProcess browser;
        browser.start(chromium, QStringList{"--headless", "--no-sandbox", "--disable-gpu",
                                            "--hide-scrollbars"} +
                                    arguments);
        return browser.waitForFinished(60000) && browser.exitCode() == 0;
    };
    const QString phone = QDir(folder).filePath(QStringLiteral("results-phone.png"));
    const QString a4 = QDir(folder).filePath(QStringLiteral("results-a4.pdf"));
    QVERIFY(run(
        {QStringLiteral("--screenshot=") + phone, QStringLiteral("--window-size=412,800"), url}));
    QVERIFY(run(
        {QStringLiteral("--print-to-pdf=") + a4, QStringLiteral("--no-pdf-header-footer"), url}));
    QVERIFY(QImage(phone).width() == 412);
    QProcess text;
    text.start(pdftotext, {a4, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    for (const QString& name : kNames)
        QVERIFY2(printed.contains(name), qPrintable(name));
    QVERIFY(printed.contains(QStringLiteral("The <Society> & Friends")));
}

PARLOG_TEST(TestPublish)
#include "tst_publish.moc"
