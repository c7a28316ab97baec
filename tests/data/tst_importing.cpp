#include "data/connection.h"
#include "data/importing.h"
#include "masterdata/importwindow.h"
#include "reports/csv.h"
#include "reports/layouts.h"
#include "reports/reportmodel.h"
#include "pgserver.h"
#include "sampledata.h"

#include "testmain.h"
#include "testsupport.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace parlog;
using namespace parlog::test;
namespace importing = parlog::importing;

namespace {

QString written(Fixture& f, const char* name, const QByteArray& bytes)
{
    const QString path = f.path(QString::fromLatin1(name));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// A membership spreadsheet as a Windows PC saves it: semicolons, Windows-1252 ("á" is
// 0xE1, "Ó" 0xD3), decimal commas, and rows with each kind of fault.
const QByteArray kMembers("Member No;Name;HCP;Division;E-mail\r\n"
                          "101;Se\xE1n \xD3 Braon\xE1in;12,4;Gents;sean@example.ie\r\n"
                          "102;Ann Bee;+1.2;Ladies;\r\n"
                          "103;;10;Gents;\r\n"
                          "104;Cal Dee;abc;Gents;\r\n"
                          "105;ann bee;3;Ladies;\r\n"
                          "106;Dot Eve;7\r\n"
                          "107;Flo Gee;+54;Gents;\r\n"
                          "108;Hal Ivy;+10.1;Gents;\r\n");

// A table's rows as text, keys left out and a card's tee named, sorted: two registers
// that hold the same read the same. Empty and NULL alike, as a CSV file cannot tell them.
QStringList contents(Connection& c, const QString& table)
{
    const QString statement =
        table == u"score"
            ? QStringLiteral("SELECT s.*, t.name AS teeName, t.ratedFor AS teeFor FROM score s "
                             "LEFT JOIN tees t ON t.ID = s.teeID")
        : table == u"tees"
            ? QStringLiteral("SELECT t.*, c.coursename FROM tees t JOIN courses c ON c.ID = t.courseID")
            : QStringLiteral("SELECT * FROM ") + table;
    const auto rows = sql::rows(c, statement);
    if (!rows)
        return {rows.error()};
    QStringList lines;
    for (const QVariantList& row : rows->rows) {
        QStringList cells;
        for (qsizetype i = 0; i < row.size(); ++i) {
            const QString column = rows->columns[i].toLower();
            if (column == u"id" || column == u"teeid" || column == u"courseid")
                continue;
            bool number = false;
            const double d = row[i].toString().toDouble(&number);
            cells << column + u'=' + (number ? QString::number(d, 'g', 12) : row[i].toString());
        }
        lines << cells.join(u'|');
    }
    lines.sort();
    return lines;
}

} // namespace

class TestImporting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.start(); }
    void cleanup() { f.stop(); }
    void aSpreadsheetOfMembers();
    void whatIsNotCsv();
    void theImportWindow();
    void coursesWithParsAndIndexes();
    void roundsFromAnotherProgram();
    void whatParlogWritesComesBack();
    void teesAndCardsPlayedOffThem();
    void cardsTheFileGivesNoHandicap();

private:
    Fixture f{Fixture::NotStarted{}};
};

