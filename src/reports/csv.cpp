#include "reports/csv.h"

#include "data/csv.h"

#include <QDate>
#include <QDir>

namespace parlog::report {

Status writeCsv(const DataSource& source, const QStringList& columns, const OutputFile& target,
                Progress* progress, const QStringList& headers, const QString& groupHeader)
{
    WholeFile whole(target);
    if (Status opened = whole.open(); !opened)
        return opened;
    QIODevice& file = whole.device();
    const auto line = [&](const QStringList& fields) { return file.write(csv::line(fields)) >= 0; };
    const QStringList heading = headers.size() == columns.size() ? headers : columns;
    bool ok = file.write("\xEF\xBB\xBF") == 3;
    const auto values = [&](const auto& read) {
        QStringList fields;
        for (const QString& c : columns)
            fields << csv::field(read(c));
        return fields;
    };
    int written = 0;
    const auto carryOn = [&] { return !progress || progress->carryOn(++written, 0); };
    if (source.grouped()) {
        const QString group = source.columns().value(0);
        ok = ok && line(QStringList{groupHeader.isEmpty() ? group : groupHeader} + heading);
        for (int p = 0; ok && source.hasRow(p); ++p) {
            const QString value = csv::field(source.value(p, group));
            for (int c = 0; ok && source.hasChild(p, c); ++c) {
                if (!carryOn())
                    return Failure{QStringLiteral("The file was not saved: it was cancelled.")};
                ok = line(QStringList{value} + values([&](const QString& column) {
                              return source.childValue(p, c, column);
                          }));
            }
        }
    } else {
        ok = ok && line(heading);
        for (int r = 0; ok && source.hasRow(r); ++r) {
            if (!carryOn())
                return Failure{QStringLiteral("The file was not saved: it was cancelled.")};
            ok = line(values([&](const QString& column) { return source.value(r, column); }));
        }
    }
    // Rows that stopped early would make a file that looks whole: none is written.
    if (const QString broken = source.readError(); !broken.isEmpty())
        return Failure{QStringLiteral("The file was not saved: %1").arg(broken)};
    if (!ok)
        return Failure{QStringLiteral("The file %1 could not be written (%2).")
                           .arg(QDir::toNativeSeparators(target.path), file.errorString())};
    return whole.commit();
}

} // namespace parlog::report
