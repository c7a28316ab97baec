#include "app/mainmenu.h"

#include "base/application.h"
#include "base/help.h"
#include "base/windownames.h"
#include "data/backup.h"
#include "data/connection.h"
#include "data/importing.h"
#include "data/location.h"
#include "base/reportwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

#include <algorithm>

namespace parlog {

namespace {

constexpr int kPictureWidth = 351;
constexpr int kPictureHeight = 321;
constexpr int kRowHeight = 38;
constexpr int kRows = 13;
constexpr int kRowLeft = kPictureWidth + 22;
// Wide enough for the longest caption, "Competition Results", in bold.
constexpr int kRowWidth = 250;

QPixmap menuPicture()
{
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    pixmap.fill(Qt::white);
    QSvgRenderer svg(QStringLiteral(":/menu.svg"));
    QPainter painter(&pixmap);
    svg.render(&painter, QRectF(0, 0, kPictureWidth, kPictureHeight));
    return pixmap;
}

QLabel* pictureLabel(QWidget* picture, const QString& name, const QString& text, const QRect& where,
                     bool bold)
{
    auto* label = new QLabel(text, picture);
    label->setObjectName(name);
    label->setGeometry(where);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setBold(bold);
    font.setPointSizeF(bold ? 11.0 : 8.5);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: #12351d; background: transparent;"));
    return label;
}

} // namespace

MainMenu::MainMenu(Application& app)
    : Window(app, windows::kMain, QStringLiteral("Parlog"))
{
    setClosesOnEscape(false);
    // Room for the picture, and for the rows beside it.
    setFixedSize(kRowLeft + kRowWidth + 20, std::max(kPictureHeight + 24, 20 + kRows * (kRowHeight + 2)));

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(10, 10, kPictureWidth, kPictureHeight);
    Picture1->setPixmap(menuPicture());
    Picture1->setFocusPolicy(Qt::TabFocus);
    Picture1->setFrameShape(QFrame::Panel);
    Picture1->setFrameShadow(QFrame::Sunken);

    pictureLabel(Picture1, QStringLiteral("Label7"), QStringLiteral("1. Add new players first"),
                 QRect(24, 22, 300, 24), true);
    pictureLabel(Picture1, QStringLiteral("Label8"), QStringLiteral("2. Add new Courses"),
                 QRect(24, 52, 300, 24), true);
    pictureLabel(Picture1, QStringLiteral("Label10"), QStringLiteral("3. Now add new rounds"),
                 QRect(24, 82, 300, 24), true);
    pictureLabel(Picture1, QStringLiteral("Label11"),
                 QStringLiteral("You must have a print driver installed to see reports. Press "
                                "the help button for further info"),
                 QRect(24, 218, 200, 48), false);

    auto* c31 = addRow(0, QStringLiteral("Label28"), QStringLiteral("&Quick Search"),
                       QStringLiteral("Command31"));
    auto* c36 = addRow(1, QStringLiteral("Label3"), QStringLiteral("View &Courses"),
                       QStringLiteral("Command36"));
    auto* c37 = addRow(2, QStringLiteral("Label6"), QStringLiteral("View &Players"),
                       QStringLiteral("Command37"));
    auto* c38 = addRow(3, QStringLiteral("Label9"), QStringLiteral("View &Stats"),
                       QStringLiteral("Command38"));
    auto* c17 = addRow(4, QStringLiteral("Label15"), QStringLiteral("New Pla&yer"),
                       QStringLiteral("Command17"));
    auto* c26 = addRow(5, QStringLiteral("Label24"), QStringLiteral("New Co&urse"),
                       QStringLiteral("Command26"));
    auto* c1 = addRow(6, QStringLiteral("Label1"), QStringLiteral("Ne&w Round"),
                      QStringLiteral("Command1"));
    auto* c40 = addRow(7, QStringLiteral("Label12"), QStringLiteral("&Delete Round"),
                       QStringLiteral("Command40"));
    auto* c42 = addRow(8, QStringLiteral("Label42"), QStringLiteral("Competition R&esults"),
                       QStringLiteral("Command42"));
    auto* record = addRow(9, QStringLiteral("LabelRecord"), QStringLiteral("Ha&ndicap Record"),
                          QStringLiteral("handicapRecordButton"));
    auto* merit = addRow(10, QStringLiteral("LabelMerit"), QStringLiteral("Order of &Merit"),
                         QStringLiteral("orderOfMeritButton"));
    auto* eclectic = addRow(11, QStringLiteral("LabelEclectic"), QStringLiteral("Eclect&ic"),
                            QStringLiteral("eclecticButton"));
    auto* import = addRow(12, QStringLiteral("LabelImport"), QStringLiteral("Import from CS&V"),
                          QStringLiteral("importButton"));

    // About, Help and Quit sit over the lower edge of the picture.
    const int y = kPictureHeight - 26;
    auto* c32 = button(QStringLiteral("Command32"), QStringLiteral("&About"), QRect(24, y, 72, 26));
    auto* c2 = button(QStringLiteral("Command2"), QStringLiteral("He&lp"), QRect(102, y, 72, 26));
    auto* c27 = button(QStringLiteral("Command27"), QStringLiteral("Qui&t"), QRect(180, y, 72, 26));
    auto* place =
        button(QStringLiteral("register"), QStringLiteral("Re&gister"), QRect(258, y, 80, 26));
    for (QPushButton* b : {c32, c2, c27, place})
        b->raise();
    connect(place, &QPushButton::clicked, this, [this] { this->app().show(windows::kRegister); });

    connect(c31, &QPushButton::clicked, this, &MainMenu::Command31_Click);
    connect(c36, &QPushButton::clicked, this, &MainMenu::Command36_Click);
    connect(c37, &QPushButton::clicked, this, &MainMenu::Command37_Click);
    connect(c38, &QPushButton::clicked, this, &MainMenu::Command38_Click);
    connect(c17, &QPushButton::clicked, this, &MainMenu::Command17_Click);
    connect(c26, &QPushButton::clicked, this, &MainMenu::Command26_Click);
    connect(c1, &QPushButton::clicked, this, &MainMenu::Command1_Click);
    connect(c40, &QPushButton::clicked, this, &MainMenu::Command40_Click);
    connect(c42, &QPushButton::clicked, this, &MainMenu::Command42_Click);
    connect(record, &QPushButton::clicked, this, &MainMenu::handicapRecord);
    connect(merit, &QPushButton::clicked, this, [this] { this->app().show(windows::kOrderOfMerit); });
    connect(eclectic, &QPushButton::clicked, this, [this] { this->app().show(windows::kEclectic); });
    connect(import, &QPushButton::clicked, this, [this] { this->app().show(windows::kImport); });
    connect(c32, &QPushButton::clicked, this, &MainMenu::Command32_Click);
    connect(c2, &QPushButton::clicked, this, &MainMenu::Command2_Click);
    connect(c27, &QPushButton::clicked, this, &MainMenu::Command27_Click);

    addMenuBar();
    c31->setFocus();
    // Reading order: the rows down, then the buttons along the picture's foot.
    const QList<QWidget*> order{c31,    c36,   c37,      c38,    c17, c26, c1,  c40,   c42,
                                record, merit, eclectic, import, c32, c2,  c27, place, Picture1};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QPushButton* MainMenu::button(const QString& name, const QString& caption, const QRect& where)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setGeometry(where);
    return b;
}

QPushButton* MainMenu::addRow(int row, const QString& labelName, const QString& caption,
                              const QString& buttonName)
{
    const int top = 10 + row * (kRowHeight + 2);
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Shape%1").arg(row + 1));
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(kRowLeft, top, kRowWidth, kRowHeight);
    auto* label = new QLabel(caption, this);
    label->setObjectName(labelName);
    label->setGeometry(kRowLeft + 10, top + 4, kRowWidth - 90, kRowHeight - 8);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    // The caption's access key presses its row's button.
    auto* open = button(buttonName, QStringLiteral("Open"),
                        QRect(kRowLeft + kRowWidth - 76, top + 6, 68, kRowHeight - 12));
    label->setBuddy(open);
    return open;
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
    item(file, QStringLiteral("&Back up now..."), QKeySequence(Qt::CTRL | Qt::Key_B),
         "actionBackUp", &MainMenu::backUpNow);
    file->addSeparator();
    item(file, QStringLiteral("&Quit"), QKeySequence::Quit, "actionQuit", &MainMenu::Command27_Click);
    QMenu* records = bar->addMenu(QStringLiteral("&Records"));
    item(records, QStringLiteral("New &Round..."), QKeySequence::New, "actionNewRound",
         &MainMenu::Command1_Click);
    item(records, QStringLiteral("&Players..."), QKeySequence(Qt::CTRL | Qt::Key_P),
         "actionPlayers", &MainMenu::Command37_Click);
    item(records, QStringLiteral("&Courses..."), QKeySequence(Qt::CTRL | Qt::Key_K),
         "actionCourses", &MainMenu::Command36_Click);
    item(records, QStringLiteral("&Divisions..."), {}, "actionDivisions",
         [this] { app().show(windows::kDivisions); });
    QMenu* rounds = bar->addMenu(QStringLiteral("R&ounds"));
    item(rounds, QStringLiteral("&Quick Search..."), QKeySequence::Find, "actionSearch",
         &MainMenu::Command31_Click);
    item(rounds, QStringLiteral("&Statistics..."), QKeySequence(Qt::CTRL | Qt::Key_T),
         "actionStats", &MainMenu::Command38_Click);
    item(rounds, QStringLiteral("Competition R&esults..."), QKeySequence(Qt::CTRL | Qt::Key_E),
         "actionResults", &MainMenu::Command42_Click);
    item(rounds, QStringLiteral("Ha&ndicap Record..."), QKeySequence(Qt::CTRL | Qt::Key_I),
         "actionHandicapRecord", &MainMenu::handicapRecord);
    item(rounds, QStringLiteral("Order of &Merit..."), {}, "actionOrderOfMerit",
         [this] { app().show(windows::kOrderOfMerit); });
    item(rounds, QStringLiteral("Eclect&ic..."), {}, "actionEclectic",
         [this] { app().show(windows::kEclectic); });
    rounds->addSeparator();
    item(rounds, QStringLiteral("&Delete Rounds..."), {}, "actionDelete", &MainMenu::Command40_Click);
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    // F1 is every window's own key for the help; the menu only names it.
    item(help, QStringLiteral("Parlog &Help\tF1"), {}, "actionHelp", &MainMenu::Command2_Click);
    item(help, QStringLiteral("&About Parlog"), {}, "actionAbout", &MainMenu::Command32_Click);

    const int barHeight = bar->sizeHint().height();
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child != bar)
            child->move(child->x(), child->y() + barHeight);
    setFixedSize(width(), height() + barHeight);
    bar->setGeometry(0, 0, width(), barHeight);
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

void MainMenu::backUpNow()
{
    auto connection = app().openConnection();
    if (!connection)
        return;
    const auto progress = app().progress(QStringLiteral("Backing up the register\u2026"));
    const auto copy = backupRegister(*connection, progress.get());
    if (!copy) {
        app().inform(QStringLiteral("No backup was made: %1.").arg(copy.error()));
        return;
    }
    app().inform(QStringLiteral("A copy of the register as it is now is in %1")
                     .arg(QDir::toNativeSeparators(*copy)));
}

bool MainMenu::exportTo(int kind, const QString& path)
{
    auto connection = app().openConnection();
    if (!connection)
        return false;
    const auto progress = app().progress(QStringLiteral("Writing the CSV file\u2026"));
    if (Status written =
            importing::exportRegister(*connection, importing::Kind(kind), path, progress.get());
        !written) {
        app().inform(QStringLiteral("The file was not written: %1.").arg(written.error()));
        return false;
    }
    return true;
}

void MainMenu::showRegister()
{
    setWindowTitle(QStringLiteral("Parlog \u2014 %1").arg(shownLocation(app().dataFile())));
}

void MainMenu::form_load()
{
    // The menu touches no data; its title says which register is in use.
    showRegister();
}

void MainMenu::Command31_Click()
{
    app().show(windows::kQuickSearch);
}
void MainMenu::Command36_Click()
{
    app().show(windows::kCourses);
}
void MainMenu::Command37_Click()
{
    app().show(windows::kPlayers);
}
void MainMenu::Command38_Click()
{
    app().show(windows::kStats);
}
void MainMenu::Command17_Click()
{
    app().show(windows::kPlayers);
}
void MainMenu::Command26_Click()
{
    app().show(windows::kCourses);
}
void MainMenu::Command1_Click()
{
    app().show(windows::kScoreCard);
}
void MainMenu::Command40_Click()
{
    app().show(windows::kDeleteRounds);
}
void MainMenu::Command42_Click()
{
    app().show(windows::kResults);
}

void MainMenu::handicapRecord()
{
    app().show(windows::kHandicapRecord);
}

void MainMenu::Command32_Click()
{
    app().show(windows::kAbout);
}

void MainMenu::Command2_Click()
{
    openHelp(app());
}

void MainMenu::Command27_Click()
{
    app().quit();
}

} // namespace parlog
