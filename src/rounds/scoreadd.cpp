#include "rounds/scoreadd.h"

#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "data/connection.h"
#include "data/conversions.h"
#include "data/courses.h"
#include "data/competitions.h"
#include "data/deletion.h"
#include "data/players.h"
#include "golf/rules.h"
#include "golf/scoring.h"
#include "data/rounds.h"
#include "reports/datasource.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"

#include <QCheckBox>
#include <QDir>
#include <QIntValidator>
#include <QKeyEvent>
#include <QSettings>
#include <QSignalBlocker>
#include <QStyle>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace parlog {

using namespace forms;

namespace {

const QString kSaveFailed =
    QStringLiteral("Check all entries are correctly filled in and valid as an error has occured");
const QString kHoleKeys = QStringLiteral("F fairway, G green, B bunker, + then 0-9 for 10-19");
const QString kHoleHint =
    QStringLiteral("Strokes: type 1 to 9, or + and a digit for 10 to 19 (+2 is 12). F ticks the "
                   "hole's fairway, G its green, B its greenside bunker, without moving on.");
const QString kPuttsHint =
    QStringLiteral("Putts: type 0 to 9 and the card moves on to the next hole. X adds a penalty "
                   "stroke (Shift+X takes one back), B ticks the greenside bunker, F and G the "
                   "fairway and green.");
const QString kSumHint = QStringLiteral("The sum of the putts kept hole by hole with this card");
const QString kHoleDetailSetting = QStringLiteral("scorecard/holeDetail");

// A tick box drawn in the colour of its key: red for fairways, green for greens, sand for
// bunkers.
void colour(QCheckBox* box, const QColor& colour)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, colour.lighter(185));
    p.setColor(QPalette::Window, colour.lighter(185));
    p.setColor(QPalette::Text, colour.darker(130));
    p.setColor(QPalette::WindowText, colour);
    box->setPalette(p);
    box->setStyleSheet(QStringLiteral("QCheckBox { background: %1; border-radius: 3px; }")
                           .arg(colour.lighter(160).name()));
}

} // namespace

