// Opens every window on a sample database, offscreen, and saves each as
// <objectName>.png: parlog-screenshots OUTDIR [--db FILE]
#include "sampledata.h"

#include "base/application.h"
#include "app/windows.h"
#include "data/connection.h"
#include "data/importing.h"
#include "masterdata/masterdata.h"
#include "data/location.h"
#include "data/registers.h"
#include "reports/report.h"
#include "reports/reportpainter.h"
#include "base/reportwindow.h"
#include "base/windowcontexts.h"
#include "competitions/society.h"
#include "competitions/drawwindow.h"
#include "competitions/matchdraw.h"
#include "competitions/matchwindow.h"
#include "competitions/startsheetwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <QTest>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QTextStream>

#include <functional>

namespace {

QString g_out;
bool g_answer = true; // what the questions are answered

// Says Yes to every question and prints what it was told.
class LoggingPrompter : public parlog::Prompter {
public:
    void inform(const QString& text, const QString& caption) override
    {
        QTextStream(stderr) << "[" << caption << "] " << text << "\n";
    }
    bool ask(const QString& text, const QString& caption, Default) override
    {
        QTextStream(stderr) << "[" << caption << "?] " << text << "\n";
        return g_answer;
    }
};

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

bool save(QWidget* window, const QString& folder, const QString& name)
{
    if (!window)
        return false;
    settle();
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    const bool ok = window->grab().save(file);
    QTextStream(stdout) << (ok ? "saved " : "FAILED ") << file << "\n";
    return ok;
}

// A report's first page at print quality: as a picture, and as a one-page PDF to
// look at with pdftoppm and pdftotext, since print metrics differ from the screen's.
void savePage(parlog::ReportWindow* window, const QString& file)
{
    if (!window)
        return;
    const parlog::report::Page& page = window->paginator().page(0);
    const parlog::report::PageSetup& setup = window->paginator().setup();
    parlog::report::pageImage(page, 150, setup)
        .save(QDir(g_out).filePath(file + QStringLiteral("-page1.png")));
    QPdfWriter pdf(QDir(g_out).filePath(file + QStringLiteral("-page1.pdf")));
    pdf.setResolution(1200);
    pdf.setPageLayout(parlog::report::pageLayout(setup.landscape));
    QPainter painter(&pdf);
    parlog::report::paintPage(painter, page, pdf.resolution());
}

// A card typed in as a user would: course and player picked, one key per hole.
QWidget* fillCard(parlog::Application& app)
{
    QWidget* card = app.show(QStringLiteral("scoreadd"));
    settle();
    auto* course = card->findChild<QComboBox*>(QStringLiteral("course"));
    auto* player = card->findChild<QComboBox*>(QStringLiteral("player"));
    course->setCurrentIndex(1);
    card->findChild<QLineEdit*>(QStringLiteral("Text160"))
        ->setText(QStringLiteral("Captain's Prize"));
    player->setCurrentIndex(2);
    Q_EMIT player->activated(2);
    card->findChild<QCheckBox*>(QStringLiteral("holeDetail"))->setChecked(true);
    card->findChild<QLineEdit*>(QStringLiteral("HOLE1"))->setFocus();
    // The strokes, then each hole's putts: a penalty on the 8th, a bunker on the 13th.
    const QString keys = QStringLiteral("454354465545436455"
                                        "2212212x21"
                                        "222b121222");
    for (QChar c : keys)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    for (int h : {1, 2, 5, 7, 8, 11, 12, 15, 17})
        card->findChild<QCheckBox*>(QStringLiteral("f%1").arg(h))->setChecked(true);
    for (int h : {1, 3, 4, 7, 9, 10, 13, 14, 16, 18})
        card->findChild<QCheckBox*>(QStringLiteral("g%1").arg(h))->setChecked(true);
    card->findChild<QLineEdit*>(QStringLiteral("ss"))->setText(QStringLiteral("70"));
    card->findChild<QPlainTextEdit*>(QStringLiteral("comment"))
        ->setPlainText(QStringLiteral("Twos club on the 7th; wind from the sea."));
    return card;
}

QWidget* saveCard(parlog::Application& app)
{
    QWidget* card = fillCard(app);
    card->findChild<QPushButton*>(QStringLiteral("Command54"))->click();
    settle();
    QWidget* dialog = app.find(QStringLiteral("Handicapform"));
    save(card, g_out, QStringLiteral("scoreadd-saved"));
    return dialog;
}

// A list report on the sample data, its window and its first page at print quality.
std::function<QWidget*(parlog::Application&)> listReport(const QString& name,
                                                         const parlog::registers::Register& data)
{
    return [name, &data](parlog::Application& app) -> QWidget* {
        parlog::Connection connection(app.dataFile());
        if (!connection.open())
            return nullptr;
        auto* window = qobject_cast<parlog::ReportWindow*>(parlog::showReport(
            app, parlog::report::Report(name, parlog::report::DataSource::of(
                                                  parlog::registers::all(connection, data)))));
        savePage(window, name);
        return window;
    };
}

// A register window with its third entry picked, as a user would pick it.
std::function<QWidget*(parlog::Application&)> pickThird(const QString& name)
{
    return [name](parlog::Application& app) -> QWidget* {
        QWidget* window = app.show(name);
        settle();
        auto* combo = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
        combo->setCurrentIndex(2);
        Q_EMIT combo->activated(2);
        combo->setFocus();
        return window;
    };
}

// The statistics hub with its third player chosen.
QWidget* hub(parlog::Application& app)
{
    QWidget* window = app.show(QStringLiteral("stats"));
    settle();
    auto* combo = window->findChild<QComboBox*>(QStringLiteral("Combo0"));
    combo->setCurrentIndex(2);
    return window;
}

// A hub statistic pressed, its report's window saved, with the first page at print
// quality beside it.
std::function<QWidget*(parlog::Application&)> statistic(const QString& button,
                                                        const QString& report, const QString& file)
{
    return [button, report, file](parlog::Application& app) -> QWidget* {
        hub(app)->findChild<QPushButton*>(button)->click();
        settle();
        auto* window = qobject_cast<parlog::ReportWindow*>(app.find(report));
        savePage(window, file);
        return window;
    };
}

std::function<QWidget*(parlog::Application&)> fromHub(const QString& button, const QString& name)
{
    return [button, name](parlog::Application& app) -> QWidget* {
        hub(app)->findChild<QPushButton*>(button)->click();
        settle();
        return app.find(name);
    };
}

QWidget* bestOnCourse(parlog::Application& app)
{
    QWidget* window = fromHub(QStringLiteral("Command16"), QStringLiteral("statscourse"))(app);
    auto* combo = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
    combo->setCurrentIndex(0);
    window->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    settle();
    auto* report = qobject_cast<parlog::ReportWindow*>(app.find(QStringLiteral("DataReport9")));
    savePage(report, QStringLiteral("DataReport9"));
    save(window, g_out, QStringLiteral("statscourse"));
    return report;
}

// The quick search run with a grouping box ticked (or none) and the question answered.
std::function<QWidget*(parlog::Application&)> search(const QString& group, bool compact,
                                                     const QString& report)
{
    return [group, compact, report](parlog::Application& app) -> QWidget* {
        QWidget* window = app.show(QStringLiteral("quicksearch1"));
        settle();
        if (!group.isEmpty())
            window->findChild<QCheckBox*>(group)->click();
        // The whole sample, so that every group has rounds under it.
        window->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("1-Jan-90"));
        g_answer = compact;
        app.setModalRunner([](QWidget* w) {
            settle();
            save(w, g_out, w->objectName());
            savePage(qobject_cast<parlog::ReportWindow*>(w), w->objectName());
            w->close();
        });
        window->findChild<QPushButton*>(QStringLiteral("Command22"))->click();
        settle();
        g_answer = true;
        auto* reportWindow = qobject_cast<parlog::ReportWindow*>(app.find(report));
        savePage(reportWindow, report);
        window->close();
        return app.find(report);
    };
}

