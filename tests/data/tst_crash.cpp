#include "data/connection.h"
#include "sampledata.h"

#include "pgserver.h"

#include "execon.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace parlog;
using parlog::test::execOn;

namespace {

// A sanitizer's build runs each child several times slower: a smaller register is killed
// as often, at the same points of the work, in the time the suite has.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kShrink = 4;
#else
constexpr int kShrink = 1;
#endif

// What a killed child leaves: the integrity check's verdict and the rounds' comments.
struct Left {
    QString integrity;
    QSet<QString> comments;
    int rounds = 0;
};

Left inspect(const QString& path)
{
    Left left;
    Connection c(path);
    if (!c.open())
        return left;
    QSqlQuery q = c.query();
    if (execOn(c, q, QStringLiteral("PRAGMA integrity_check")) && q.next())
        left.integrity = q.value(0).toString();
    if (execOn(c, q, QStringLiteral("SELECT comment FROM score")))
        while (q.next()) {
            left.comments.insert(q.value(0).toString());
            ++left.rounds;
        }
    return left;
}

// The rounds of a server's register; -1 when it cannot be read.
qint64 inspectServer(const QString& location)
{
    Connection c(location);
    if (!c.open())
        return -1;
    QSqlQuery q = c.query();
    return execOn(c, q, QStringLiteral("SELECT count(*) FROM score")) && q.next()
               ? q.value(0).toLongLong()
               : -1;
}

} // namespace

// Stores that claim durability prove it by being killed: SIGKILL at random moments,
// then every acknowledged save must be there and the file sound.
class TestCrash : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savesSurviveAKill();
    void aKilledChangeIsWholeOrAbsent_data();
    void aKilledChangeIsWholeOrAbsent();
};

void TestCrash::savesSurviveAKill()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parlog.mdb"));
    QRandomGenerator random(20041231);
    QSet<QString> acknowledged;
    int next = 0;
    for (int kill = 0; kill < 20; ++kill) {
        QProcess child;
        child.start(QStringLiteral(PARLOG_CRASHCHILD),
                    {QStringLiteral("save"), path, QString::number(next)});
        QVERIFY(child.waitForStarted());
        // Killed at a random moment once it saves: a loaded machine (a sanitizer build,
        // other tests) can take longer to start it than the whole wait.
        QVERIFY(child.waitForReadyRead(60000));
        QTest::qWait(40 + int(random.bounded(260)));
        child.kill();
        QVERIFY(child.waitForFinished());
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            if (!line.startsWith("saved "))
                continue;
            const int n = line.mid(6).toInt();
            acknowledged.insert(QStringLiteral("round %1").arg(n));
            next = qMax(next, n + 1);
        }
        const Left left = inspect(path);
        QCOMPARE(left.integrity, QStringLiteral("ok"));
        for (const QString& round : std::as_const(acknowledged))
            QVERIFY2(left.comments.contains(round), qPrintable(round));
        // A round is whole or absent: every one stored is a distinct, complete card.
        QCOMPARE(left.comments.size(), left.rounds);
        next = qMax(next, left.rounds);
    }
    QVERIFY(acknowledged.size() > 20);
    qInfo("crash test: 20 kills, %d rounds acknowledged, all present", int(acknowledged.size()));
}

void TestCrash::aKilledChangeIsWholeOrAbsent_data()
{
    QTest::addColumn<QString>("action");
    for (const char* action : {"delete", "copy", "copy-server", "backup", "import"})
        QTest::newRow(action) << QString::fromLatin1(action);
}

