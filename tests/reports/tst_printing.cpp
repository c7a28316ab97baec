#include "data/queries.h"
#include "data/schema.h"
#include "reports/layouts.h"
#include "reports/paginator.h"
#include "reports/report.h"
#include "reports/reportpainter.h"

#include "testmain.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace parlog;
using namespace parlog::report;

namespace {

// One row that every layout can print: a player, a course and a round, long where a
// box may be short.
Rows everything()
{
    Rows set;
    QVariantList row;
    for (const schema::Table* table : schema::tables()) {
        for (const schema::Column& c : table->columns) {
            if (set.columns.contains(c.name, Qt::CaseInsensitive))
                continue;
            set.columns << c.name;
            switch (c.type) {
            case schema::Type::Date:
                row << QStringLiteral("2004-03-05");
                break;
            case schema::Type::Tick:
                row << 1;
                break;
            case schema::Type::Name:
            case schema::Type::Text:
                row << QStringLiteral("Ballybunion Old Course Golf Club of Kerry");
                break;
            default:
                row << 4;
            }
        }
    }
    set.rows << row;
    return set;
}

DataSource sourceFor(const Layout& layout)
{
    if (!layout.band(BandKind::GroupHeader))
        return DataSource::of(everything());
    return DataSource::grouped(Rows{{QStringLiteral("course")}, {{QStringLiteral("Lahinch")}}},
                               QList<Rows>{everything()}, QStringLiteral("work"));
}

QString pdfText(const QString& path)
{
    QProcess extract;
    extract.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                  {path, QStringLiteral("-")});
    extract.waitForFinished(30000);
    return QString::fromUtf8(extract.readAllStandardOutput()).simplified();
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyCaptionPrintsWhole();
    void aCancelledPdfLeavesNoFile();
};

// The captions the layouts were designed to hold come out of a PDF whole; a value too
// long for its box is cut with an ellipsis, on every device alike.
void TestPrinting::everyCaptionPrintsWhole()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    for (const QString& name : reportNames()) {
        const Report report(name, {},
                            {{QStringLiteral("player"), QStringLiteral("Sean O'Brien")},
                             {QStringLiteral("title"), QStringLiteral("Best Ever Round")},
                             {QStringLiteral("group"), QStringLiteral("course")}});
        Paginator pages(report.layout(), sourceFor(report.layout()), QDate(2026, 12, 9));
        const QString path = dir.filePath(name + QStringLiteral(".pdf"));
        PARLOG_VERIFY_OK(writePdf(pages, path));
        const QString text = pdfText(path);
        int values = 0;
        for (const DrawCommand& c : pages.page(0).commands) {
            if (c.kind != DrawCommand::Kind::Text)
                continue;
            if (c.caption) {
                QCOMPARE(fittedText(c), c.text);
                QVERIFY2(text.contains(c.text.simplified()),
                         qPrintable(name + QStringLiteral(": ") + c.text));
            } else if (fittedText(c) != c.text) {
                QVERIFY(fittedText(c).endsWith(QChar(0x2026)));
                ++values;
            }
        }
        // The long club name is too long somewhere on every report of rounds and players.
        QVERIFY2(values > 0 || !name.startsWith(QStringLiteral("DataReport")) ||
                     name == u"DataReport2" || name == u"DataReport10",
                 qPrintable(name));
    }
}

void TestPrinting::aCancelledPdfLeavesNoFile()
{
    struct StopAt : Progress {
        long long pages = 0;
        bool carryOn(long long done, long long total) override
        {
            pages = total;
            return done < 3;
        }
    } stop;
    Rows players{{QStringLiteral("playername")}, {}};
    for (int i = 0; i < 500; ++i)
        players.rows << QVariantList{QStringLiteral("Player %1").arg(i)};
    Paginator pages(layoutFor(QStringLiteral("DataReport1")), DataSource::of(players),
                    QDate(2026, 12, 9));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("players.pdf"));
    const Status written = writePdf(pages, path, &stop);
    QVERIFY(!written);
    QVERIFY(written.error().contains(QStringLiteral("cancelled")));
    QCOMPARE(stop.pages, pages.pageCount());
    QVERIFY(!QFileInfo::exists(path));
}

PARLOG_TEST(TestPrinting)
#include "tst_printing.moc"