void TestImporting::aSpreadsheetOfMembers()
{
    const QString path = written(f, "members.csv", kMembers);
    const auto opened = importing::open(path, importing::Kind::Players);
    PARLOG_VERIFY_OK(opened);
    QCOMPARE(opened->dialect.separator, QLatin1Char(';'));
    QCOMPARE(opened->dialect.encoding, csv::Encoding::Windows1252);
    // Name, Membership No., Handicap, Division found by their synonyms; Email too.
    QCOMPARE(opened->columns.mid(0, 4), (QList<int>{1, 0, 2, 3}));
    QCOMPARE(opened->columns.last(), 4);

    Connection c(f.dataFile());
    PARLOG_VERIFY_OK(c.open());
    const auto seen = importing::preview(c, importing::Kind::Players, *opened);
    PARLOG_VERIFY_OK(seen);
    QStringList why;
    for (const importing::Row& row : seen->rows)
        why << QStringLiteral("%1 %2").arg(row.line).arg(row.why);
    QCOMPARE(why, (QStringList{"2 ", "3 ", "4 no name",
                               "5 the handicap \"abc\" is not a number from +10 to 54",
                               "6 ann bee is on an earlier row of the file",
                               "7 the row has 3 fields, the header 5",
                               "8 the handicap \"+54\" is not a number from +10 to 54",
                               "9 the handicap \"+10.1\" is not a number from +10 to 54"}));
    QCOMPARE((QList<int>{seen->toStore, seen->alreadyThere, seen->notStored}),
             (QList<int>{2, 0, 6}));
    // All or nothing: nothing while a row cannot be stored.
    QVERIFY(!importing::store(c, importing::Kind::Players, *opened, true).ok());
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player")).toInt(), 0);

    const auto done = importing::store(c, importing::Kind::Players, *opened, false);
    PARLOG_VERIFY_OK(done);
    QVERIFY(QFile::exists(done->backup));
    QCOMPARE(importing::summaryText(*done),
             QStringLiteral("2 players, 0 courses and 0 rounds imported; 0 already there; 6 rows "
                            "not imported"));
    QCOMPARE(f.value(QStringLiteral("SELECT playername || '|' || membership || '|' || Handicapp "
                                    "|| '|' || email FROM player WHERE membership = '101'"))
                 .toString(),
             QString::fromUtf8("Seán Ó Braonáin|101|12.4|sean@example.ie"));

    // Twice: everything is there already, and nothing changes.
    const auto again = importing::preview(c, importing::Kind::Players, *opened);
    QCOMPARE((QList<int>{again->toStore, again->alreadyThere}), (QList<int>{0, 2}));
    const QDir backups(QFileInfo(done->backup).absolutePath());
    const qsizetype kept = backups.entryList(QDir::Files).size();
    const auto nothingNew = importing::store(c, importing::Kind::Players, *opened, false);
    PARLOG_VERIFY_OK(nothingNew);
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player")).toInt(), 2);
    // Nothing was about to be written: no backup, and none of those kept pushed out.
    QVERIFY(nothingNew->backup.isEmpty());
    QCOMPARE(backups.entryList(QDir::Files).size(), kept);

    // The rows not imported, as the file had them, with why.
    const QString rejected = f.path(QStringLiteral("rejected.csv"));
    PARLOG_VERIFY_OK(importing::writeNotStored(c, importing::Kind::Players, *opened, rejected));
    QFile out(rejected);
    QVERIFY(out.open(QIODevice::ReadOnly));
    const QByteArray bytes = out.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF")); // UTF-8, marked for spreadsheets
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.value(0), QStringLiteral("Member No,Name,HCP,Division,E-mail,Reason"));
    QCOMPARE(lines.value(1), QStringLiteral("103,,10,Gents,,no name"));
    QCOMPARE(lines.size(), 8); // the header, six rows and the end of the last line
    // Members' addresses and telephone numbers: the owner's alone, whatever the umask.
    QCOMPARE(int(out.permissions() & 0x0077), 0);
}

void TestImporting::whatIsNotCsv()
{
    const auto picture = importing::open(written(f, "menu.png", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)),
                                         importing::Kind::Players);
    QVERIFY(!picture.ok());
    QVERIFY2(picture.error().endsWith(QStringLiteral("is not a CSV file: it is not text")),
             qPrintable(picture.error()));
    const auto scores = importing::open(written(f, "scores.csv", "Date,Gross\n2024-01-01,80\n"),
                                        importing::Kind::Players);
    PARLOG_VERIFY_OK(scores);
    QCOMPARE(importing::missingColumns(importing::Kind::Players, scores->columns,
                                       scores->header),
             QStringLiteral("no column of the file holds the name (its columns: Date, Gross)"));
    // A quote never closed: seen when the rows are read, and nothing is stored.
    const auto open = importing::open(written(f, "open.csv", "Name\nBea\n\"Ann\n"),
                                      importing::Kind::Players);
    PARLOG_VERIFY_OK(open);
    Connection c(f.dataFile());
    PARLOG_VERIFY_OK(c.open());
    const auto stored = importing::store(c, importing::Kind::Players, *open, false);
    QVERIFY(!stored.ok());
    QVERIFY2(stored.error().endsWith(QStringLiteral("a quote opened on line 3 is never closed")),
             qPrintable(stored.error()));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player")).toInt(), 0);
}

