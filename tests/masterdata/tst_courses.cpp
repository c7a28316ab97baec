#include "masterdata/coursepar.h"
#include "base/reportwindow.h"

#include "testmain.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace parlog;
using namespace parlog::test;

namespace {

constexpr int kParBox[18] = {18, 20, 22, 24, 26, 28, 32, 34, 36,
                             38, 40, 42, 44, 46, 48, 50, 52, 54};

struct Courses : Driver {
    explicit Courses(Fixture& f)
        : Driver(f, QStringLiteral("Courses"))
    {
    }
    QLineEdit* par(int hole) const { return box(QStringLiteral("Text%1").arg(kParBox[hole - 1])); }
    QLineEdit* total() const { return box(QStringLiteral("Text56")); }
    using Driver::combo;
    QComboBox* combo() const { return combo(QStringLiteral("Combo1")); }
    bool saveVisible() const { return button(QStringLiteral("Command12"))->isVisible(); }
    bool pick(const QString& name) { return test::pick(combo(), name); }
};

bool seed(Fixture& f)
{
    if (!f.sql(QStringLiteral(
            "INSERT INTO courses(coursename, courseadd1, courseadd2, courseadd3, coursetel, hole1, "
            "hole2, hole3, hole4, hole5, hole6, hole7, hole8, hole9, hole10, hole11, hole12, "
            "hole13, "
            "hole14, hole15, hole16, hole17, hole18, coursepar) VALUES "
            "('Lahinch', 'Links Rd', 'Lahinch', 'Clare', '065 1', 4, 4, 3, 5, 4, 4, 4, 3, 5, "
            "4, 4, 3, 5, 4, 4, 4, 3, 4.5, 70), "
            "('Druid''s Glen', 'Main St', 'Newtown', 'Wicklow', '01 2', 4, 4, 4, 4, 4, 4, 4, 4, 4, "
            "4, 4, 4, 4, 4, 4, 4, 4, 4, 72)")))
        return false;
    return true;
}

} // namespace

class TestCourses : public QObject {
    Q_OBJECT
    // Most tests start from the seeded register with the window open.
    Seeded<Courses> m_seeded;
private Q_SLOTS:
    void init() { QVERIFY(m_seeded.start(seed)); }
    void cleanup() { m_seeded.stop(); }
    void parSums();
    void strokeIndexesAndTeesAsTyped_data();
    void strokeIndexesAndTeesAsTyped();
    void teesAndIndexesAreSavedWithTheCourse();
    void tabGoesFromCellToCellOfTheTees();
    void opensEmptyAndBrowsing();
    void eighteenParsTypedInARow();
    void parBoxesKeepTheirSumWhenOneCannotBeRead();
    void newSaveStoresNumbersAsTyped();
    void loadingWritesParsThenTheStoredCoursePar();
    void saveThatCannotStoreNamesTheHole();
    void editSavesAndShowAllLists();
    void deleteEmptiesTheBoxes();
};

void TestCourses::parSums()
{
    std::array<QString, 18> pars;
    pars.fill(QStringLiteral("4"));
    QCOMPARE(coursePar(pars).value(), 72);
    pars[0] = QStringLiteral("4.5"); // counts 4
    pars[1] = QStringLiteral("5.5"); // counts 6
    QCOMPARE(coursePar(pars).value(), 74);
    pars[2] = QStringLiteral("2147483647");
    QVERIFY(!coursePar(pars));
    pars[2] = QStringLiteral(" -3 ");
    QCOMPARE(coursePar(pars).value(), 67);
    pars[3].clear();
    QVERIFY(!coursePar(pars));
    pars[3] = QStringLiteral("four");
    Course course;
    const Status four = readPars(pars, QStringLiteral("72"), course);
    QVERIFY2(!four && four.error().contains(QStringLiteral("hole 4")), qPrintable(four.error()));
    pars[3] = QStringLiteral("4");
    const Status empty = readPars(pars, QString(), course);
    QVERIFY(!empty && empty.error().contains(QStringLiteral("Course Par")));
    PARLOG_VERIFY_OK(readPars(pars, QStringLiteral("72"), course));
    QCOMPARE(course.pars[0].value(), 4.5);
    QCOMPARE(course.par.value(), 72.0);
}

