#include "app/commandline.h"
#include "base/lateparts.h"
#include "base/window.h"
#include "data/location.h"

#include "testmain.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QSet>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QScreen>
#include <QSettings>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBrowser>

using namespace parlog;
using namespace parlog::test;

namespace {

// A window that counts its loads and unloads and keeps what was typed.
class Probe : public Window {
public:
    Probe(Application& app, int* loads, int* unloads)
        : Window(app, QStringLiteral("probe"), QStringLiteral("Probe"))
        , m_loads(loads)
        , m_unloads(unloads)
    {
        box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("box"));
    }
    void load() override
    {
        ++*m_loads;
        box->setText(QStringLiteral("loaded"));
    }
    QLineEdit* box;

protected:
    void Form_Unload() override { ++*m_unloads; }

private:
    int* m_loads;
    int* m_unloads;
};

} // namespace

class TestApplication : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.start(); }
    void cleanup() { f.stop(); }
    void aWindowThatGoesWithTheFocusInADateBox_data();
    void aWindowThatGoesWithTheFocusInADateBox();
    void theSmokeTestFailsOnADamagedFile();
    void chartsAndPrintingComeFromBesideTheProgram_data();
    void chartsAndPrintingComeFromBesideTheProgram();
    void windowsOpenWhereTheyWereLeft();
    void theMenuFromTheKeyboard();
    void startsInAnEmptyFolder();
    void theProgramStartsInAnEmptyFolder();
    void startUpNamesAForeignFile();
    void windowExistsAtMostOnce();
    void closingDiscardsAndTheNextShowLoadsAfresh();
    void quitClosesEverythingWithoutCloseHandlers();
    void unknownWindowsShowNothing();
    void mainMenuLayout();
    void mainMenuButtonsShowTheirWindows();
    void helpShowsThePagesOrSaysTheyAreMissing();
    void quitButtonEndsAtOnce();
    void commandLine_data();
    void commandLine();
    void importsFromTheCommandLine();
    void whereTheRegisterLives();
    void theProgramOpensTheRegisterItIsGiven();

private:
    Fixture f{Fixture::NotStarted{}};
};

void TestApplication::startsInAnEmptyFolder()
{
    QVERIFY(!QFileInfo::exists(f.dataFile()));
    QVERIFY(f.app->checkDataFile());
    QVERIFY(QFileInfo::exists(f.dataFile()));
    QWidget* menu = f.app->show(QStringLiteral("main"));
    QVERIFY(menu);
    QCOMPARE(menu->objectName(), QStringLiteral("main"));
    QCOMPARE(menu->windowTitle(), QStringLiteral("Parlog \u2014 ") + f.dataFile());
    QVERIFY(menu->isVisible());
    QCOMPARE(f.prompter->messages.size(), 0);
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player")).toInt(), 0);
}

void TestApplication::theProgramStartsInAnEmptyFolder()
{
    QTemporaryDir folder;
    const QString program = folder.filePath(QStringLiteral("parlog"));
    QVERIFY(QFile::copy(QStringLiteral(PARLOG_PROGRAM), program));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(program, {});
    QVERIFY(process.waitForStarted(10000));
    const QString data = folder.filePath(QStringLiteral("parlog.mdb"));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(data), 15000);
    // Still running: the program waits with its menu open.
    QTest::qWait(300);
    QCOMPARE(process.state(), QProcess::Running);
    process.kill();
    process.waitForFinished(5000);
    Connection c(data);
    PARLOG_VERIFY_OK(c.open());
}

void TestApplication::startUpNamesAForeignFile()
{
    f.spoilDataFile(4096);
    QVERIFY(!f.app->checkDataFile());
    QCOMPARE(f.prompter->messages.size(), 1);
    QVERIFY(f.prompter->last().contains(f.dataFile()));
    QCOMPARE(f.prompter->messages.first().caption, QStringLiteral("Parlog"));
    // The menu still opens, so Help and About remain at hand.
    QVERIFY(f.app->show(QStringLiteral("main")));
    QCOMPARE(QFileInfo(f.dataFile()).size(), 4096);
}

