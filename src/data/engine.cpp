#include "data/engine.h"

#include "data/dialect.h"
#include "data/progress.h"

#include <QElapsedTimer>
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

Status Engine::beginWriting(int patienceMs, Progress* progress)
{
    if (Status can = writable(); !can)
        return can;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        QSqlError error;
        for (const QString& statement : writingStatements()) {
            if (!m_connection.run(statement).ok()) {
                error = m_connection.lastError();
                break;
            }
        }
        if (!error.isValid())
            return {};
        // A BEGIN that went through is undone with the lock that did not.
        (void)m_connection.run(QStringLiteral("ROLLBACK"));
        m_connection.setLastError(error);
        if (!isBusy(error) || waited.elapsed() >= patienceMs ||
            (progress && !progress->carryOn(0, 0)))
            return Failure{describe(error)};
    }
}

namespace {

class StatementCells : public Cells {
public:
    explicit StatementCells(const Statement& statement)
        : m_statement(statement)
    {
    }
    bool isNull(int column) const override { return m_statement.value(column).isNull(); }
    qint64 integer(int column) const override { return m_statement.value(column).toLongLong(); }
    double real(int column) const override { return m_statement.value(column).toDouble(); }
    QString text(int column) const override { return m_statement.value(column).toString(); }
    QByteArrayView utf8(int column) const override
    {
        m_utf8 = text(column).toUtf8();
        return m_utf8;
    }
    int count() const override { return m_statement.record().count(); }
    QVariant value(int column, TextPool*) const override { return m_statement.value(column); }

private:
    const Statement& m_statement;
    mutable QByteArray m_utf8;
};

} // namespace

bool Engine::scan(const QString& sql, const QVariantList& values,
                  const std::function<void(const Cells& row)>& each, QStringList* columns)
{
    Statement q = m_connection.run(sql, values);
    if (!q.ok())
        return false;
    if (columns) {
        const QSqlRecord record = q.record();
        for (int i = 0; i < record.count(); ++i)
            *columns << record.fieldName(i);
    }
    const StatementCells cells(q);
    while (q.next())
        each(cells);
    return q.readToEnd();
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