// The results of a past competition with a full field, not the card just saved today.
QWidget* pastCompetition(parlog::Application& app)
{
    QWidget* window = app.show(QStringLiteral("results"));
    auto* pick = window->findChild<QComboBox*>(QStringLiteral("competition"));
    if (pick && pick->count() > 1) {
        pick->setCurrentIndex(1);
        Q_EMIT pick->activated(1);
    }
    return window;
}

// The second competition day played again as a four-ball better-ball Stableford, its
// players paired in the order of their cards: its sides' window.
QWidget* fourBallDay(parlog::Application& app)
{
    parlog::Society society(app.registerInUse());
    const auto days = society.competitions();
    if (!days || days->size() < 2)
        return nullptr;
    const parlog::rounds::Competition day = (*days)[1];
    const auto played = society.played(day.name, day.date, day.date, day.date);
    auto settings = society.settings(day.name, day.date);
    if (!played || !settings)
        return nullptr;
    settings->format = parlog::competitions::Format::Stableford;
    settings->team = parlog::golf::TeamFormat::FourBall;
    settings->allowance = 0.85;
    const qsizetype player = played->cards.column(QStringLiteral("playerID"));
    QList<parlog::competitions::Side> sides;
    for (qsizetype r = 0; r + 1 < played->cards.rows.size(); r += 2) {
        const QStringList pair{played->cards.rows[r][player].toString(),
                               played->cards.rows[r + 1][player].toString()};
        sides.append({parlog::competitions::sideNameOf(pair), pair});
    }
    if (!society.keepField(*settings, sides))
        return nullptr;
    return app.show(QStringLiteral("field"), parlog::FieldContext{day.name, day.date, {}});
}

