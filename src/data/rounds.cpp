#include "data/rounds.h"

#include "data/dialect.h"

#include <QHash>
#include <QSqlRecord>

#include <vector>

namespace parlog::rounds {

namespace {

const QStringList kOrderColumns{QStringLiteral("net"),      QStringLiteral("strdate"),
                                QStringLiteral("division"), QStringLiteral("course"),
                                QStringLiteral("playerID"), QStringLiteral("hand")};
const QStringList kGroupColumns{QStringLiteral("division"), QStringLiteral("playerID"),
                                QStringLiteral("course"), QStringLiteral("comp")};

struct Where {
    QString clause;
    QVariantList values;
};

// dates: how the date column is named in the condition; a search whose dates let
// through most rounds names it so that the engine reads the order column's index
// rather than the date's (it cannot know, and would sort them all).
Where where(const Filter& filter, const QString& dates = QStringLiteral("strdate"))
{
    Where w;
    QStringList parts;
    const auto name = [&](const char* column, const std::optional<QString>& value) {
        if (!value)
            return;
        parts << QLatin1String(column) + QStringLiteral(" = ?");
        w.values << *value;
    };
    name("playerID", filter.player);
    name("course", filter.course);
    name("comp", filter.competition);
    parts << dates + QStringLiteral(" BETWEEN ? AND ?");
    w.values << filter.from << filter.to;
    w.clause = parts.join(QStringLiteral(" AND "));
    return w;
}

QString key(Connection& connection)
{
    return connection.dialect().roundKey();
}

Failure notAColumn(const QString& column)
{
    return Failure{QStringLiteral("The rounds cannot be listed by \"%1\".").arg(column)};
}

} // namespace

Status insert(Connection& connection, const Record& record)
{
    return sql::insert(connection, schema::score(), record);
}

Result<int> update(Connection& connection, qint64 key, const Record& record,
                   const Record& asRead)
{
    int changed = 0;
    if (Status done = sql::update(connection, schema::score(), rounds::key(connection), key, record,
                                  &changed, asRead);
        !done)
        return Failure{done.error()};
    return changed;
}

Status insert(Connection& connection, const Round& round)
{
    return insert(connection, round.record());
}

Result<std::optional<Loaded>> load(Connection& connection, qint64 key)
{
    const auto found = sql::rows(
        connection,
        QStringLiteral("SELECT %1 AS card, * FROM score WHERE %1 = ?").arg(rounds::key(connection)),
        {key});
    if (!found)
        return Failure{found.error()};
    if (found->rows.isEmpty())
        return std::optional<Loaded>();
    return std::optional<Loaded>(
        Loaded{Round::from(*found, 0), recordOf(schema::score(), *found, 0)});
}

Result<Saved> correct(Connection& connection, qint64 key, const Round& round,
                      const Record& asRead)
{
    const auto changed = update(connection, key, round.record(), asRead);
    if (!changed)
        return Failure{changed.error()};
    if (*changed > 0)
        return Saved{};
    const auto now = load(connection, key);
    if (!now)
        return Failure{now.error()};
    if (!*now)
        return Saved{Saved::Outcome::Gone, {}};
    return Saved{Saved::Outcome::ChangedMeanwhile, (*now)->asRead};
}

Result<Rows> roundsToPick(Connection& connection, const Filter& filter)
{
    const Where w = where(filter);
    return sql::rows(
        connection,
        QStringLiteral("SELECT %1 AS card, strdate, playerID, course, comp, gross, net "
                       "FROM score WHERE %2 ORDER BY strdate DESC, %1 DESC")
            .arg(key(connection), w.clause),
        w.values);
}

Result<QList<SeasonCard>> seasonCards(Connection& connection, const QString& player,
                                      const QString& from, const QString& to,
                                      const std::optional<QString>& course)
{
    const Where w = where(Filter{player, course, {}, from, to});
    // What the figures read, and no more, straight from the engine's cells.
    QStringList columns{QStringLiteral("strdate"), QStringLiteral("course"),
                        QStringLiteral("gross"), QStringLiteral("net"), QStringLiteral("putts")};
    for (const char* prefix : {"hole", "green", "fairway", "P", "X", "B"})
        for (int h = 1; h <= 18; ++h)
            columns << QLatin1String(prefix) + QString::number(h);
    QList<SeasonCard> cards;
    TextPool pool;
    const auto read = [&](const Cells& row) {
        SeasonCard c;
        c.date = pool.text(row.utf8(0)).left(10);
        c.course = pool.text(row.utf8(1));
        if (!row.isNull(2))
            c.gross = int(row.integer(2));
        if (!row.isNull(3))
            c.net = int(row.integer(3));
        c.putts = int(row.integer(4));
        for (int h = 0; h < 18; ++h) {
            c.holes[h] = int(row.integer(5 + h));
            c.greens[h] = row.integer(23 + h) != 0;
            c.fairways[h] = row.integer(41 + h) != 0;
            for (auto [at, into] : {std::pair{59 + h, &c.holePutts[h]}, std::pair{77 + h, &c.penalties[h]},
                                    std::pair{95 + h, &c.bunkers[h]}})
                *into = row.isNull(at) ? -1 : int(row.integer(at));
        }
        cards << c;
    };
    if (!connection.scan(QStringLiteral("SELECT %1 FROM score WHERE %2 ORDER BY strdate, %3")
                             .arg(columns.join(QStringLiteral(", ")), w.clause, key(connection)),
                         w.values, read))
        return sql::failure(connection);
    return cards;
}

bool isOrderColumn(const QString& column)
{
    return kOrderColumns.contains(column);
}

bool isGroupColumn(const QString& column)
{
    return kGroupColumns.contains(column);
}

Result<qint64> count(Connection& connection, const Filter& filter)
{
    const Where w = where(filter);
    const auto n = sql::value(
        connection, QStringLiteral("SELECT count(*) FROM score WHERE %1").arg(w.clause), w.values);
    if (!n)
        return Failure{n.error()};
    return n->toLongLong();
}

namespace {

class RoundFeed : public RowFeed {
public:
    RoundFeed(std::shared_ptr<Connection> connection, Where where, QString order,
              QStringList columns)
        : m_connection(std::move(connection))
        , m_where(std::move(where))
        , m_order(std::move(order))
        , m_select(std::move(columns))
    {
    }