// The window shows each row first, lets the user read the file otherwise and assign a
// column, and stores only on Import.
void TestImporting::theImportWindow()
{
    Driver w(f, QStringLiteral("importData"));
    QVERIFY(w.shown());
    auto* window = qobject_cast<ImportWindow*>(w.window);
    QVERIFY(window->openFile(written(f, "members.csv", kMembers)));
    QCOMPARE(w.combo(QStringLiteral("separator"))->currentText(), QStringLiteral("Semicolon"));
    QCOMPARE(w.combo(QStringLiteral("encoding"))->currentText(), QStringLiteral("Windows-1252"));
    QCOMPARE(window->preview()->toStore, 2);
    auto* lines = child<QTableView>(w.window, QStringLiteral("rows"))->model();
    QCOMPARE(lines->index(2, 1).data().toString(), QStringLiteral("not imported: no name"));
    QCOMPARE(lines->index(0, 2).data().toString(), QString::fromUtf8("Seán Ó Braonáin"));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player")).toInt(), 0);
    // Read as UTF-8, the accents are lost and the user sees it before anything is stored.
    QComboBox* encoding = w.combo(QStringLiteral("encoding"));
    encoding->setCurrentIndex(0);
    Q_EMIT encoding->activated(0);
    QVERIFY(lines->index(0, 2).data().toString() != QString::fromUtf8("Seán Ó Braonáin"));
    encoding->setCurrentIndex(1);
    Q_EMIT encoding->activated(1);
    // No column for the name: nothing can go in until one is chosen.
    // The name's row of the columns, as the file was last read.
    auto* name = qobject_cast<QComboBox*>(
        child<QTableWidget>(w.window, QStringLiteral("columns"))->cellWidget(0, 1));
    QVERIFY(name);
    QCOMPARE(name->objectName(), QStringLiteral("column_playername"));
    name->setCurrentIndex(0);
    Q_EMIT name->activated(0);
    QVERIFY(!child<QPushButton>(w.window, QStringLiteral("importButton"))->isEnabled());
    name->setCurrentIndex(name->findText(QStringLiteral("Name")));
    Q_EMIT name->activated(name->currentIndex());
    w.click(QStringLiteral("importButton"));
    QCOMPARE(f.prompter->last(),
             QStringLiteral("2 players, 0 courses and 0 rounds imported; 0 already there; 6 rows "
                            "not imported."));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player")).toInt(), 2);
    QCOMPARE(window->preview()->alreadyThere, 2);

    // A long file: the window shows its first rows, and Cancel midway stores none.
    QByteArray many("Name\n");
    for (int n = 0; n < 1500; ++n)
        many += "Member " + QByteArray::number(n) + "\n";
    QVERIFY(window->openFile(written(f, "many.csv", many)));
    QCOMPARE(window->preview()->toStore, 1500);
    QCOMPARE(lines->rowCount(), 1000);
    f.progressAsked = 0;
    f.stopAfter = 1; // asked every 500 rows: stopped at the thousandth
    w.click(QStringLiteral("importButton"));
    QCOMPARE(f.prompter->last(), QStringLiteral("Nothing was imported: cancelled."));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player")).toInt(), 2);
}

void TestImporting::coursesWithParsAndIndexes()
{
    QByteArray csv = "Course,Telephone";
    for (int h = 1; h <= 18; ++h)
        csv += ",Par " + QByteArray::number(h);
    for (int h = 1; h <= 18; ++h)
        csv += ",SI " + QByteArray::number(h);
    csv += "\n";
    const auto line = [](const char* name, QByteArray par1, int indexes) {
        QByteArray row = QByteArray(name) + ",065 123," + par1;
        for (int h = 2; h <= 18; ++h)
            row += h % 2 ? ",5" : ",3"; // 1 + 8 x 5 + 9 x 3 after the first
        for (int h = 1; h <= 18; ++h)
            row += h <= indexes ? "," + QByteArray::number(19 - h) : QByteArray(",");
        return row + "\n";
    };
    // Lahinch: a 4 then eight 5s and nine 3s: 4 + 40 + 27 = 71, the par it gets.
    csv += line("Lahinch", "4", 18) + line("Carne", "7", 18) + line("Doonbeg", "4", 17) +
           line("Ennis", "4", 0);
    const auto opened = importing::open(written(f, "courses.csv", csv), importing::Kind::Courses);
    PARLOG_VERIFY_OK(opened);
    Connection c(f.dataFile());
    PARLOG_VERIFY_OK(c.open());
    const auto seen = importing::preview(c, importing::Kind::Courses, *opened);
    PARLOG_VERIFY_OK(seen);
    QStringList why;
    for (const importing::Row& row : seen->rows)
        why << row.why;
    QCOMPARE(why, (QStringList{"", "the par of hole 1, \"7\", is not 3, 4, 5 or 6",
                               "17 holes have a stroke index: all 18 or none", ""}));
    const auto done = importing::store(c, importing::Kind::Courses, *opened, false);
    PARLOG_VERIFY_OK(done);
    QCOMPARE(importing::summaryText(*done),
             QStringLiteral("0 players, 2 courses and 0 rounds imported; 0 already there; 2 rows "
                            "not imported"));
    QCOMPARE(f.value(QStringLiteral("SELECT CAST(coursepar AS INTEGER) || '|' || CAST(hole1 AS "
                                    "INTEGER) || '|' || si1 || '|' || coursetel FROM courses "
                                    "WHERE coursename = 'Lahinch'"))
                 .toString(),
             QStringLiteral("71|4|18|065 123"));
    QVERIFY(f.value(QStringLiteral("SELECT si1 FROM courses WHERE coursename = 'Ennis'")).isNull());
    const auto again = importing::preview(c, importing::Kind::Courses, *opened);
    QCOMPARE(again->alreadyThere, 2);
}