ScoreAdd::ScoreAdd(Application& app)
    : Window(app, windows::kScoreCard, QStringLiteral("Add Score"))
    , m_entry(app.registerInUse())
{
    auto* competitionLabel =
        label(this, QStringLiteral("Label1"), QStringLiteral("Competition Name"));
    competition = box(this, QStringLiteral("Text160"));
    competition->setMinimumWidth(fontMetrics().averageCharWidth() * 50);

    auto* key = label(this, QStringLiteral("Label2"), QStringLiteral("Key"));
    embolden(key);
    auto* red = label(this, QStringLiteral("Label3"),
                      QStringLiteral("Red tick box = Fairways in Regulation"));
    red->setStyleSheet(
        QStringLiteral("color: %1;").arg(readable(this, QColor(0xb0, 0x18, 0x18)).name()));
    auto* green = label(this, QStringLiteral("Label4"),
                        QStringLiteral("Green tick box = Greens in Regulation"));
    green->setStyleSheet(
        QStringLiteral("color: %1;").arg(readable(this, QColor(0x16, 0x7a, 0x22)).name()));
    // The keys of a hole's box, so that a card goes in without the mouse.
    auto* keys = label(this, QStringLiteral("Label12"), kHoleKeys);
    QFont small = keys->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    keys->setFont(small);

    course = picker(this, QStringLiteral("course"));
    tee = new QComboBox(this);
    tee->setObjectName(QStringLiteral("tee"));
    tee->setToolTip(QStringLiteral("The tee played from, with its Course Rating and Slope Rating"));
    tee->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    tee->setMinimumContentsLength(18);
    player = picker(this, QStringLiteral("player"));
    handicap = box(this, QStringLiteral("handicap"), 5);
    // From a rated tee: the index the player brings, and what the tee makes of it.
    handicapIndex = box(this, QStringLiteral("handicapIndex"), 5);
    handicapIndex->setToolTip(QStringLiteral("The player's World Handicap System index; a plus "
                                             "index is written +1.2"));
    courseHandicap = box(this, QStringLiteral("courseHandicap"), 4);
    courseHandicap->setReadOnly(true);
    courseHandicap->setToolTip(QStringLiteral("Course Handicap: index x slope / 113 + (course "
                                              "rating - par)"));
    playingHandicap = box(this, QStringLiteral("playingHandicap"), 4);
    playingHandicap->setReadOnly(true);
    playingHandicap->setToolTip(QStringLiteral("Playing Handicap: the course handicap times the "
                                               "competition's allowance"));
    for (QLineEdit* b : {courseHandicap, playingHandicap}) {
        b->setAlignment(Qt::AlignCenter);
        b->setFocusPolicy(Qt::NoFocus);
    }
    division = box(this, QStringLiteral("Division"));
    date = box(this, QStringLiteral("Date"), 10);

    // The card's own boxes down the left, captions beside them.
    auto* boxes = new QGridLayout;
    const auto caption = [&](const char* name, const char* text, int row) {
        auto* l = label(this, QString::fromLatin1(name), QString::fromLatin1(text));
        boxes->addWidget(l, row, 0);
        return l;
    };
    caption("Label5", "Course", 0);
    boxes->addWidget(course, 0, 1);
    caption("LabelTee", "Tee", 1);
    boxes->addWidget(tee, 1, 1);
    // Player has a key of its own, since the focus order reaches it late.
    caption("Label6", "&Player Name", 2)->setBuddy(player);
    boxes->addWidget(player, 2, 1);
    caption("Label7", "Handicap", 3);
    boxes->addLayout(line({handicap}), 3, 1);
    caption("LabelIndex", "Handicap Index", 4);
    boxes->addLayout(line({handicapIndex}), 4, 1);
    caption("LabelCourseHcp", "Course/Playing", 5);
    boxes->addLayout(line({courseHandicap, playingHandicap}), 5, 1);
    caption("Label8", "Division", 6);
    boxes->addWidget(division, 6, 1);
    caption("Label9", "Date", 7);
    boxes->addLayout(
        line({date, label(this, QStringLiteral("Label10"), QStringLiteral("eg:  21 Feb  04"))}), 7,
        1);

    newRoundButton = button(this, QStringLiteral("Command56"), QStringLiteral("New Round"));
    clearButton = button(this, QStringLiteral("clearall"), QStringLiteral("Clear Form"));
    clearButton->setToolTip(QStringLiteral("Clear the form of all entries"));
    saveButton = button(this, QStringLiteral("Command54"), QStringLiteral("Save"));
    savedLabel = label(this, QStringLiteral("rsaved"), QStringLiteral("Record Saved"));
    savedLabel->setAlignment(Qt::AlignCenter);
    savedLabel->setStyleSheet(QStringLiteral("color: %1; border: 1px solid %1; border-radius: 3px;")
                                  .arg(readable(this, QColor(0x16, 0x7a, 0x22)).name()));
    embolden(savedLabel);
    closeButton = button(this, QStringLiteral("Command57"), QStringLiteral("Close"));
    editButton = button(this, QStringLiteral("editRound"), QStringLiteral("Edit a Round..."));
    // The round being corrected, and only it, may go.
    deleteButton =
        button(this, QStringLiteral("deleteThisRound"), QStringLiteral("Delete this Round"));
    deleteButton->hide();
    // Save and "Record Saved" share a place: one shows at a time.
    auto* buttons = new QGridLayout;
    buttons->addWidget(newRoundButton, 0, 0);
    buttons->addWidget(clearButton, 0, 1);
    buttons->addWidget(saveButton, 1, 0);
    buttons->addWidget(savedLabel, 1, 0);
    buttons->addWidget(deleteButton, 1, 1);
    buttons->addWidget(closeButton, 2, 0);
    buttons->addWidget(editButton, 2, 1);
    auto* commentLabel = label(this, QStringLiteral("Label11"), QStringLiteral("Comment"));
    commentLabel->setToolTip(QStringLiteral("use this to add further info Like \"HOLE in One\",\" "
                                            "twos club\",\"Disqualified\" etc you get the gist."));
    comment = new QPlainTextEdit(this);
    comment->setObjectName(QStringLiteral("comment"));
    comment->setTabChangesFocus(true);
    comment->setMinimumHeight(fontMetrics().height() * 4);
    comment->setToolTip(QStringLiteral("use this to add further info Like \"HOLE in One\",\" "
                                       "twos club\",\"Disqualified\" etc you get the jist."));

    auto* left = new QVBoxLayout;
    left->addLayout(boxes);
    left->addSpacing(8);
    left->addLayout(buttons);
    left->addWidget(commentLabel);
    left->addWidget(comment, 1);

    // The card: holes 1 to 9 on the left, 10 to 18 on the right, a column each of hole,
    // fairway, green, strokes (its par small over it and a dot a stroke received), points,
    // putts, penalty strokes and bunker.
    auto* card = new QFrame(this);
    card->setObjectName(QStringLiteral("Shape1"));
    card->setFrameShape(QFrame::Box);
    auto* grid = new QGridLayout(card);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    constexpr int kColumns = 9; // hole, F, G, score, pts, holePutts, penalties, bunkers, a gap
    for (int c = 0; c < 2; ++c) {
        const int at = c * kColumns;
        const auto head = [&](const QString& name, const QString& text, int column,
                              const QString& tip = QString()) {
            auto* l = label(this, name, text);
            l->setAlignment(Qt::AlignCenter);
            l->setToolTip(tip);
            embolden(l);
            grid->addWidget(l, 0, at + column);
        };
        head(QStringLiteral("HeadF%1").arg(c + 1), QStringLiteral("F"), 1);
        head(QStringLiteral("HeadG%1").arg(c + 1), QStringLiteral("G"), 2);
        head(QStringLiteral("HeadScore%1").arg(c + 1), QStringLiteral("Score"), 3);
        head(QStringLiteral("HeadPts%1").arg(c + 1), QStringLiteral("Pts"), 4);
        head(QStringLiteral("HeadP%1").arg(c + 1), QStringLiteral("P"), 5, QStringLiteral("Putts"));
        head(QStringLiteral("HeadX%1").arg(c + 1), QStringLiteral("X"), 6,
             QStringLiteral("Penalty strokes"));
        head(QStringLiteral("HeadB%1").arg(c + 1), QStringLiteral("B"), 7,
             QStringLiteral("Greenside bunker: played from a bunker beside the green"));
    }
    grid->setColumnMinimumWidth(kColumns - 1, 18);
    for (int h = 0; h < 18; ++h) {
        const int at = (h / 9) * kColumns;
        const int row = 1 + h % 9;
        const QString n = QString::number(h + 1);
        auto* l = label(this, QStringLiteral("LabelHole") + n, QStringLiteral("HOLE") + n);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fairways[h] = tick(this, QStringLiteral("f") + n);
        colour(fairways[h], QColor(0xd0, 0x20, 0x20));
        greens[h] = tick(this, QStringLiteral("g") + n);
        colour(greens[h], QColor(0x20, 0x9a, 0x30));
        // The hole's par stands small over its box, as on a paper card, and beside it a
        // dot for each stroke the player receives there.
        par[h] = label(this, QStringLiteral("par") + n, QString());
        QFont tiny = par[h]->font();
        tiny.setPointSizeF(tiny.pointSizeF() * 0.7);
        par[h]->setFont(tiny);
        dots[h] = label(this, QStringLiteral("dots") + n, QString());
        dots[h]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        embolden(dots[h]);
        QFont dotFont = dots[h]->font();
        dotFont.setPointSizeF(dotFont.pointSizeF() * 0.8);
        dots[h]->setFont(dotFont);
        holes[h] = box(this, QStringLiteral("HOLE") + n, 3);
        holes[h]->setAlignment(Qt::AlignCenter);
        holes[h]->setToolTip(kHoleHint);
        holes[h]->installEventFilter(this);
        selectAllOnFocus(holes[h]);
        connect(holes[h], &QLineEdit::textChanged, this, [this, h] { holeChanged(h + 1); });
        auto* score = new QGridLayout;
        score->setSpacing(0);
        score->addWidget(par[h], 0, 0, Qt::AlignLeft | Qt::AlignBottom);
        score->addWidget(dots[h], 0, 1, Qt::AlignRight | Qt::AlignBottom);
        score->addWidget(holes[h], 1, 0, 1, 2);
        pts[h] = label(this, QStringLiteral("pts") + n, QString());
        pts[h]->setAlignment(Qt::AlignCenter);
        pts[h]->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00")) + 6);
        holePutts[h] = box(this, QStringLiteral("P") + n, 1);
        holePutts[h]->setValidator(new QIntValidator(0, 9, holePutts[h]));
        holePutts[h]->setToolTip(kPuttsHint);
        holePutts[h]->installEventFilter(this);
        selectAllOnFocus(holePutts[h]);
        connect(holePutts[h], &QLineEdit::textChanged, this, &ScoreAdd::holePuttsChanged);
        penalties[h] = box(this, QStringLiteral("X") + n, 1);
        penalties[h]->setValidator(new QIntValidator(0, 99, penalties[h]));
        penalties[h]->setToolTip(QStringLiteral("Penalty strokes on the hole"));
        selectAllOnFocus(penalties[h]);
        for (QLineEdit* b : {holePutts[h], penalties[h]}) {
            b->setAlignment(Qt::AlignCenter);
            b->setMaxLength(2);
        }
        bunkers[h] = tick(this, QStringLiteral("B") + n);
        bunkers[h]->setToolTip(QStringLiteral("Played from a greenside bunker"));
        colour(bunkers[h], QColor(0xb8, 0x86, 0x1c));
        // A tick box no wider than its tick, so that its colour frames the tick alone.
        const int tickSize =
            style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, fairways[h]) + 6;
        for (QCheckBox* b : {fairways[h], greens[h], bunkers[h]})
            b->setFixedSize(tickSize, tickSize);
        grid->addWidget(l, row, at + 0, Qt::AlignRight | Qt::AlignBottom);
        grid->addWidget(fairways[h], row, at + 1, Qt::AlignCenter | Qt::AlignBottom);
        grid->addWidget(greens[h], row, at + 2, Qt::AlignCenter | Qt::AlignBottom);
        grid->addLayout(score, row, at + 3);
        grid->addWidget(pts[h], row, at + 4, Qt::AlignBottom);
        grid->addWidget(holePutts[h], row, at + 5, Qt::AlignBottom);
        grid->addWidget(penalties[h], row, at + 6, Qt::AlignBottom);
        grid->addWidget(bunkers[h], row, at + 7, Qt::AlignCenter | Qt::AlignBottom);
    }
    // The totals under the holes: OUT, the putts and the standard scratch under the front
    // nine; IN, gross, net and points under the back.
    const auto total = [&](const QString& name, const QString& text, int row, int nine) {
        auto* l = label(this, QStringLiteral("Label") + name, text);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        embolden(l);
        auto* b = box(this, name, 3);
        b->setAlignment(Qt::AlignCenter);
        grid->addWidget(l, row, nine * kColumns, 1, 3);
        grid->addWidget(b, row, nine * kColumns + 3);
        return b;
    };
    grid->setRowMinimumHeight(10, 8);
    out = total(QStringLiteral("out"), QStringLiteral("OUT"), 11, 0);
    inn = total(QStringLiteral("inn"), QStringLiteral("IN"), 11, 1);
    gross = total(QStringLiteral("gross"), QStringLiteral("Gross"), 12, 1);
    net = total(QStringLiteral("net"), QStringLiteral("Net"), 13, 1);
    holeDetail = new QCheckBox(QStringLiteral("Putts &hole by hole"), this);
    holeDetail->setObjectName(QStringLiteral("holeDetail"));
    holeDetail->setToolTip(QStringLiteral("After hole 18 the card goes on to each hole's putts, "
                                          "one key a hole: X adds a penalty stroke, B ticks a "
                                          "greenside bunker"));
    holeDetail->setChecked(QSettings().value(kHoleDetailSetting, false).toBool());
    connect(holeDetail, &QCheckBox::toggled, this,
            [](bool on) { QSettings().setValue(kHoleDetailSetting, on); });
    grid->addWidget(holeDetail, 12, 1, 1, 7);
    putts = total(QStringLiteral("putts"), QStringLiteral("Putts total"), 13, 0);
    ss = total(QStringLiteral("ss"), QStringLiteral("Standard scratch"), 14, 0);
    points = total(QStringLiteral("points"), QStringLiteral("Points"), 14, 1);
    points->setReadOnly(true);
    points->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit* b : {putts, ss}) {
        selectAllOnFocus(b);
        if (auto* l = findChild<QLabel*>(QStringLiteral("Label") + b->objectName()))
            l->setFont(font());
    }
    grid->setRowStretch(15, 1);

    // The competition along the top, the key to the ticks beside it, over the card.
    auto* legend = new QGridLayout;
    legend->setVerticalSpacing(0);
    legend->addWidget(key, 0, 0);
    legend->addWidget(red, 0, 1);
    legend->addWidget(keys, 1, 0, 1, 2);
    legend->addWidget(green, 0, 2);
    legend->setColumnStretch(3, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(competitionLabel);
    top->addWidget(competition);
    top->addSpacing(16);
    top->addLayout(legend, 1);
    auto* layout = new QGridLayout(this);
    layout->addLayout(top, 0, 0, 1, 2);
    layout->addLayout(left, 1, 0);
    layout->addWidget(card, 1, 1);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(player, &QComboBox::activated, this, &ScoreAdd::playerPicked);
    connect(course, &QComboBox::currentTextChanged, this, &ScoreAdd::courseChanged);
    connect(tee, &QComboBox::currentIndexChanged, this, &ScoreAdd::handicapsChanged);
    connect(handicapIndex, &QLineEdit::textEdited, this, &ScoreAdd::handicapsChanged);
    for (QLineEdit* b : {competition, date})
        connect(b, &QLineEdit::editingFinished, this, &ScoreAdd::competitionChanged);
    connect(handicap, &QLineEdit::textChanged, this, &ScoreAdd::showPoints);
    connect(saveButton, &QPushButton::clicked, this, &ScoreAdd::save);
    connect(newRoundButton, &QPushButton::clicked, this, &ScoreAdd::newRound);
    connect(clearButton, &QPushButton::clicked, this, &ScoreAdd::clearForm);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(editButton, &QPushButton::clicked, this, &ScoreAdd::pickRoundToEdit);
    connect(deleteButton, &QPushButton::clicked, this, &ScoreAdd::deleteLoadedRound);
    // A registered player's name typed in full is that player, as if picked from the list.
    connect(player->lineEdit(), &QLineEdit::editingFinished, this, &ScoreAdd::playerTyped);

    QList<QWidget*> order{course, tee, handicap, handicapIndex, date, competition};
    for (QLineEdit* h : holes)
        order << h;
    order << putts << ss << comment << saveButton << newRoundButton << closeButton << out << player;
    // The tick boxes keep the odd order the card was first drawn with.
    order << fairways[0];
    for (int h = 0; h < 8; ++h)
        order << greens[h];
    for (int h = 1; h < 9; ++h)
        order << fairways[h];
    order << greens[8] << fairways[9];
    for (int h = 9; h < 17; ++h)
        order << greens[h];
    for (int h = 10; h < 18; ++h)
        order << fairways[h];
    order << greens[17] << division << net << gross << inn << clearButton << editButton
          << deleteButton << holeDetail;
    for (const auto& row : {holePutts, penalties})
        for (QLineEdit* b : row)
            order << b;
    for (QCheckBox* b : bunkers)
        order << b;
    focusOrder(order);
}

