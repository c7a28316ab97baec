#include "data/backup.h"
#include "data/connection.h"
#include "data/progress.h"
#include "data/session.h"
#include "data/schema.h"

#include "execon.h"
#include "testmain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>
#include <unistd.h>

using namespace parlog;
using parlog::test::execOn;

namespace {

QByteArray bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A file written by another SQLite program, bypassing Parlog's checks.
[[nodiscard]] bool rawSql(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    if (rc != SQLITE_OK)
        qWarning("%s", error);
    sqlite3_free(error);
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

} // namespace

class TestDataFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFileIsCreatedForTheOwnerOnly();
    void createdSchemaHasEveryColumn();
    void namesCompareWithoutCase();
    void strictColumnsRefuseWrongValues();
    void apostrophesAreOrdinaryText();
    void foreignFilesAreRefusedAndLeftAlone_data();
    void foreignFilesAreRefusedAndLeftAlone();
    void damagedFileIsReported();
    void danglingLinkGetsAnOwnerOnlyFile();
    void folderThatCannotBeWrittenIsNamed();
    void backupsKeepTheLastTen();
    void writesWaitForTheIntegrityCheck();
    void readOnlyFileStillReads();
    void lockedFileReadsButRefusesChanges();
    void folderThatCannotBeWritten();
    void connectionsSeeEachOthersRows();
};

void TestDataFile::missingFileIsCreatedForTheOwnerOnly()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parlog.mdb"));
    Connection c(path);
    PARLOG_VERIFY_OK(c.open());
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(QFileInfo(path).permissions() &
                 (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
             QFileDevice::Permissions());
    QVERIFY(QFileInfo(path).permissions() & QFile::WriteOwner);
    QVERIFY(!QFileInfo::exists(path + QStringLiteral(".new")));
    QSqlQuery q = c.query();
    QVERIFY(execOn(c, q, QStringLiteral("PRAGMA user_version")) && q.next());
    QCOMPARE(q.value(0).toInt(), schema::kVersion);
    QVERIFY(execOn(c, q, QStringLiteral("SELECT count(*) FROM score")) && q.next());
    QCOMPARE(q.value(0).toInt(), 0);
}

void TestDataFile::createdSchemaHasEveryColumn()
{
    QTemporaryDir dir;
    Connection c(dir.filePath(QStringLiteral("parlog.mdb")));
    QVERIFY(c.open());
    QSqlQuery q = c.query();
    for (const QString& table : schema::tableNames()) {
        QVERIFY(execOn(c, q, QStringLiteral("SELECT * FROM %1").arg(table)));
        const QSqlRecord record = q.record();
        const QStringList columns = schema::columnNames(table);
        QCOMPARE(record.count(), int(columns.size()));
        for (const QString& column : columns)
            QVERIFY2(record.indexOf(column) >= 0, qPrintable(table + '.' + column));
        QVERIFY(execOn(c, q, QStringLiteral("SELECT strict FROM pragma_table_list WHERE name = ?"),
                       {table}) &&
                q.next());
        QCOMPARE(q.value(0).toInt(), 1);
    }
    // The first release's 67, the 9 of the tees and handicaps, the 54 of the holes' detail,
    // the side's players.
    QCOMPARE(schema::columnNames(QStringLiteral("score")).size(), 67 + 9 + 54 + 1);
    QVERIFY(execOn(c, q, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' "
                                     "AND tbl_name = 'score'")) &&
            q.next());
    QVERIFY(q.value(0).toInt() >= 4);
}