void TestImporting::roundsFromAnotherProgram()
{
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername) VALUES ('Ann'), ('Seán')")));
    QVERIFY(f.sql(QStringLiteral("INSERT INTO courses(coursename) VALUES ('Lahinch')")));
    QByteArray csv = "Player;Course;Date";
    for (int h = 1; h <= 18; ++h)
        csv += ";" + QByteArray::number(h);
    csv += ";HCP;Comp\r\n";
    const auto card = [](const char* who, const char* where, const char* when, int strokes,
                         const char* hcp, const char* third = nullptr) {
        QByteArray row = QByteArray(who) + ";" + where + ";" + when;
        for (int h = 1; h <= 18; ++h)
            row += ";" + (h == 3 && third ? QByteArray(third) : QByteArray::number(strokes));
        return row + ";" + hcp + ";Medal\r\n";
    };
    // A spreadsheet's file: semicolons, Windows-1252 ("á" is 0xE1), day first as a date of
    // 13 March says. Ann: fours, 72, net 62; then off plus 2, 74. Seán: fives, 90, off 18,
    // 72. The others fail one way each.
    csv += card("Ann", "Lahinch", "05/03/2024", 4, "10") +
           card("Se\xE1n", "Lahinch", "31/02/2024", 4, "9") +
           card("Zed", "Lahinch", "05/03/2024", 4, "9") +
           card("Ann", "Nowhere", "05/03/2024", 4, "9") +
           card("ann", "lahinch", "5/3/24", 4, "10") +
           card("Se\xE1n", "Lahinch", "06/03/2024", 4, "9", "x") +
           card("Se\xE1n", "Lahinch", "13/03/2024", 5, "18") +
           card("Ann", "Lahinch", "07/03/2024", 4, " +2") +
           card("Ann", "Lahinch", "08/03/2024", 0, "3") +
           card("Ann", "Lahinch", "09/03/2024", 4, "+54");
    const auto opened = importing::open(written(f, "rounds.csv", csv), importing::Kind::Rounds);
    PARLOG_VERIFY_OK(opened);
    QCOMPARE(opened->dialect.encoding, csv::Encoding::Windows1252);
    Connection c(f.dataFile());
    PARLOG_VERIFY_OK(c.open());
    const auto seen = importing::preview(c, importing::Kind::Rounds, *opened);
    PARLOG_VERIFY_OK(seen);
    QStringList why;
    for (const importing::Row& row : seen->rows)
        why << row.why;
    // A row not imported shows what the file wrote: whose it was, where and when.
    QCOMPARE(seen->rows.value(2).values.mid(0, 3), (QStringList{"Zed", "Lahinch", "05/03/2024"}));
    QCOMPARE(why,
             (QStringList{"", "the date \"31/02/2024\" does not exist",
                          "Zed is not a player in the register",
                          "Nowhere is not a course in the register",
                          "the same card is on an earlier row of the file",
                          "hole 3: \"x\" is not a number of strokes", "", "", "no hole is scored",
                          "the handicap \"+54\" is not a number from +10 to 54"}));
    const auto done = importing::store(c, importing::Kind::Rounds, *opened, false);
    PARLOG_VERIFY_OK(done);
    QCOMPARE(done->stored, 3);
    QCOMPARE(f.value(QStringLiteral("SELECT hand || '|' || net FROM score WHERE strdate = "
                                    "'2024-03-07'"))
                 .toString(),
             QStringLiteral("-2.0|74"));
    QCOMPARE(f.value(QStringLiteral("SELECT strdate || '|' || out || '|' || inn || '|' || gross "
                                    "|| '|' || net || '|' || comp FROM score WHERE playerID = "
                                    "'Ann'"))
                 .toString(),
             QStringLiteral("2024-03-05|36|36|72|62|Medal"));
    QCOMPARE(f.value(QString::fromUtf8("SELECT net FROM score WHERE playerID = 'Seán'")).toInt(), 72);
    // Twice: both cards are there already.
    const auto again = importing::preview(c, importing::Kind::Rounds, *opened);
    QCOMPARE((QList<int>{again->toStore, again->alreadyThere}), (QList<int>{0, 3}));
    // Read month first, as the user may say: 13/03/2024 is no date, 05/03/2024 is May 3,
    // a card not there yet.
    importing::Opened monthFirst = *opened;
    monthFirst.dates = csv::DateOrder::MonthFirst;
    const auto read = importing::preview(c, importing::Kind::Rounds, monthFirst);
    QCOMPARE(read->rows.value(6).why, QStringLiteral("the date \"13/03/2024\" does not exist"));
    QCOMPARE(read->rows.first().values.value(2), QStringLiteral("2024-05-03"));
    // Stored at once, the order is learnt when the first date not in ISO form comes: the
    // last row says month first, so 03/11 is 11 March, not 3 November.
    const auto later = importing::open(written(f, "later.csv",
                                               csv.left(csv.indexOf("\r\n") + 2) +
                                                   card("Ann", "Lahinch", "2024-03-10", 3, "1") +
                                                   card("Ann", "Lahinch", "03/11/2024", 3, "1") +
                                                   card("Ann", "Lahinch", "1/13/2024", 3, "1")),
                                       importing::Kind::Rounds);
    PARLOG_VERIFY_OK(importing::store(c, importing::Kind::Rounds, *later, true));
    QCOMPARE(f.value(QStringLiteral("SELECT group_concat(strdate) FROM (SELECT strdate FROM "
                                    "score WHERE hole1 = 3 ORDER BY 1)"))
                 .toString(),
             QStringLiteral("2024-01-13,2024-03-10,2024-03-11"));
}

