#include "data/connection.h"
#include "data/progress.h"
#include "data/competitions.h"
#include "data/backup.h"
#include "data/copy.h"
#include "data/dialect.h"
#include "data/courses.h"
#include "data/location.h"
#include "data/records.h"
#include "data/schema.h"
#include "data/divisions.h"
#include "data/players.h"
#include "data/registers.h"
#include "data/rounds.h"
#include "data/scorecard.h"
#include "sampledata.h"
#include "data/seasons.h"
#include "stats/handicaprecord.h"
#include "competitions/orderofmerit.h"
#include "competitions/results.h"

#include "pgserver.h"
#include "execon.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

using namespace parlog;
using parlog::test::execOn;

namespace {

// A register on the engine a test row names: a new file, or a fresh database on the
// server. Empty, with why, when the server is not there.
QString registerOn(const QString& engine, const QTemporaryDir& dir, QString* why)
{
    if (engine == u"sqlite")
        return dir.filePath(QStringLiteral("parlog.mdb"));
    return test::freshServerRegister(why);
}

#define REGISTER_ON_ENGINE(location)                                                               \
    QFETCH(QString, engine);                                                                       \
    QTemporaryDir dir_;                                                                            \
    QString why_;                                                                                  \
    const QString location = registerOn(engine, dir_, &why_);                                      \
    if (location.isEmpty()) {                                                                      \
        if (!qEnvironmentVariableIsEmpty("PARLOG_REQUIRE_PG"))                                     \
            QFAIL(qPrintable(why_));                                                               \
        QSKIP(qPrintable(why_));                                                                   \
    }

void engines()
{
    QTest::addColumn<QString>("engine");
    QTest::newRow("sqlite") << QStringLiteral("sqlite");
    QTest::newRow("postgresql") << QStringLiteral("postgresql");
}

RoundCard card(const QString& player, int n, const QString& comp = QStringLiteral("Medal"))
{
    RoundCard c;
    for (int h = 0; h < 18; ++h)
        c.totals.holes[h] = QString::number(3 + (n * 7 + h * 3) % 4);
    c.totals.handicap = QString::number(n % 20);
    recomputeTotals(c.totals);
    c.course = n % 2 ? QStringLiteral("Lahinch") : QStringLiteral("Druid's Glen");
    c.date = QDate(2004, 1, 1).addDays(n % 90).toString(Qt::ISODate);
    c.putts = QString::number(28 + n % 8);
    c.player = player;
    c.competition = comp;
    c.division = n % 3 ? QStringLiteral("Gents") : QString();
    c.comment = QStringLiteral("round %1").arg(n);
    return c;
}

} // namespace

// The data layer reads and writes alike on both engines.
class TestEngines : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namesMatchAsOnSqlite_data() { engines(); }
    void namesMatchAsOnSqlite();
    void roundsReadAlike_data() { engines(); }
    void roundsReadAlike();
    void anEditNeverOverwritesAnotherUsers_data() { engines(); }
    void anEditNeverOverwritesAnotherUsers();
    void foreignRegistersAreRefused_data() { engines(); }
    void foreignRegistersAreRefused();
    void teesAndCompetitionsReadAlike_data() { engines(); }
    void teesAndCompetitionsReadAlike();
    void anOlderRegisterIsBroughtUpToThisVersion_data() { engines(); }
    void anOlderRegisterIsBroughtUpToThisVersion();
};

void TestEngines::namesMatchAsOnSqlite()
{
    REGISTER_ON_ENGINE(location);
    Connection c(location);
    PARLOG_VERIFY_OK(c.open());
    for (const char* name : {"Smith", "Sean O'Brien"})
        PARLOG_VERIFY_OK(registers::insert(
            c, registers::players(), {{QStringLiteral("playername"), QString::fromUtf8(name)}}));
    QVERIFY(*players::exists(c, QStringLiteral("smith")));
    QVERIFY(*players::exists(c, QStringLiteral("SEAN o'brien")));
    QVERIFY(!*players::exists(c, QStringLiteral("Sean OBrien")));
    QCOMPARE(*players::setHandicap(c, QStringLiteral("SMITH"), QStringLiteral("9")), 1);
    QCOMPARE(players::rowNamed(c, QStringLiteral("smith"))->value(QStringLiteral("Handicapp")),
             QVariant(QStringLiteral("9")));
    PARLOG_VERIFY_OK(divisions::add(c, QStringLiteral("Gents")));
    PARLOG_VERIFY_OK(divisions::add(c, QStringLiteral("gents")));
    QCOMPARE(divisions::names(c)->size(), 1);
    for (const char* who : {"Adams", "ADAMS", "x' or '1'='1"})
        PARLOG_VERIFY_OK(rounds::insert(c, *roundValues(card(QString::fromLatin1(who), 1))));
    QCOMPARE(rounds::values(c, QStringLiteral("playerID"))->size(), 2);
    const rounds::Filter adams{QStringLiteral("adams"), {}, {}, "2004-01-01", "2004-12-31"};
    QCOMPARE(*rounds::count(c, adams), 2);
    const rounds::Filter odd{QStringLiteral("x' or '1'='1"), {}, {}, "2004-01-01", "2004-12-31"};
    QCOMPARE(*rounds::count(c, odd), 1);
}