// A draw of the register's first players kept with some results, and its window open on
// it: a seeded knock-out of 12 with its first round played, or a league of 6 half played.
QWidget* sampleDraw(parlog::Application& app, parlog::draws::Kind kind)
{
    parlog::Society society(app.registerInUse());
    const auto players = society.entrants();
    const int size = kind == parlog::draws::Kind::League ? 6 : 12;
    if (!players || players->size() < size)
        return nullptr;
    parlog::draws::Draw draw;
    draw.name = kind == parlog::draws::Kind::League ? QStringLiteral("Winter League")
                                                    : QStringLiteral("Singles Knock-out");
    draw.seeded = true;
    for (int i = 0; i < size; ++i)
        draw.entries.append({(*players)[i].name, {}});
    if (kind == parlog::draws::Kind::League)
        parlog::matchdraw::makeLeague(draw);
    else
        parlog::matchdraw::makeKnockout(draw);
    const QStringList words{QStringLiteral("A won 3 & 2"), QStringLiteral("B 1 up"),
                            QStringLiteral("A at the 19th"), QStringLiteral("halved"),
                            QStringLiteral("B won 5 & 4")};
    int typed = 0;
    for (parlog::draws::Match& m : draw.matches) {
        m.playBy = m.round == 1 ? QStringLiteral("2026-05-31") : QStringLiteral("2026-06-30");
        if (m.b.isEmpty() || m.a.isEmpty() || parlog::matchdraw::decided(m) ||
            (kind == parlog::draws::Kind::League && m.round > 3) ||
            (kind == parlog::draws::Kind::Knockout && m.round > 1))
            continue;
        const auto outcome = parlog::matchdraw::parseResult(words[typed++ % words.size()], m,
                                                            kind == parlog::draws::Kind::League);
        if (outcome) {
            m.margin = outcome->margin;
            m.result = outcome->result;
            m.winner = outcome->winner;
        }
    }
    parlog::matchdraw::moveOn(draw);
    if (const auto old = society.draw(draw.name); old && *old)
        (void)society.removeDraw(*(*old)->id);
    if (!society.keepDraw(draw, std::nullopt))
        return nullptr;
    auto* window = qobject_cast<parlog::DrawWindow*>(app.show(QStringLiteral("draws")));
    if (!window)
        return nullptr;
    settle();
    window->findChild<QComboBox*>(QStringLiteral("drawName"))->setEditText(draw.name);
    window->openDraw();
    return window;
}

// The knock-out's first match of the second round played hole by hole to the 16th.
QWidget* sampleMatch(parlog::Application& app)
{
    auto* draws = qobject_cast<parlog::DrawWindow*>(sampleDraw(app, parlog::draws::Kind::Knockout));
    if (!draws)
        return nullptr;
    auto* matches = draws->findChild<QTableWidget*>(QStringLiteral("matches"));
    for (int r = 0; r < matches->rowCount(); ++r)
        if (matches->item(r, 4)->text() != u"\u2013" && matches->item(r, 0)->text() != u"Round 1") {
            matches->setCurrentCell(r, 5);
            break;
        }
    draws->playMatch();
    settle();
    auto* match = qobject_cast<parlog::MatchWindow*>(app.find(QStringLiteral("match")));
    if (!match)
        return nullptr;
    if (auto* tee = match->findChild<QComboBox*>(QStringLiteral("teeA")); tee && tee->count() > 1) {
        tee->setCurrentIndex(1);
        Q_EMIT tee->activated(1);
    }
    const QString holes = QStringLiteral("1H21H11HH2H1H11");
    for (int h = 0; h < holes.size(); ++h)
        match->enterHole(h, holes[h]);
    return match;
}