// A register written out by Parlog and read into an empty one is the same register:
// every player, course, tee and card, column for column. The lists Parlog prints, saved
// as CSV, come back too, with what they show.
void TestImporting::whatParlogWritesComesBack()
{
    QTemporaryDir dir;
    const QString from = dir.filePath(QStringLiteral("from.mdb"));
    tools::SampleSizes sizes;
    sizes.rounds = 300;
    QCOMPARE(tools::writeSampleDatabase(from, sizes), QString());
    Connection source(from);
    PARLOG_VERIFY_OK(source.open());
    // What files get wrong: a women's tee with indexes and pars of its own, a comment a
    // spreadsheet would run as a formula, with a comma, a quote and a line break, a plus
    // handicap, a name with an accent.
    QString own = QStringLiteral("UPDATE tees SET par = 72");
    for (int h = 1; h <= 18; ++h)
        own += QStringLiteral(", si%1 = %2, par%1 = %3").arg(h).arg(19 - h).arg(h % 3 + 3);
    PARLOG_VERIFY_OK(sql::run(source, own + QStringLiteral(" WHERE ratedFor = 'Women'")));
    // A card with its holes' putts (their sum its putts), a penalty and bunkers.
    QString detail = QStringLiteral("UPDATE score SET X3 = 1, B4 = 1, B5 = 0, putts = 0");
    for (int h = 1; h <= 18; ++h)
        detail += QStringLiteral(" + min(hole%1, 2)").arg(h);
    for (int h = 1; h <= 18; ++h)
        detail += QStringLiteral(", P%1 = min(hole%1, 2)").arg(h);
    PARLOG_VERIFY_OK(sql::run(source, detail + QStringLiteral(" WHERE rowid = (SELECT max(rowid) "
                                                              "FROM score)")));
    PARLOG_VERIFY_OK(sql::run(source, QStringLiteral("UPDATE score SET comment = ? WHERE rowid = "
                                                     "(SELECT min(rowid) FROM score)"),
                              {QStringLiteral("=1+1, \"wet\"\nback nine")}));
    PARLOG_VERIFY_OK(sql::run(source, QStringLiteral("UPDATE player SET Handicapp = '+1.2', "
                                                     "address1 = 'Sráid Mhór' WHERE ID = 1")));
    // A comment that begins with an apostrophe or a tab, and a name with a double and a
    // trailing blank, come back as they were.
    PARLOG_VERIFY_OK(sql::run(source,
                              QStringLiteral("UPDATE score SET comment = ? WHERE rowid = "
                                             "(SELECT min(rowid) + 1 FROM score)"),
                              {QStringLiteral("'=literal")}));
    PARLOG_VERIFY_OK(sql::run(source,
                              QStringLiteral("UPDATE score SET comment = ? WHERE rowid = "
                                             "(SELECT min(rowid) + 2 FROM score)"),
                              {QStringLiteral("\tindented ")}));
    PARLOG_VERIFY_OK(sql::run(source, QStringLiteral("UPDATE score SET playerID = 'Ann  Bee ' "
                                                     "WHERE playerID = (SELECT playername FROM "
                                                     "player WHERE ID = 2)")));
    PARLOG_VERIFY_OK(sql::run(
        source, QStringLiteral("UPDATE player SET playername = 'Ann  Bee ' WHERE ID = 2")));
    const QList<importing::Kind> kinds{importing::Kind::Players, importing::Kind::Courses,
                                       importing::Kind::Rounds};
    const auto importInto = [&](Connection& target, importing::Kind kind, const QString& path) {
        const auto opened = importing::open(path, kind);
        if (!opened)
            return opened.error();
        const auto done = importing::store(target, kind, *opened, true);
        return done ? QString() : done.error();
    };
    Connection target(dir.filePath(QStringLiteral("to.mdb")));
    PARLOG_VERIFY_OK(target.open());
    for (const importing::Kind kind : kinds) {
        const QString path = dir.filePath(QStringLiteral("%1.csv").arg(int(kind)));
        PARLOG_VERIFY_OK(importing::exportRegister(source, kind, path));
        QCOMPARE(importInto(target, kind, path), QString());
    }
    for (const char* table : {"player", "courses", "tees", "score"}) {
        const QStringList held = contents(source, QString::fromLatin1(table));
        QVERIFY(held.size() >= 8);
        QCOMPARE(contents(target, QString::fromLatin1(table)), held);
    }
    // On a club's server the same, and the same file twice is all there already: a card's
    // values compare alike whatever types the server gives them back in.
    QString why;
    const QString server = test::freshServerRegister(&why);
    if (!server.isEmpty()) {
        Connection club(server);
        PARLOG_VERIFY_OK(club.open());
        for (int pass = 0; pass < 2; ++pass)
            for (const importing::Kind kind : kinds) {
                const auto opened =
                    importing::open(dir.filePath(QStringLiteral("%1.csv").arg(int(kind))), kind);
                PARLOG_VERIFY_OK(opened);
                const auto done = importing::store(club, kind, *opened, true);
                PARLOG_VERIFY_OK(done);
                QCOMPARE(done->stored > 0, pass == 0);
            }
        QCOMPARE(sql::value(club, QStringLiteral("SELECT sum(points) FROM score"))->toInt(),
                 sql::value(source, QStringLiteral("SELECT sum(points) FROM score"))->toInt());
    } else if (!qEnvironmentVariableIsEmpty("PARLOG_REQUIRE_PG")) {
        QFAIL(qPrintable(why));
    }

    // The players' and courses' lists and the full cards of a search, as saved from their
    // reports: every row comes back, with what the list shows of it.
    Connection again(dir.filePath(QStringLiteral("again.mdb")));
    PARLOG_VERIFY_OK(again.open());
    const QStringList statements{QStringLiteral("SELECT * FROM player"),
                                 QStringLiteral("SELECT * FROM courses"),
                                 QStringLiteral("SELECT * FROM score")};
    const QStringList layouts{report::kPlayerList, report::kCourseList, report::kFullCards};
    for (int k = 0; k < 3; ++k) {
        const report::Layout layout = report::layoutFor(layouts[k]);
        const QStringList columns = report::fieldColumns(layout);
        const auto rows = sql::rows(source, statements[k]);
        PARLOG_VERIFY_OK(rows);
        const QString path = dir.filePath(layouts[k] + QStringLiteral(".csv"));
        PARLOG_VERIFY_OK(report::writeCsv(report::DataSource::of(*rows), columns, path, nullptr,
                                          report::fieldCaptions(layout, columns)));
        QCOMPARE(importInto(again, kinds[k], path), QString());
    }
    const auto sums = [](Connection& c) {
        return sql::value(c, QStringLiteral("SELECT (SELECT count(*) FROM player) || '|' || "
                                            "(SELECT count(*) FROM courses) || '|' || "
                                            "(SELECT count(*) || '|' || sum(gross) || '|' || "
                                            "sum(hole7) || '|' || sum(green3) || '|' || sum(hand) "
                                            "|| '|' || sum(P18) || '|' || sum(X3) || '|' || "
                                            "sum(B4) FROM score)"))
            .valueOr(QVariant())
            .toString();
    };
    QCOMPARE(sums(again), sums(source));
}