void TestEngines::roundsReadAlike()
{
    REGISTER_ON_ENGINE(location);
    Connection c(location);
    PARLOG_VERIFY_OK(c.open());
    QVERIFY(c.transaction());
    for (int n = 0; n < 400; ++n)
        PARLOG_VERIFY_OK(rounds::insert(
            c,
            *roundValues(card(n % 3 ? QStringLiteral("Adams") : QStringLiteral("Brown"), n,
                              n < 30 ? QStringLiteral("Spring Cup") : QStringLiteral("Medal")))));
    QVERIFY(c.commit());
    const rounds::Filter all{{}, {}, {}, "2004-01-01", "2004-12-31"};
    QCOMPARE(*rounds::count(c, all), 400);
    // Fed in windows, in the order one query gives: by net, empty divisions first.
    for (const char* order : {"net", "division", "strdate"}) {
        const QStringList columns{"playerID", "net", "comment"};
        const auto whole = sql::rows(
            c, QStringLiteral("SELECT playerID, net, comment FROM score WHERE strdate BETWEEN "
                              "'2004-01-01' AND '2004-12-31' ORDER BY %1 NULLS FIRST, %2")
                   .arg(QLatin1String(order), c.dialect().roundKey()));
        PARLOG_VERIFY_OK(whole);
        const auto fed = rounds::feed(c, all, QString::fromLatin1(order), columns);
        PARLOG_VERIFY_OK(fed);
        for (int i = 0; i < 400; ++i)
            QCOMPARE((*fed)->value(i, QStringLiteral("comment")), whole->rows[i][2]);
        QVERIFY(!(*fed)->hasRow(400));
    }
    const auto best = rounds::extremeRounds(c, QStringLiteral("adams"), {}, true);
    QVERIFY(best && !best->rows.isEmpty());
    const auto mean = rounds::holeAggregates(c, QStringLiteral("Adams"), rounds::Aggregate::Avg);
    QVERIFY(mean->rows.first().first().toDouble() > 3);
    const auto comps = rounds::competitions(c);
    QCOMPARE(comps->size(), 120); // 30 days of the Spring Cup, 90 of the Medal
    QCOMPARE(comps->first().date, QStringLiteral("2004-03-30"));
    const auto cards =
        rounds::competitionCards(c, QStringLiteral("spring cup"), "2004-01-01", "2004-01-30");
    QCOMPARE(rankCards(*cards, Basis::Net).size(), 30);
    // One round changed by its key, one player's deleted: the rest stand.
    const qint64 key = cards->rows.first().first().toLongLong();
    QCOMPARE(*rounds::update(c, key, roundValues(card(QStringLiteral("Changed"), 1))->record()), 1);
    QCOMPARE(*rounds::count(c, {QStringLiteral("changed"), {}, {}, "2004-01-01", "2004-12-31"}), 1);
    QCOMPARE(*rounds::remove(c, {QStringLiteral("BROWN"), {}, {}, "2004-01-01", "2004-12-31"}),
             133);
    QCOMPARE(*rounds::count(c, all), 267);
}