void ScoreAdd::load()
{
    clearButton->hide();
    savedLabel->hide();
    if (const auto lists = m_entry.pickers()) {
        player->addItems(lists->players);
        course->addItems(lists->courses);
    } else {
        app().inform(lists.error());
    }
    player->setCurrentIndex(-1);
    player->setEditText(QString());
    course->setCurrentIndex(-1);
    course->setEditText(QString());
    date->setText(formatDate(app().today(), DateFormat::Short));
    for (QLineEdit* b : {inn, out, gross, net})
        b->setText(QStringLiteral("0"));
    setHolesToZero();
    for (QLineEdit* b : {putts, handicap, ss})
        b->setText(QStringLiteral("0"));
    course->setFocus();
    // Opened to correct a stored round.
    contextChanged();
}

void ScoreAdd::courseChanged(const QString& courseName)
{
    m_course.reset();
    // Only a course of the register has pars and tees to show.
    if (course->findText(courseName, Qt::MatchFixedString) >= 0)
        if (const auto found = m_entry.course(courseName); found && *found)
            m_course = **found;
    const golf::Holes played = m_course ? holesOf(m_course->course) : golf::Holes();
    bool allPars = true;
    for (int p : played.par)
        allPars &= p > 0;
    for (int h = 0; h < 18; ++h)
        par[h]->setText(m_course && allPars
                            ? QStringLiteral("Par %1").arg(valueText(*m_course->course.pars[h]))
                            : QString());
    {
        const QSignalBlocker quiet(tee);
        tee->clear();
        if (m_course)
            for (const Tee& t : m_course->tees)
                tee->addItem(t.label(), t.id);
    }
    if (!m_loading)
        chooseTee();
}