void TestApplication::windowExistsAtMostOnce()
{
    int loads = 0;
    int unloads = 0;
    f.app->registerWindow(QStringLiteral("probe"),
                          [&](Application& a) { return new Probe(a, &loads, &unloads); });
    auto* first = static_cast<Probe*>(f.app->show(QStringLiteral("probe")));
    QVERIFY(first);
    QCOMPARE(f.app->find(QStringLiteral("probe")), first);
    first->box->setText(QStringLiteral("typed"));
    QWidget* second = f.app->show(QStringLiteral("probe"));
    QCOMPARE(second, first);
    QCOMPARE(loads, 1);
    QCOMPARE(first->box->text(), QStringLiteral("typed"));
    QVERIFY(first->testAttribute(Qt::WA_DeleteOnClose));
}

void TestApplication::closingDiscardsAndTheNextShowLoadsAfresh()
{
    int loads = 0;
    int unloads = 0;
    f.app->registerWindow(QStringLiteral("probe"),
                          [&](Application& a) { return new Probe(a, &loads, &unloads); });
    QPointer<QWidget> first = f.app->show(QStringLiteral("probe"));
    static_cast<Probe*>(first.data())->box->setText(QStringLiteral("typed"));
    first->close();
    QCOMPARE(unloads, 1);
    QCOMPARE(f.app->find(QStringLiteral("probe")), nullptr);
    auto* again = static_cast<Probe*>(f.app->show(QStringLiteral("probe")));
    QCOMPARE(loads, 2);
    QCOMPARE(again->box->text(), QStringLiteral("loaded"));
    Fixture::settle();
    QVERIFY(first.isNull());
    QCOMPARE(f.app->find(QStringLiteral("probe")), again);
}

void TestApplication::quitClosesEverythingWithoutCloseHandlers()
{
    int loads = 0;
    int unloads = 0;
    f.app->registerWindow(QStringLiteral("probe"),
                          [&](Application& a) { return new Probe(a, &loads, &unloads); });
    QPointer<QWidget> menu = f.app->show(QStringLiteral("main"));
    QPointer<QWidget> probe = f.app->show(QStringLiteral("probe"));
    f.app->quit();
    QCOMPARE(f.app->find(QStringLiteral("main")), nullptr);
    QCOMPARE(f.app->find(QStringLiteral("probe")), nullptr);
    QVERIFY(!probe->isVisible());
    Fixture::settle();
    QVERIFY(menu.isNull());
    QVERIFY(probe.isNull());
    QCOMPARE(unloads, 0);
    QCOMPARE(f.prompter->messages.size(), 0);
}

void TestApplication::unknownWindowsShowNothing()
{
    QCOMPARE(f.app->show(QStringLiteral("nosuchwindow")), nullptr);
    QCOMPARE(f.app->find(QStringLiteral("nosuchwindow")), nullptr);
}