void TestEngines::anEditNeverOverwritesAnotherUsers()
{
    REGISTER_ON_ENGINE(location);
    Connection mine(location);
    Connection theirs(location);
    PARLOG_VERIFY_OK(mine.open());
    PARLOG_VERIFY_OK(theirs.open());
    PARLOG_VERIFY_OK(registers::insert(mine, registers::players(),
                                       {{QStringLiteral("playername"), QStringLiteral("Kelly")},
                                        {QStringLiteral("membership"), QStringLiteral("7")}}));
    const Record asRead = *registers::rowNamed(mine, registers::players(), QStringLiteral("Kelly"));
    const qint64 id = asRead.value(QStringLiteral("ID")).toLongLong();
    // Someone else changes the player first.
    QCOMPARE(*registers::update(theirs, registers::players(), id,
                                {{QStringLiteral("membership"), QStringLiteral("8")}}),
             1);
    QCOMPARE(*registers::update(mine, registers::players(), id,
                                {{QStringLiteral("membership"), QStringLiteral("9")}}, asRead),
             0);
    QCOMPARE(
        registers::rowWithKey(mine, registers::players(), id)->value(QStringLiteral("membership")),
        QVariant(QStringLiteral("8")));
    // Read again, the change goes in.
    const Record now = *registers::rowWithKey(mine, registers::players(), id);
    QCOMPARE(*registers::update(mine, registers::players(), id,
                                {{QStringLiteral("membership"), QStringLiteral("9")}}, now),
             1);

    // A card corrected on two PCs: the one loaded before the other's save is refused.
    PARLOG_VERIFY_OK(rounds::insert(mine, *roundValues(card(QStringLiteral("Kelly"), 1))));
    const QString kellys = QStringLiteral("SELECT * FROM score WHERE playerID = 'Kelly'");
    const auto loaded = sql::rows(mine, kellys);
    QVERIFY(loaded && loaded->rows.size() == 1);
    const Record card = recordOf(schema::score(), *loaded, 0);
    const auto keys = rounds::keys(mine, {QStringLiteral("Kelly"), {}, {}, "1900-01-01",
                                          "2100-01-01"});
    QVERIFY(keys && keys->size() == 1);
    QCOMPARE(*rounds::update(theirs, keys->first(), {{QStringLiteral("hole1"), 9}}), 1);
    QCOMPARE(*rounds::update(mine, keys->first(), {{QStringLiteral("hole2"), 9}}, card), 0);
    const auto again = sql::rows(mine, kellys);
    QCOMPARE(*rounds::update(mine, keys->first(), {{QStringLiteral("hole2"), 9}},
                             recordOf(schema::score(), *again, 0)),
             1);
}