// A start sheet of the register's players in fours from the 1st and the 10th.
QWidget* sampleStartSheet(parlog::Application& app)
{
    auto* window = qobject_cast<parlog::StartSheetWindow*>(app.show(QStringLiteral("startSheet")));
    const auto players = parlog::Society(app.registerInUse()).entrants();
    if (!window || !players)
        return nullptr;
    window->findChild<QLineEdit*>(QStringLiteral("competitionName"))
        ->setText(QStringLiteral("Captain's Prize"));
    window->openCompetition();
    auto* entrant = window->findChild<QLineEdit*>(QStringLiteral("entrant"));
    for (const parlog::field::Entrant& e : *players) {
        entrant->setText(e.name);
        window->addEntry();
    }
    auto* start = window->findChild<QComboBox*>(QStringLiteral("startFrom"));
    start->setCurrentIndex(1);
    auto* order = window->findChild<QComboBox*>(QStringLiteral("order"));
    order->setCurrentIndex(1);
    window->makeSheet();
    return window;
}

// A window's Print button, and the first page of the report it shows.
QWidget* printFrom(parlog::Application& app, QWidget* window, const QString& report,
                   const QString& button = QStringLiteral("print"))
{
    auto* print = window ? window->findChild<QPushButton*>(button) : nullptr;
    if (!print)
        return nullptr;
    print->click();
    settle();
    auto* shown = qobject_cast<parlog::ReportWindow*>(app.find(report));
    savePage(shown, report);
    return shown;
}

struct Shot {
    QString file;
    std::function<QWidget*(parlog::Application&)> open;
};

