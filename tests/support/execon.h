#pragma once

#include "data/connection.h"

#include <QSqlQuery>

namespace parlog::test {

// A test's own statement on a connection: prepared, bound and run on its query.
inline bool execOn(Connection& connection, QSqlQuery& q, const QString& sql,
                   const QVariantList& values = {})
{
    bool ok = false;
    if (values.isEmpty()) {
        ok = q.exec(sql);
    } else if (q.prepare(sql)) {
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values[i]);
        ok = q.exec();
    }
    if (!ok)
        connection.setLastError(q.lastError());
    return ok;
}

} // namespace parlog::test