void TestCourses::strokeIndexesAndTeesAsTyped_data()
{
    QTest::addColumn<QString>("indexes"); // hole by hole, comma-separated
    QTest::addColumn<QStringList>("tee");  // name, rated for, rating, slope, par
    QTest::addColumn<QString>("error");    // what the refusal names; empty: it reads
    const QString good = QStringLiteral("7,15,11,1,13,3,17,9,5,8,16,12,2,14,4,18,10,6");
    const QStringList yellow{"Yellow", "men", "71.24", "131", ""};
    QTest::newRow("all empty, rated tee") << QString(",").repeated(17) << yellow << QString();
    QTest::newRow("each once") << good << yellow << QString();
    QTest::newRow("a duplicate") << QString(good).replace(QStringLiteral("18,"), QStringLiteral("1,"))
                                 << yellow << "stroke index 1 is given to holes 4 and 16";
    QTest::newRow("a gap") << QString(good).replace(QStringLiteral(",6"), QStringLiteral(","))
                           << yellow << "stroke index of hole 18 is empty";
    QTest::newRow("out of range") << QString(good).replace(QStringLiteral(",10,"),
                                                           QStringLiteral(",19,"))
                                  << yellow << "hole 17 is \"19\"";
    QTest::newRow("slope too low") << good << QStringList{"Red", "Women", "70", "54", ""}
                                   << "slope rating of \"54\"";
    QTest::newRow("rating without slope") << good << QStringList{"Red", "W", "70.1", "", ""}
                                          << "course rating but no slope rating";
    QTest::newRow("nobody rated for") << good << QStringList{"Blue", "kids", "", "", ""}
                                      << "choose Men or Women";
    QTest::newRow("unrated") << good << QStringList{"Blue", "Ladies", "", "", "70"} << QString();
    // Course par 72 (the test's): a rating 20 strokes off the par holds, 20.1 does not; a
    // tee's own par is the one the rating is held against.
    QTest::newRow("rating 20 under par")
        << QString() << QStringList{"Red", "W", "52", "55", ""} << QString();
    QTest::newRow("rating 20.1 under par") << QString() << QStringList{"Red", "W", "51.9", "55", ""}
                                           << "course rating of 51.9 on a par of 72";
    QTest::newRow("against the tee's par")
        << QString() << QStringList{"Red", "W", "52", "120", "73"} << "on a par of 73";
    QTest::newRow("slope too high")
        << QString() << QStringList{"Red", "W", "70", "156", ""} << "slope rating of \"156\"";
    // A nine's ratings as rating / slope / par: all three, each as a tee's would hold.
    QTest::newRow("nine's slope too high")
        << QString() << QStringList{"Red", "W", "70", "120", "", "35 / 156 / 36"}
        << "front nine \"35 / 156 / 36\" is not";
    QTest::newRow("nine without its par")
        << QString() << QStringList{"Red", "W", "70", "120", "", "", "35.2 / 120"}
        << "back nine \"35.2 / 120\" is not";
}

void TestCourses::strokeIndexesAndTeesAsTyped()
{
    QFETCH(QString, indexes);
    QFETCH(QStringList, tee);
    QFETCH(QString, error);
    const QStringList texts = indexes.split(QLatin1Char(','));
    std::array<QString, 18> boxes;
    for (int h = 0; h < 18; ++h)
        boxes[h] = texts.value(h);
    std::array<std::optional<int>, 18> read;
    const Status sound = readStrokeIndexes(boxes, read);
    const auto teeRead =
        readTee({tee[0], tee[1], tee[2], tee[3], tee[4], tee.value(5), tee.value(6)}, 72);
    const QString said = !sound ? sound.error() : teeRead ? QString() : teeRead.error();
    if (error.isEmpty()) {
        QVERIFY2(said.isEmpty(), qPrintable(said));
        QCOMPARE(read[0].value_or(0), indexes.isEmpty() || indexes.startsWith(u',') ? 0 : 7);
        // 71.24 is kept to one decimal; Men and Women are spelt as stored.
        if (tee[0] == u"Red") {
            QCOMPARE(teeRead->courseRating.value(), 52.0);
        } else if (tee[0] == u"Yellow") {
            QCOMPARE(teeRead->courseRating.value(), 71.2);
            QCOMPARE(teeRead->label(), QStringLiteral("Yellow (Men) 71.2 / 131"));
        } else {
            QCOMPARE(teeRead->label(), QStringLiteral("Blue (Women)"));
            QCOMPARE(teeRead->par.value(), 70.0);
        }
    } else {
        QVERIFY2(said.contains(error), qPrintable(said));
    }
}