    // Reads the first keys and rows; until then the feed has read nothing.
    Status start()
    {
        m_started = true;
        if (!m_connection->isOpen()) {
            if (Status opened = m_connection->open(Connection::Check::None); !opened)
                return stop(opened);
        }
        m_key = m_connection->dialect().roundKey();
        m_connection->planEachRun();
        if (Status keys = loadKeys(kFirstKeys); !keys)
            return keys;
        return fetchWindow(0);
    }

    QStringList columns() const override { return m_columns; }

    bool hasRow(int row) override
    {
        if (!m_started)
            (void)start();
        while (row >= int(m_keys.size()) && !m_exhausted)
            if (!loadKeys(kMoreKeys))
                return false;
        return m_error.isEmpty() && row >= 0 && row < int(m_keys.size());
    }

    QString error() const override { return m_error; }

    QVariant value(int row, const QString& column) override
    {
        if (!hasRow(row))
            return {};
        if (row < m_windowStart || row >= m_windowStart + int(m_window.size()))
            if (!fetchWindow(row))
                return {};
        return m_window[row - m_windowStart].value(columnIndex(column));
    }

    int count() override
    {
        if (!m_started)
            (void)start();
        while (!m_exhausted && loadKeys(kMoreKeys)) {
        }
        return int(m_keys.size());
    }

private:
    // A few keys for the first page at once, then large batches: each batch is a trip
    // to a server, and a page count of a quarter of a million rounds needs them all.
    static constexpr int kFirstKeys = 256;
    static constexpr int kMoreKeys = 32768;
    static constexpr int kWindow = 64;
    static constexpr int kLongestWindow = 2048;

