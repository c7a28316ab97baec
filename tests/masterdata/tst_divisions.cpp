#include "testmain.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace parlog;
using namespace parlog::test;

namespace {

struct Divisions : Driver {
    explicit Divisions(Fixture& f)
        : Driver(f, QStringLiteral("Division"))
        , combo(child<QComboBox>(window, QStringLiteral("Combo0")))
        , text(child<QLineEdit>(window, QStringLiteral("Text1")))
    {
    }
    QStringList items() const { return itemsOf(combo); }
    QComboBox* combo;
    QLineEdit* text;
};

} // namespace

class TestDivisions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.start(); }
    void cleanup() { f.stop(); }
    void addAndDelete();
    void sameNameTwice();
    void deletingTheLastName();
    void unusableFile();

private:
    Fixture f{Fixture::NotStarted{}};
};

void TestDivisions::addAndDelete()
{
    QVERIFY(f.sql(QStringLiteral("INSERT INTO division(type) VALUES ('Seniors'), ('Gents')")));
    Divisions d(f);
    QVERIFY(d.shown());
    QCOMPARE(d.window->windowTitle(), QStringLiteral("Division"));
    QCOMPARE(child<QLabel>(d.window, QStringLiteral("Label3"))->text(),
             QStringLiteral("Select an entry to delete or type a new entry above then click the "
                            "relevent button below."));
    QCOMPARE(d.items(), (QStringList{"Gents", "Seniors"}));
    QCOMPARE(d.combo->currentText(), QString());

    // Add with nothing typed only moves the focus.
    d.text->setFocus();
    d.click("Command2");
    QCOMPARE(QApplication::focusWidget(), d.combo);
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM division")).toInt(), 2);

    d.text->setText(QStringLiteral("Over 60's"));
    d.click("Command2");
    QCOMPARE(d.items(), (QStringList{"Gents", "Over 60's", "Seniors"}));
    QCOMPARE(d.combo->currentText(), QStringLiteral("Over 60's"));
    QCOMPARE(d.text->text(), QString());

    // Picking copies the name; Delete removes it without asking.
    d.combo->setCurrentIndex(2);
    Q_EMIT d.combo->activated(2);
    QCOMPARE(d.text->text(), QStringLiteral("Seniors"));
    d.click("Command1");
    QVERIFY(f.prompter->messages.isEmpty());
    QCOMPARE(d.items(), (QStringList{"Gents", "Over 60's"}));
    QCOMPARE(d.combo->currentText(), QStringLiteral("Gents"));
    QCOMPARE(d.text->text(), QString());
    QCOMPARE(QApplication::focusWidget(), d.combo);

    d.text->setText(QStringLiteral("Over 60's"));
    d.click("Command1");
    QCOMPARE(d.items(), QStringList{QStringLiteral("Gents")});
    // Delete with an empty box removes nothing.
    d.click("Command1");
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM division")).toInt(), 1);
}

void TestDivisions::sameNameTwice()
{
    Divisions d(f);
    QVERIFY(d.shown());
    d.text->setText(QStringLiteral("Ladies"));
    d.click("Command2");
    d.text->setText(QStringLiteral("Ladies"));
    d.click("Command2");
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM division")).toInt(), 2);
    QCOMPARE(d.items(), QStringList{QStringLiteral("Ladies")});
    d.text->setText(QStringLiteral("Ladies"));
    d.click("Command1");
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM division")).toInt(), 0);
}

void TestDivisions::deletingTheLastName()
{
    QVERIFY(f.sql(QStringLiteral("INSERT INTO division(type) VALUES ('Juniors')")));
    Divisions d(f);
    QVERIFY(d.shown());
    d.text->setText(QStringLiteral("Juniors"));
    d.click("Command1");
    QCOMPARE(d.combo->count(), 0);
    QCOMPARE(d.combo->currentText(), QString());
    d.click("Command3");
    QCOMPARE(f.app->find(QStringLiteral("Division")), nullptr);
}

void TestDivisions::unusableFile()
{
    f.spoilDataFile(1000);
    Divisions d(f);
    QVERIFY(d.shown());
    QCOMPARE(f.prompter->messages.size(), 1);
    QVERIFY(f.prompter->last().contains(f.dataFile()));
    QCOMPARE(d.combo->count(), 0);
    d.text->setText(QStringLiteral("Gents"));
    d.click("Command2");
    QCOMPARE(f.prompter->messages.size(), 2);
    QCOMPARE(d.text->text(), QStringLiteral("Gents"));
    QCOMPARE(QFile(f.dataFile()).size(), 1000);
}

PARLOG_TEST(TestDivisions)
#include "tst_divisions.moc"
