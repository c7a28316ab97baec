// Every window on a 1366 x 768 screen (the offscreen screen this test is given), with the
// default font and with one 1.3 times larger: it fits the screen's free area with a
// desktop's title bar, borders and panel around it, and no label's or button's text is
// wider than the room it has.
#include "base/reportwindow.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "data/connection.h"
#include "data/registers.h"
#include "sampledata.h"

#include "testmain.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QLabel>
#include <QScreen>

using namespace parlog;
using namespace parlog::test;

namespace {

// What a desktop adds around a window: a title bar and borders.
constexpr QMargins kDecorations(4, 30, 4, 4);

// The text of a label or button that does not fit the room it has; empty when all fits.
QStringList clipped(const QWidget* window)
{
    QStringList found;
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(window) || label->text().isEmpty() || !label->pixmap().isNull())
            continue;
        const bool fits = label->wordWrap()
                              ? label->heightForWidth(label->width()) <= label->height() + 1
                              : label->sizeHint().width() <= label->width() + 1;
        if (!fits)
            found << QStringLiteral("label %1 \"%2\" (%3 wide, needs %4)")
                         .arg(label->objectName(), label->text())
                         .arg(label->width())
                         .arg(label->sizeHint().width());
    }
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(window) || button->text().isEmpty())
            continue;
        // A push button's hint is never under 80 wide: its text and margins are what
        // must fit.
        const int wide = qobject_cast<const QPushButton*>(button)
                             ? qMin(button->sizeHint().width(),
                                    button->fontMetrics().horizontalAdvance(
                                        QString(button->text()).remove(u'&')) + 12)
                             : button->sizeHint().width();
        if (wide > button->width() + 1 || button->sizeHint().height() > button->height() + 1)
            found << QStringLiteral("button %1 \"%2\" (%3 x %4, needs %5 x %6)")
                         .arg(button->objectName(), button->text())
                         .arg(button->width())
                         .arg(button->height())
                         .arg(wide)
                         .arg(button->sizeHint().height());
    }
    return found;
}

// Opens a window as a user reaches it; the hub's per-player windows from the hub with a
// player chosen.
QWidget* open(Fixture& f, const QString& name)
{
    using namespace windows;
    const QMap<QString, QString> fromHub{{kBestByCourse, QStringLiteral("Command16")},
                                         {kWorstByCourse, QStringLiteral("Command14")},
                                         {kCoursesChart, QStringLiteral("Command18")},
                                         {kPuttsChart, QStringLiteral("Command19")},
                                         {kSeason, QStringLiteral("Command20")}};
    if (fromHub.contains(name)) {
        QWidget* hub = f.app->show(kStats);
        auto* player = hub ? hub->findChild<QComboBox*>(QStringLiteral("Combo0")) : nullptr;
        if (!player || player->count() < 3)
            return nullptr;
        player->setCurrentIndex(2);
        Q_EMIT player->activated(2);
        hub->findChild<QAbstractButton*>(fromHub.value(name))->click();
        Fixture::settle();
        return f.app->find(name);
    }
    if (name == kTeeHoles)
        return f.app->show(name, TeeHolesContext{QStringLiteral("Red (Women)"), {}, {}, {}});
    if (name == kMatch) {
        // A four-ball's match: four lines of players, the longest grid.
        draws::Draw draw;
        draw.name = QStringLiteral("Fourball Trophy");
        draw.team = golf::TeamFormat::FourBall;
        draw.entries = {{QStringLiteral("Aoife O'Neill & Anne Fitzgerald"),
                         {QStringLiteral("Aoife O'Neill"), QStringLiteral("Anne Fitzgerald")}},
                        {QStringLiteral("Brian Ryan & David McCarthy"),
                         {QStringLiteral("Brian Ryan"), QStringLiteral("David McCarthy")}}};
        draw.matches = {{1, 0, {}, draw.entries[0].name, draw.entries[1].name, {}, {}, {}, {}}};
        return f.app->show(name, MatchContext{draw, 1, 0, {}});
    }
    if (name == kHandicap)
        return f.app->show(name, HandicapContext{QStringLiteral("Aoife O'Neill"), QStringLiteral("16")});
    if (name == report::kPlayerList) {
        Connection c(f.dataFile());
        if (!c.open())
            return nullptr;
        return showReport(*f.app, report::Report(name, report::DataSource::of(
                                                          registers::all(c, registers::players()))));
    }
    return f.app->show(name);
}

} // namespace

class TestWindowsFit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyWindowFitsTheScreen_data();
    void everyWindowFitsTheScreen();
};

void TestWindowsFit::everyWindowFitsTheScreen_data()
{
    using namespace windows;
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("scale");
    const QStringList names{kMain,
                            kHelp,
                            kAbout,
                            kPlayers,
                            kCourses,
                            kDivisions,
                            kStats,
                            kBestByCourse,
                            kWorstByCourse,
                            kCoursesChart,
                            kPuttsChart,
                            kQuickSearch,
                            kDeleteRounds,
                            kScoreCard,
                            kHandicap,
                            kResults,
                            kSeason,
                            kPickRound,
                            kRegister,
                            kTeeHoles,
                            kHandicapRecord,
                            kOrderOfMerit,
                            kEclectic,
                            kImport,
                            kField,
                            kDraws,
                            kMatch,
                            kStartSheet,
                            report::kPlayerList};
    for (const double scale : {1.0, 1.3})
        for (const QString& name : names)
            QTest::newRow(qPrintable(QStringLiteral("%1 at %2").arg(name).arg(scale))) << name
                                                                                    << scale;
}

void TestWindowsFit::everyWindowFitsTheScreen()
{
    QFETCH(QString, name);
    QFETCH(double, scale);
    QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    QCOMPARE(screen->geometry().size(), QSize(1366, 768));
    const QFont usual = QApplication::font();
    QFont larger = usual;
    larger.setPointSizeF(usual.pointSizeF() * scale);
    QApplication::setFont(larger);
    const auto restore = qScopeGuard([&] { QApplication::setFont(usual); });

    Fixture f;
    QCOMPARE(tools::writeSampleDatabase(f.dataFile(), {2004, 12, 4, 120, 2}), QString());
    QWidget* window = open(f, name);
    QVERIFY2(window, qPrintable(f.prompter->last()));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    Fixture::settle();
    const QRect room = screen->availableGeometry();
    // Where the window was put is where its frame starts, whatever the frame's height.
    const QRect whole(window->frameGeometry().topLeft(), window->size().grownBy(kDecorations));
    QVERIFY2(room.contains(whole),
             qPrintable(QStringLiteral("%1 with its frame is %2 x %3 at %4,%5; the screen has "
                                       "%6 x %7")
                            .arg(name)
                            .arg(whole.width())
                            .arg(whole.height())
                            .arg(whole.x())
                            .arg(whole.y())
                            .arg(room.width())
                            .arg(room.height())));
    const QStringList cut = clipped(window);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

PARLOG_TEST(TestWindowsFit)
#include "tst_windowsfit.moc"
