#include "data/engine.h"

#include "data/dialect.h"

#include <QSqlQuery>

namespace parlog {

namespace engines {
extern const EngineKind postgresql;
extern const EngineKind sqlite;
} // namespace engines

namespace {
// Every engine, asked in order; the embedded one takes whatever the others leave.
const EngineKind* const kEngines[] = {&engines::postgresql, &engines::sqlite};
} // namespace

std::unique_ptr<Engine> engineFor(Connection& connection)
{
    for (const EngineKind* kind : kEngines)
        if (kind->takes(connection.filePath()))
            return kind->make(connection);
    return engines::sqlite.make(connection);
}

QString errorDetail(const QSqlError& error)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.driverText();
    return text;
}

Status makeTables(Connection& connection)
{
    QSqlDatabase db = connection.database();
    QString problem;
    bool ok = db.transaction();
    {
        QSqlQuery q(db);
        for (const QString& statement : connection.dialect().createStatements()) {
            if (!ok)
                break;
            ok = q.exec(statement);
            if (!ok)
                problem = errorDetail(q.lastError());
        }
    }
    if (ok)
        ok = db.commit();
    else
        db.rollback();
    if (!ok && problem.isEmpty())
        problem = errorDetail(db.lastError());
    if (!ok)
        return Failure{problem.trimmed()};
    return {};
}

} // namespace parlog