// A course file's tees, a line a tee; a card played off one of them, found by its name.
void TestImporting::teesAndCardsPlayedOffThem()
{
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername) VALUES ('Ann')")));
    QByteArray courses = "Course,Tee,Rated for,Course rating,Slope rating";
    for (int h = 1; h <= 18; ++h)
        courses += ",Par " + QByteArray::number(h) + ",SI " + QByteArray::number(h);
    courses += "\n";
    const auto line = [](const char* tee) {
        QByteArray row = QByteArray("Lahinch,") + tee;
        for (int h = 1; h <= 18; ++h)
            row += ",4," + QByteArray::number(h);
        return row + "\n";
    };
    courses += line("White,Men,72.4,131") + line("Red,ladies,74,128") + line("white,M,72.4,131") +
               line("Blue,Men,72,200") + line("Green,Kids,70,113") + line("Black,Men,51.9,131");
    const auto opened = importing::open(written(f, "courses.csv", courses), importing::Kind::Courses);
    PARLOG_VERIFY_OK(opened);
    Connection c(f.dataFile());
    PARLOG_VERIFY_OK(c.open());
    const auto seen = importing::preview(c, importing::Kind::Courses, *opened);
    PARLOG_VERIFY_OK(seen);
    QStringList what;
    for (const importing::Row& row : seen->rows)
        what << row.becomes + row.why;
    QCOMPARE(what, (QStringList{"a new course and tee", "a new tee",
                                "the tee white of Lahinch is on an earlier row of the file",
                                "the tee's slope rating, \"200\", is not a number from 55 to 155",
                                "the tee is rated for \"kids\": Men or Women",
                                // Par 72: 51.9 is 20.1 under it, no rating a tee can have.
                                "the tee's course rating, 51.9, is more than 20 strokes from "
                                "its par of 72"}));
    const auto done = importing::store(c, importing::Kind::Courses, *opened, false);
    PARLOG_VERIFY_OK(done);
    QCOMPARE(importing::summaryText(*done),
             QStringLiteral("0 players, 1 course (2 tees) and 0 rounds imported; 0 already there; "
                            "4 rows not imported"));
    QCOMPARE(importing::preview(c, importing::Kind::Courses, *opened)->alreadyThere, 2);

    // Fives off a playing handicap of 18 on a par-72 course with indexes 1 to 18: a
    // stroke a hole, net 4 each, 2 points a hole, 36. The ratings are the tee's.
    // The first card keeps hole 1's putts: two, its putts total then. The third has more
    // putts on hole 1 than strokes, the fourth more penalty strokes.
    QByteArray cards = "Player,Course,Date,Tee,Playing handicap,Putts 1,Penalties 1";
    for (int h = 1; h <= 18; ++h)
        cards += ",Hole " + QByteArray::number(h);
    cards += "\nAnn,Lahinch,2004-03-05,white,18,2,1" + QByteArray(",5").repeated(18) +
             "\nAnn,Lahinch,2004-03-06,Purple,18,," + QByteArray(",5").repeated(18) +
             "\nAnn,Lahinch,2004-03-07,White,18,6," + QByteArray(",5").repeated(18) +
             "\nAnn,Lahinch,2004-03-08,White,18,,6" + QByteArray(",5").repeated(18) + "\n";
    const auto rounds = importing::open(written(f, "cards.csv", cards), importing::Kind::Rounds);
    PARLOG_VERIFY_OK(rounds);
    const auto stored = importing::store(c, importing::Kind::Rounds, *rounds, false);
    PARLOG_VERIFY_OK(stored);
    QCOMPARE(stored->rejected.value(0).why, QStringLiteral("Lahinch has no tee Purple"));
    QCOMPARE(stored->rejected.value(1).why,
             QStringLiteral("Hole 1 has 6 putts and 5 strokes: a hole's putts cannot be more "
                            "than its strokes"));
    QCOMPARE(stored->rejected.value(2).why,
             QStringLiteral("Hole 1 has 6 penalty strokes and 5 strokes: a hole's penalty "
                            "strokes are among its strokes"));
    QCOMPARE(f.value(QStringLiteral("SELECT tee || '|' || courseRating || '|' || slopeRating || "
                                    "'|' || teePar || '|' || points || '|' || gross || '|' || "
                                    "putts FROM score"))
                 .toString(),
             QStringLiteral("White (Men) 72.4 / 131|72.4|131|72.0|36|90|2"));
}