    // The next keys in order, after the last one read: by the order column, then by
    // key, with empty values first as the engine sorts them.
    Status loadKeys(int how)
    {
        QString clause = m_where.clause;
        QVariantList values = m_where.values;
        if (!m_keys.empty()) {
            if (m_lastOrder.isNull()) {
                clause += QStringLiteral(" AND ((%1 IS NULL AND %2 > ?) OR %1 IS NOT NULL)")
                              .arg(m_order, m_key);
                values << m_keys.back();
            } else {
                // A row value, which the engine reads as a seek into the order's index.
                clause += QStringLiteral(" AND (%1, %2) > (?, ?)").arg(m_order, m_key);
                values << m_lastOrder << m_keys.back();
            }
        }
        Statement q = m_connection->run(QStringLiteral("SELECT %1, %2 FROM score WHERE %3 "
                                                       "ORDER BY %2 NULLS FIRST, %1 LIMIT %4")
                                            .arg(m_key, m_order, clause)
                                            .arg(how),
                                        values);
        if (!q.ok())
            return stop(sql::failure(*m_connection));
        int read = 0;
        while (q.next()) {
            m_keys.push_back(q.value(0).toLongLong());
            m_lastOrder = q.value(1);
            ++read;
        }
        if (!q.readToEnd())
            return stop(sql::failure(*m_connection));
        m_exhausted = read < how;
        return {};
    }

    // The first error ends the feed: the rows after it would be a silent gap.
    Status stop(Status why)
    {
        m_exhausted = true;
        if (m_error.isEmpty())
            m_error = why.error();
        return why;
    }

    // Where a column is, each spelling asked for looked up once: a report asks for
    // every cell by name.
    int columnIndex(const QString& column)
    {
        if (const auto known = m_index.constFind(column); known != m_index.constEnd())
            return *known;
        const int c = m_index.value(column.toLower(), -1);
        m_index.insert(column, c);
        return c;
    }

    // The rows of a window of keys, from the one asked for on. Read on from the last
    // window, the window grows: a report read to its end takes few statements, and the
    // first page still comes at once.
    Status fetchWindow(int from)
    {
        const bool readingOn = from == m_windowStart + int(m_window.size()) && from > 0;
        m_windowSize = readingOn ? qMin(m_windowSize * 2, kLongestWindow) : kWindow;
        const int to = qMin(int(m_keys.size()), from + m_windowSize);
        QVariantList keys;
        for (int i = from; i < to; ++i)
            keys << m_keys[size_t(i)];
        const QString list =
            m_select.isEmpty() ? QStringLiteral("*") : m_select.join(QStringLiteral(", "));
        const QString marks = QStringList(keys.size(), QStringLiteral("?")).join(u", ");
        QStringList named;
        QHash<qint64, QVariantList> byKey;
        byKey.reserve(keys.size());
        if (!m_connection->scan(
                QStringLiteral("SELECT %1 AS parlog_key, %2 FROM score WHERE %1 IN (%3)")
                    .arg(m_key, list, keys.isEmpty() ? QStringLiteral("NULL") : marks),
                keys,
                [&](const Cells& cells) {
                    QVariantList row;
                    row.reserve(cells.count() - 1);
                    for (int i = 1; i < cells.count(); ++i)
                        row << cells.value(i, &m_pool);
                    byKey.insert(cells.integer(0), std::move(row));
                },
                &named))
            return stop(sql::failure(*m_connection));
        if (m_columns.isEmpty()) {
            for (int i = 1; i < named.size(); ++i) {
                m_columns << named[i];
                m_index.insert(named[i].toLower(), i - 1);
            }
        }
        m_window.clear();
        for (const QVariant& key : std::as_const(keys))
            m_window << byKey.value(key.toLongLong());
        m_windowStart = from;
        return {};
    }

