#include "data/draws.h"

#include "data/competitions.h"
#include "data/engine.h"

namespace parlog::draws {

namespace {

QString kindText(Kind kind)
{
    return kind == Kind::League ? QStringLiteral("league") : QStringLiteral("knockout");
}

QVariant textOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

Status writeParts(Connection& connection, qint64 id, const Draw& d)
{
    for (const char* statement :
         {"DELETE FROM drawEntry WHERE drawID = ?", "DELETE FROM drawMatch WHERE drawID = ?"})
        if (Status done = sql::run(connection, QString::fromLatin1(statement), {id}); !done)
            return done;
    for (qsizetype i = 0; i < d.entries.size(); ++i) {
        const Entry& e = d.entries[i];
        Record r{{QStringLiteral("drawID"), id},
                 {QStringLiteral("position"), int(i + 1)},
                 {QStringLiteral("name"), e.name},
                 {QStringLiteral("withdrawn"), int(e.withdrawn)}};
        for (int p = 0; p < 4; ++p)
            r.insert(QStringLiteral("player%1").arg(p + 1), textOrNull(e.players.value(p)));
        if (Status done = sql::insert(connection, schema::drawEntry(), r); !done)
            return done;
    }
    for (const Match& m : d.matches) {
        const Record r{{QStringLiteral("drawID"), id},
                       {QStringLiteral("round"), m.round},
                       {QStringLiteral("slot"), m.slot},
                       {QStringLiteral("playBy"), textOrNull(m.playBy)},
                       {QStringLiteral("entryA"), m.a},
                       {QStringLiteral("entryB"), textOrNull(m.b)},
                       {QStringLiteral("holesPlayed"), textOrNull(m.holesPlayed)},
                       {QStringLiteral("margin"),
                        m.margin ? QVariant(*m.margin) : QVariant(QMetaType::fromType<int>())},
                       {QStringLiteral("result"), textOrNull(m.result)},
                       {QStringLiteral("winner"), textOrNull(m.winner)}};
        if (Status done = sql::insert(connection, schema::drawMatch(), r); !done)
            return done;
    }
    return {};
}

} // namespace

Result<QStringList> names(Connection& connection)
{
    return sql::texts(connection, QStringLiteral("SELECT name FROM draw ORDER BY name"));
}

namespace {

// The draw the query finds by its one parameter, whole.
Result<std::optional<Draw>> read(Connection& connection, const QString& query, const QVariant& key)
{
    const auto row = sql::firstRow(connection, query, {key});
    if (!row)
        return Failure{row.error()};
    if (row->isEmpty())
        return std::optional<Draw>();
    Draw d;
    d.id = row->value(QStringLiteral("ID")).toLongLong();
    d.name = row->value(QStringLiteral("name")).toString();
    d.kind =
        row->value(QStringLiteral("kind")).toString() == u"league" ? Kind::League : Kind::Knockout;
    d.team = competitions::teamFormatFrom(row->value(QStringLiteral("teamFormat")).toString());
    d.holes = row->value(QStringLiteral("holes")).toInt() == 9 ? 9 : 18;
    d.seeded = row->value(QStringLiteral("seeded")).toInt() != 0;
    d.seed = quint32(row->value(QStringLiteral("seed")).toLongLong());
    d.winPoints = row->value(QStringLiteral("winPoints")).toDouble();
    d.halfPoints = row->value(QStringLiteral("halfPoints")).toDouble();
    const auto entries = sql::rows(
        connection,
        QStringLiteral("SELECT * FROM drawEntry WHERE drawID = ? ORDER BY position, ID"), {*d.id});
    if (!entries)
        return Failure{entries.error()};
    for (const Record& r : recordsOf(schema::drawEntry(), *entries)) {
        Entry e;
        e.name = r.value(QStringLiteral("name")).toString();
        for (int p = 1; p <= 4; ++p)
            if (const QString player = r.value(QStringLiteral("player%1").arg(p)).toString();
                !player.isEmpty())
                e.players << player;
        e.withdrawn = r.value(QStringLiteral("withdrawn")).toInt() != 0;
        d.entries << e;
    }
    const auto matches = sql::rows(
        connection,
        QStringLiteral("SELECT * FROM drawMatch WHERE drawID = ? ORDER BY round, slot, ID"),
        {*d.id});
    if (!matches)
        return Failure{matches.error()};
    for (const Record& r : recordsOf(schema::drawMatch(), *matches)) {
        Match m;
        m.round = r.value(QStringLiteral("round")).toInt();
        m.slot = r.value(QStringLiteral("slot")).toInt();
        m.playBy = r.value(QStringLiteral("playBy")).toString();
        m.a = r.value(QStringLiteral("entryA")).toString();
        m.b = r.value(QStringLiteral("entryB")).toString();
        m.holesPlayed = r.value(QStringLiteral("holesPlayed")).toString();
        if (const QVariant margin = r.value(QStringLiteral("margin")); !margin.isNull())
            m.margin = margin.toInt();
        m.result = r.value(QStringLiteral("result")).toString();
        m.winner = r.value(QStringLiteral("winner")).toString();
        d.matches << m;
    }
    return std::optional<Draw>(d);
}

constexpr int kSavePatienceMs = 10000;

} // namespace

Result<std::optional<Draw>> named(Connection& connection, const QString& name)
{
    return read(connection, QStringLiteral("SELECT * FROM draw WHERE name = ? ORDER BY ID LIMIT 1"),
                name);
}

Result<Kept> save(Connection& connection, const Draw& d, const std::optional<Draw>& asRead)
{
    if (d.name.trimmed().isEmpty())
        return Failure{QStringLiteral("A draw needs a name.")};
    const Record record{{QStringLiteral("name"), d.name.trimmed()},
                        {QStringLiteral("kind"), kindText(d.kind)},
                        {QStringLiteral("teamFormat"), competitions::storedTeamFormat(d.team)},
                        {QStringLiteral("holes"), d.holes},
                        {QStringLiteral("seeded"), int(d.seeded)},
                        {QStringLiteral("seed"), double(d.seed)},
                        {QStringLiteral("winPoints"), d.winPoints},
                        {QStringLiteral("halfPoints"), d.halfPoints}};
    if (Status writable = connection.beforeWrite(); !writable)
        return Failure{writable.error()};
    // One writer at a time: what is compared with the draw as read is what is replaced.
    if (Status locked = connection.engine().beginWriting(kSavePatienceMs); !locked)
        return Failure{locked.error()};
    const auto fail = [&connection](const QString& why) {
        connection.rollback();
        return Failure{why};
    };
    qint64 id = 0;
    if (d.id) {
        const auto now = read(connection, QStringLiteral("SELECT * FROM draw WHERE ID = ?"), *d.id);
        if (!now)
            return fail(now.error());
        if (!*now || (asRead && **now != *asRead)) {
            connection.rollback();
            return Kept{*now ? Saved::Outcome::ChangedMeanwhile : Saved::Outcome::Gone, *d.id};
        }
    } else {
        const auto taken =
            sql::value(connection, QStringLiteral("SELECT count(*) FROM draw WHERE name = ?"),
                       {d.name.trimmed()});
        if (!taken)
            return fail(taken.error());
        if (taken->toLongLong() > 0)
            return fail(QStringLiteral("A draw named \"%1\" is kept already: open it, or give "
                                       "this one a name of its own.")
                            .arg(d.name.trimmed()));
    }
    if (d.id) {
        id = *d.id;
        if (Status done = sql::update(connection, schema::draw(), QStringLiteral("ID"), id, record);
            !done)
            return fail(done.error());
    } else {
        const auto key =
            sql::insertGivingKey(connection, schema::draw(), record, QStringLiteral("ID"));
        if (!key)
            return fail(key.error());
        id = *key;
    }
    if (Status done = writeParts(connection, id, d); !done)
        return fail(done.error());
    if (!connection.commit())
        return fail(connection.describe(connection.lastError()));
    return Kept{Saved::Outcome::Stored, id};
}

Status remove(Connection& connection, qint64 id)
{
    return sql::runAll(connection,
                       {QStringLiteral("DELETE FROM drawEntry WHERE drawID = ?"),
                        QStringLiteral("DELETE FROM drawMatch WHERE drawID = ?"),
                        QStringLiteral("DELETE FROM draw WHERE ID = ?")},
                       {id});
}

} // namespace parlog::draws