void TestApplication::mainMenuLayout()
{
    QWidget* menu = f.app->show(QStringLiteral("main"));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    const QList<std::pair<const char*, const char*>> labels{
        {"Label7", "1. Add new players first"},
        {"Label8", "2. Add new Courses"},
        {"Label10", "3. Now add new rounds"},
        {"Label11", "You must have a print driver installed to see reports. Press the help "
                    "button for further info"},
        {"Label28", "Quick Search"},
        {"Label3", "View Courses"},
        {"Label6", "View Players"},
        {"Label9", "View Stats"},
        {"Label15", "New Player"},
        {"Label24", "New Course"},
        {"Label1", "New Round"},
        {"Label12", "Delete Round"},
        {"Label42", "Competition Results"}};
    auto* picture = child<QLabel>(menu, QStringLiteral("Picture1"));
    QVERIFY(picture);
    // The picture as drawn, or larger when what stands over it needs more room.
    QVERIFY(picture->width() >= 351 && picture->height() >= 321);
    // Drawn within its frame at the size it stands at, not left blank.
    const QImage drawn = picture->grab(picture->contentsRect()).toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < drawn.height(); y += 8)
        for (int x = 0; x < drawn.width(); x += 8)
            colours.insert(drawn.pixel(x, y));
    QVERIFY(colours.size() > 8);
    for (const auto& [name, text] : labels) {
        auto* label = child<QLabel>(menu, QString::fromLatin1(name));
        QVERIFY(label);
        // As shown: the & marks the access key, underlined.
        QCOMPARE(QString(label->text()).remove(u'&'), QString::fromLatin1(text));
    }
    for (const char* name : {"Label7", "Label8", "Label10", "Label11"})
        QCOMPARE(child<QLabel>(menu, QString::fromLatin1(name))->parentWidget(), picture);
    // The rows run down in this order.
    int lastTop = -1;
    for (const char* name : {"Command31", "Command36", "Command37", "Command38", "Command17",
                             "Command26", "Command1", "Command40", "Command42",
                             "handicapRecordButton", "orderOfMeritButton", "eclecticButton",
                             "importButton"}) {
        auto* button = child<QPushButton>(menu, QString::fromLatin1(name));
        QCOMPARE(button->text(), QStringLiteral("Open"));
        // Each in its row's box, the boxes down the window right of the picture.
        const QPoint at = button->mapTo(menu, QPoint(0, 0));
        QVERIFY(at.y() > lastTop);
        QVERIFY(at.x() > picture->geometry().right());
        lastTop = at.y();
    }
    auto* about = child<QPushButton>(menu, QStringLiteral("Command32"));
    auto* help = child<QPushButton>(menu, QStringLiteral("Command2"));
    auto* quit = child<QPushButton>(menu, QStringLiteral("Command27"));
    QCOMPARE(about->text().remove(u'&'), QStringLiteral("About"));
    QCOMPARE(help->text().remove(u'&'), QStringLiteral("Help"));
    QCOMPARE(quit->text().remove(u'&'), QStringLiteral("Quit"));
    QVERIFY(about->x() < help->x() && help->x() < quit->x());
    QCOMPARE(about->parentWidget(), picture);

    // Opens on Command31; Tab walks the rows down, then the buttons along the picture.
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(menu, QStringLiteral("Command31")));
    const QStringList order{"Command36",          "Command37",      "Command38",
                            "Command17",          "Command26",      "Command1",
                            "Command40",          "Command42",      "handicapRecordButton",
                            "orderOfMeritButton", "eclecticButton", "importButton",
                            "Command32",          "Command2",       "Command27",
                            "register",           "Picture1",       "Command31"};
    for (const QString& next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), next);
    }
}

// Every button has an access key; the menu bar has every command, and a backup at
// any time.
void TestApplication::theMenuFromTheKeyboard()
{
    QWidget* menu = f.app->show(QStringLiteral("main"));
    menu->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(menu));
    QSet<QChar> keys;
    for (auto* label : menu->findChildren<QLabel*>())
        if (label->buddy()) {
            const qsizetype amp = label->text().indexOf(u'&');
            QVERIFY2(amp >= 0, qPrintable(label->text()));
            keys.insert(label->text().at(amp + 1).toLower());
        }
    for (auto* button : menu->findChildren<QPushButton*>())
        if (button->text() != u"Open") {
            const qsizetype amp = button->text().indexOf(u'&');
            QVERIFY2(amp >= 0, qPrintable(button->text()));
            keys.insert(button->text().at(amp + 1).toLower());
        }
    // The menu bar's too: one owner for each key.
    for (auto* action : menu->findChild<QMenuBar*>()->actions()) {
        const qsizetype amp = action->text().indexOf(u'&');
        QVERIFY2(amp >= 0, qPrintable(action->text()));
        keys.insert(action->text().at(amp + 1).toLower());
    }
    QCOMPARE(keys.size(), 21); // thirteen rows, four buttons and four menus, no key twice
    // F1 has one owner too: the help opens, with no word of an ambiguous key.
    QTest::keyClick(menu, Qt::Key_F1);
    QTRY_VERIFY2(f.prompter->last().contains(QStringLiteral("help pages")) ||
                     f.app->find(QStringLiteral("help")),
                 qPrintable(f.prompter->last()));
    QTest::keyClick(menu, Qt::Key_Q, Qt::AltModifier);
    QTRY_VERIFY(f.app->find(QStringLiteral("quicksearch1")));
    for (const char* action : {"actionRegister", "actionBackUp", "actionQuit", "actionNewRound",
                               "actionPlayers", "actionCourses", "actionDivisions", "actionSearch",
                               "actionStats", "actionResults", "actionHandicapRecord",
                               "actionOrderOfMerit", "actionEclectic", "actionImport",
                               "actionExportPlayers", "actionExportCourses", "actionExportRounds",
                               "actionDelete", "actionHelp", "actionAbout"})
        QVERIFY2(menu->findChild<QAction*>(QString::fromLatin1(action)), action);
    menu->findChild<QAction*>(QStringLiteral("actionBackUp"))->trigger();
    QVERIFY2(f.prompter->last().startsWith(QStringLiteral("A copy of the register as it is now")),
             qPrintable(f.prompter->last()));
    QCOMPARE(QDir(f.path(QStringLiteral("backups"))).entryList(QDir::Files).size(), 1);
    QVERIFY(f.app->recentRegisters().contains(f.dataFile()));
    // An export that cannot be written says so.
    bool written = true;
    QVERIFY(QMetaObject::invokeMethod(menu, "exportTo", Q_RETURN_ARG(bool, written), Q_ARG(int, 0),
                                      Q_ARG(QString, QStringLiteral("/no/such/folder/p.csv"))));
    QVERIFY(!written);
    QVERIFY2(f.prompter->last().startsWith(QStringLiteral("The file was not written: ")),
             qPrintable(f.prompter->last()));
}