QList<Shot> shots()
{
    const auto plain = [](const QString& name) {
        return Shot{name, [name](parlog::Application& app) { return app.show(name); }};
    };
    return {
        plain(QStringLiteral("main")),
        plain(QStringLiteral("frmAbout")),
        plain(QStringLiteral("help")),
        plain(QStringLiteral("scoreadd")),
        {QStringLiteral("scoreadd-filled"), fillCard},
        {QStringLiteral("Handicapform"), saveCard},
        {QStringLiteral("player1"), pickThird(QStringLiteral("player1"))},
        {QStringLiteral("Courses"), pickThird(QStringLiteral("Courses"))},
        plain(QStringLiteral("Division")),
        {QStringLiteral("stats"), hub},
        {QStringLiteral("DataReport7"),
         statistic(QStringLiteral("Command12"), QStringLiteral("DataReport7"),
                   QStringLiteral("DataReport7"))},
        {QStringLiteral("DataReport8"),
         statistic(QStringLiteral("Command13"), QStringLiteral("DataReport8"),
                   QStringLiteral("DataReport8"))},
        {QStringLiteral("DataReport10"),
         statistic(QStringLiteral("Command3"), QStringLiteral("DataReport10"),
                   QStringLiteral("DataReport10-best"))},
        {QStringLiteral("DataReport10-average"),
         statistic(QStringLiteral("Command5"), QStringLiteral("DataReport10"),
                   QStringLiteral("DataReport10-average"))},
        {QStringLiteral("DataReport9"), bestOnCourse},
        {QStringLiteral("statscourse1"),
         fromHub(QStringLiteral("Command14"), QStringLiteral("statscourse1"))},
        {QStringLiteral("graph"), fromHub(QStringLiteral("Command18"), QStringLiteral("graph"))},
        {QStringLiteral("putts"), fromHub(QStringLiteral("Command19"), QStringLiteral("putts"))},
        {QStringLiteral("season"), fromHub(QStringLiteral("Command20"), QStringLiteral("season"))},
        {QStringLiteral("season-shortgame"),
         [](parlog::Application& app) {
             QWidget* season = fromHub(QStringLiteral("Command20"), QStringLiteral("season"))(app);
             if (auto* pages = season ? season->findChild<QTabWidget*>(QStringLiteral("figures"))
                                      : nullptr)
                 pages->setCurrentIndex(1);
             return season;
         }},
        {QStringLiteral("pickround"),
         [](parlog::Application& app) -> QWidget* {
             QWidget* card = app.show(QStringLiteral("scoreadd"));
             card->findChild<QPushButton*>(QStringLiteral("editRound"))->click();
             settle();
             return app.find(QStringLiteral("pickround"));
         }},
        {QStringLiteral("results"), pastCompetition},
        {QStringLiteral("ResultsReport"),
         [](parlog::Application& app) {
             return printFrom(app, pastCompetition(app), QStringLiteral("ResultsReport"));
         }},
        {QStringLiteral("SeasonReport"),
         [](parlog::Application& app) {
             QWidget* season = fromHub(QStringLiteral("Command20"), QStringLiteral("season"))(app);
             return printFrom(app, season, QStringLiteral("SeasonReport"));
         }},
        plain(QStringLiteral("handicapRecord")),
        {QStringLiteral("HandicapRecordReport"),
         [](parlog::Application& app) {
             return printFrom(app, app.show(QStringLiteral("handicapRecord")),
                              QStringLiteral("HandicapRecordReport"));
         }},
        {QStringLiteral("field"), fourBallDay},
        {QStringLiteral("results-sides"), pastCompetition},
        {QStringLiteral("TeamResultsReport"),
         [](parlog::Application& app) {
             return printFrom(app, pastCompetition(app), QStringLiteral("TeamResultsReport"));
         }},
        {QStringLiteral("draws"),
         [](parlog::Application& app) { return sampleDraw(app, parlog::draws::Kind::Knockout); }},
        {QStringLiteral("BracketReport"),
         [](parlog::Application& app) {
             return printFrom(app, sampleDraw(app, parlog::draws::Kind::Knockout),
                              QStringLiteral("BracketReport"));
         }},
        {QStringLiteral("match"), sampleMatch},
        {QStringLiteral("draws-league"),
         [](parlog::Application& app) { return sampleDraw(app, parlog::draws::Kind::League); }},
        {QStringLiteral("LeagueTableReport"),
         [](parlog::Application& app) {
             return printFrom(app, sampleDraw(app, parlog::draws::Kind::League),
                              QStringLiteral("LeagueTableReport"));
         }},
        {QStringLiteral("startSheet"), sampleStartSheet},
        {QStringLiteral("StartSheetReport"),
         [](parlog::Application& app) {
             return printFrom(app, sampleStartSheet(app), QStringLiteral("StartSheetReport"));
         }},
        {QStringLiteral("PlayCardsReport"),
         [](parlog::Application& app) {
             return printFrom(app, sampleStartSheet(app), QStringLiteral("PlayCardsReport"),
                              QStringLiteral("printCards"));
         }},
        plain(QStringLiteral("orderOfMerit")),
        {QStringLiteral("OrderOfMeritReport"),
         [](parlog::Application& app) {
             return printFrom(app, app.show(QStringLiteral("orderOfMerit")),
                              QStringLiteral("OrderOfMeritReport"));
         }},
        plain(QStringLiteral("eclectic")),
        {QStringLiteral("EclecticReport"),
         [](parlog::Application& app) {
             return printFrom(app, app.show(QStringLiteral("eclectic")),
                              QStringLiteral("EclecticReport"));
         }},
        {QStringLiteral("importData"),
         [](parlog::Application& app) {
             QWidget* window = app.show(QStringLiteral("importData"));
             const QString members = QDir::temp().filePath(QStringLiteral("parlog-members.csv"));
             QFile file(members);
             if (file.open(QIODevice::WriteOnly))
                 file.write("Member No;Name;HCP;Division;E-mail\r\n"
                            "201;Se\xE1n \xD3 Braon\xE1in;12,4;Gents;sean@example.ie\r\n"
                            "202;Aoife O'Neill;16.5;Ladies;\r\n"
                            "203;;10;Gents;\r\n"
                            "204;Cal Dee;abc;Gents;\r\n");
             file.close();
             QMetaObject::invokeMethod(window, "openFile", Q_ARG(QString, members));
             return window;
         }},
        // The register's own courses, a line a tee, read back: every one already there.
        {QStringLiteral("importData-courses"),
         [](parlog::Application& app) {
             QWidget* window = app.show(QStringLiteral("importData"));
             const QString courses = QDir::temp().filePath(QStringLiteral("parlog-courses.csv"));
             (void)parlog::MasterData(app.registerInUse())
                 .exportTo(parlog::importing::Kind::Courses, courses, nullptr);
             if (auto* kind = window->findChild<QComboBox*>(QStringLiteral("kind")))
                 kind->setCurrentIndex(kind->findData(int(parlog::importing::Kind::Courses)));
             QMetaObject::invokeMethod(window, "openFile", Q_ARG(QString, courses));
             return window;
         }},
        plain(QStringLiteral("registerchoice")),
        plain(QStringLiteral("quicksearch1")),
        plain(QStringLiteral("edit")),
        {QStringLiteral("DataReport5"), search({}, true, QStringLiteral("DataReport5"))},
        {QStringLiteral("DataReport6"), search({}, false, QStringLiteral("DataReport6"))},
        {QStringLiteral("DataReport3"),
         search(QStringLiteral("Check3"), true, QStringLiteral("DataReport3"))},
        {QStringLiteral("DataReport4"),
         search(QStringLiteral("Check2"), false, QStringLiteral("DataReport4"))},
        {QStringLiteral("DataReport1"),
         listReport(QStringLiteral("DataReport1"), parlog::registers::players())},
        {QStringLiteral("DataReport2"),
         listReport(QStringLiteral("DataReport2"), parlog::registers::courses())}};
}

} // namespace