void TestEngines::foreignRegistersAreRefused()
{
    REGISTER_ON_ENGINE(location);
    {
        // Another program's table where the register should be.
        QSqlDatabase other = QSqlDatabase::addDatabase(
            engine == u"sqlite" ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"),
            QStringLiteral("other"));
        if (engine == u"sqlite") {
            other.setDatabaseName(location);
        } else {
            const QUrl url(location);
            other.setHostName(url.host());
            other.setPort(url.port());
            other.setUserName(url.userName());
            other.setDatabaseName(url.path().mid(1));
        }
        QVERIFY(other.open());
        QSqlQuery q(other);
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE notes (x TEXT)")));
        q = QSqlQuery();
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    Connection c(location);
    const Status opened = c.open();
    QVERIFY(!opened);
    QVERIFY2(opened.error().contains(QStringLiteral("not a Parlog")), qPrintable(opened.error()));
    QVERIFY(opened.error().contains(QStringLiteral("has not changed it")));
}

void TestEngines::teesAndCompetitionsReadAlike()
{
    REGISTER_ON_ENGINE(location);
    Connection c(location);
    PARLOG_VERIFY_OK(c.open());
    Course carne;
    carne.name = QStringLiteral("Carne");
    for (int h = 0; h < 18; ++h) {
        carne.pars[h] = 4;
        carne.strokeIndexes[h] = h + 1;
    }
    carne.par = 72;
    Tee yellow;
    yellow.name = QStringLiteral("Yellow");
    yellow.ratedFor = QStringLiteral("Men");
    yellow.courseRating = 71.2;
    yellow.slopeRating = 131;
    Tee red = yellow;
    red.name = QStringLiteral("Red");
    red.ratedFor = QStringLiteral("Women");
    red.strokeIndexes[0] = 18;
    red.strokeIndexes[17] = 1;
    const auto saved = courses::save(c, registers::EditMode::Adding, 0, carne.record(),
                                     {yellow, red}, {});
    PARLOG_VERIFY_OK(saved);
    QCOMPARE(saved->outcome, Saved::Outcome::Stored);
    const auto found = courses::named(c, QStringLiteral("CARNE"));
    PARLOG_VERIFY_OK(found);
    QVERIFY(found->has_value());
    QCOMPARE((*found)->course.strokeIndexes[17].value(), 18);
    QCOMPARE((*found)->tees.size(), 2);
    QCOMPARE((*found)->tees[0].label(), QStringLiteral("Yellow (Men) 71.2 / 131"));
    QCOMPARE((*found)->tees[1].strokeIndexes[0].value(), 18);
    // A card from the red tee: the player's last tee on the course.
    Round round = *roundValues(card(QStringLiteral("Adams"), 1));
    round.course = QStringLiteral("Carne");
    round.teeID = (*found)->tees[1].id;
    round.playingHandicap = 10;
    PARLOG_VERIFY_OK(rounds::insert(c, round));
    QCOMPARE(rounds::lastTee(c, QStringLiteral("adams"), QStringLiteral("Carne"))->value(),
             (*found)->tees[1].id);
    competitions::Settings s{QStringLiteral("Medal"), QStringLiteral("2004-01-02"),
                             competitions::Format::ParBogey, 0.9, 2, false};
    PARLOG_VERIFY_OK(competitions::save(c, s));
    s.pcc = -1;
    PARLOG_VERIFY_OK(competitions::save(c, s));
    const auto kept = competitions::settings(c, QStringLiteral("medal"), QStringLiteral("2004-01-02"));
    PARLOG_VERIFY_OK(kept);
    QCOMPARE(int(kept->format), int(competitions::Format::ParBogey));
    QCOMPARE(kept->allowance, 0.9);
    QCOMPARE(kept->pcc, -1);
    QVERIFY(!kept->countsForHandicap);
    const auto cards = rounds::competitionCards(c, QStringLiteral("Medal"), "2004-01-01",
                                                "2004-12-31");
    const auto book = courseBook(c, *cards);
    PARLOG_VERIFY_OK(book);
    const auto placings = rankCompetition(*cards, rankingOf(*kept), *book);
    QCOMPARE(placings.size(), 1);
    QCOMPARE(placings[0].position, QStringLiteral("1"));

    // Three cards from the yellow tee off 18.0, holes of 3 to 6 (none above net double
    // bogey, 7): (113 / 113) x (gross - 72.0) for 81, 83 and 81 is 9.0, 11.0 and 9.0; the
    // index, the lowest of 3 less 2.0, is 7.0.
    for (int n = 0; n < 3; ++n) {
        Round r = *roundValues(card(QStringLiteral("Brown"), n, QStringLiteral("Social")));
        r.course = QStringLiteral("Carne");
        r.teeID = (*found)->tees[0].id;
        r.courseRating = 72.0;
        r.slopeRating = 113;
        r.handicapIndex = 18.0;
        PARLOG_VERIFY_OK(rounds::insert(c, r));
    }
    const auto record = handicapRecord(c, QStringLiteral("brown"));
    PARLOG_VERIFY_OK(record);
    QCOMPARE(record->lines.size(), 3);
    QCOMPARE(record->lines[1].adjustedGross, std::optional<int>(83));
    QCOMPARE(record->index, std::optional<double>(7.0));
    const auto everyone = everyIndex(c);
    PARLOG_VERIFY_OK(everyone);
    QCOMPARE(everyone->value(QStringLiteral("brown")), std::optional<double>(7.0));
    QVERIFY(everyone->contains(QStringLiteral("adams")));

    // A season kept with a competition left out, and read back alike. Another user's
    // season stands at key 5000 (a server's next key is 1): the left-out list goes to
    // the season the insert made, not to the newest key.
    QVERIFY(c.run(QStringLiteral("INSERT INTO season (ID, name) VALUES (5000, 'Other')")).ok());
    seasons::Season season;
    season.name = QStringLiteral("Summer");
    season.from = QStringLiteral("2004-01-01");
    season.to = QStringLiteral("2004-12-31");
    season.positionPoints = {10, 5.5};
    season.leftOut = {{QStringLiteral("Social"), QStringLiteral("2004-01-02")}};
    const auto id = seasons::save(c, season);
    PARLOG_VERIFY_OK(id);
    const auto seasonsKept = seasons::all(c);
    PARLOG_VERIFY_OK(seasonsKept);
    QCOMPARE(seasonsKept->size(), 2);
    QCOMPARE(seasonsKept->last().name, QStringLiteral("Summer"));
    QCOMPARE(seasonsKept->last().id, std::optional<qint64>(id->id));
    QVERIFY(seasonsKept->first().leftOut.isEmpty());
    QCOMPARE(seasonsKept->last().positionPoints, (QList<double>{10, 5.5}));
    QVERIFY(seasonsKept->last().leavesOut(QStringLiteral("SOCIAL"), QStringLiteral("2004-01-02")));
    // Changed by another user since it was read (its points, or what it leaves out): not
    // written over; as read again, it is.
    for (const char* meanwhile :
         {"UPDATE season SET bestOf = 3 WHERE name = 'Summer'", "DELETE FROM seasonLeftOut"}) {
        const auto read = seasons::all(c);
        PARLOG_VERIFY_OK(read);
        seasons::Season mine = read->last();
        QVERIFY(c.run(QString::fromLatin1(meanwhile)).ok());
        mine.bestOf = 5;
        const auto stale = seasons::save(c, mine);
        PARLOG_VERIFY_OK(stale);
        QCOMPARE(stale->outcome, Saved::Outcome::ChangedMeanwhile);
        mine = seasons::all(c)->last();
        mine.bestOf = 5;
        QCOMPARE(seasons::save(c, mine)->outcome, Saved::Outcome::Stored);
    }
    const auto merit = orderOfMerit(c, seasonsKept->last());
    PARLOG_VERIFY_OK(merit);
    // The medal and the socials of 1 and 3 January; that of the 2nd left out.
    QCOMPARE(merit->events.size(), 3);
}

// Takes a register back to the first release's tables: the tables added since gone,
// the columns it added dropped, its version 1.
bool makeVersion1(Connection& c, bool sqlite)
{
    QStringList statements;
    for (const schema::Table* table : schema::tables())
        if (table->since > 1)
            statements << QStringLiteral("DROP TABLE %1").arg(table->name);
    for (const schema::Table* table : {&schema::score(), &schema::courses()})
        for (const schema::Column& column : table->columns)
            if (column.since > 1)
                statements << QStringLiteral("ALTER TABLE %1 DROP COLUMN %2")
                                  .arg(table->name, column.name);
    statements << (sqlite ? QStringLiteral("PRAGMA user_version = 1")
                          : QStringLiteral("UPDATE parlog_meta SET version = 1"));
    for (const QString& statement : statements)
        if (!c.run(statement).ok()) {
            qWarning("%s: %s", qPrintable(statement), qPrintable(c.lastError().text()));
            return false;
        }
    return true;
}

void TestEngines::anOlderRegisterIsBroughtUpToThisVersion()
{
    REGISTER_ON_ENGINE(location);
    const bool sqlite = engine == u"sqlite";
    {
        Connection c(location);
        PARLOG_VERIFY_OK(c.open());
        QVERIFY(makeVersion1(c, sqlite));
        Round round = *roundValues(card(QStringLiteral("Adams"), 1));
        Record stored;
        for (const schema::Column& column : schema::score().columnsOf(1))
            stored.insert(column.name, round.record().value(column.name));
        PARLOG_VERIFY_OK(rounds::insert(c, stored));
    }
    // Stopped half way, it is left as it was (as the next opening finds it).
    {
        struct StopHalfWay : Progress {
            long long asked = 0;
            bool carryOn(long long done, long long total) override
            {
                ++asked;
                return done * 2 < total;
            }
        } stop;
        Connection c(location);
        c.setUpgradeProgress(&stop);
        const Status opened = c.open();
        QVERIFY(!opened);
        QVERIFY2(opened.error().contains(QStringLiteral("was stopped")),
                 qPrintable(opened.error()));
        QVERIFY(stop.asked > 1);
    }
    // Copied as it stands, the older register stays as it is.
    const QString copy = dir_.filePath(QStringLiteral("copy.mdb"));
    PARLOG_VERIFY_OK(copyRegister(location, copy));
    Connection asItStands(location);
    PARLOG_VERIFY_OK(asItStands.open(Connection::Check::Full, Connection::Missing::Refuse,
                                     Connection::Upgrade::No));
    QCOMPARE(asItStands.version(), 1);
    asItStands.close();
    // Opened for use, it is copied aside and brought up to this version, rows and all:
    // a file's beside it, a server's into a schema of its own on the server.
    const QDir backups(dir_.filePath(QStringLiteral("backups")));
    const auto copiesOnServer = [&] {
        QStringList names;
        Connection server(location);
        if (!server.open(Connection::Check::None))
            return names;
        Statement q = server.run(QStringLiteral(
            "SELECT nspname FROM pg_namespace WHERE nspname LIKE 'parlog_backup_%'"));
        while (q.next())
            names << q.value(0).toString();
        return names;
    };
    const qsizetype filesBefore = backups.entryList(QDir::Files).size();
    const QStringList copiesBefore = sqlite ? QStringList() : copiesOnServer();
    Connection c(location);
    PARLOG_VERIFY_OK(c.open());
    QCOMPARE(c.version(), schema::kVersion);
    if (sqlite) {
        QCOMPARE(backups.entryList(QDir::Files).size(), filesBefore + 1);
    } else {
        QStringList copies = copiesOnServer();
        for (const QString& earlier : copiesBefore)
            copies.removeOne(earlier);
        QCOMPARE(copies.size(), 1);
        // The backup reads as the register stood, and is only read.
        const QString backup = inSchema(location, copies[0]);
        Connection older(backup);
        PARLOG_VERIFY_OK(older.open(Connection::Check::Full, Connection::Missing::Refuse,
                                    Connection::Upgrade::No));
        QCOMPARE(older.version(), 1);
        QCOMPARE(*rounds::count(older, {{}, {}, {}, "2004-01-01", "2004-12-31"}), 1);
        QVERIFY(!older.run(QStringLiteral("DELETE FROM score")).ok());
        QVERIFY(older.describe(older.lastError()).contains(QStringLiteral("only read")));
        // A server that will not make the schema (here: a read-only register) gets the
        // copy in the user's folder.
        const auto inFile = backupRegister(older);
        PARLOG_VERIFY_OK(inFile);
        QVERIFY(QFileInfo(*inFile).isFile());
        QFile::remove(*inFile);
        older.close();
        const Status refused = Connection(backup).open();
        QVERIFY(!refused && refused.error().contains(QStringLiteral("only read")));
        const auto restored = restoreRounds(backup, location);
        PARLOG_VERIFY_OK(restored);
        QCOMPARE(restored->alreadyThere, 1);
        // Made again and again, the newest ten stay.
        for (int i = 0; i < kBackupsKept; ++i)
            PARLOG_VERIFY_OK(backupRegister(c));
        QStringList kept = copiesOnServer();
        QCOMPARE(kept.size(), kBackupsKept);
        QVERIFY(!kept.contains(copies[0]));
        // One that a restore is reading stays until a later copy, and is not waited for.
        kept.sort();
        Connection reading(inSchema(location, kept.first()));
        PARLOG_VERIFY_OK(reading.open(Connection::Check::None));
        QVERIFY(reading.transaction() && reading.run(QStringLiteral("SELECT * FROM score")).ok());
        QElapsedTimer waited;
        waited.start();
        PARLOG_VERIFY_OK(backupRegister(c));
        QVERIFY(waited.elapsed() < 5000);
        QVERIFY(copiesOnServer().contains(kept.first()));
        reading.rollback();
        PARLOG_VERIFY_OK(backupRegister(c));
        QCOMPARE(copiesOnServer().size(), kBackupsKept);
        // No schema of that name: said, not made.
        const Status none = Connection(inSchema(location, QStringLiteral("nowhere"))).open();
        QVERIFY2(!none && none.error().contains(QStringLiteral("no schema called nowhere")),
                 qPrintable(none.error()));
    }
    QCOMPARE(*rounds::count(c, {{}, {}, {}, "2004-01-01", "2004-12-31"}), 1);
    QVERIFY(c.run(QStringLiteral("SELECT teeID, points FROM score")).ok());
    // The added columns keep their checks, on the old rows as on new ones.
    QVERIFY(!c.run(QStringLiteral("UPDATE score SET B1 = 2")).ok());
    QVERIFY(c.run(QStringLiteral("UPDATE score SET B1 = 1")).ok());
    {
        Connection another(location);
        PARLOG_VERIFY_OK(another.open());
        QVERIFY(!another.run(QStringLiteral("UPDATE score SET B18 = 3")).ok());
        Statement read = another.run(QStringLiteral("SELECT B1 FROM score"));
        QVERIFY(read.ok() && read.next());
        QCOMPARE(read.value(0).toInt(), 1);
    }
    QVERIFY(c.run(QStringLiteral("SELECT count(*) FROM tees")).ok());
    for (const QString& target : {copy, location}) {
        Connection copied(target);
        PARLOG_VERIFY_OK(copied.open());
        QCOMPARE(copied.version(), schema::kVersion);
    }
}

// What only a shared server is asked for.
class TestServer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void twoSecretariesSaveAtOnce();
    void theServerGoesAway();
    void aRegisterGoesToTheServerAndBack();
};