void TestApplication::mainMenuButtonsShowTheirWindows()
{
    QHash<QString, int> made;
    const QStringList targets{"quicksearch1", "Courses", "player1", "stats", "scoreadd", "edit"};
    for (const QString& name : targets) {
        f.app->registerWindow(name, [&made, name](Application& a) {
            ++made[name];
            return new Window(a, name, name);
        });
    }
    QWidget* menu = f.app->show(QStringLiteral("main"));
    const QList<std::pair<const char*, const char*>> buttons{
        {"Command31", "quicksearch1"}, {"Command36", "Courses"}, {"Command37", "player1"},
        {"Command38", "stats"},        {"Command17", "player1"}, {"Command26", "Courses"},
        {"Command1", "scoreadd"},      {"Command40", "edit"},    {"Command32", "frmAbout"}};
    for (const auto& [button, window] : buttons) {
        QTest::mouseClick(child<QPushButton>(menu, QString::fromLatin1(button)), Qt::LeftButton);
        QVERIFY2(f.app->find(QString::fromLatin1(window)), button);
    }
    // New Player and View Players share one window; so do the course rows.
    QCOMPARE(made.value(QStringLiteral("player1")), 1);
    QCOMPARE(made.value(QStringLiteral("Courses")), 1);
    QCOMPARE(f.app->find(QStringLiteral("frmAbout"))->windowTitle(),
             QStringLiteral("About Parlog"));
}

void TestApplication::helpShowsThePagesOrSaysTheyAreMissing()
{
    QWidget* menu = f.app->show(QStringLiteral("main"));
    auto* help = child<QPushButton>(menu, QStringLiteral("Command2"));
    QTest::mouseClick(help, Qt::LeftButton);
    QCOMPARE(f.app->find(QStringLiteral("help")), nullptr);
    QCOMPARE(f.prompter->messages.size(), 1);
    QVERIFY(f.prompter->last().contains(QStringLiteral("help")));
    QVERIFY(f.prompter->last().contains(f.folder.path()));

    QDir(f.folder.path()).mkdir(QStringLiteral("help"));
    QVERIFY(QFile::copy(QStringLiteral(PARLOG_SOURCE_DIR "/resources/help/index.html"),
                        f.path(QStringLiteral("help/index.html"))));
    QTest::mouseClick(help, Qt::LeftButton);
    QWidget* window = f.app->find(QStringLiteral("help"));
    QVERIFY(window);
    auto* browser = child<QTextBrowser>(window, QStringLiteral("browser"));
    const QString text = browser->toPlainText();
    for (const char* topic : {"First steps", "Players", "Courses", "Rounds", "Statistics", "Search",
                              "Printing", "parlog.mdb", "back up"})
        QVERIFY2(text.contains(QString::fromLatin1(topic)), topic);
    QCOMPARE(f.prompter->messages.size(), 1);
}

void TestApplication::quitButtonEndsAtOnce()
{
    QWidget* menu = f.app->show(QStringLiteral("main"));
    f.app->show(QStringLiteral("frmAbout"));
    QTest::mouseClick(child<QPushButton>(menu, QStringLiteral("Command27")), Qt::LeftButton);
    QCOMPARE(f.app->find(QStringLiteral("main")), nullptr);
    QCOMPARE(f.app->find(QStringLiteral("frmAbout")), nullptr);
    QCOMPARE(f.prompter->messages.size(), 0);
}

