#include "data/connection.h"
#include "sampledata.h"

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

namespace {

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
    if (c.exec(q, QStringLiteral("PRAGMA integrity_check")) && q.next())
        left.integrity = q.value(0).toString();
    if (c.exec(q, QStringLiteral("SELECT comment FROM score")))
        while (q.next()) {
            left.comments.insert(q.value(0).toString());
            ++left.rounds;
        }
    return left;
}

} // namespace

// Stores that claim durability prove it by being killed: SIGKILL at random moments,
// then every acknowledged save must be there and the file sound.
class TestCrash : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savesSurviveAKill();
    void aKilledDeletionIsAllOrNothing();
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

void TestCrash::aKilledDeletionIsAllOrNothing()
{
    QTemporaryDir dir;
    const QString pristine = dir.filePath(QStringLiteral("pristine.mdb"));
    const QString path = dir.filePath(QStringLiteral("parlog.mdb"));
    tools::SampleSizes sizes;
    sizes.rounds = 40000;
    QCOMPARE(tools::writeSampleDatabase(pristine, sizes), QString());
    const int before = inspect(pristine).rounds;
    // How long a whole deletion takes here, so that the kills fall inside it.
    qint64 whole = 0;
    {
        QVERIFY(QFile::copy(pristine, path));
        QProcess child;
        QElapsedTimer clock;
        child.start(QStringLiteral(PARLOG_CRASHCHILD), {QStringLiteral("delete"), path});
        QVERIFY(child.waitForReadyRead(10000));
        clock.start();
        QVERIFY(child.waitForFinished(60000));
        whole = qMax<qint64>(clock.elapsed(), 10);
        QCOMPARE(inspect(path).rounds, 0);
    }
    QRandomGenerator random(1066);
    int midway = 0;
    for (int kill = 0; kill < 8; ++kill) {
        QFile::remove(path);
        QVERIFY(QFile::copy(pristine, path));
        QProcess child;
        child.start(QStringLiteral(PARLOG_CRASHCHILD), {QStringLiteral("delete"), path});
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(10000));
        QTest::qWait(int(random.bounded(int(whole * 8 / 10))));
        // Under load the deletion may have ended before the kill.
        if (child.state() != QProcess::NotRunning) {
            child.kill();
            QVERIFY(child.waitForFinished());
        }
        // A journal left behind shows the kill came inside the deletion.
        if (QFileInfo(path + QStringLiteral("-journal")).size() > 0)
            ++midway;
        const Left left = inspect(path);
        QCOMPARE(left.integrity, QStringLiteral("ok"));
        QVERIFY2(left.rounds == before || left.rounds == 0,
                 qPrintable(QStringLiteral("%1 of %2 rounds left").arg(left.rounds).arg(before)));
    }
    QVERIFY(midway > 0);
    qInfo("crash test: 8 deletions of %d rounds killed, %d inside the transaction, none half "
          "done",
          before, midway);
}

PARLOG_TEST(TestCrash)
#include "tst_crash.moc"