void TestServer::twoSecretariesSaveAtOnce()
{
    PARLOG_NEEDS_SERVER(location);
    {
        Connection c(location);
        PARLOG_VERIFY_OK(c.open()); // makes the tables before both start
    }
    QProcess first;
    QProcess second;
    first.start(QStringLiteral(PARLOG_CRASHCHILD), {"save", location, "0", "500"});
    second.start(QStringLiteral(PARLOG_CRASHCHILD), {"save", location, "500", "500"});
    QVERIFY(first.waitForFinished(120000) && second.waitForFinished(120000));
    QCOMPARE(first.exitCode(), 0);
    QCOMPARE(second.exitCode(), 0);
    Connection c(location);
    PARLOG_VERIFY_OK(c.open());
    const auto comments = sql::rows(c, QStringLiteral("SELECT comment FROM score"));
    QSet<QString> distinct;
    for (const QVariantList& row : comments->rows)
        distinct.insert(row.value(0).toString());
    QCOMPARE(comments->rows.size(), 1000);
    QCOMPARE(distinct.size(), 1000);
}

void TestServer::theServerGoesAway()
{
    PARLOG_NEEDS_SERVER(location);
    Connection c(location);
    PARLOG_VERIFY_OK(c.open());
    // The server ends the session, as a restart or a lost network would.
    {
        Connection admin(location);
        PARLOG_VERIFY_OK(admin.open());
        QSqlQuery q = admin.query();
        QVERIFY(execOn(admin, q, QStringLiteral("SELECT pg_terminate_backend(pid) FROM "
                                             "pg_stat_activity WHERE datname = current_database() "
                                             "AND pid <> pg_backend_pid()")));
    }
    const Status saved = divisions::add(c, QStringLiteral("Gents"));
    QVERIFY(!saved);
    QVERIFY2(saved.error().contains(QStringLiteral("did not answer")), qPrintable(saved.error()));
    QVERIFY(saved.error().contains(location));
    // The next action connects afresh.
    Connection again(location);
    PARLOG_VERIFY_OK(again.open());
    PARLOG_VERIFY_OK(divisions::add(again, QStringLiteral("Gents")));
}