void TestApplication::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("database");
    using A = CommandLine::Action;
    const auto row = [](const char* name, QStringList args, A action, const char* db = "") {
        QTest::newRow(name) << (QStringList{QStringLiteral("parlog")} + args) << int(action)
                            << QString::fromUtf8(db);
    };
    row("nothing", {}, A::Run);
    row("database", {"--database", "club.mdb"}, A::Run, "club.mdb");
    row("database=", {"--database=/b/x y.mdb"}, A::Run, "/b/x y.mdb");
    row("help wins", {"--database", "a.mdb", "--help"}, A::Help, "a.mdb");
    row("-v", {"-v"}, A::Version);
    row("smoke", {"--smoke-test", "--database", "s.mdb"}, A::SmokeTest, "s.mdb");
    row("database without file", {"--database"}, A::Error);
    row("empty database", {"--database="}, A::Error);
    row("unknown option", {"--frobnicate"}, A::Error);
    row("stray argument", {"club.mdb"}, A::Error);
    row("import", {"--import", "m.csv", "players", "--database", "c.mdb"}, A::Import, "c.mdb");
    row("import what", {"--import", "m.csv", "scores"}, A::Error);
    row("import nothing", {"--import", "m.csv"}, A::Error);
    row("export", {"--export", "r.csv", "rounds"}, A::Export);
    row("export what", {"--export", "r.csv", "scores"}, A::Error);
    row("publish", {"--publish", "results", "Medal", "r.html"}, A::Publish);
    row("publish handicaps", {"--publish", "handicaps", "h.html"}, A::Publish);
    row("publish what", {"--publish", "scores", "r.html"}, A::Error);
    row("publish no file", {"--publish", "merit", "Summer"}, A::Error);
}

void TestApplication::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, database);
    const CommandLine line = parseCommandLine(arguments);
    QCOMPARE(int(line.action), action);
    QCOMPARE(line.database, database);
    QCOMPARE(line.error.isEmpty(), line.action != CommandLine::Action::Error);
}

