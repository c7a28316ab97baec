#include "data/registers.h"

namespace parlog::registers {

const Register& players()
{
    static const Register r{schema::player(), QStringLiteral("playername")};
    return r;
}

const Register& courses()
{
    static const Register r{schema::courses(), QStringLiteral("coursename")};
    return r;
}

Result<QStringList> names(Connection& connection, const Register& r)
{
    return sql::texts(
        connection,
        QStringLiteral("SELECT %1 FROM %2 ORDER BY %1").arg(r.nameColumn, r.table.name));
}

Result<Record> rowNamed(Connection& connection, const Register& r, const QString& name)
{
    return sql::firstRow(connection,
                         QStringLiteral("SELECT * FROM %1 WHERE %2 = ? ORDER BY ID LIMIT 1")
                             .arg(r.table.name, r.nameColumn),
                         {name});
}

Result<Rows> all(Connection& connection, const Register& r)
{
    return sql::rows(
        connection, QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(r.table.name, r.nameColumn));
}

Status insert(Connection& connection, const Register& r, const Record& record)
{
    return sql::insert(connection, r.table, record);
}

Result<int> update(Connection& connection, const Register& r, qint64 id, const Record& record,
                   const Record& asRead)
{
    int changed = 0;
    if (Status done =
            sql::update(connection, r.table, QStringLiteral("ID"), id, record, &changed, asRead);
        !done)
        return Failure{done.error()};
    return changed;
}

Result<Record> rowWithKey(Connection& connection, const Register& r, qint64 id)
{
    return sql::firstRow(connection,
                         QStringLiteral("SELECT * FROM %1 WHERE ID = ?").arg(r.table.name), {id});
}

Status remove(Connection& connection, const Register& r, qint64 id)
{
    return sql::run(connection, QStringLiteral("DELETE FROM %1 WHERE ID = ?").arg(r.table.name),
                    {id});
}

Result<Saved> save(Connection& connection, const Register& r, EditMode mode, qint64 id,
                   const Record& values, const Record& asRead)
{
    if (mode == EditMode::Browsing)
        return Saved{};
    if (mode == EditMode::Adding) {
        if (Status added = insert(connection, r, values); !added)
            return Failure{added.error()};
        return Saved{};
    }
    const auto changed = update(connection, r, id, values, id != 0 ? asRead : Record());
    if (!changed)
        return Failure{changed.error()};
    if (*changed > 0)
        return Saved{};
    if (id == 0)
        return Saved{Saved::Outcome::NothingChosen, {}};
    const auto now = rowWithKey(connection, r, id);
    if (!now)
        return Failure{now.error()};
    if (now->isEmpty())
        return Saved{Saved::Outcome::Gone, {}};
    return Saved{Saved::Outcome::ChangedMeanwhile, *now};
}

} // namespace parlog::registers