void ScoreAdd::chooseTee()
{
    if (tee->count() == 0) {
        handicapsChanged();
        return;
    }
    int at = 0;
    if (const auto last = m_entry.lastTee(player->currentText(), course->currentText());
        last && *last)
        at = qMax(0, tee->findData(**last));
    const QSignalBlocker quiet(tee);
    tee->setCurrentIndex(at);
    handicapsChanged();
}

const Tee* ScoreAdd::chosenTee() const
{
    if (!m_course || tee->currentIndex() < 0)
        return nullptr;
    const qint64 id = tee->currentData().toLongLong();
    for (const Tee& t : m_course->tees)
        if (t.id == id)
            return &t;
    return nullptr;
}

double ScoreAdd::allowance()
{
    const QString name = competition->text().trimmed();
    const auto day = toStoredDate(date->text());
    if (name.isEmpty() || !day)
        return 1.0;
    return m_entry.allowance(name, *day).valueOr(0.95);
}

void ScoreAdd::competitionChanged()
{
    readDay();
    handicapsChanged();
}

void ScoreAdd::readDay()
{
    const QString name = competition->text().trimmed();
    const auto day = toStoredDate(date->text());
    m_day = competitions::Settings{name, day.value_or(QString())};
    m_daySides.clear();
    if (!name.isEmpty() && day) {
        const auto kept = m_entry.competition(name, *day);
        const auto sides = m_entry.sides(name, *day);
        if (kept && sides) {
            m_day = *kept;
            if (golf::oneBall(m_day.team))
                m_daySides = *sides;
        }
    }
    // The sides of a one-ball day are picked as players are.
    const QString typed = player->currentText();
    for (const QString& listed : std::as_const(m_sidesListed))
        if (const int at = player->findText(listed, Qt::MatchFixedString); at >= 0)
            player->removeItem(at);
    m_sidesListed.clear();
    for (const competitions::Side& side : std::as_const(m_daySides)) {
        player->addItem(side.name);
        m_sidesListed << side.name;
    }
    player->setEditText(typed);
    m_side = sideNamed(typed);
}