// A card the file gives no handicap plays off the player's: off a rated tee the index the
// player had that day turned into a playing handicap, else the handicap as kept. Only a
// file that says 0 plays off scratch.
void TestImporting::cardsTheFileGivesNoHandicap()
{
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES ('Ann', '9.6'), "
                                 "('Bob', '+1.2')")));
    QString pars, values;
    for (int h = 1; h <= 18; ++h) {
        pars += QStringLiteral(", hole%1, si%1").arg(h);
        values += QStringLiteral(", 4, %1").arg(h);
    }
    QVERIFY(f.sql(QStringLiteral("INSERT INTO courses(coursename, coursepar%1) VALUES "
                                 "('Lahinch', 72%2)")
                      .arg(pars, values)));
    QVERIFY(f.sql(QStringLiteral("INSERT INTO tees(courseID, name, ratedFor, courseRating, "
                                 "slopeRating) VALUES (1, 'White', 'Men', 72.4, 131)")));
    QByteArray cards = "Player,Course,Date,Tee,HCP";
    for (int h = 1; h <= 18; ++h)
        cards += ",Hole " + QByteArray::number(h);
    for (const char* row : {"Ann,Lahinch,2004-03-05,White,", "Ann,Lahinch,2004-03-06,,",
                            "Ann,Lahinch,2004-03-07,White,0", "Bob,Lahinch,2004-03-05,,",
                            "Ann,Lahinch,2004-03-08,White,"})
        cards += "\n" + QByteArray(row) + QByteArray(",5").repeated(18);
    auto opened = importing::open(written(f, "cards.csv", cards + "\n"), importing::Kind::Rounds);
    PARLOG_VERIFY_OK(opened);
    // The record gives Ann 7.0 from the 6th on.
    opened->indexOnDay = [](const QString& player, const QString& date) {
        return player == u"Ann" && date >= u"2004-03-06" ? std::optional<double>(7.0)
                                                         : std::nullopt;
    };
    Connection c(f.dataFile());
    PARLOG_VERIFY_OK(c.open());
    const auto seen = importing::preview(c, importing::Kind::Rounds, *opened);
    PARLOG_VERIFY_OK(seen);
    QStringList becomes;
    for (const importing::Row& row : seen->rows)
        becomes << row.becomes;
    // 9.6 x 131 / 113 + (72.4 - 72) = 11.53: 12, the whole of it, there being no
    // competition. 7.0 x 131 / 113 + 0.4 = 8.52: 9. Off no tee, the handicap as kept.
    QCOMPARE(becomes,
             (QStringList{"a new round (handicap from the player's index: 9.6, playing 12)",
                          "a new round (handicap from the player's index: 9.6)", "a new round",
                          "a new round (handicap from the player's index: +1.2)",
                          "a new round (handicap from the player's record on the day: 7.0, "
                          "playing 9)"}));
    PARLOG_VERIFY_OK(importing::store(c, importing::Kind::Rounds, *opened, true));
    QStringList stored;
    for (const QVariantList& row :
         f.rows(QStringLiteral("SELECT hand || ' ' || coalesce(handicapIndex, '-') || ' ' || "
                               "coalesce(playingHandicap, '-') || ' ' || net FROM score ORDER BY "
                               "playerID, strdate")))
        stored << row.value(0).toString();
    // Fives: 90, net of the handicap the card plays off (9.6 as the card rounds it, 10).
    QCOMPARE(stored, (QStringList{"12.0 9.6 12 78", "9.6 - - 80", "0.0 - - 90", "9.0 7.0 9 81",
                                  "-1.2 - - 91"}));
}

PARLOG_TEST(TestImporting)
#include "tst_importing.moc"
