#include "data/seasons.h"

#include "data/connection.h"
#include "data/engine.h"
#include "data/schema.h"

#include <QRegularExpression>

namespace parlog::seasons {

namespace {
// How long a save waits for another user's, or an import, that holds the register.
constexpr int kSavePatienceMs = 10000;
} // namespace

bool Season::leavesOut(const QString& competition, const QString& date) const
{
    for (const auto& [name, day] : leftOut)
        if (day == date && name.compare(competition, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString pointsText(const QList<double>& points)
{
    QStringList parts;
    for (double p : points)
        parts << QString::number(p, 'g', 6);
    return parts.join(QStringLiteral(", "));
}

std::optional<QList<double>> readPoints(const QString& text)
{
    QList<double> points;
    const QStringList parts = text.split(QRegularExpression(QStringLiteral("[,;\\s]+")),
                                         Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        bool ok = false;
        const double value = part.toDouble(&ok);
        if (!ok || value < 0 || value > 10000)
            return std::nullopt;
        points << value;
    }
    return points;
}

Result<QList<Season>> all(Connection& connection)
{
    const auto rows = sql::rows(connection, QStringLiteral("SELECT * FROM season ORDER BY name, ID"));
    if (!rows)
        return Failure{rows.error()};
    const auto out = sql::rows(connection, QStringLiteral("SELECT seasonID, name, strdate FROM "
                                                          "seasonLeftOut ORDER BY ID"));
    if (!out)
        return Failure{out.error()};
    QList<Season> list;
    for (const Record& row : recordsOf(schema::season(), *rows)) {
        Season s;
        s.id = row.value(QStringLiteral("ID")).toLongLong();
        s.name = row.value(QStringLiteral("name")).toString();
        s.from = row.value(QStringLiteral("fromDate")).toString();
        s.to = row.value(QStringLiteral("toDate")).toString();
        s.positionPoints =
            readPoints(row.value(QStringLiteral("positionPoints")).toString()).value_or(QList<double>{});
        s.playingPoints = row.value(QStringLiteral("playingPoints")).toDouble();
        s.bestOf = row.value(QStringLiteral("bestOf")).toInt();
        for (const QVariantList& r : out->rows)
            if (r[0].toLongLong() == *s.id)
                s.leftOut.append({r[1].toString(), r[2].toString()});
        s.asRead = row;
        s.leftOutAsRead = s.leftOut;
        list << s;
    }
    return list;
}

Result<Kept> save(Connection& connection, const Season& s)
{
    const Record record{{QStringLiteral("name"), s.name},
                        {QStringLiteral("fromDate"), s.from},
                        {QStringLiteral("toDate"), s.to},
                        {QStringLiteral("positionPoints"), pointsText(s.positionPoints)},
                        {QStringLiteral("playingPoints"), s.playingPoints},
                        {QStringLiteral("bestOf"), s.bestOf}};
    if (Status writable = connection.beforeWrite(); !writable)
        return Failure{writable.error()};
    // One writer at a time: what is compared with the season as read is what is changed.
    if (Status locked = connection.engine().beginWriting(kSavePatienceMs); !locked)
        return Failure{locked.error()};
    const auto fail = [&connection](const QString& why) {
        connection.rollback();
        return Failure{why};
    };
    const auto unchanged = [&connection](Saved::Outcome outcome) {
        connection.rollback();
        return Kept{outcome, 0};
    };
    Kept kept;
    if (s.id) {
        kept.id = *s.id;
        int changed = 0;
        if (Status done = sql::update(connection, schema::season(), QStringLiteral("ID"), kept.id,
                                      record, &changed, s.asRead);
            !done)
            return fail(done.error());
        if (changed == 0) {
            const auto now = sql::value(
                connection, QStringLiteral("SELECT count(*) FROM season WHERE ID = ?"), {kept.id});
            if (!now)
                return fail(now.error());
            return unchanged(now->toLongLong() == 0 ? Saved::Outcome::Gone
                                                    : Saved::Outcome::ChangedMeanwhile);
        }
        const auto out = sql::rows(connection,
                                   QStringLiteral("SELECT name, strdate FROM seasonLeftOut WHERE "
                                                  "seasonID = ? ORDER BY ID"),
                                   {kept.id});
        if (!out)
            return fail(out.error());
        QList<std::pair<QString, QString>> leftOutNow;
        for (const QVariantList& r : out->rows)
            leftOutNow.append({r[0].toString(), r[1].toString()});
        if (leftOutNow != s.leftOutAsRead)
            return unchanged(Saved::Outcome::ChangedMeanwhile);
    } else {
        // The key this insert made, never the newest in the table: that may be another
        // user's, saved a moment later.
        const auto key =
            sql::insertGivingKey(connection, schema::season(), record, QStringLiteral("ID"));
        if (!key)
            return fail(key.error());
        kept.id = *key;
    }
    if (Status gone = sql::run(
            connection, QStringLiteral("DELETE FROM seasonLeftOut WHERE seasonID = ?"), {kept.id});
        !gone)
        return fail(gone.error());
    for (const auto& [name, date] : s.leftOut)
        if (Status added = sql::insert(connection, schema::seasonLeftOut(),
                                       {{QStringLiteral("seasonID"), kept.id},
                                        {QStringLiteral("name"), name},
                                        {QStringLiteral("strdate"), date}});
            !added)
            return fail(added.error());
    if (!connection.commit())
        return fail(connection.describe(connection.lastError()));
    return kept;
}

Status remove(Connection& connection, qint64 id)
{
    return sql::runAll(connection,
                       {QStringLiteral("DELETE FROM seasonLeftOut WHERE seasonID = ?"),
                        QStringLiteral("DELETE FROM season WHERE ID = ?")},
                       {id});
}

} // namespace parlog::seasons