void TestDataFile::namesCompareWithoutCase()
{
    QTemporaryDir dir;
    Connection c(dir.filePath(QStringLiteral("parlog.mdb")));
    QVERIFY(c.open());
    QSqlQuery q = c.query();
    QVERIFY(execOn(c, q, QStringLiteral("INSERT INTO player(playername) VALUES (?), (?)"),
                   {QStringLiteral("Smith"), QStringLiteral("adams")}));
    QVERIFY(execOn(c, q, QStringLiteral("SELECT playername FROM player WHERE playername = ?"),
                   {QStringLiteral("smith")}) &&
            q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("Smith"));
    QVERIFY(execOn(c, q, QStringLiteral("SELECT playername FROM player ORDER BY playername")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("adams"));
    QVERIFY(execOn(c, q, QStringLiteral("INSERT INTO score(playerID, comp) VALUES (?, ?), (?, ?)"),
                   {QStringLiteral("Smith"), QStringLiteral("Medal"), QStringLiteral("SMITH"),
                    QStringLiteral("medal")}));
    QVERIFY(execOn(c, q, QStringLiteral("SELECT count(DISTINCT playerID), count(DISTINCT comp) "
                                     "FROM score")) &&
            q.next());
    QCOMPARE(q.value(0).toInt(), 1);
    QCOMPARE(q.value(1).toInt(), 1);
}

void TestDataFile::strictColumnsRefuseWrongValues()
{
    QTemporaryDir dir;
    Connection c(dir.filePath(QStringLiteral("parlog.mdb")));
    QVERIFY(c.open());
    QSqlQuery q = c.query();
    QVERIFY(!execOn(c, q, QStringLiteral("INSERT INTO score(hole1) VALUES (?)"),
                    {QStringLiteral("four")}));
    QVERIFY(!execOn(c, q, QStringLiteral("INSERT INTO score(strdate) VALUES (?)"),
                    {QStringLiteral("5-Mar-04")}));
    QVERIFY(!execOn(c, q, QStringLiteral("INSERT INTO score(green1) VALUES (?)"), {2}));
    QVERIFY(
        !execOn(c, q, QStringLiteral("INSERT INTO courses(hole1) VALUES (?)"), {QStringLiteral("x")}));
    QVERIFY(execOn(c, q, QStringLiteral("INSERT INTO score(hole1, strdate) VALUES (?, ?)"),
                   {4, QStringLiteral("2004-03-05")}));
    QVERIFY(execOn(c, q, QStringLiteral("SELECT count(*) FROM score")) && q.next());
    QCOMPARE(q.value(0).toInt(), 1);
}

void TestDataFile::apostrophesAreOrdinaryText()
{
    QTemporaryDir dir;
    Connection c(dir.filePath(QStringLiteral("parlog.mdb")));
    QVERIFY(c.open());
    QSqlQuery q = c.query();
    const QString name = QStringLiteral("Sean O'Brien");
    const QString nasty = QStringLiteral("x' or '1'='1");
    QVERIFY(execOn(c, q, QStringLiteral("INSERT INTO player(playername) VALUES (?), (?)"),
                   {name, QStringLiteral("Other")}));
    QVERIFY(
        execOn(c, q, QStringLiteral("SELECT playername FROM player WHERE playername = ?"), {name}) &&
        q.next());
    QCOMPARE(q.value(0).toString(), name);
    QVERIFY(execOn(c, q, QStringLiteral("DELETE FROM player WHERE playername = ?"), {nasty}));
    QVERIFY(execOn(c, q, QStringLiteral("SELECT count(*) FROM player")) && q.next());
    QCOMPARE(q.value(0).toInt(), 2);
}

void TestDataFile::foreignFilesAreRefusedAndLeftAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("says");
    QTest::newRow("text file") << "text"
                               << "is not a Parlog database";
    QTest::newRow("empty sqlite file") << "empty"
                                       << "missing: table player";
    QTest::newRow("another program's database") << "other"
                                                << "belongs to another program";
    QTest::newRow("missing a column") << "column"
                                      << "score.comment";
    QTest::newRow("a view for a table") << "view"
                                        << "missing: table player";
    QTest::newRow("newer version") << "newer"
                                   << "newer version of Parlog";
    QTest::newRow("negative version") << "negative"
                                      << "is not a Parlog database (its data version is -3)";
}

void TestDataFile::foreignFilesAreRefusedAndLeftAlone()
{
    QFETCH(QString, kind);
    QFETCH(QString, says);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parlog.mdb"));
    if (kind == u"text") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Standard Jet DB\nthis is not what Parlog writes\n");
    } else if (kind == u"empty") {
        QVERIFY(rawSql(path, "CREATE TABLE notes(x)"));
    } else if (kind == u"other") {
        QVERIFY(rawSql(path, "PRAGMA application_id = 1234; CREATE TABLE player(x)"));
    } else {
        {
            Connection c(path);
            QVERIFY(c.open());
        }
        if (kind == u"column")
            QVERIFY(rawSql(path, "ALTER TABLE score DROP COLUMN comment"));
        else if (kind == u"view")
            QVERIFY(rawSql(path, "ALTER TABLE player RENAME TO kept; CREATE VIEW player AS "
                                 "SELECT * FROM kept"));
        else if (kind == u"negative")
            QVERIFY(rawSql(path, "PRAGMA user_version = -3"));
        else
            QVERIFY(rawSql(path, "PRAGMA user_version = 99"));
    }
    const QByteArray before = bytes(path);
    const QDateTime modified = QFileInfo(path).lastModified();
    Connection c(path);
    const Status opened = c.open();
    QVERIFY(!opened);
    QVERIFY2(opened.error().contains(says), qPrintable(opened.error()));
    QVERIFY2(opened.error().contains(path), qPrintable(opened.error()));
    QVERIFY(!c.isOpen());
    QCOMPARE(bytes(path), before);
    QCOMPARE(QFileInfo(path).lastModified(), modified);
    QVERIFY(!QFileInfo::exists(path + QStringLiteral("-journal")));
}