// A dark desktop theme, as a user may have one: every window must stay readable.
void useDarkTheme()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x33));
    dark.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
    dark.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
    dark.setColor(QPalette::ButtonText, QColor(0xe8, 0xe8, 0xe8));
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xc6));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::ToolTipBase, QColor(0x3a, 0x3a, 0x3a));
    dark.setColor(QPalette::ToolTipText, QColor(0xe8, 0xe8, 0xe8));
    QApplication::setPalette(dark);
}

int main(int argc, char* argv[])
{
    // Offscreen unless told otherwise (a screen of a chosen size is given by
    // QT_QPA_PLATFORM=offscreen:configfile=tests/support/screen1366.json).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList args = QCoreApplication::arguments().mid(1);
    QString out;
    QString db;
    QStringList only;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--db" && i + 1 < args.size())
            db = args[++i];
        else if (args[i] == u"--only" && i + 1 < args.size())
            only = args[++i].split(u',');
        else if (args[i] == u"--dark")
            useDarkTheme();
        else if (args[i] == u"--larger") {
            // A desktop with a larger font, as some users have it.
            QFont font = QApplication::font();
            font.setPointSizeF(font.pointSizeF() * 1.3);
            QApplication::setFont(font);
        }
        else if (out.isEmpty())
            out = args[i];
    }
    if (out.isEmpty()) {
        QTextStream(stderr)
            << "usage: parlog-screenshots OUTDIR [--db FILE|postgresql://...] [--dark] [--larger] "
               "[--only SHOT,SHOT]\n";
        return 2;
    }
    QDir().mkpath(out);
    g_out = out;
    QTemporaryDir folder;
    const QString dataFile = QDir(folder.path()).filePath(QStringLiteral("parlog.mdb"));
    if (db.isEmpty()) {
        const QString error = parlog::tools::writeSampleDatabase(dataFile, {});
        if (!error.isEmpty()) {
            QTextStream(stderr) << "parlog-screenshots: " << error << "\n";
            return 1;
        }
    } else if (parlog::serverAddress(db)) {
        // A server register is used as it stands: the shots add a card and a handicap.
    } else if (!QFile::copy(db, dataFile)) {
        QTextStream(stderr) << "parlog-screenshots: cannot copy " << db << "\n";
        return 1;
    }
    QDir().mkpath(QDir(folder.path()).filePath(QStringLiteral("help")));
    QFile::copy(QStringLiteral(PARLOG_SOURCE_DIR "/resources/help/index.html"),
                QDir(folder.path()).filePath(QStringLiteral("help/index.html")));

    parlog::Services services;
    services.programFolder = folder.path();
    services.prompter = std::make_shared<LoggingPrompter>();
    services.today = [] { return QDate(2026, 12, 9); };
    if (parlog::serverAddress(db))
        services.dataFile = db;
    parlog::Application app(std::move(services));
    parlog::registerWindows(app);
    int failures = 0;
    for (const Shot& shot : shots()) {
        if (!only.isEmpty() && !only.contains(shot.file))
            continue;
        QWidget* window = shot.open(app);
        // Modal reports were saved while they showed.
        if (!window && QFile::exists(QDir(out).filePath(shot.file + QStringLiteral(".png"))))
            continue;
        if (!save(window, out, shot.file))
            ++failures;
        if (window)
            window->close();
        settle();
    }
    return failures == 0 ? 0 : 1;
}
