#include "reports/csv.h"

#include "data/conversions.h"

#include <QDate>
#include <QDir>

namespace parlog::report {

QByteArray csvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& f : fields) {
        if (f.contains(QLatin1Char(',')) || f.contains(QLatin1Char('"')) ||
            f.contains(QLatin1Char('\n')) || f.contains(QLatin1Char('\r'))) {
            QString q = f;
            q.replace(QLatin1String("\""), QLatin1String("\"\""));
            quoted << QLatin1Char('"') + q + QLatin1Char('"');
        } else {
            quoted << f;
        }
    }
    return quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

QString csvField(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    QString text = valueText(value);
    // A spreadsheet runs a cell that starts so as a formula: a name or a telephone
    // number typed as "=HYPERLINK(...)" is shown as the text it is. Numbers stay numbers.
    // A text that begins with the apostrophe itself gets one more, so that reading the
    // file back takes off only the one put there.
    static const QString kFormulaStarts = QStringLiteral("=+-@\t\r'");
    if (value.metaType().id() == QMetaType::QString && !text.isEmpty() &&
        kFormulaStarts.contains(text.front())) {
        bool number = false;
        (void)text.toDouble(&number);
        if (!number)
            text.prepend(QLatin1Char('\''));
    }
    return text;
}

Status writeCsv(const DataSource& source, const QStringList& columns, const OutputFile& target,
                Progress* progress, const QStringList& headers, const QString& groupHeader)
{
    WholeFile whole(target);
    if (Status opened = whole.open(); !opened)
        return opened;
    QIODevice& file = whole.device();
    const auto line = [&](const QStringList& fields) { return file.write(csvLine(fields)) >= 0; };
    const QStringList heading = headers.size() == columns.size() ? headers : columns;
    bool ok = file.write("\xEF\xBB\xBF") == 3;
    const auto values = [&](const auto& read) {
        QStringList fields;
        for (const QString& c : columns)
            fields << csvField(read(c));
        return fields;
    };
    int written = 0;
    const auto carryOn = [&] { return !progress || progress->carryOn(++written, 0); };
    if (source.grouped()) {
        const QString group = source.columns().value(0);
        ok = ok && line(QStringList{groupHeader.isEmpty() ? group : groupHeader} + heading);
        for (int p = 0; ok && source.hasRow(p); ++p) {
            const QString value = csvField(source.value(p, group));
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
