#include "masterdata/masterdata.h"

#include "data/backup.h"
#include "data/connection.h"
#include "data/courses.h"
#include "data/divisions.h"
#include "data/registerinuse.h"
#include "stats/handicaprecord.h"

namespace parlog {

Result<QStringList> MasterData::names(const registers::Register& r)
{
    return m_where.use([&](Connection& c) { return registers::names(c, r); });
}

Result<Record> MasterData::rowNamed(const registers::Register& r, const QString& name)
{
    return m_where.use([&](Connection& c) { return registers::rowNamed(c, r, name); });
}

Result<Saved> MasterData::save(const registers::Register& r, registers::EditMode mode, qint64 key,
                               const Record& values, const Record& asRead)
{
    return m_where.use(
        [&](Connection& c) { return registers::save(c, r, mode, key, values, asRead); });
}

Result<Saved> MasterData::saveCourse(registers::EditMode mode, qint64 key, const Record& values,
                                     const QList<Tee>& tees, const Record& asRead)
{
    return m_where.use(
        [&](Connection& c) { return courses::save(c, mode, key, values, tees, asRead); });
}

Status MasterData::remove(const registers::Register& r, qint64 key)
{
    return m_where.use([&](Connection& c) { return registers::remove(c, r, key); });
}

Result<Rows> MasterData::list(const registers::Register& r)
{
    return m_where.use([&](Connection& c) {
        return &r == &registers::courses() ? courses::listed(c) : registers::all(c, r);
    });
}

Result<QList<Tee>> MasterData::tees(qint64 courseID)
{
    return m_where.use([&](Connection& c) { return courses::tees(c, courseID); });
}

std::optional<double> MasterData::recordIndex(const QString& player)
{
    const auto record = m_where.use([&](Connection& c) { return handicapRecord(c, player); });
    return record ? record->index : std::nullopt;
}

Result<QStringList> MasterData::divisions()
{
    return m_where.use([](Connection& c) { return divisions::names(c); });
}

Status MasterData::addDivision(const QString& name)
{
    return m_where.use([&](Connection& c) { return divisions::add(c, name); });
}

Status MasterData::removeDivision(const QString& name)
{
    return m_where.use([&](Connection& c) { return divisions::remove(c, name); });
}

Result<importing::Preview> MasterData::preview(importing::Kind kind, importing::Opened opened,
                                               Progress* progress)
{
    return m_where.use([&](Connection& c) {
        opened.indexOnDay = indexAtTheStartOf(c);
        return importing::preview(c, kind, opened, progress);
    });
}

Result<importing::Summary> MasterData::import(importing::Kind kind, importing::Opened opened,
                                              bool allOrNothing, Progress* progress)
{
    return m_where.use([&](Connection& c) {
        opened.indexOnDay = indexAtTheStartOf(c);
        return importing::store(c, kind, opened, allOrNothing, progress);
    });
}

Status MasterData::writeNotImported(importing::Kind kind, const importing::Opened& opened,
                                    const QString& path)
{
    return m_where.use(
        [&](Connection& c) { return importing::writeNotStored(c, kind, opened, path); });
}

Result<QString> MasterData::backUp(Progress* progress)
{
    return m_where.use([&](Connection& c) { return backupRegister(c, progress); });
}

Status MasterData::exportTo(importing::Kind kind, const QString& path, Progress* progress)
{
    return m_where.use(
        [&](Connection& c) { return importing::exportRegister(c, kind, path, progress); });
}

} // namespace parlog