void TestDataFile::damagedFileIsReported()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parlog.mdb"));
    {
        Connection c(path);
        QVERIFY(c.open());
        QSqlQuery q = c.query();
        for (int i = 0; i < 400; ++i)
            QVERIFY(execOn(c, q, QStringLiteral("INSERT INTO score(playerID, comment) VALUES (?, ?)"),
                           {QStringLiteral("Player %1").arg(i), QString(200, QLatin1Char('x'))}));
    }
    {
        // A check stopped (the program closing) gives no verdict: the file is not damaged.
        struct Stop : Progress {
            bool carryOn(long long, long long) override { return false; }
        } stop;
        const auto session = std::make_shared<Session>();
        Connection c(path, session);
        PARLOG_VERIFY_OK(c.open());
        c.setProgress(&stop);
        const Status stopped = c.checkIntegrity();
        QVERIFY(!stopped);
        QVERIFY2(!stopped.error().contains(QStringLiteral("damaged")), qPrintable(stopped.error()));
        QVERIFY(session->damage(path).isEmpty());
    }
    // Scribble over pages in the middle of the file.
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const qint64 size = f.size();
    f.seek(size / 2);
    f.write(QByteArray(8192, '\xA5'));
    f.close();
    QString problem;
    const auto session = std::make_shared<Session>();
    {
        Connection c(path, session);
        const Status opened = c.open();
        problem = opened ? c.checkIntegrity().error() : opened.error();
    }
    QVERIFY2(problem.contains(QStringLiteral("damaged")), qPrintable(problem));
    QVERIFY(problem.contains(path));
    // The integrity report runs to many lines; the message keeps three.
    QVERIFY(!problem.contains(QLatin1Char('\n')));
    QVERIFY2(problem.count(QStringLiteral("; ")) <= 2, qPrintable(problem));
    QCOMPARE(session->damage(path), problem);

    // For the rest of the run the file reads, and every write is refused with that message.
    const QByteArray before = bytes(path);
    Connection c(path, session);
    PARLOG_VERIFY_OK(c.open());
    QSqlQuery q = c.query();
    QVERIFY(execOn(c, q, QStringLiteral("SELECT count(*) FROM player")) && q.next());
    QVERIFY(!execOn(c, q, QStringLiteral("INSERT INTO player(playername) VALUES ('New')")));
    QCOMPARE(c.describe(c.lastError()), problem);
    QCOMPARE(bytes(path), before);
}

void TestDataFile::danglingLinkGetsAnOwnerOnlyFile()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("synced")));
    const QString target = dir.filePath(QStringLiteral("synced/golf.mdb"));
    const QString link = dir.filePath(QStringLiteral("parlog.mdb"));
    QVERIFY(QFile::link(target, link));
    Connection c(link);
    PARLOG_VERIFY_OK(c.open());
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(QFileInfo(target).isFile());
    QCOMPARE(QFileInfo(target).permissions() & 0x0077, 0);
}

void TestDataFile::folderThatCannotBeWrittenIsNamed()
{
    if (::geteuid() == 0)
        QSKIP("the superuser writes any folder");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parlog.mdb"));
    {
        Connection c(path);
        QVERIFY(c.open());
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    Connection c(path);
    QVERIFY(c.open());
    QSqlQuery q = c.query();
    QVERIFY(!execOn(c, q, QStringLiteral("INSERT INTO division(type) VALUES ('Gents')")));
    const QString said = c.describe(c.lastError());
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY2(said.contains(QStringLiteral("its folder")), qPrintable(said));
    QVERIFY(!said.contains(QStringLiteral("it is read-only")));
}

void TestDataFile::backupsKeepTheLastTen()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("club.mdb"));
    Connection c(path);
    QVERIFY(c.open());
    QSqlQuery q = c.query();
    QVERIFY(execOn(c, q, QStringLiteral("INSERT INTO division(type) VALUES ('Gents')")));
    QStringList made;
    for (int i = 0; i < kBackupsKept + 2; ++i) {
        const auto copy = backupRegister(c);
        PARLOG_VERIFY_OK(copy);
        made << *copy;
    }
    const QDir backups(dir.filePath(QStringLiteral("backups")));
    QCOMPARE(QFileInfo(backups.path()).permissions() & 0x0077, 0);
    QStringList kept;
    for (const QString& name : backups.entryList(QDir::Files, QDir::Name))
        kept << backups.filePath(name);
    QCOMPARE(kept, made.mid(2));
    QVERIFY(QFileInfo(made.last()).fileName().startsWith(QStringLiteral("club-")));
}