std::optional<competitions::Side> ScoreAdd::sideNamed(const QString& name) const
{
    for (const competitions::Side& side : m_daySides)
        if (side.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return side;
    return std::nullopt;
}

void ScoreAdd::handicapsChanged()
{
    if (m_loading)
        return;
    const Tee* chosen = chosenTee();
    const auto index = readIndex(handicapIndex->text());
    const int teePar = m_course && chosen ? parOf(m_course->course, chosen) : 0;
    // Over one nine, the nine's own ratings and half the index.
    std::optional<Tee> rated = chosen ? std::optional<Tee>(*chosen) : std::nullopt;
    int par = teePar;
    double share = 1.0;
    if (rated && m_day.nine != competitions::Nine::Eighteen) {
        const Tee::Nine& nine =
            m_day.nine == competitions::Nine::Front ? rated->front : rated->back;
        if (nine.rated()) {
            rated->courseRating = nine.courseRating;
            rated->slopeRating = nine.slopeRating;
            par = *nine.par;
            share = 0.5;
        } else {
            rated.reset();
        }
    }
    if (m_side) {
        // A side's one ball: the shares of its players' Course Handicaps the format gives.
        QList<double> courseHandicaps;
        for (const QString& name : std::as_const(m_side->players)) {
            const auto known = m_entry.player(name);
            const auto its = known && *known ? readIndex((*known)->handicap) : std::nullopt;
            const auto each =
                rated && its ? handicapsFor(*its * share, *rated, par, 1.0) : std::nullopt;
            if (!each) {
                courseHandicaps.clear();
                break;
            }
            courseHandicaps << each->courseHandicap;
        }
        const QList<int> side =
            courseHandicaps.size() == m_side->players.size()
                ? golf::playingHandicaps(m_day.team, competitions::playOf(m_day.format),
                                         courseHandicaps, m_day.allowance)
                : QList<int>();
        m_courseHandicap.reset();
        handicapIndex->clear();
        courseHandicap->clear();
        playingHandicap->setText(side.isEmpty() ? QString() : QString::number(side.first()));
        if (!side.isEmpty())
            handicap->setText(QString::number(side.first()));
        showPoints();
        return;
    }
    const auto handicaps = rated && index && !handicapIndex->text().trimmed().isEmpty()
                               ? handicapsFor(*index * share, *rated, par, allowance())
                               : std::nullopt;
    if (!handicaps) {
        // Without a rated tee the card is as it always was: the handicap box alone.
        m_courseHandicap.reset();
        courseHandicap->clear();
        playingHandicap->clear();
        showPoints();
        return;
    }
    m_courseHandicap = handicaps->courseHandicap;
    courseHandicap->setText(QString::number(golf::roundToWhole(handicaps->courseHandicap)));
    playingHandicap->setText(QString::number(handicaps->playingHandicap));
    // The player plays off this: net, the statistics and the results take it.
    handicap->setText(QString::number(handicaps->playingHandicap));
    showPoints();
}

std::optional<int> ScoreAdd::playingHandicapNow() const
{
    if (const auto playing = toInt16(playingHandicap->text()))
        return int(*playing);
    if (const auto box = toInt16(handicap->text()))
        return int(*box);
    return std::nullopt;
}

void ScoreAdd::showPoints()
{
    const golf::Holes played = m_course ? holesOf(m_course->course, chosenTee()) : golf::Holes();
    const auto playing = playingHandicapNow();
    if (!played.complete() || !playing) {
        for (int h = 0; h < 18; ++h) {
            dots[h]->clear();
            pts[h]->clear();
        }
        points->clear();
        return;
    }
    std::array<int, 18> strokes{};
    for (int h = 0; h < 18; ++h)
        strokes[h] = toInt16(holes[h]->text()).value_or(0);
    const golf::Scored scored =
        m_day.nine == competitions::Nine::Eighteen
            ? golf::scoreHoles(strokes, played, *playing)
            : golf::scoreNine(strokes, played, *playing,
                              m_day.nine == competitions::Nine::Front ? 0 : 9);
    for (int h = 0; h < 18; ++h) {
        const int received = scored.received[h];
        // A dot for each stroke received, a plus for each given back.
        dots[h]->setText(received >= 0 ? QString(received, QChar(0x2022))
                                       : QString(-received, QLatin1Char('+')));
        pts[h]->setText(strokes[h] > 0 ? QString::number(scored.points[h]) : QString());
    }
    points->setText(QString::number(scored.totalPoints));
}

bool ScoreAdd::hasUnsavedHoles() const
{
    if (!saveButton->isVisible())
        return false;
    for (const QLineEdit* h : holes)
        if (!h->text().trimmed().isEmpty() && h->text().trimmed() != u"0")
            return true;
    return false;
}

bool ScoreAdd::okToClose()
{
    return !hasUnsavedHoles() ||
           app().prompter().ask(QStringLiteral("Discard this card?"), QStringLiteral("Add Score"),
                                Prompter::Default::No);
}

bool ScoreAdd::tickKey(int hole, const QKeyEvent& key)
{
    QCheckBox* ticked = key.key() == Qt::Key_F   ? fairways[hole]
                        : key.key() == Qt::Key_G ? greens[hole]
                        : key.key() == Qt::Key_B ? bunkers[hole]
                                                 : nullptr;
    if (ticked)
        ticked->toggle();
    return ticked != nullptr;
}

bool ScoreAdd::puttsKey(int hole, const QKeyEvent& key)
{
    if (tickKey(hole, key))
        return true;
    if (key.key() == Qt::Key_X) {
        // Shift+X takes back a stroke added by mistake.
        const int n = toInt16(penalties[hole]->text()).value_or(0) +
                      (key.modifiers() & Qt::ShiftModifier ? -1 : 1);
        penalties[hole]->setText(n > 0 ? QString::number(n) : QString());
        return true;
    }
    const QString typed = key.text();
    if (typed.size() != 1 || !typed[0].isDigit())
        return false;
    // Every digit moves on, the same one again too: one key a hole.
    holePutts[hole]->setText(typed);
    moveFocus(hole < 17 ? static_cast<QWidget*>(holePutts[hole + 1]) : ss);
    return true;
}

bool ScoreAdd::eventFilter(QObject* watched, QEvent* event)
{
    const auto it = std::find(holes.begin(), holes.end(), watched);
    if (it == holes.end()) {
        const auto inPutts = std::find(holePutts.begin(), holePutts.end(), watched);
        if (inPutts == holePutts.end() || event->type() != QEvent::KeyPress)
            return Window::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        return !(key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) &&
               puttsKey(int(inPutts - holePutts.begin()), *key);
    }
    const int h = int(it - holes.begin());
    if (event->type() == QEvent::FocusOut && m_tens == h) {
        // A + left without its digit: the box goes back to what it held.
        m_tens = -1;
        const QSignalBlocker quiet(holes[h]);
        holes[h]->setText(m_beforeTens);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))
        return false;
    const QString typed = key->text();
    if (m_tens == h) {
        m_tens = -1;
        if (typed.size() == 1 && typed[0].isDigit()) {
            holes[h]->setText(QStringLiteral("1") + typed);
            return true;
        }
        const QSignalBlocker quiet(holes[h]);
        holes[h]->setText(m_beforeTens);
        holes[h]->selectAll();
        return key->key() == Qt::Key_Escape || key->key() == Qt::Key_Backspace;
    }
    if (tickKey(h, *key))
        return true;
    switch (key->key()) {
    case Qt::Key_Plus: {
        // Ten and more: "1" shows until the second digit comes.
        m_tens = h;
        m_beforeTens = holes[h]->text();
        const QSignalBlocker quiet(holes[h]);
        holes[h]->setText(QStringLiteral("1"));
        return true;
    }
    default:
        return false;
    }
}

