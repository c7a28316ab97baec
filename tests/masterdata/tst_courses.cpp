#include "masterdata/coursepar.h"
#include "reports/reportwindow.h"

#include "testmain.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
            "4, 4, 3, 5, 4, 4, 4, 3, 4.5, 99), "
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
    QCOMPARE(c.total()->text(), QStringLiteral("99"));
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