void TestApplication::whereTheRegisterLives()
{
    QTemporaryDir root;
    // The tests' own data folder (test mode), never the user's.
    const QString userFile = userDataFolder() + QStringLiteral("/parlog.mdb");
    QDir(root.path()).mkpath(QStringLiteral("copied"));
    QDir(root.path()).mkpath(QStringLiteral("usr/bin"));
    QDir(root.path()).mkpath(QStringLiteral("usr/share/parlog/help"));

    // A folder of its own, as after a build or a copy: beside the program.
    const QString copied = root.filePath(QStringLiteral("copied"));
    QCOMPARE(defaultDataFile(copied), copied + QStringLiteral("/parlog.mdb"));
    QCOMPARE(helpFolder(copied), copied + QStringLiteral("/help"));

    // Installed: the user's data folder, made owner-only; help from share/parlog.
    const QString bin = root.filePath(QStringLiteral("usr/bin"));
    QCOMPARE(defaultDataFile(bin), userFile);
    QCOMPARE(QFileInfo(QFileInfo(userFile).path()).permissions() & 0x0077, 0);
    QCOMPARE(helpFolder(bin), root.filePath(QStringLiteral("usr/share/parlog/help")));

    // An installed folder that already holds a register keeps using it.
    QFile existing(bin + QStringLiteral("/parlog.mdb"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    QCOMPARE(defaultDataFile(bin), existing.fileName());
}

void TestApplication::theProgramOpensTheRegisterItIsGiven()
{
    QTemporaryDir folder;
    const QString data = folder.filePath(QStringLiteral("society two.mdb"));
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    const QStringList arguments{QStringLiteral("--smoke-test"), QStringLiteral("--database"), data};
    // Not there: asked about with its full path (the smoke test answers No), never made.
    process.start(QStringLiteral(PARLOG_PROGRAM), arguments);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(QString::fromLocal8Bit(process.readAllStandardError())
                .contains(QStringLiteral("There is no register at %1").arg(data)));
    QVERIFY(!QFileInfo::exists(data));
    {
        Connection c(data);
        PARLOG_VERIFY_OK(c.open());
    }
    process.start(QStringLiteral(PARLOG_PROGRAM), arguments);
    QVERIFY(process.waitForFinished(20000));
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
    QVERIFY(QString::fromLocal8Bit(process.readAllStandardOutput()).contains(data));

    process.start(QStringLiteral(PARLOG_PROGRAM), {QStringLiteral("--version")});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(process.readAllStandardOutput().startsWith("Parlog 3."));

    // Over SSH, say: no desktop, said in a line that names what works without one.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PARLOG_PROGRAM), arguments);
    QVERIFY(process.waitForFinished(10000));
    QVERIFY(process.exitCode() != 0);
    const QString said = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(said.contains(QStringLiteral("needs a desktop session")) &&
                 said.contains(QStringLiteral("--help")) && said.count(u'\n') == 1,
             qPrintable(said));
}

void TestApplication::aWindowThatGoesWithTheFocusInADateBox_data()
{
    QTest::addColumn<QString>("window");
    for (const char* name : {"season", "results", "pickround"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// The box that loses the focus as its window goes says its editing is finished; the
// window, half gone, must not answer.
void TestApplication::aWindowThatGoesWithTheFocusInADateBox()
{
    QFETCH(QString, window);
    auto f = std::make_unique<Fixture>();
    QWidget* shown = f->app->show(window);
    QVERIFY(shown);
    shown->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(shown));
    auto* from = shown->findChild<QLineEdit*>(QStringLiteral("from"));
    QVERIFY(from);
    from->setFocus();
    from->setText(QStringLiteral("1-Jan-04"));
    f.reset();
}

void TestApplication::windowsOpenWhereTheyWereLeft()
{
    QSettings().remove(QStringLiteral("windows"));
    QWidget* menu = f.app->show(QStringLiteral("main"));
    QWidget* players = f.app->show(QStringLiteral("player1"));
    QWidget* courses = f.app->show(QStringLiteral("Courses"));
    QVERIFY(menu && players && courses);
    // The first time each a step on from the last, not on one spot.
    QVERIFY(players->pos() != courses->pos());
    QVERIFY(players->pos() != menu->pos());
    players->move(123, 45);
    players->close();
    Fixture::settle();
    players = f.app->show(QStringLiteral("player1"));
    QCOMPARE(players->pos(), QPoint(123, 45));
    // Left off the screen, it comes back onto it.
    players->move(-5000, 99999);
    players->close();
    Fixture::settle();
    players = f.app->show(QStringLiteral("player1"));
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(
        QRect(players->pos(), players->size())));
    QSettings().remove(QStringLiteral("windows"));
}

void TestApplication::theSmokeTestFailsOnADamagedFile()
{
    QVERIFY(f.damageDataFile());
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PARLOG_PROGRAM),
                  {QStringLiteral("--smoke-test"), QStringLiteral("--database"), f.dataFile()});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(QString::fromLocal8Bit(process.readAllStandardError()).contains(QStringLiteral("damaged")));
}

// The chart windows and printing are a module loaded on first use: the smoke test loads
// it, and says which file it missed or could not load.
void TestApplication::chartsAndPrintingComeFromBesideTheProgram_data()
{
    QTest::addColumn<QByteArray>("module"); // "" none, "real" the built one, else its bytes
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::newRow("beside the program") << QByteArray("real") << 0 << QString();
    QTest::newRow("missing") << QByteArray() << 1 << QStringLiteral("is not there");
    QTest::newRow("not a library")
        << QByteArray("not an ELF file") << 1 << QStringLiteral("could not be loaded");
}

void TestApplication::chartsAndPrintingComeFromBesideTheProgram()
{
    QFETCH(QByteArray, module);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QTemporaryDir folder;
    const QString program = folder.filePath(QStringLiteral("parlog"));
    QVERIFY(QFile::copy(QStringLiteral(PARLOG_PROGRAM), program));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString beside = folder.filePath(QString::fromLatin1(kLatePartsFile));
    if (module == "real") {
        QVERIFY(QFile::copy(QStringLiteral(PARLOG_LATE_PARTS), beside));
    } else if (!module.isEmpty()) {
        QFile file(beside);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(module);
    }
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    Connection made(folder.filePath(QStringLiteral("r.mdb")));
    PARLOG_VERIFY_OK(made.open());
    made.close();
    process.start(program, {QStringLiteral("--smoke-test"), QStringLiteral("--database"),
                            folder.filePath(QStringLiteral("r.mdb"))});
    QVERIFY(process.waitForFinished(20000));
    const QString error = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(process.exitCode() == exitCode, qPrintable(error));
    QVERIFY2(said.isEmpty() || (error.contains(said) && error.contains(beside)), qPrintable(error));
}

// The command line imports into an existing register and says what it did; a row not
// imported makes it fail.
void TestApplication::importsFromTheCommandLine()
{
    {
        Connection made(f.dataFile());
        PARLOG_VERIFY_OK(made.open());
    }
    const QString members = f.path(QStringLiteral("members.csv"));
    QFile file(members);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Name,Handicap\nAnn Bee,12\n,4\n");
    file.close();
    QProcess process;
    process.start(QStringLiteral(PARLOG_PROGRAM), {QStringLiteral("--import"), members,
                                                   QStringLiteral("players"),
                                                   QStringLiteral("--database"), f.dataFile()});
    QVERIFY(process.waitForFinished(20000));
    const QString said = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed(),
             QStringLiteral("1 player, 0 courses and 0 rounds imported; 0 already there; 1 row "
                            "not imported"));
    QVERIFY2(said.contains(QStringLiteral("line 3 not imported: no name")), qPrintable(said));
    QCOMPARE(f.value(QStringLiteral("SELECT Handicapp FROM player WHERE playername = 'Ann Bee'"))
                 .toString(),
             QStringLiteral("12"));
    // On a terminal it counts the rows as it goes, and clears the count at its end.
    if (const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
        !script.isEmpty()) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Name,Handicap\n");
        for (int i = 0; i < 2500; ++i)
            file.write(QByteArray("Player ") + QByteArray::number(i) + ",12\n");
        file.close();
        process.start(script, {QStringLiteral("-qec"),
                               QStringLiteral("'%1' --import '%2' players --database '%3'")
                                   .arg(QStringLiteral(PARLOG_PROGRAM), members, f.dataFile()),
                               QStringLiteral("/dev/null")});
        QVERIFY(process.waitForFinished(20000));
        const QByteArray shown = process.readAllStandardOutput();
        QVERIFY2(shown.contains("\r1000 rows read, 1000 stored"), shown.constData());
        QVERIFY2(shown.contains("\r\033[K2500 players, 0 courses"), shown.constData());
    }
    // A register that is not there is not made.
    process.start(QStringLiteral(PARLOG_PROGRAM),
                  {QStringLiteral("--import"), members, QStringLiteral("players"),
                   QStringLiteral("--database"), f.path(QStringLiteral("none.mdb"))});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(!QFile::exists(f.path(QStringLiteral("none.mdb"))));
    // Written out again, as import reads it.
    const QString out = f.path(QStringLiteral("out.csv"));
    process.start(QStringLiteral(PARLOG_PROGRAM), {QStringLiteral("--export"), out,
                                                   QStringLiteral("players"),
                                                   QStringLiteral("--database"), f.dataFile()});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 0);
    QFile exported(out);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QVERIFY(exported.readAll().contains("\r\nAnn Bee,,12,"));
    // Published as a web page; a name not known writes nothing and says so.
    const QString page = f.path(QStringLiteral("handicaps.html"));
    process.start(QStringLiteral(PARLOG_PROGRAM),
                  {QStringLiteral("--publish"), QStringLiteral("handicaps"), page,
                   QStringLiteral("--database"), f.dataFile()});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 0);
    QFile published(page);
    QVERIFY(published.open(QIODevice::ReadOnly));
    QVERIFY(published.readAll().contains("<td>Ann Bee</td><td class=\"c\">12.0</td>"));
    const QString none = f.path(QStringLiteral("none.html"));
    process.start(QStringLiteral(PARLOG_PROGRAM),
                  {QStringLiteral("--publish"), QStringLiteral("merit"), QStringLiteral("Summer"),
                   none, QStringLiteral("--database"), f.dataFile()});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(!QFile::exists(none));
    QVERIFY(QString::fromLocal8Bit(process.readAllStandardError())
                .contains(QStringLiteral("no season is named \"Summer\"")));
}

PARLOG_TEST(TestApplication)
#include "tst_application.moc"