// A tee typed as a secretary types it: every key lands in its cell, the picker of the
// second column included, and Tab past the last cell goes on to Add Tee.
void TestCourses::tabGoesFromCellToCellOfTheTees()
{
    Fixture& f = *m_seeded.fixture;
    Courses& c = *m_seeded.window;
    QVERIFY(c.pick(QStringLiteral("Druid's Glen")));
    c.click(QStringLiteral("Command1"));
    c.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(c.window));
    auto* add = c.button(QStringLiteral("addTee"));
    add->setFocus();
    QTest::keyClick(add, Qt::Key_Space);
    QVERIFY(typeKeys(QStringLiteral("White")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(c.focus(), QStringLiteral("ratedFor1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // Women
    for (const char* typed : {"", "71.2", "128", "73", "", "36.1 / 130 / 37"}) {
        if (*typed)
            QVERIFY(typeKeys(QString::fromLatin1(typed)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(c.focus(), QStringLiteral("addTee"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(c.focus(), QStringLiteral("tees"));
    QCOMPARE(c.box(QStringLiteral("CourseName"))->text(), QStringLiteral("Druid's Glen"));
    c.click(QStringLiteral("Command12"));
    QCOMPARE(f.value(QStringLiteral("SELECT name || '|' || ratedFor || '|' || courseRating || '|' "
                                    "|| slopeRating || '|' || par || '|' || backRating || '|' || "
                                    "backSlope || '|' || backPar FROM tees")),
             QVariant(QStringLiteral("White|Women|71.2|128|73.0|36.1|130|37")));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM courses WHERE coursename = "
                                    "'Druid''s Glen'")),
             QVariant(1));
}

void TestCourses::teesAndIndexesAreSavedWithTheCourse()
{
    Fixture& f = *m_seeded.fixture;
    Courses& c = *m_seeded.window;
    QVERIFY(c.pick(QStringLiteral("Lahinch")));
    c.click(QStringLiteral("Command1"));
    for (int h = 1; h <= 18; ++h)
        c.box(QStringLiteral("SI%1").arg(h))->setText(QString::number(19 - h));
    c.click(QStringLiteral("addTee"));
    auto* tees = child<QTableWidget>(c.window, QStringLiteral("tees"));
    tees->item(0, 0)->setText(QStringLiteral("Yellow"));
    tees->item(0, 2)->setText(QStringLiteral("71.2"));
    tees->item(0, 3)->setText(QStringLiteral("131"));
    c.click(QStringLiteral("addTee"));
    tees->item(1, 0)->setText(QStringLiteral("Red"));
    child<QComboBox>(c.window, QStringLiteral("ratedFor2"))->setCurrentIndex(1);
    tees->item(1, 2)->setText(QStringLiteral("73.0"));
    tees->item(1, 3)->setText(QStringLiteral("128"));
    tees->item(1, 4)->setText(QStringLiteral("73"));
    c.click(QStringLiteral("Command12"));
    QCOMPARE(f.value(QStringLiteral("SELECT si1 FROM courses WHERE coursename = 'Lahinch'")),
             QVariant(18));
    QStringList stored;
    for (const QVariantList& row : f.rows(QStringLiteral(
             "SELECT name, ratedFor, courseRating, slopeRating, coalesce(par, 0) FROM tees "
             "ORDER BY ID")))
        stored << QStringLiteral("%1 %2 %3 %4 %5")
                      .arg(row[0].toString(), row[1].toString())
                      .arg(row[2].toDouble())
                      .arg(row[3].toInt())
                      .arg(row[4].toDouble());
    QCOMPARE(stored, (QStringList{"Yellow Men 71.2 131 0", "Red Women 73 128 73"}));
    // Loaded again, with the tees; a duplicate index is named and nothing is stored.
    QVERIFY(c.pick(QStringLiteral("Druid's Glen")));
    QVERIFY(c.pick(QStringLiteral("Lahinch")));
    QCOMPARE(tees->rowCount(), 2);
    QCOMPARE(tees->item(1, 0)->text(), QStringLiteral("Red"));
    c.click(QStringLiteral("Command1"));
    c.box(QStringLiteral("SI2"))->setText(QStringLiteral("18"));
    tees->setCurrentCell(1, 0);
    c.click(QStringLiteral("removeTee"));
    c.click(QStringLiteral("Command12"));
    QVERIFY2(f.prompter->last().contains(QStringLiteral("stroke index 18 is given to holes 1 and 2")),
             qPrintable(f.prompter->last()));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM tees")).toInt(), 2);
    // The list report names the tees under each course.
    c.box(QStringLiteral("SI2"))->setText(QStringLiteral("17"));
    c.click(QStringLiteral("Command12"));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM tees")).toInt(), 1);
    c.click(QStringLiteral("Command28"));
    auto* report = qobject_cast<ReportWindow*>(f.app->find(QStringLiteral("DataReport2")));
    QVERIFY(report);
    QStringList lines;
    for (const auto& cmd : report->paginator().page(0).commands)
        if (cmd.item == u"Text7")
            lines << cmd.text;
    QCOMPARE(lines, QStringList{QStringLiteral("Yellow (Men) 71.2 / 131")});
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM tees WHERE name = 'Yellow'")).toInt(), 1);
}

void TestCourses::opensEmptyAndBrowsing()
{
    Courses& c = *m_seeded.window;
    QCOMPARE(c.window->windowTitle(), QStringLiteral("Courses"));
    QCOMPARE(c.combo()->count(), 2);
    QCOMPARE(c.combo()->itemText(0), QStringLiteral("Druid's Glen"));
    QCOMPARE(c.box(QStringLiteral("ID"))->text(), QStringLiteral("0"));
    QCOMPARE(c.box(QStringLiteral("stu"))->text(), QStringLiteral("3"));
    for (int h = 1; h <= 18; ++h)
        QCOMPARE(c.par(h)->text(), QString());
    QCOMPARE(c.total()->text(), QString());
    QVERIFY(!c.saveVisible());
    QCOMPARE(child<QLabel>(c.window, QStringLiteral("LabelPar5"))->text(),
             QStringLiteral("PAR  Hole 5"));
    QCOMPARE(child<QLabel>(c.window, QStringLiteral("Label7"))->text(),
             QStringLiteral("Add the par  for each hole (optional)"));
}

void TestCourses::eighteenParsTypedInARow()
{
    Fixture f;
    Courses c(f);
    QVERIFY(c.shown());
    c.click(QStringLiteral("Command11"));
    for (int h = 1; h <= 18; ++h)
        QCOMPARE(c.par(h)->text(), QStringLiteral("0"));
    QCOMPARE(c.total()->text(), QStringLiteral("0"));
    for (const char* name : {"CourseAdd1", "CourseAdd2", "CourseAdd3", "CourseTel"})
        QCOMPARE(c.box(QString::fromLatin1(name))->text(), QStringLiteral(" "));
    QCOMPARE(c.focus(), QStringLiteral("CourseName"));
    c.par(1)->setFocus();
    QCOMPARE(c.par(1)->selectedText(), QStringLiteral("0"));
    QVERIFY(typeKeys(QStringLiteral("4")));
    QCOMPARE(c.total()->text(), QStringLiteral("4"));
    QCOMPARE(c.focus(), QStringLiteral("Text20"));
    QCOMPARE(c.par(2)->selectedText(), QStringLiteral("0"));
    QVERIFY(typeKeys(QStringLiteral("5")));
    QCOMPARE(c.total()->text(), QStringLiteral("9"));
    QCOMPARE(c.focus(), QStringLiteral("Text22"));
    QVERIFY(typeKeys(QStringLiteral("4344354453443544")));
    QCOMPARE(c.total()->text(), QStringLiteral("72"));
    // Hole 18 keeps the focus and takes more than one key.
    QCOMPARE(c.focus(), QStringLiteral("Text54"));
    QVERIFY(typeKeys(QStringLiteral("1")));
    QCOMPARE(c.par(18)->text(), QStringLiteral("41"));
    QCOMPARE(c.total()->text(), QStringLiteral("109"));
}

void TestCourses::parBoxesKeepTheirSumWhenOneCannotBeRead()
{
    Fixture f;
    Courses c(f);
    QVERIFY(c.shown());
    c.click(QStringLiteral("Command11"));
    c.par(1)->setFocus();
    QVERIFY(typeKeys(QStringLiteral("444444444444444444")));
    QCOMPARE(c.total()->text(), QStringLiteral("72"));
    c.par(5)->setFocus();
    QTest::keyClick(c.par(5), Qt::Key_Delete);
    QCOMPARE(c.total()->text(), QStringLiteral("72"));
    QCOMPARE(c.focus(), QStringLiteral("Text28"));
    // Typing the course par by hand is allowed until the next par changes.
    c.total()->setText(QStringLiteral("70"));
    c.par(5)->setText(QStringLiteral("4.5"));
    QCOMPARE(c.total()->text(), QStringLiteral("72"));
    c.par(5)->setText(QStringLiteral("5.5"));
    QCOMPARE(c.total()->text(), QStringLiteral("74"));
}

void TestCourses::newSaveStoresNumbersAsTyped()
{
    Fixture f;
    Courses c(f);
    QVERIFY(c.shown());
    c.click(QStringLiteral("Command11"));
    c.box(QStringLiteral("CourseName"))->setText(QStringLiteral("St Patrick's Links"));
    c.click(QStringLiteral("Command12"));
    QVERIFY2(f.prompter->messages.size() == 1, qPrintable(f.prompter->last()));
    auto rows = f.rows(QStringLiteral("SELECT coursename, courseadd1, hole1, hole18, coursepar "
                                      "FROM courses"));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0], (QVariantList{"St Patrick's Links", " ", 0.0, 0.0, 0.0}));
    QCOMPARE(c.combo()->currentText(), QStringLiteral("St Patrick's Links"));
    QCOMPARE(c.box(QStringLiteral("stu"))->text(), QStringLiteral("3"));
    QVERIFY(!c.saveVisible());

    c.click(QStringLiteral("Command11"));
    c.box(QStringLiteral("CourseName"))->setText(QStringLiteral("Half Par"));
    c.par(3)->setText(QStringLiteral("4.5"));
    c.click(QStringLiteral("Command12"));
    rows = f.rows(QStringLiteral("SELECT hole3, coursepar FROM courses WHERE coursename = ?"),
                  {QStringLiteral("Half Par")});
    QCOMPARE(rows[0], (QVariantList{4.5, 4.0}));
}

void TestCourses::loadingWritesParsThenTheStoredCoursePar()
{
    Courses& c = *m_seeded.window;
    c.combo()->setFocus();
    QTest::keyClick(c.combo(), Qt::Key_L);
    QCOMPARE(c.box(QStringLiteral("CourseName"))->text(), QStringLiteral("Lahinch"));
    QCOMPARE(c.par(18)->text(), QStringLiteral("4.5"));
    QCOMPARE(c.par(3)->text(), QStringLiteral("3"));
    // The stored course par, not a fresh sum.
    QCOMPARE(c.total()->text(), QStringLiteral("70"));
    // The pars moved the focus along to hole 18; the picker still shows the completion.
    QCOMPARE(c.focus(), QStringLiteral("Text54"));
    QCOMPARE(c.combo()->currentText(), QStringLiteral("Lahinch"));
    QVERIFY(c.box(QStringLiteral("ID"))->text() != u"0");
}

void TestCourses::saveThatCannotStoreNamesTheHole()
{
    Fixture& f = *m_seeded.fixture;
    Courses& c = *m_seeded.window;
    QVERIFY(c.pick(QStringLiteral("Druid's Glen")));
    c.click(QStringLiteral("Command1"));
    c.par(7)->setText(QStringLiteral("x"));
    c.click(QStringLiteral("Command12"));
    QCOMPARE(f.prompter->messages.size(), 2);
    QVERIFY2(f.prompter->last().contains(QStringLiteral("hole 7")), qPrintable(f.prompter->last()));
    QVERIFY(f.prompter->last().contains(QStringLiteral("course was not saved")));
    QCOMPARE(c.box(QStringLiteral("stu"))->text(), QStringLiteral("2"));
    QVERIFY(c.saveVisible());
    QCOMPARE(c.par(7)->text(), QStringLiteral("x"));
    QCOMPARE(f.value(QStringLiteral("SELECT hole7 FROM courses WHERE coursename = 'Druid''s Glen'"))
                 .toDouble(),
             4.0);

    // After Delete every par is empty, so Save stores nothing and says so.
    c.click(QStringLiteral("Command11"));
    c.click(QStringLiteral("Command13"));
    c.click(QStringLiteral("Command11"));
    c.par(1)->clear();
    c.box(QStringLiteral("CourseName"))->setText(QStringLiteral("Empty Pars"));
    c.click(QStringLiteral("Command12"));
    QVERIFY(f.prompter->last().contains(QStringLiteral("hole 1 is empty")));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM courses WHERE coursename = 'Empty Pars'"))
                 .toInt(),
             0);
}

void TestCourses::editSavesAndShowAllLists()
{
    Fixture& f = *m_seeded.fixture;
    Courses& c = *m_seeded.window;
    QVERIFY(c.pick(QStringLiteral("Lahinch")));
    c.click(QStringLiteral("Command1"));
    c.box(QStringLiteral("CourseTel"))->setText(QStringLiteral("065 708 1003"));
    c.par(18)->setText(QStringLiteral("5"));
    c.click(QStringLiteral("Command12"));
    const auto rows = f.rows(
        QStringLiteral("SELECT coursetel, hole18, coursepar FROM courses WHERE coursename = ?"),
        {QStringLiteral("Lahinch")});
    QCOMPARE(rows[0], (QVariantList{"065 708 1003", 5.0, 72.0}));
    c.click(QStringLiteral("Command28"));
    auto* report = qobject_cast<ReportWindow*>(f.app->find(QStringLiteral("DataReport2")));
    QVERIFY(report);
    QStringList names;
    QStringList pars;
    for (const auto& cmd : report->paginator().page(0).commands) {
        if (cmd.item == u"Text1")
            names << cmd.text;
        if (cmd.item == u"Text6")
            pars << cmd.text;
    }
    QCOMPARE(names, (QStringList{"Druid's Glen", "Lahinch"}));
    QCOMPARE(pars, (QStringList{"72", "72"}));
}

void TestCourses::deleteEmptiesTheBoxes()
{
    Fixture& f = *m_seeded.fixture;
    Courses& c = *m_seeded.window;
    QVERIFY(c.pick(QStringLiteral("Lahinch")));
    c.click(QStringLiteral("Command13"));
    QCOMPARE(f.prompter->last(), QStringLiteral(" Are you sure?"));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM courses")).toInt(), 1);
    QCOMPARE(c.combo()->count(), 1);
    QCOMPARE(c.box(QStringLiteral("CourseName"))->text(), QStringLiteral(" "));
    QCOMPARE(c.box(QStringLiteral("CourseTel"))->text(), QStringLiteral(" "));
    QCOMPARE(c.par(1)->text(), QString());
    QCOMPARE(c.total()->text(), QString());
    QCOMPARE(c.focus(), QStringLiteral("Combo1"));
}

PARLOG_TEST(TestCourses)
#include "tst_courses.moc"