void TestDataFile::readOnlyFileStillReads()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parlog.mdb"));
    {
        Connection c(path);
        QVERIFY(c.open());
        QSqlQuery q = c.query();
        QVERIFY(execOn(c, q, QStringLiteral("INSERT INTO division(type) VALUES ('Gents')")));
    }
    QFile::setPermissions(path, QFile::ReadOwner);
    Connection c(path);
    PARLOG_VERIFY_OK(c.open());
    QSqlQuery q = c.query();
    // File permissions do not bind the superuser; make the connection read-only instead.
    if (::geteuid() == 0)
        QVERIFY(execOn(c, q, QStringLiteral("PRAGMA query_only = ON")));
    QVERIFY(execOn(c, q, QStringLiteral("SELECT type FROM division")) && q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("Gents"));
    QVERIFY(!execOn(c, q, QStringLiteral("INSERT INTO division(type) VALUES ('Ladies')")));
    QVERIFY2(c.describe(c.lastError()).contains(QStringLiteral("read-only")),
             qPrintable(c.describe(c.lastError())));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

void TestDataFile::lockedFileReadsButRefusesChanges()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parlog.mdb"));
    {
        Connection c(path);
        QVERIFY(c.open());
        QSqlQuery q = c.query();
        QVERIFY(execOn(c, q, QStringLiteral("INSERT INTO division(type) VALUES ('Gents')")));
    }
    // Another program holds a write lock (a reserved lock: readers may still read).
    sqlite3* other = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &other), SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE; INSERT INTO division(type) VALUES ('x')",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    Connection c(path);
    PARLOG_VERIFY_OK(c.open());
    QSqlQuery q = c.query();
    QVERIFY(execOn(c, q, QStringLiteral("SELECT count(*) FROM division")) && q.next());
    QCOMPARE(q.value(0).toInt(), 1);
    QSqlDatabase db = c.database();
    // Do not wait the full patience in a test.
    QSqlQuery(db).exec(QStringLiteral("PRAGMA busy_timeout = 200"));
    QVERIFY(!execOn(c, q, QStringLiteral("INSERT INTO division(type) VALUES ('Ladies')")));
    QVERIFY2(c.describe(c.lastError()).contains(QStringLiteral("in use by another program")),
             qPrintable(c.describe(c.lastError())));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    QVERIFY(execOn(c, q, QStringLiteral("INSERT INTO division(type) VALUES ('Ladies')")));
}

void TestDataFile::folderThatCannotBeWritten()
{
    Connection c(QStringLiteral("/nonexistent-folder/parlog.mdb"));
    const Status opened = c.open();
    QVERIFY(!opened);
    QVERIFY2(opened.error().contains(QStringLiteral("could not be created")),
             qPrintable(opened.error()));
    QVERIFY(opened.error().contains(QStringLiteral("/nonexistent-folder/parlog.mdb")));
}

void TestDataFile::connectionsSeeEachOthersRows()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parlog.mdb"));
    Connection window(path);
    QVERIFY(window.open());
    {
        Connection action(path);
        QVERIFY(action.open());
        QSqlQuery q = action.query();
        QVERIFY(execOn(action, q, QStringLiteral("INSERT INTO division(type) VALUES (?)"),
                            {QStringLiteral("Seniors")}));
    }
    QSqlQuery q = window.query();
    QVERIFY(execOn(window, q, QStringLiteral("SELECT type FROM division")) && q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("Seniors"));
}

void TestDataFile::writesWaitForTheIntegrityCheck()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parlog.mdb"));
    Connection c(path);
    PARLOG_VERIFY_OK(c.open());
    PARLOG_VERIFY_OK(c.beforeWrite());
    // A check in the background finds the file damaged a moment later.
    Session& session = c.session();
    session.checkStarted(c.key());
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QThread> check(QThread::create([&session, key = c.key()] {
        QThread::msleep(200);
        session.markDamaged(key, QStringLiteral("damaged, found in the background"));
        session.checkEnded(key);
    }));
    check->start();
    const Status write = c.beforeWrite();
    QVERIFY(clock.elapsed() >= 150);
    QCOMPARE(write.error(), QStringLiteral("damaged, found in the background"));
    check->wait();
}

PARLOG_TEST(TestDataFile)
#include "tst_datafile.moc"