void ScoreAdd::setHolesToZero()
{
    // Hole 11 last, as the card always has: each change moves the focus along.
    for (int h = 0; h < 18; ++h) {
        if (h != 10)
            holes[h]->setText(QStringLiteral("0"));
    }
    holes[10]->setText(QStringLiteral("0"));
}

void ScoreAdd::holeChanged(int hole)
{
    CardTotals totals;
    for (int h = 0; h < 18; ++h)
        totals.holes[h] = holes[h]->text();
    totals.out = out->text();
    totals.inn = inn->text();
    totals.gross = gross->text();
    totals.net = net->text();
    totals.handicap = handicap->text();
    recomputeTotals(totals);
    out->setText(totals.out);
    inn->setText(totals.inn);
    gross->setText(totals.gross);
    net->setText(totals.net);
    showPoints();
    moveFocus(hole < 18                 ? static_cast<QWidget*>(holes[hole])
              : holeDetail->isChecked() ? static_cast<QWidget*>(holePutts[0])
                                        : putts);
}

void ScoreAdd::holePuttsChanged()
{
    int sum = 0;
    bool kept = false;
    for (const QLineEdit* b : holePutts)
        if (const auto n = toInt16(b->text())) {
            sum += *n;
            kept = true;
        }
    // A card that keeps its holes' putts has their sum for its total, not a typed one.
    putts->setReadOnly(kept);
    putts->setToolTip(kept ? kSumHint : QString());
    // Greyed as worked out, not typed.
    QPalette shade;
    if (kept)
        shade.setColor(QPalette::Base, palette().color(QPalette::Window));
    putts->setPalette(shade);
    if (kept)
        putts->setText(QString::number(sum));
}

void ScoreAdd::playerTyped()
{
    const QString typed = player->currentText().trimmed();
    if (typed.isEmpty() || typed.compare(m_picked, Qt::CaseInsensitive) == 0)
        return;
    const int at = player->findText(typed, Qt::MatchFixedString);
    if (at < 0) {
        m_side.reset();
        return; // a visitor's name: asked about at Save
    }
    player->setCurrentIndex(at);
    playerPicked();
}

void ScoreAdd::playerPicked()
{
    const auto row = m_entry.player(player->currentText());
    if (!row) {
        app().inform(row.error());
        return;
    }
    m_picked = player->currentText();
    m_side = sideNamed(m_picked);
    if (m_side) {
        division->setText(QString());
        chooseTee();
        handicapsChanged();
    } else if (*row) {
        const Player& known = **row;
        handicap->setText(known.handicap);
        division->setText(known.division);
        // What the register keeps as the handicap is the player's index: a rated tee
        // turns it into the handicap played off.
        const auto index = readIndex(known.handicap);
        handicapIndex->setText(index ? showIndex(*index) : QString());
        chooseTee();
    }
    moveFocus(competition->text().isEmpty() ? static_cast<QWidget*>(competition) : holes[0]);
}

