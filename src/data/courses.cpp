#include "data/courses.h"

#include "data/registers.h"

#include <QSet>

namespace parlog::courses {

Result<QStringList> names(Connection& connection)
{
    return registers::names(connection, registers::courses());
}

Result<Record> rowNamed(Connection& connection, const QString& name)
{
    return registers::rowNamed(connection, registers::courses(), name);
}

Result<QHash<QString, std::array<double, 18>>> pars(Connection& connection)
{
    QStringList columns{QStringLiteral("coursename")};
    for (int h = 1; h <= 18; ++h)
        columns << QStringLiteral("hole%1").arg(h);
    const auto rows = sql::rows(connection, QStringLiteral("SELECT %1 FROM courses ORDER BY ID")
                                                .arg(columns.join(QStringLiteral(", "))));
    if (!rows)
        return Failure{rows.error()};
    QHash<QString, std::array<double, 18>> pars;
    for (const QVariantList& row : rows->rows) {
        std::array<double, 18> holes{};
        bool whole = true;
        for (int h = 0; h < 18 && whole; ++h) {
            holes[h] = row.value(h + 1).toDouble();
            whole = !row.value(h + 1).isNull() && holes[h] > 0;
        }
        // Of two courses of one name, the first stored; one without every par has none.
        const QString name = row.value(0).toString().toLower();
        if (whole && !pars.contains(name))
            pars.insert(name, holes);
    }
    return pars;
}

Result<QList<Tee>> tees(Connection& connection, qint64 courseID)
{
    const auto rows = sql::rows(connection,
                                QStringLiteral("SELECT * FROM tees WHERE courseID = ? ORDER BY ID"),
                                {courseID});
    if (!rows)
        return Failure{rows.error()};
    QList<Tee> list;
    for (const Record& record : recordsOf(schema::tees(), *rows))
        list << Tee::from(record);
    return list;
}

Result<std::optional<WithTees>> named(Connection& connection, const QString& name)
{
    const auto row = rowNamed(connection, name);
    if (!row)
        return Failure{row.error()};
    if (row->isEmpty())
        return std::optional<WithTees>();
    WithTees found{Course::from(*row), {}};
    const auto list = tees(connection, found.course.id);
    if (!list)
        return Failure{list.error()};
    found.tees = *list;
    return std::optional<WithTees>(found);
}

Result<QHash<QString, WithTees>> allByName(Connection& connection)
{
    const auto rows = sql::rows(connection, QStringLiteral("SELECT * FROM courses ORDER BY ID"));
    if (!rows)
        return Failure{rows.error()};
    const auto teeRows = sql::rows(connection, QStringLiteral("SELECT * FROM tees ORDER BY ID"));
    if (!teeRows)
        return Failure{teeRows.error()};
    QHash<qint64, QList<Tee>> teesOf;
    for (const Record& record : recordsOf(schema::tees(), *teeRows)) {
        const Tee tee = Tee::from(record);
        teesOf[tee.courseID] << tee;
    }
    QHash<QString, WithTees> all;
    for (const Record& record : recordsOf(schema::courses(), *rows)) {
        const Course course = Course::from(record);
        const QString name = course.name.toLower();
        if (!all.contains(name))
            all.insert(name, {course, teesOf.value(course.id)});
    }
    return all;
}

namespace {

Status saveTees(Connection& connection, qint64 courseID, const QList<Tee>& wanted)
{
    const auto held = tees(connection, courseID);
    if (!held)
        return Failure{held.error()};
    QSet<qint64> kept;
    for (Tee tee : wanted) {
        tee.courseID = courseID;
        if (tee.id != 0) {
            kept.insert(tee.id);
            if (Status done = sql::update(connection, schema::tees(), QStringLiteral("ID"),
                                          tee.id, tee.record());
                !done)
                return done;
        } else if (Status added = sql::insert(connection, schema::tees(), tee.record()); !added) {
            return added;
        }
    }
    for (const Tee& tee : *held)
        if (!kept.contains(tee.id))
            if (Status gone = sql::run(connection, QStringLiteral("DELETE FROM tees WHERE ID = ?"),
                                       {tee.id});
                !gone)
                return gone;
    return {};
}

} // namespace

Result<Saved> save(Connection& connection, registers::EditMode mode, qint64 id,
                   const Record& course, const QList<Tee>& tees, const Record& asRead)
{
    if (mode == registers::EditMode::Browsing)
        return Saved{};
    if (!connection.transaction())
        return sql::failure(connection);
    const auto undo = [&](const QString& why) {
        connection.rollback();
        return Failure{why};
    };
    const auto saved = registers::save(connection, registers::courses(), mode, id, course, asRead);
    if (!saved)
        return undo(saved.error());
    if (saved->outcome != Saved::Outcome::Stored) {
        connection.rollback();
        return saved;
    }
    qint64 key = id;
    if (mode == registers::EditMode::Adding) {
        // The course just added: the newest of its name.
        const auto added = sql::value(
            connection, QStringLiteral("SELECT max(ID) FROM courses WHERE coursename = ?"),
            {course.value(QStringLiteral("coursename"))});
        if (!added)
            return undo(added.error());
        key = added->toLongLong();
    }
    if (Status stored = saveTees(connection, key, tees); !stored)
        return undo(stored.error());
    if (!connection.commit())
        return undo(sql::failure(connection).error);
    return saved;
}

Result<Rows> listed(Connection& connection)
{
    auto list = registers::all(connection, registers::courses());
    if (!list)
        return list;
    const auto all = sql::rows(connection, QStringLiteral("SELECT * FROM tees ORDER BY ID"));
    if (!all)
        return Failure{all.error()};
    QHash<qint64, QStringList> byCourse;
    for (const Record& record : recordsOf(schema::tees(), *all)) {
        const Tee tee = Tee::from(record);
        QString words = tee.label();
        if (tee.par)
            words += QStringLiteral(", par %1").arg(shown(tee.par));
        byCourse[tee.courseID] << words;
    }
    qsizetype id = 0;
    while (id < list->columns.size() && list->columns[id].compare(u"ID", Qt::CaseInsensitive) != 0)
        ++id;
    list->columns << QStringLiteral("tees");
    for (QVariantList& row : list->rows)
        row << byCourse.value(row.value(id).toLongLong()).join(QStringLiteral("; "));
    return list;
}

} // namespace parlog::courses
