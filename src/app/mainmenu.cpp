#include "app/mainmenu.h"

#include "competitions/society.h"

#include "base/application.h"
#include "base/help.h"
#include "base/windownames.h"
#include "masterdata/masterdata.h"
#include "data/importing.h"
#include "data/location.h"
#include "base/reportwindow.h"
#include "ui/forms.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QSvgRenderer>

#include <algorithm>

namespace parlog {

namespace {

constexpr int kPictureWidth = 351;
constexpr int kPictureHeight = 321;

// The picture behind the steps, drawn at the size it stands at: a drawing scaled as a
// bitmap would take longer and blur. The first paint draws it straight onto the window,
// which is what the menu waits for; later paints (a button over it lit, say) copy it
// from a bitmap made once.
class MenuPicture : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        const QRect area = contentsRect();
        {
            QPainter painter(this);
            if (!m_painted) {
                painter.fillRect(area, Qt::white);
                m_svg.render(&painter, QRectF(area));
            } else {
                const qreal ratio = devicePixelRatioF();
                if (m_drawn.size() != area.size() * ratio) {
                    m_drawn = QPixmap(area.size() * ratio);
                    m_drawn.setDevicePixelRatio(ratio);
                    m_drawn.fill(Qt::white);
                    QPainter onto(&m_drawn);
                    m_svg.render(&onto, QRectF(QPointF(0, 0), QSizeF(area.size())));
                }
                painter.drawPixmap(area.topLeft(), m_drawn);
            }
        }
        m_painted = true;
        QFrame::paintEvent(event);
    }

private:
    QSvgRenderer m_svg{QStringLiteral(":/menu.svg")};
    QPixmap m_drawn;
    bool m_painted = false;
};

QLabel* pictureLabel(QWidget* picture, const QString& name, const QString& text, bool bold)
{
    auto* label = new QLabel(text, picture);
    label->setObjectName(name);
    // The steps are short lines; only the word on printing runs over several, and a label
    // that wraps costs the layout its lines worked out at each width it tries.
    label->setWordWrap(!bold);
    QFont font = label->font();
    font.setBold(bold);
    // Sized from the font in use, so that a larger desktop font makes them larger too.
    font.setPointSizeF(font.pointSizeF() * (bold ? 1.2 : 0.9));
    label->setFont(font);
    // A palette, not a style sheet: a style sheet puts a style of its own over the label,
    // and the first one costs the menu's first paint a few milliseconds.
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x12, 0x35, 0x1d));
    label->setPalette(palette);
    return label;
}

} // namespace

