#include "rounds/pickround.h"

#include "search/criteria.h"
#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "data/conversions.h"
#include "data/rounds.h"
#include "rounds/roundentry.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"
#include "ui/tables.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>

namespace parlog {

using namespace forms;

namespace {
constexpr int kKeyRole = Qt::UserRole + 1;
}

PickRound::PickRound(Application& app)
    : Window(app, windows::kPickRound, QStringLiteral("Edit a Round"))
{
    auto* playerLabel = label(this, QStringLiteral("Label1"), QStringLiteral("Player"));
    player = picker(this, QStringLiteral("player"));
    player->setMinimumWidth(fontMetrics().averageCharWidth() * 28);
    auto* fromLabel = label(this, QStringLiteral("Label2"), QStringLiteral("Between"));
    from = box(this, QStringLiteral("from"), 10);
    auto* toLabel = label(this, QStringLiteral("Label3"), QStringLiteral("and"));
    to = box(this, QStringLiteral("to"), 10);
    auto* findLabel = label(this, QStringLiteral("Label4"), QStringLiteral("Find"));
    find = box(this, QStringLiteral("find"));
    find->setPlaceholderText(QStringLiteral("course, competition or date"));
    for (QLineEdit* b : {from, to})
        selectAllOnFocus(b);

    m_model = new QStandardItemModel(0, 6, this);
    m_model->setHorizontalHeaderLabels({"Date", "Player", "Course", "Competition", "Gross", "Net"});
    m_filter = new QSortFilterProxyModel(this);
    m_filter->setSourceModel(m_model);
    m_filter->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_filter->setFilterKeyColumn(-1);
    rounds = new QTableView(this);
    rounds->setObjectName(QStringLiteral("rounds"));
    rounds->setModel(m_filter);
    rounds->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rounds->setSelectionBehavior(QAbstractItemView::SelectRows);
    rounds->setSelectionMode(QAbstractItemView::SingleSelection);
    rounds->verticalHeader()->hide();
    sortByHeader(rounds, m_filter);
    status = label(this, QStringLiteral("status"), QString());
    status->setWordWrap(true);

    auto* open = button(this, QStringLiteral("open"), QStringLiteral("Open"));
    auto* close = button(this, QStringLiteral("close"), QStringLiteral("Close"));

    // The criteria over the list, which takes what the window grows by.
    auto* layout = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    top->addWidget(playerLabel, 0, 0);
    top->addWidget(player, 0, 1, 1, 3);
    top->addWidget(fromLabel, 1, 0);
    top->addWidget(from, 1, 1);
    top->addWidget(toLabel, 1, 2);
    top->addWidget(to, 1, 3);
    top->addWidget(findLabel, 1, 4);
    top->addWidget(find, 1, 5);
    top->setColumnStretch(5, 1);
    layout->addLayout(top);
    layout->addWidget(rounds, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status, 1);
    bottom->addWidget(open);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    resize(fontMetrics().averageCharWidth() * 90, fontMetrics().height() * 28);
    connect(player, &QComboBox::activated, this, &PickRound::refresh);
    onKeyUp(player, [this](int key) { typeAhead(player, key, [this](int) { refresh(); }); });
    for (QLineEdit* b : {from, to})
        connect(b, &QLineEdit::editingFinished, this, &PickRound::refresh);
    // Typing narrows the list at once; Down goes to it, Enter opens.
    connect(find, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_filter->setFilterFixedString(text);
        if (m_filter->rowCount() > 0)
            rounds->selectRow(0);
    });
    connect(rounds, &QTableView::doubleClicked, this, &PickRound::openRound);
    connect(open, &QPushButton::clicked, this, &PickRound::openRound);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    setDefaultButton(open);
    focusOrder({player, from, to, find, rounds, open, close});
}

void PickRound::load()
{
    const auto* given = context<PickRoundContext>();
    const QDate today = app().today();
    from->setText(given && !given->from.isEmpty()
                      ? given->from
                      : formatDate(today.addYears(-1), DateFormat::Medium));
    to->setText(given && !given->to.isEmpty() ? given->to : formatDate(today, DateFormat::Medium));
    if (given) {
        m_course = given->course;
        m_competition = given->competition;
    }
    addAllEntry(player, QStringLiteral("All Players"));
    if (const auto names = RoundEntry(app().registerInUse()).playersWithRounds())
        player->addItems(*names);
    else
        app().inform(names.error());
    const int at = given && given->player ? player->findText(*given->player) : 0;
    player->setCurrentIndex(qMax(0, at));
    refresh();
    (given && given->player ? static_cast<QWidget*>(find) : player)->setFocus();
}

void PickRound::refresh()
{
    const auto range = storedRange(from->text(), to->text());
    if (!range) {
        status->setText(range.error());
        return;
    }
    const auto found = RoundEntry(app().registerInUse())
                           .roundsToPick({chosenName(player), m_course, m_competition,
                                          range->from, range->to});
    if (!found) {
        app().inform(found.error());
        return;
    }
    m_model->removeRows(0, m_model->rowCount());
    for (const QVariantList& row : found->rows) {
        QList<QStandardItem*> items;
        auto* date = sortableCell(formatStoredDate(row.value(1), DateFormat::Medium), row.value(1));
        date->setData(row.value(0), kKeyRole);
        items << date;
        for (int c = 2; c <= 6; ++c)
            items << sortableCell(valueText(row.value(c)));
        m_model->appendRow(items);
    }
    fitColumns(rounds);
    if (m_filter->rowCount() > 0)
        rounds->selectRow(0);
    status->setText(QStringLiteral("%1 round%2")
                        .arg(found->rows.size())
                        .arg(found->rows.size() == 1 ? QString() : QStringLiteral("s")));
}

int PickRound::shownRounds() const
{
    return m_filter->rowCount();
}

void PickRound::openRound()
{
    const QModelIndex current = rounds->currentIndex();
    if (!current.isValid()) {
        app().inform(QStringLiteral("Choose a round in the list first, then press Open."));
        return;
    }
    const qint64 key = m_filter->index(current.row(), 0).data(kKeyRole).toLongLong();
    app().show(windows::kScoreCard, EditRoundContext{key});
}

} // namespace parlog