void TestServer::aRegisterGoesToTheServerAndBack()
{
    PARLOG_NEEDS_SERVER(location);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("society.mdb"));
    tools::SampleSizes sizes;
    sizes.rounds = 300;
    QCOMPARE(tools::writeSampleDatabase(file, sizes), QString());
    const QString back = dir.filePath(QStringLiteral("back.mdb"));
    for (const auto& [from, to] : {std::pair{file, location}, std::pair{location, back}}) {
        const auto counts = copyRegister(from, to);
        PARLOG_VERIFY_OK(counts);
        for (const TableCount& t : *counts)
            QCOMPARE(t.arrived, t.source);
    }
    // Into a register that has rows: refused, nothing copied.
    QVERIFY(!copyRegister(file, back));
    // Every row of every table as it was, key and all.
    Connection a(file);
    Connection b(back);
    PARLOG_VERIFY_OK(a.open());
    PARLOG_VERIFY_OK(b.open());
    for (const char* table : {"player", "courses", "division", "score"}) {
        const QString statement =
            QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(QLatin1String(table));
        QSqlQuery qa = a.query();
        QSqlQuery qb = b.query();
        QVERIFY(execOn(a, qa, statement) && execOn(b, qb, statement));
        int rows = 0;
        while (qa.next()) {
            QVERIFY(qb.next());
            for (int i = 0; i < qa.record().count(); ++i)
                QCOMPARE(qb.value(i), qa.value(i));
            ++rows;
        }
        QVERIFY(!qb.next());
        QVERIFY(rows > 0);
    }
}

PARLOG_TEST(TestEngines)
PARLOG_TEST(TestServer)
#include "tst_engines.moc"