MainMenu::MainMenu(Application& app)
    : Window(app, windows::kMain, QStringLiteral("Parlog"))
{
    setClosesOnEscape(false);

    // The picture with the three steps over it, a word on printing, and About, Help, Quit
    // and Register along its foot.
    picture = new MenuPicture(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setFocusPolicy(Qt::TabFocus);
    picture->setFrameShape(QFrame::Panel);
    picture->setFrameShadow(QFrame::Sunken);
    auto* over = new QVBoxLayout(picture);
    over->setContentsMargins(14, 12, 14, 10);
    for (const auto& [name, text] :
         {std::pair{"Label7", "1. Add new players first"},
          std::pair{"Label8", "2. Add new Courses"}, std::pair{"Label10", "3. Now add new rounds"}})
        over->addWidget(
            pictureLabel(picture, QString::fromLatin1(name), QString::fromLatin1(text), true));
    over->addStretch(1);
    auto* printing = pictureLabel(picture, QStringLiteral("Label11"),
                                  QStringLiteral("You must have a print driver installed to see "
                                                 "reports. Press the help button for further "
                                                 "info"),
                                  false);
    printing->setMaximumWidth(kPictureWidth * 3 / 5);
    // Within the light panel the picture draws for it.
    printing->setContentsMargins(2, 0, 0, 0);
    over->addWidget(printing);
    over->addSpacing(14);
    auto* about = button(QStringLiteral("Command32"), QStringLiteral("&About"));
    auto* help = button(QStringLiteral("Command2"), QStringLiteral("He&lp"));
    auto* quit = button(QStringLiteral("Command27"), QStringLiteral("Qui&t"));
    auto* place = button(QStringLiteral("register"), QStringLiteral("Re&gister"));
    over->addLayout(forms::row({about, help, quit, place}, true));
    // The picture as drawn, or larger when what stands over it needs more room.
    const int frame = 2 * picture->frameWidth();
    picture->setMinimumSize(
        QSize(kPictureWidth + frame, kPictureHeight + frame).expandedTo(over->sizeHint()));
    connect(place, &QPushButton::clicked, this, [this] { this->app().show(windows::kRegister); });
    connect(about, &QPushButton::clicked, this, [this] { this->app().show(windows::kAbout); });
    connect(help, &QPushButton::clicked, this, [this] { openHelp(this->app()); });
    connect(quit, &QPushButton::clicked, this, [this] { this->app().quit(); });

    // A row a task: its caption, whose access key presses the row's Open.
    auto* rows = new QVBoxLayout;
    rows->setSpacing(2);
    struct Row {
        const char* label;
        const char* caption;
        const char* button;
        QString window;
    };
    const Row tasks[] = {
        {"Label28", "&Quick Search", "Command31", windows::kQuickSearch},
        {"Label3", "View &Courses", "Command36", windows::kCourses},
        {"Label6", "View &Players", "Command37", windows::kPlayers},
        {"Label9", "View &Stats", "Command38", windows::kStats},
        {"Label15", "New Pla&yer", "Command17", windows::kPlayers},
        {"Label24", "New Co&urse", "Command26", windows::kCourses},
        {"Label1", "Ne&w Round", "Command1", windows::kScoreCard},
        {"Label12", "&Delete Round", "Command40", windows::kDeleteRounds},
        {"Label42", "Competition R&esults", "Command42", windows::kResults},
        {"LabelRecord", "Ha&ndicap Record", "handicapRecordButton", windows::kHandicapRecord},
        {"LabelMerit", "Order of &Merit", "orderOfMeritButton", windows::kOrderOfMerit},
        {"LabelEclectic", "Eclect&ic", "eclecticButton", windows::kEclectic},
        {"LabelImport", "Import from CS&V", "importButton", windows::kImport}};
    QList<QWidget*> order;
    for (int r = 0; r < int(std::size(tasks)); ++r) {
        auto* box = new QFrame(this);
        box->setObjectName(QStringLiteral("Shape%1").arg(r + 1));
        box->setFrameShape(QFrame::Box);
        auto* caption = new QLabel(QString::fromLatin1(tasks[r].caption), box);
        caption->setObjectName(QString::fromLatin1(tasks[r].label));
        QFont bold = caption->font();
        bold.setBold(true);
        caption->setFont(bold);
        auto* open = button(QString::fromLatin1(tasks[r].button), QStringLiteral("Open"));
        open->setParent(box);
        caption->setBuddy(open);
        const QString window = tasks[r].window;
        connect(open, &QPushButton::clicked, this, [this, window] { this->app().show(window); });
        auto* line = new QHBoxLayout(box);
        line->setContentsMargins(10, 4, 6, 4);
        line->addWidget(caption, 1);
        line->addWidget(open);
        rows->addWidget(box);
        order << open;
    }

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(picture);
    left->addStretch(1);
    layout->addLayout(left);
    layout->addLayout(rows);
    addMenuBar();
    layout->setSizeConstraint(QLayout::SetFixedSize);
    order.first()->setFocus();
    // Reading order: the rows down, then the buttons along the picture's foot.
    order << about << help << quit << place << picture;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QPushButton* MainMenu::button(const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    return b;
}

void MainMenu::addMenuBar()
{
    // Every command of the buttons, and what has no button, with the usual keys. The
    // window grows by the bar's height and its rows move down under it.
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setNativeMenuBar(false);
    const auto item = [this](QMenu* menu, const QString& text, const QKeySequence& keys,
                             const char* name, auto slot) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    item(file, QStringLiteral("&Register..."), {}, "actionRegister",
         [this] { app().show(windows::kRegister); });
    m_recent = file->addMenu(QStringLiteral("Recent &registers"));
    m_recent->setObjectName(QStringLiteral("menuRecent"));
    connect(m_recent, &QMenu::aboutToShow, this, &MainMenu::fillRecent);
    item(file, QStringLiteral("&Import from CSV..."), {}, "actionImport",
         [this] { app().show(windows::kImport); });
    QMenu* exports = file->addMenu(QStringLiteral("&Export to CSV"));
    exports->setObjectName(QStringLiteral("menuExport"));
    for (const auto& [text, name, kind, stem] :
         {std::tuple{"&Players...", "actionExportPlayers", importing::Kind::Players, "Players"},
          std::tuple{"&Courses...", "actionExportCourses", importing::Kind::Courses, "Courses"},
          std::tuple{"&Rounds...", "actionExportRounds", importing::Kind::Rounds, "Rounds"}})
        item(exports, QString::fromLatin1(text), {}, name, [this, kind = kind, stem = stem] {
            const QString path =
                askSavePath(this, SaveKind::Csv,
                            QStringLiteral("%1 %2").arg(QString::fromLatin1(stem),
                                                        app().today().toString(Qt::ISODate)));
            if (!path.isEmpty())
                exportTo(int(kind), path);
        });
    item(file, QStringLiteral("Publish &Handicap List..."), {}, "actionPublishHandicaps", [this] {
        const QString path = askWebPagePath(
            this, app(), QStringLiteral("Handicaps %1").arg(app().today().toString(Qt::ISODate)));
        if (!path.isEmpty())
            publishHandicaps(path);
    });
    item(file, QStringLiteral("&Back up now..."), QKeySequence(Qt::CTRL | Qt::Key_B),
         "actionBackUp", &MainMenu::backUpNow);
    file->addSeparator();
    item(file, QStringLiteral("&Quit"), QKeySequence::Quit, "actionQuit", [this] { app().quit(); });
    QMenu* records = bar->addMenu(QStringLiteral("&Records"));
    item(records, QStringLiteral("New &Round..."), QKeySequence::New, "actionNewRound",
         [this] { app().show(windows::kScoreCard); });
    item(records, QStringLiteral("&Players..."), QKeySequence(Qt::CTRL | Qt::Key_P),
         "actionPlayers", [this] { app().show(windows::kPlayers); });
    item(records, QStringLiteral("&Courses..."), QKeySequence(Qt::CTRL | Qt::Key_K),
         "actionCourses", [this] { app().show(windows::kCourses); });
    item(records, QStringLiteral("&Divisions..."), {}, "actionDivisions",
         [this] { app().show(windows::kDivisions); });
    QMenu* rounds = bar->addMenu(QStringLiteral("R&ounds"));
    item(rounds, QStringLiteral("&Quick Search..."), QKeySequence::Find, "actionSearch",
         [this] { app().show(windows::kQuickSearch); });
    item(rounds, QStringLiteral("&Statistics..."), QKeySequence(Qt::CTRL | Qt::Key_T),
         "actionStats", [this] { app().show(windows::kStats); });
    item(rounds, QStringLiteral("Competition R&esults..."), QKeySequence(Qt::CTRL | Qt::Key_E),
         "actionResults", [this] { app().show(windows::kResults); });
    item(rounds, QStringLiteral("Sides of a Compe&tition..."), {}, "actionField",
         [this] { app().show(windows::kField); });
    item(rounds, QStringLiteral("Start S&heet..."), {}, "actionStartSheet",
         [this] { app().show(windows::kStartSheet); });
    item(rounds, QStringLiteral("Ha&ndicap Record..."), QKeySequence(Qt::CTRL | Qt::Key_I),
         "actionHandicapRecord", [this] { app().show(windows::kHandicapRecord); });
    item(rounds, QStringLiteral("Order of &Merit..."), {}, "actionOrderOfMerit",
         [this] { app().show(windows::kOrderOfMerit); });
    item(rounds, QStringLiteral("Eclect&ic..."), {}, "actionEclectic",
         [this] { app().show(windows::kEclectic); });
    item(rounds, QStringLiteral("Match &Play..."), {}, "actionDraws",
         [this] { app().show(windows::kDraws); });
    rounds->addSeparator();
    item(rounds, QStringLiteral("&Delete Rounds..."), {}, "actionDelete",
         [this] { app().show(windows::kDeleteRounds); });
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    // F1 is every window's own key for the help; the menu only names it.
    item(help, QStringLiteral("Parlog &Help\tF1"), {}, "actionHelp", [this] { openHelp(app()); });
    item(help, QStringLiteral("&About Parlog"), {}, "actionAbout",
         [this] { app().show(windows::kAbout); });

    layout()->setMenuBar(bar);
}

void MainMenu::fillRecent()
{
    m_recent->clear();
    const QStringList recent = app().recentRegisters();
    if (recent.isEmpty())
        m_recent->addAction(QStringLiteral("(none yet)"))->setEnabled(false);
    for (const QString& location : recent) {
        QAction* open = m_recent->addAction(shownLocation(location));
        connect(open, &QAction::triggered, this, [this, location] {
            if (app().useRegister(location))
                showRegister();
        });
    }
}

namespace {

// A failure's words after the lead, as one sentence: the register's own may end in a stop.
QString failedBecause(const QString& lead, QString error)
{
    if (!error.endsWith(u'.'))
        error += u'.';
    return lead.arg(error);
}

} // namespace

void MainMenu::backUpNow()
{
    const auto progress = app().progress(QStringLiteral("Backing up the register\u2026"));
    const auto copy = MasterData(app().registerInUse()).backUp(progress.get());
    if (!copy) {
        app().inform(failedBecause(QStringLiteral("No backup was made: %1"), copy.error()));
        return;
    }
    app().inform(QStringLiteral("A copy of the register as it is now is in %1")
                     .arg(QDir::toNativeSeparators(*copy)));
}

bool MainMenu::exportTo(int kind, const QString& path)
{
    const auto progress = app().progress(QStringLiteral("Writing the CSV file\u2026"));
    if (Status written =
            MasterData(app().registerInUse()).exportTo(importing::Kind(kind), path, progress.get());
        !written) {
        app().inform(
            failedBecause(QStringLiteral("The file was not written: %1"), written.error()));
        return false;
    }
    return true;
}

bool MainMenu::publishHandicaps(const QString& path)
{
    const auto list = Society(app().registerInUse()).handicapList(app().today());
    if (!list) {
        app().inform(failedBecause(QStringLiteral("The page was not written: %1"), list.error()));
        return false;
    }
    return saveReport(app(), **list, SaveKind::Html, path);
}

void MainMenu::showRegister()
{
    setWindowTitle(QStringLiteral("Parlog \u2014 %1").arg(shownLocation(app().dataFile())));
}

void MainMenu::load()
{
    // The menu touches no data; its title says which register is in use.
    showRegister();
}

} // namespace parlog