RoundCard ScoreAdd::card() const
{
    RoundCard c;
    for (int h = 0; h < 18; ++h) {
        c.totals.holes[h] = holes[h]->text();
        c.greens[h] = greens[h]->isChecked();
        c.fairways[h] = fairways[h]->isChecked();
    }
    c.totals.out = out->text();
    c.totals.inn = inn->text();
    c.totals.gross = gross->text();
    c.totals.net = net->text();
    c.totals.handicap = handicap->text();
    c.course = course->currentText();
    c.date = date->text();
    c.putts = putts->text();
    c.player = player->currentText();
    c.division = division->text();
    c.standardScratch = ss->text();
    c.competition = competition->text();
    c.comment = comment->toPlainText();
    if (const Tee* chosen = chosenTee()) {
        c.tee = *chosen;
        c.teePar = parOf(m_course->course, chosen);
    }
    c.handicapIndex = handicapIndex->text();
    c.courseHandicap = m_courseHandicap;
    c.playingHandicap = playingHandicap->text();
    if (!points->text().isEmpty())
        c.points = points->text().toInt();
    if (m_side && m_side->name.compare(c.player.trimmed(), Qt::CaseInsensitive) == 0)
        c.sidePlayers = int(m_side->players.size());
    // A side's card corrected stays a side's while its name stays.
    else if (m_editing != 0 && m_editingRound.sidePlayers &&
             m_editingRound.player.compare(c.player.trimmed(), Qt::CaseInsensitive) == 0)
        c.sidePlayers = m_editingRound.sidePlayers;
    for (int h = 0; h < 18; ++h) {
        const auto typed = [](const QLineEdit* b) {
            const auto n = toInt16(b->text());
            return n ? std::optional<int>(*n) : std::nullopt;
        };
        c.holePutts[h] = typed(holePutts[h]);
        c.penalties[h] = typed(penalties[h]);
        // Where the hole's putts are kept, no tick says no bunker.
        if (bunkers[h]->isChecked() || c.holePutts[h])
            c.bunkers[h] = bunkers[h]->isChecked();
    }
    return c;
}

void ScoreAdd::save()
{
    // A card must say whose round it is and where: a nameless card would stand in
    // the statistics as a player of no name.
    const auto refuse = [this](const QString& why, QWidget* box) {
        app().inform(QStringLiteral("The round was not saved: %1").arg(why));
        moveFocus(box);
    };
    if (player->currentText().trimmed().isEmpty())
        return refuse(QStringLiteral("the player's name is empty. Choose the player, then press "
                                     "Save."),
                      player);
    if (course->currentText().trimmed().isEmpty())
        return refuse(QStringLiteral("the course is empty. Choose the course, then press Save."),
                      course);
    using Kind = RoundEntry::Outcome::Kind;
    RoundEntry::Answers answers;
    for (;;) {
        const auto outcome = m_entry.save(card(), m_editing, m_editingAsRead, answers);
        switch (outcome.kind) {
        case Kind::CannotStore:
            app().inform(kSaveFailed);
            return;
        case Kind::HoleFault:
            app().inform(QStringLiteral("The round was not saved: %1.").arg(outcome.text));
            return;
        case Kind::Failed:
            app().inform(m_editing != 0
                             ? QStringLiteral("The round was not changed: %1").arg(outcome.text)
                             : outcome.text);
            return;
        case Kind::Visitor:
            if (!app().prompter().ask(QStringLiteral("\"%1\" is not in the register of players. "
                                                     "Save the card anyway, as a visitor's?")
                                          .arg(player->currentText()),
                                      QStringLiteral("Save Round"), Prompter::Default::No)) {
                moveFocus(player);
                return;
            }
            answers.visitor = true;
            continue;
        case Kind::ConfirmChange:
            // A correction: said first, and stored over the round it came from.
            if (!app().prompter().ask(QStringLiteral("Change the round of %1 for %2?")
                                          .arg(m_editingDate, m_editingPlayer),
                                      QStringLiteral("Edit a Round"), Prompter::Default::No))
                return;
            answers.change = true;
            continue;
        case Kind::SameCard:
            if (!app().prompter().ask(outcome.text, QStringLiteral("Save Round"),
                                      Prompter::Default::No))
                return;
            answers.again = true;
            continue;
        case Kind::Gone:
            app().inform(
                QStringLiteral("The round was not changed: it is no longer in the register."));
            return;
        case Kind::ChangedMeanwhile:
            // A correction made meanwhile elsewhere is never overwritten unseen.
            if (app().prompter().ask(QStringLiteral("Someone else has changed this round since "
                                                    "you loaded it, so your changes were not "
                                                    "saved. Load it as it is now?"),
                                     QStringLiteral("Changed by another user")))
                loadRound(m_editing);
            return;
        case Kind::Stored:
            break;
        }
        break;
    }
    saveButton->hide();
    savedLabel->show();
    newRoundButton->setFocus();
    if (m_editing != 0) {
        stopEditing();
        return;
    }
    // A side's card counts for no player's Handicap Index.
    if (m_side)
        return;
    app().show(windows::kHandicap, HandicapContext{player->currentText(), handicap->text(),
                                                   !playingHandicap->text().isEmpty()});
}

void ScoreAdd::pickRoundToEdit()
{
    app().show(windows::kPickRound,
               PickRoundContext{player->currentText().trimmed().isEmpty()
                                    ? std::nullopt
                                    : std::optional<QString>(player->currentText()),
                                {},
                                {},
                                QString(),
                                QString()});
}

void ScoreAdd::contextChanged()
{
    if (const auto* round = context<EditRoundContext>())
        loadRound(round->round);
}