// The deletion (count, copy aside, transaction), a copy of the register into a file or
// onto a server, a backup, and an import of many cards, each killed at random moments:
// the register is intact, and what was being made is absent, empty, or whole.
void TestCrash::aKilledChangeIsWholeOrAbsent()
{
    QFETCH(QString, action);
    QTemporaryDir dir;
    const QString pristine = dir.filePath(QStringLiteral("pristine.mdb"));
    const QString path = dir.filePath(QStringLiteral("parlog.mdb"));
    const QString file = dir.filePath(QStringLiteral("copy.mdb"));
    QDir backups(dir.filePath(QStringLiteral("backups")));
    tools::SampleSizes sizes;
    sizes.rounds = 40000 / kShrink;
    QCOMPARE(tools::writeSampleDatabase(pristine, sizes), QString());
    const int before = inspect(pristine).rounds;
    const bool server = action == u"copy-server";
    QString why;
    if (server && test::freshServerRegister(&why).isEmpty()) {
        if (!qEnvironmentVariableIsEmpty("PARLOG_REQUIRE_PG"))
            QFAIL(qPrintable(why));
        QSKIP(qPrintable(why));
    }
    // A file of cards none of which the register holds.
    const QString cards = dir.filePath(QStringLiteral("cards.csv"));
    const int imported = 20000 / kShrink;
    if (action == u"import") {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("names"));
        db.setDatabaseName(pristine);
        QVERIFY(db.open());
        QSqlQuery names(QStringLiteral("SELECT (SELECT min(playername) FROM player), "
                                       "(SELECT min(coursename) FROM courses)"),
                        db);
        QVERIFY(names.next());
        QFile file(cards);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray text = "Player,Course,Date,Comment";
        for (int h = 1; h <= 18; ++h)
            text += ",Hole " + QByteArray::number(h);
        for (int n = 0; n < imported; ++n) {
            text += "\n\"" + names.value(0).toString().toUtf8() + "\",\"" +
                    names.value(1).toString().toUtf8() + "\",2001-05-06,imported " +
                    QByteArray::number(n);
            for (int h = 1; h <= 18; ++h)
                text += "," + QByteArray::number(3 + (n + h) % 4);
        }
        file.write(text + "\n");
        names.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("names"));
    QString target;
    const auto run = [&](QProcess& child) {
        QFile::remove(path);
        QFile::remove(file);
        backups.removeRecursively();
        QVERIFY(QFile::copy(pristine, path));
        target = server ? test::freshServerRegister(&why) : action == u"import" ? cards : file;
        const QString verb = action.startsWith(u"copy") ? QStringLiteral("copy") : action;
        child.start(QStringLiteral(PARLOG_CRASHCHILD), {verb, path, target});
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(10000));
    };
    // How long the whole action takes here, so that the kills fall inside it.
    qint64 whole = 0;
    {
        QProcess child;
        run(child);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(child.waitForFinished(120000));
        QCOMPARE(child.exitCode(), 0);
        whole = qMax<qint64>(clock.elapsed(), 10);
    }
    QRandomGenerator random(1066);
    int cut = 0;
    for (int kill = 0; kill < 6; ++kill) {
        QProcess child;
        run(child);
        QTest::qWait(int(random.bounded(int(whole * 9 / 10))));
        // Under load the action may have ended before the kill.
        if (child.state() != QProcess::NotRunning) {
            child.kill();
            QVERIFY(child.waitForFinished());
            ++cut;
        }
        const Left left = inspect(path);
        QCOMPARE(left.integrity, QStringLiteral("ok"));
        if (action == u"import")
            QVERIFY2(left.rounds == before || left.rounds == before + imported,
                     qPrintable(QStringLiteral("%1 of %2 rounds").arg(left.rounds).arg(before)));
        else if (action == u"delete")
            QVERIFY2(left.rounds == before || left.rounds == 0,
                     qPrintable(QStringLiteral("%1 of %2 rounds left").arg(left.rounds).arg(before)));
        else
            QCOMPARE(left.rounds, before);
        // Every copy that stands under a name of its own is whole.
        QStringList made;
        if (action == u"delete" || action == u"backup" || action == u"import")
            for (const QString& name : backups.entryList({QStringLiteral("*.mdb")}, QDir::Files))
                made << backups.filePath(name);
        else if (server || (action != u"import" && QFileInfo::exists(file)))
            made << target;
        for (const QString& copy : std::as_const(made)) {
            const int rounds = server ? int(inspectServer(copy)) : inspect(copy).rounds;
            QVERIFY2(rounds == before || (server && rounds == 0),
                     qPrintable(QStringLiteral("%1: %2 of %3 rounds").arg(copy).arg(rounds).arg(before)));
        }
        // A deletion never goes without its copy.
        if (action == u"delete" && left.rounds == 0)
            QCOMPARE(made.size(), 1);
    }
    QVERIFY(cut > 0);
    qInfo("crash test: %s of %d rounds killed %d times, nothing left half done",
          qPrintable(action), before, cut);
}

PARLOG_TEST(TestCrash)
#include "tst_crash.moc"
