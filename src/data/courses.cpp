#include "data/courses.h"

#include "data/registers.h"

namespace parlog::courses {

Result<QStringList> names(Connection& connection)
{
    return registers::names(connection, registers::courses());
}

Result<Record> rowNamed(Connection& connection, const QString& name)
{
    return registers::rowNamed(connection, registers::courses(), name);
}

} // namespace parlog::courses