    std::shared_ptr<Connection> m_connection;
    bool m_started = false;
    Where m_where;
    QString m_order;
    QStringList m_select;
    QString m_key;
    std::vector<qint64> m_keys;
    QVariant m_lastOrder;
    bool m_exhausted = false;
    QString m_error;
    QStringList m_columns;
    QHash<QString, int> m_index;
    int m_windowStart = 0;
    int m_windowSize = kWindow;
    QList<QVariantList> m_window;
    TextPool m_pool; // names and days repeat from window to window
};

} // namespace

// Whether a search with no name in it lets through more than a quarter of the rounds.
bool isBroad(Connection& connection, const Filter& filter)
{
    if (filter.player || filter.course || filter.competition)
        return false;
    const auto matching = count(connection, filter);
    const auto all = sql::value(connection, QStringLiteral("SELECT count(*) FROM score"));
    return matching && all && *matching * 4 > all->toLongLong();
}

Result<std::shared_ptr<RowFeed>> feed(const Connection& like, const Filter& filter,
                                      const QString& orderColumn, const QStringList& columns)
{
    if (!isOrderColumn(orderColumn))
        return notAColumn(orderColumn);
    for (const QString& c : columns)
        if (!schema::score().column(c))
            return notAColumn(c);
    std::shared_ptr<Connection> connection = like.another();
    if (Status opened = connection->open(Connection::Check::None); !opened)
        return Failure{opened.error()};
    // Only an engine without statistics needs telling; counting costs a server a scan.
    const QString unindexed = connection->dialect().unindexed(QStringLiteral("strdate"));
    const QString dates = unindexed != u"strdate" && isBroad(*connection, filter)
                              ? unindexed
                              : QStringLiteral("strdate");
    auto rows = std::make_shared<RoundFeed>(connection, where(filter, dates), orderColumn, columns);
    if (Status started = rows->start(); !started)
        return Failure{started.error()};
    return std::shared_ptr<RowFeed>(std::move(rows));
}

Result<QList<std::shared_ptr<RowFeed>>>
groupFeeds(const Connection& like, const Filter& filter, const QString& orderColumn,
           const QStringList& columns, const QString& groupColumn, const QStringList& groupValues)
{
    if (!isOrderColumn(orderColumn))
        return notAColumn(orderColumn);
    if (!isGroupColumn(groupColumn))
        return notAColumn(groupColumn);
    for (const QString& c : columns)
        if (!schema::score().column(c))
            return notAColumn(c);
    const std::shared_ptr<Connection> connection = like.another();
    QList<std::shared_ptr<RowFeed>> feeds;
    for (const QString& value : groupValues) {
        Where w = where(filter);
        w.clause += QStringLiteral(" AND %1 = ?").arg(groupColumn);
        w.values << value;
        feeds << std::make_shared<RoundFeed>(connection, std::move(w), orderColumn, columns);
    }
    return feeds;
}

Result<QList<qint64>> keys(Connection& connection, const Filter& filter)
{
    const Where w = where(filter);
    const auto found = sql::rows(
        connection,
        QStringLiteral("SELECT %1 FROM score WHERE %2 ORDER BY %1").arg(key(connection), w.clause),
        w.values);
    if (!found)
        return Failure{found.error()};
    QList<qint64> list;
    list.reserve(found->rows.size());
    for (const QVariantList& row : found->rows)
        list << row.value(0).toLongLong();
    return list;
}

namespace {

// A statement over a list of keys, a few hundred to a statement, with the criteria
// checked again so that a round changed meanwhile to fall outside them stays.
template <typename Each>
Status inBatches(Connection& connection, const Filter& filter, const QList<qint64>& keys,
                 Progress* progress, const QString& statement, Each each)
{
    constexpr qsizetype kBatch = 500;
    const Where w = where(filter);
    for (qsizetype from = 0; from < keys.size(); from += kBatch) {
        if (progress && !progress->carryOn(from, keys.size()))
            return Failure{QStringLiteral("it was cancelled, so nothing was changed.")};
        const qsizetype n = qMin(kBatch, keys.size() - from);
        QVariantList values;
        for (qsizetype i = from; i < from + n; ++i)
            values << keys[i];
        values += w.values;
        const QString marks = QStringList(n, QStringLiteral("?")).join(u", ");
        if (Status done = each(statement.arg(key(connection), marks, w.clause), values); !done)
            return done;
    }
    return {};
}

} // namespace

Result<Rows> lockRounds(Connection& connection, const Filter& filter, const QList<qint64>& keys,
                        Progress* progress)
{
    Rows all;
    const Status read = inBatches(
        connection, filter, keys, progress,
        QStringLiteral("SELECT %1 AS card, * FROM score WHERE %1 IN (%2) AND %3 ORDER BY %1") +
            connection.dialect().lockForUpdate(),
        [&](const QString& statement, const QVariantList& values) -> Status {
            auto rows = sql::rows(connection, statement, values);
            if (!rows)
                return Failure{rows.error()};
            all.columns = rows->columns;
            all.rows += rows->rows;
            return {};
        });
    if (!read)
        return Failure{read.error()};
    return all;
}

Result<int> removeKeys(Connection& connection, const Filter& filter, const QList<qint64>& keys,
                       Progress* progress)
{
    int deleted = 0;
    connection.cacheWholeFile(true);
    const Status done = inBatches(
        connection, filter, keys, progress,
        QStringLiteral("DELETE FROM score WHERE %1 IN (%2) AND %3"),
        [&](const QString& statement, const QVariantList& values) {
            int n = 0;
            Status ran = sql::run(connection, statement, values, &n);
            deleted += n;
            return ran;
        });
    connection.cacheWholeFile(false);
    if (!done)
        return Failure{done.error()};
    return deleted;
}

Result<int> remove(Connection& connection, const Filter& filter, Progress* progress)
{
    const Where w = where(filter);
    int deleted = 0;
    // A large deletion touches most pages, several times over for the indexes: with
    // room for the whole file in the cache each is read and journalled once.
    connection.cacheWholeFile(true);
    connection.setProgress(progress);
    const Status done = sql::run(
        connection, QStringLiteral("DELETE FROM score WHERE %1").arg(w.clause), w.values, &deleted);
    connection.setProgress(nullptr);
    connection.cacheWholeFile(false);
    if (!done)
        return Failure{done.error()};
    return deleted;
}

Result<QStringList> values(Connection& connection, const QString& column)
{
    if (!schema::score().column(column))
        return notAColumn(column);
    return sql::texts(connection,
                      connection.dialect().distinctValues(QStringLiteral("score"),
                                                          schema::score().column(column)->name));
}

Result<QStringList> playersNamed(Connection& connection)
{
    return values(connection, QStringLiteral("playerID"));
}

Result<QStringList> coursesNamed(Connection& connection)
{
    return values(connection, QStringLiteral("course"));
}

Result<QStringList> competitionsNamed(Connection& connection)
{
    return values(connection, QStringLiteral("comp"));
}

QString columnOf(Order order)
{
    return kOrderColumns.value(int(order));
}

QString columnOf(Grouping grouping)
{
    return kGroupColumns.value(int(grouping));
}

QString groupCaption(const QString& column)
{
    static const QStringList captions{QStringLiteral("Division"), QStringLiteral("Player"),
                                      QStringLiteral("Course"), QStringLiteral("Competition")};
    for (qsizetype i = 0; i < kGroupColumns.size(); ++i)
        if (kGroupColumns[i].compare(column, Qt::CaseInsensitive) == 0)
            return captions[i];
    return column;
}

Result<Rows> extremeRounds(Connection& connection, const QString& player,
                           const std::optional<QString>& course, bool best)
{
    // Ties all print, as the cards always have: every round sharing the net.
    const QString aggregate = best ? QStringLiteral("min") : QStringLiteral("max");
    if (!course)
        return sql::rows(connection,
                         QStringLiteral("SELECT * FROM score WHERE playerID = ? AND net = "
                                        "(SELECT %1(net) FROM score WHERE playerID = ?) "
                                        "ORDER BY %2")
                             .arg(aggregate, key(connection)),
                         {player, player});
    return sql::rows(connection,
                     QStringLiteral("SELECT * FROM score WHERE playerID = ? AND course = ? AND "
                                    "net = (SELECT %1(net) FROM score WHERE playerID = ? AND "
                                    "course = ?) ORDER BY %2")
                         .arg(aggregate, key(connection)),
                     {player, *course, player, *course});
}

Result<QStringList> coursesPlayed(Connection& connection, const QString& player)
{
    return sql::texts(connection,
                      QStringLiteral("SELECT DISTINCT course FROM score WHERE playerID = ? AND "
                                     "course IS NOT NULL ORDER BY course"),
                      {player});
}

Result<Rows> holeAggregates(Connection& connection, const QString& player, Aggregate aggregate)
{
    const QString function = aggregate == Aggregate::Min   ? QStringLiteral("min")
                             : aggregate == Aggregate::Max ? QStringLiteral("max")
                                                           : QStringLiteral("avg");
    QStringList columns;
    for (int h = 1; h <= 18; ++h)
        columns << QStringLiteral("%1(hole%2) AS h%2").arg(function).arg(h);
    return sql::rows(connection,
                     QStringLiteral("SELECT %1 FROM score WHERE playerID = ?")
                         .arg(columns.join(QStringLiteral(", "))),
                     {player});
}

Result<QList<Competition>> competitions(Connection& connection, const QString& from,
                                        const QString& to)
{
    const auto rows = sql::rows(
        connection,
        QStringLiteral("SELECT comp, strdate, min(course), count(*) FROM score WHERE strdate "
                       "BETWEEN ? AND ? AND comp IS NOT NULL AND comp <> '' GROUP BY comp, "
                       "strdate ORDER BY strdate DESC, comp"),
        {from, to});
    if (!rows)
        return Failure{rows.error()};
    QList<Competition> list;
    for (const QVariantList& r : rows->rows)
        list.append({r[0].toString(), r[1].toString(), r[2].toString(), r[3].toInt()});
    return list;
}

namespace {

// What ranking a field needs, and no more: a field runs to thousands of cards.
QStringList rankedColumns()
{
    QStringList columns{
        QStringLiteral("card"),    QStringLiteral("playerID"), QStringLiteral("division"),
        QStringLiteral("hand"),    QStringLiteral("gross"),    QStringLiteral("net"),
        QStringLiteral("course"),  QStringLiteral("compss"),   QStringLiteral("comp"),
        QStringLiteral("strdate"), QStringLiteral("teeID"),    QStringLiteral("playingHandicap"),
        QStringLiteral("points"),  QStringLiteral("teePar"),   QStringLiteral("sidePlayers")};
    for (int h = 1; h <= 18; ++h)
        columns << QStringLiteral("hole%1").arg(h);
    return columns;
}

QString rankedSelect(Connection& connection)
{
    return QStringLiteral("SELECT %1 AS card, %2 FROM score ")
        .arg(key(connection), rankedColumns().mid(1).join(QStringLiteral(", ")));
}

} // namespace

Result<Rows> competitionCards(Connection& connection, const QString& competition,
                              const QString& from, const QString& to)
{
    return sql::scannedRows(connection,
                            rankedSelect(connection) +
                                QStringLiteral("WHERE comp = ? AND strdate BETWEEN ? AND ? "
                                               "ORDER BY %1")
                                    .arg(key(connection)),
                            {competition, from, to}, rankedColumns());
}

Result<Rows> competitionCardsBetween(Connection& connection, const QString& from,
                                     const QString& to)
{
    return sql::scannedRows(connection,
                            rankedSelect(connection) +
                                QStringLiteral("WHERE strdate BETWEEN ? AND ? AND comp IS NOT "
                                               "NULL AND comp <> '' ORDER BY %1")
                                    .arg(key(connection)),
                            {from, to}, rankedColumns());
}

Result<QString> busiestCourse(Connection& connection, const QString& from, const QString& to)
{
    const auto busiest = sql::value(
        connection,
        QStringLiteral("SELECT course FROM score WHERE strdate BETWEEN ? AND ? GROUP BY course "
                       "ORDER BY count(*) DESC, course LIMIT 1"),
        {from, to});
    if (!busiest)
        return Failure{busiest.error()};
    return busiest->toString();
}

Result<Rows> eclecticCards(Connection& connection, const QString& course, const QString& from,
                           const QString& to)
{
    QStringList holes;
    for (int h = 1; h <= 18; ++h)
        holes << QStringLiteral("hole%1").arg(h);
    return sql::rows(connection,
                     QStringLiteral("SELECT playerID, strdate, playingHandicap, hand, %1 FROM score "
                                    "WHERE course = ? AND strdate BETWEEN ? AND ? ORDER BY "
                                    "strdate, %2")
                         .arg(holes.join(QStringLiteral(", ")), key(connection)),
                     {course, from, to});
}

Result<bool> alreadyThere(Connection& connection, const Round& round)
{
    QString where = QStringLiteral("playerID = ? AND strdate = ? AND course = ?");
    QVariantList values{round.player, round.date, round.course};
    for (int h = 0; h < 18; ++h) {
        where += QStringLiteral(" AND hole%1 IS NOT DISTINCT FROM ?").arg(h + 1);
        values << (round.holes[h] ? QVariant(*round.holes[h]) : QVariant());
    }
    const auto found = sql::value(
        connection, QStringLiteral("SELECT count(*) FROM score WHERE %1").arg(where), values);
    if (!found)
        return Failure{found.error()};
    return found->toLongLong() > 0;
}

Result<std::optional<qint64>> lastTee(Connection& connection, const QString& player,
                                      const QString& course)
{
    const auto tee = sql::value(connection,
                                QStringLiteral("SELECT teeID FROM score WHERE playerID = ? AND "
                                               "course = ? AND teeID IS NOT NULL ORDER BY "
                                               "strdate DESC, %1 DESC LIMIT 1")
                                    .arg(key(connection)),
                                {player, course});
    if (!tee)
        return Failure{tee.error()};
    if (tee->isNull() || !tee->isValid())
        return std::optional<qint64>();
    return std::optional<qint64>(tee->toLongLong());
}

namespace {

HandicapCard handicapCardOf(const Cells& row, TextPool& pool)
{
    HandicapCard card;
    card.key = row.integer(0);
    card.player = pool.text(row.utf8(1));
    card.date = pool.text(row.utf8(2));
    card.course = pool.text(row.utf8(3));
    card.competition = pool.text(row.utf8(4));
    card.tee = pool.text(row.utf8(5));
    if (!row.isNull(6))
        card.teeID = row.integer(6);
    if (!row.isNull(7))
        card.courseRating = row.real(7);
    if (!row.isNull(8))
        card.slopeRating = int(row.integer(8));
    if (!row.isNull(9))
        card.teePar = row.real(9);
    if (!row.isNull(10))
        card.handicapIndex = row.real(10);
    for (int h = 0; h < 18; ++h)
        card.strokes[h] = int(row.integer(11 + h));
    return card;
}

QString handicapCardSelect(Connection& connection)
{
    QStringList holes;
    for (int h = 1; h <= 18; ++h)
        holes << QStringLiteral("hole%1").arg(h);
    return QStringLiteral("SELECT %1, playerID, strdate, course, comp, tee, teeID, courseRating, "
                          "slopeRating, teePar, handicapIndex, %2 FROM score")
        .arg(key(connection), holes.join(QStringLiteral(", ")));
}

bool byDateAsStored(const HandicapCard& a, const HandicapCard& b)
{
    return a.date != b.date ? a.date < b.date : a.key < b.key;
}

} // namespace

Result<QList<HandicapCard>> handicapCards(Connection& connection, const QString& player)
{
    QList<HandicapCard> cards;
    TextPool pool;
    if (!connection.scan(handicapCardSelect(connection) + QStringLiteral(" WHERE playerID = ?"),
                         {player},
                         [&](const Cells& row) { cards << handicapCardOf(row, pool); }))
        return sql::failure(connection);
    std::sort(cards.begin(), cards.end(), byDateAsStored);
    return cards;
}

Result<QHash<QString, QList<HandicapCard>>> everyonesHandicapCards(Connection& connection)
{
    // Read in the order the cards lie, which is several times faster than in a player's
    // order over a whole register, and put in order here.
    TextPool pool;
    QList<QList<HandicapCard>> byName; // a list for each name as it is written
    QHash<QString, qsizetype> listOf;
    QString lastName;
    qsizetype last = -1;
    if (!connection.scan(handicapCardSelect(connection), {}, [&](const Cells& row) {
            HandicapCard card = handicapCardOf(row, pool);
            // Pooled: the same name is the same text, compared without reading it.
            if (last < 0 || !card.player.isSharedWith(lastName)) {
                lastName = card.player;
                last = listOf.value(card.player, byName.size());
                if (last == byName.size()) {
                    listOf.insert(card.player, last);
                    byName.emplaceBack();
                }
            }
            byName[last].append(std::move(card));
        }))
        return sql::failure(connection);
    QHash<QString, QList<HandicapCard>> cards;
    for (QList<HandicapCard>& list : byName) {
        QList<HandicapCard>& into = cards[list.first().player.toLower()];
        if (into.isEmpty())
            into = std::move(list);
        else
            into.append(list);
    }
    for (QList<HandicapCard>& list : cards)
        std::sort(list.begin(), list.end(), byDateAsStored);
    return cards;
}

Result<Rows> roundsPerCourse(Connection& connection, const QString& player)
{
    return sql::rows(connection,
                     QStringLiteral("SELECT course, count(*) AS rounds FROM score WHERE "
                                    "playerID = ? GROUP BY course"),
                     {player});
}

Result<Rows> puttsByDate(Connection& connection, const QString& player)
{
    return sql::rows(connection,
                     QStringLiteral("SELECT strdate, putts FROM score WHERE putts > 0 AND "
                                    "playerID = ? ORDER BY strdate, %1")
                         .arg(key(connection)),
                     {player});
}

} // namespace parlog::rounds