void ScoreAdd::loadRound(qint64 key)
{
    const auto found = m_entry.load(key);
    if (!found || !*found) {
        app().inform(found ? QStringLiteral("That round is no longer in the register.")
                           : found.error());
        return;
    }
    const Round& round = (*found)->round;
    m_editingRound = round;
    // As it was stored: the tee and handicaps are not worked out again.
    m_loading = true;
    // The handicap first: each hole written recomputes the totals with it.
    handicap->setText(shown(round.handicap));
    course->setEditText(round.course);
    tee->setCurrentIndex(round.teeID ? tee->findData(*round.teeID) : -1);
    handicapIndex->setText(round.handicapIndex ? showIndex(*round.handicapIndex) : QString());
    m_courseHandicap = round.courseHandicap;
    courseHandicap->setText(round.courseHandicap
                                ? QString::number(golf::roundToWhole(*round.courseHandicap))
                                : QString());
    playingHandicap->setText(shown(round.playingHandicap));
    m_loading = false;
    player->setEditText(round.player);
    m_picked = round.player;
    division->setText(round.division);
    date->setText(formatStoredDate(round.date, DateFormat::Short));
    competition->setText(round.competition);
    ss->setText(round.standardScratch);
    for (int h = 0; h < 18; ++h) {
        holes[h]->setText(shown(round.holes[h]));
        greens[h]->setChecked(round.greens[h]);
        fairways[h]->setChecked(round.fairways[h]);
        holePutts[h]->setText(shown(round.holePutts[h]));
        penalties[h]->setText(shown(round.penalties[h]));
        bunkers[h]->setChecked(round.bunkers[h].value_or(false));
    }
    putts->setText(shown(round.putts));
    holePuttsChanged();
    if (round.hasHoleDetail()) {
        // For this card; what the user chose for new cards stays as it was.
        const QSignalBlocker quiet(holeDetail);
        holeDetail->setChecked(true);
    }
    comment->setPlainText(round.comment);
    // The day's format, for the points of a nine and a side's card.
    readDay();
    if (!round.sidePlayers)
        m_side.reset();
    showPoints();
    m_editing = key;
    m_editingAsRead = (*found)->asRead;
    m_editingDate = formatStoredDate(round.date, DateFormat::Medium);
    m_editingPlayer = round.player;
    setWindowTitle(QStringLiteral("Add Score \u2014 correcting the round of %1 for %2")
                       .arg(m_editingDate, m_editingPlayer));
    savedLabel->hide();
    saveButton->show();
    deleteButton->show();
    moveFocus(holes[0]);
}

void ScoreAdd::deleteLoadedRound()
{
    if (m_editing == 0)
        return;
    const Round& r = m_editingRound;
    const QString points = r.points ? QStringLiteral(", %1 points").arg(*r.points)
                           : r.net  ? QStringLiteral(", net %1").arg(*r.net)
                                    : QString();
    if (!app().prompter().ask(
            QStringLiteral("Delete this round of %1, %2, %3%4?")
                .arg(r.player, formatStoredDate(r.date, DateFormat::Medium), r.course, points),
            QStringLiteral("Delete a Round"), Prompter::Default::No))
        return;
    const auto progress = app().progress(QStringLiteral("Deleting the round\u2026"));
    const auto done = m_entry.deleteRound(m_editing, r, progress.get());
    if (!done) {
        app().inform(QStringLiteral("The round was not deleted: %1").arg(done.error()));
        return;
    }
    if (done->deleted == 0) {
        app().inform(QStringLiteral("The round was not deleted: another user has deleted it, or "
                                    "changed its player, course or day, meanwhile."));
        return;
    }
    app().inform(QStringLiteral("Your Selected Records Have Now Been Deleted\n\n%1 %2")
                     .arg(done->wholeRegister
                              ? QStringLiteral("A copy of the register as it was before is in")
                              : QStringLiteral("A copy of the deleted rounds is in"),
                          QDir::toNativeSeparators(done->backup)));
    // A new card for the next player, as after New Round.
    newRound();
}

void ScoreAdd::stopEditing()
{
    m_editing = 0;
    m_editingAsRead.clear();
    m_editingRound = Round();
    deleteButton->hide();
    setWindowTitle(QStringLiteral("Add Score"));
}

void ScoreAdd::clearPlayersCard()
{
    for (QLineEdit* b : {handicapIndex, courseHandicap, playingHandicap})
        b->clear();
    m_courseHandicap.reset();
    handicap->setText(QStringLiteral("0"));
    setHolesToZero();
    // The holes' putts before the total, which follows them.
    for (const auto& row : {holePutts, penalties})
        for (QLineEdit* b : row)
            b->clear();
    for (QLineEdit* b : {putts, inn, out, gross, net})
        b->setText(QStringLiteral("0"));
    comment->setPlainText(QString());
    for (const auto& row : {fairways, greens, bunkers})
        for (QCheckBox* b : row)
            b->setChecked(false);
}

void ScoreAdd::newRound()
{
    stopEditing();
    division->setText(QString());
    player->setEditText(QString());
    m_picked.clear();
    m_side.reset();
    clearPlayersCard();
    clearButton->show();
    savedLabel->hide();
    saveButton->show();
    moveFocus(player);
}

void ScoreAdd::clearForm()
{
    // After a save, a new card as New Round starts it: course, competition and date stay.
    if (!saveButton->isVisible() && savedLabel->isVisible()) {
        newRound();
        return;
    }
    stopEditing();
    m_picked.clear();
    competition->setText(QString());
    course->setEditText(QString());
    ss->setText(QStringLiteral("0"));
    division->setText(QString());
    player->setEditText(QString());
    date->setText(formatDate(app().today(), DateFormat::Short));
    clearPlayersCard();
    moveFocus(course);
    clearButton->hide();
}

} // namespace parlog
