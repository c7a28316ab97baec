#include "data/backup.h"
#include "data/connection.h"
#include "data/copy.h"
#include "data/location.h"

#include "pgserver.h"
#include "sampledata.h"
#include "testmain.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QUrl>

using namespace parlog;
using namespace parlog::test;

// The windows on a club server.
class TestServerWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void choosingTheClubServer();
    void aDeletionOnTheServerKeepsItsRounds();
    void everyWindowAndReportOnTheClubRegister();
};

void TestServerWindows::choosingTheClubServer()
{
    PARLOG_NEEDS_SERVER(location);
    Fixture f;
    Driver choice(f, QStringLiteral("registerchoice"));
    QVERIFY(choice.shown());
    // An address that is not one: said, nothing changes.
    choice.box(QStringLiteral("address"))->setText(QStringLiteral("club.example"));
    child<QRadioButton>(choice.window, QStringLiteral("clubServer"))->setChecked(true);
    choice.click(QStringLiteral("use"));
    QVERIFY(f.prompter->last().contains(QStringLiteral("not a server's address")));
    QCOMPARE(f.app->dataFile(), f.path(QStringLiteral("parlog.mdb")));
    // A password in the address is used for this run, and neither kept nor shown.
    QUrl withPassword(location);
    withPassword.setPassword(QStringLiteral("clubpw"));
    choice.box(QStringLiteral("address"))->setText(withPassword.toString());
    choice.click(QStringLiteral("use"));
    QCOMPARE(f.app->dataFile(), withPassword.toString());
    QSettings settings;
    QCOMPARE(settings.value(QStringLiteral("register/server")).toString(), location);
    for (const QString& said : f.prompter->texts())
        QVERIFY2(!said.contains(QStringLiteral("clubpw")), qPrintable(said));
    QCOMPARE(QFileInfo(settings.fileName()).permissions() & 0x0077, 0);
    settings.remove(QStringLiteral("register"));
}

void TestServerWindows::aDeletionOnTheServerKeepsItsRounds()
{
    PARLOG_NEEDS_SERVER(location);
    Fixture f;
    QVERIFY(f.app->useRegister(location));
    {
        Connection c(location);
        PARLOG_VERIFY_OK(c.open());
        QSqlQuery q = c.query();
        for (int i = 0; i < 3; ++i)
            QVERIFY(execOn(c, q,
                           QStringLiteral("INSERT INTO score(playerID, strdate, net) VALUES "
                                          "(?, '2004-01-01', ?)"),
                           {QStringLiteral("Adams"), 70 + i}));
    }
    Driver d(f, QStringLiteral("edit"));
    QVERIFY(d.shown());
    d.click(QStringLiteral("Command22"));
    const QString said = f.prompter->last();
    QVERIFY2(said.startsWith(QStringLiteral("Your Selected Records Have Now Been Deleted")),
             qPrintable(said));
    // The rounds went to a register of the user's own first, and come back from it.
    const QString backup = said.mid(said.indexOf(QLatin1Char('/')));
    QVERIFY2(backup.startsWith(userDataFolder()), qPrintable(backup));
    const auto restored = restoreRounds(backup, location);
    PARLOG_VERIFY_OK(restored);
    QCOMPARE(restored->restored, 3);
}

// Every window and report opened as the screenshot tool opens them, on a club register
// filled with the sample: a column a server names otherwise, or a statement it refuses,
// shows here first.
void TestServerWindows::everyWindowAndReportOnTheClubRegister()
{
    PARLOG_NEEDS_SERVER(location);
    QTemporaryDir dir;
    const QString sample = dir.filePath(QStringLiteral("sample.mdb"));
    QCOMPARE(tools::writeSampleDatabase(sample, {2004, 12, 4, 150, 2}), QString());
    PARLOG_VERIFY_OK(copyRegister(sample, location));
    QProcess shots;
    shots.start(QStringLiteral(PARLOG_SCREENSHOTS),
                {dir.filePath(QStringLiteral("shots")), QStringLiteral("--db"), location});
    QVERIFY(shots.waitForFinished(240000));
    const QString said = QString::fromUtf8(shots.readAllStandardError());
    QVERIFY2(shots.exitStatus() == QProcess::NormalExit && shots.exitCode() == 0,
             qPrintable(said.right(2000)));
    QVERIFY2(!said.contains(QStringLiteral("refused the statement")), qPrintable(said.right(2000)));
}

PARLOG_TEST(TestServerWindows)
#include "tst_serverwindows.moc"
