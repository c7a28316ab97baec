#include "data/importing.h"

#include "data/backup.h"
#include "data/connection.h"
#include "data/conversions.h"
#include "data/players.h"
#include "data/schema.h"
#include "reports/csv.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>

namespace parlog::importing {

namespace {

Field field(const char* column, const char* caption, std::initializer_list<const char*> names,
            bool required = false)
{
    Field f{QString::fromLatin1(column), QString::fromLatin1(caption), {}, required};
    f.names << f.column.toLower() << f.caption.toLower();
    for (const char* name : names)
        f.names << QString::fromLatin1(name);
    return f;
}

QString keyOf(const QString& name)
{
    return name.simplified().toLower();
}

// A handicap as a spreadsheet may write it: "12.4", "12,4", "+1.2"; nothing when it is
// not a number.
std::optional<QString> handicapText(const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return QString();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    const bool plus = t.startsWith(QLatin1Char('+'));
    const auto value = toNumber(plus ? t.mid(1) : t);
    if (!value || *value < -10 || *value > 54)
        return std::nullopt;
    return t;
}

} // namespace

QList<Field> fieldsOf(Kind)
{
    return {field("playername", "Name", {"player", "player name", "full name", "member", "member name"},
                  true),
            field("membership", "Membership No.",
                  {"membership no", "membership number", "member no", "member no.", "member number",
                   "mem no.", "mem no", "memberno", "number"}),
            field("Handicapp", "Handicap",
                  {"hcp", "hcap", "h'cap", "handicap index", "index", "hi", "exact handicap"}),
            field("division", "Division", {"div", "section", "category"}),
            field("address1", "Street", {"address", "address 1", "address line 1", "street"}),
            field("address2", "Town", {"address 2", "address line 2", "city"}),
            field("address3", "County", {"address 3", "address line 3", "region"}),
            field("postcode", "Postcode", {"post code", "zip", "zip code", "eircode"}),
            field("telephone", "Telephone", {"phone", "tel", "telephone no", "home phone"}),
            field("mobile", "Mobile", {"mobile no", "mobile phone", "cell", "cell phone"}),
            field("email", "Email", {"e-mail", "email address", "e-mail address", "mail"})};
}

QList<int> matchColumns(Kind kind, const QStringList& header)
{
    const QList<Field> fields = fieldsOf(kind);
    QList<int> columns(fields.size(), -1);
    QSet<int> taken;
    for (qsizetype f = 0; f < fields.size(); ++f)
        for (qsizetype c = 0; c < header.size() && columns[f] < 0; ++c)
            if (!taken.contains(int(c)) && fields[f].names.contains(keyOf(header[c]))) {
                columns[f] = int(c);
                taken.insert(int(c));
            }
    return columns;
}

Result<Preview> preview(Connection& connection, Kind kind, const csv::Table& table,
                        const QList<int>& columns)
{
    Preview p;
    p.kind = kind;
    const QList<Field> fields = fieldsOf(kind);
    const auto known = players::names(connection);
    if (!known)
        return Failure{known.error()};
    QSet<QString> inRegister;
    for (const QString& name : *known)
        inRegister.insert(keyOf(name));
    QSet<QString> inFile;
    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        const QStringList& cells = table.rows[r];
        Row row;
        row.line = table.lines.value(r);
        for (qsizetype f = 0; f < fields.size(); ++f) {
            const int c = columns.value(f, -1);
            if (c >= 0)
                row.record.insert(fields[f].column, cells.value(c).trimmed());
        }
        const QString name = row.record.value(QStringLiteral("playername")).toString().simplified();
        row.record.insert(QStringLiteral("playername"), name);
        const QString handicap = row.record.value(QStringLiteral("Handicapp")).toString();
        const auto readHandicap = handicapText(handicap);
        if (cells.size() != table.header.size())
            row.why = QStringLiteral("the row has %1 fields, the header %2")
                          .arg(cells.size())
                          .arg(table.header.size());
        else if (name.isEmpty())
            row.why = QStringLiteral("no name");
        else if (!readHandicap)
            row.why = QStringLiteral("the handicap \"%1\" is not a number from +10 to 54")
                          .arg(handicap);
        else if (inFile.contains(keyOf(name)))
            row.why = QStringLiteral("%1 is on an earlier row of the file").arg(name);
        if (!row.why.isEmpty()) {
            ++p.notStored;
        } else if (inRegister.contains(keyOf(name))) {
            row.outcome = Row::Outcome::AlreadyThere;
            ++p.alreadyThere;
            inFile.insert(keyOf(name));
        } else {
            row.outcome = Row::Outcome::Stored;
            if (columns.value(2, -1) >= 0)
                row.record.insert(QStringLiteral("Handicapp"), *readHandicap);
            ++p.toStore;
            inFile.insert(keyOf(name));
        }
        p.rows << row;
    }
    return p;
}

Result<Summary> store(Connection& connection, const Preview& preview, bool allOrNothing)
{
    Summary s;
    s.alreadyThere = preview.alreadyThere;
    s.notStored = preview.notStored;
    if (allOrNothing && preview.notStored > 0)
        return Failure{QStringLiteral("nothing was imported: %1 of the rows cannot be stored")
                           .arg(preview.notStored)};
    if (preview.toStore == 0)
        return s;
    // The register as it was, copied aside before anything goes in.
    const auto copy = backupRegister(connection);
    if (!copy)
        return Failure{QStringLiteral("nothing was imported: the copy made first could not be "
                                      "written (%1)")
                           .arg(copy.error())};
    s.backup = *copy;
    if (!connection.transaction())
        return sql::failure(connection);
    for (const Row& row : preview.rows) {
        if (row.outcome != Row::Outcome::Stored)
            continue;
        if (Status done = sql::insert(connection, schema::player(), row.record); !done) {
            connection.rollback();
            return Failure{QStringLiteral("nothing was imported: line %1 could not be stored (%2)")
                               .arg(row.line)
                               .arg(done.error())};
        }
        ++s.stored;
    }
    if (!connection.commit()) {
        connection.rollback();
        return Failure{QStringLiteral("nothing was imported: %1")
                           .arg(connection.describe(connection.lastError()))};
    }
    return s;
}

QString summaryText(Kind, const Summary& s)
{
    const auto count = [](int n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
    };
    return QStringLiteral("%1, %2 and %3 imported; %4 already there; %5 not imported")
        .arg(count(s.stored, "player", "players"), count(0, "course", "courses"),
             count(0, "round", "rounds"), QString::number(s.alreadyThere),
             count(s.notStored, "row", "rows"));
}

Status writeNotStored(const QString& path, const csv::Table& table, const Preview& preview)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Failure{file.errorString()};
    bool ok = file.write("\xEF\xBB\xBF") == 3 &&
              file.write(report::csvLine(table.header + QStringList{QStringLiteral("Reason")})) > 0;
    for (qsizetype r = 0; ok && r < preview.rows.size(); ++r)
        if (preview.rows[r].outcome == Row::Outcome::NotStored)
            ok = file.write(report::csvLine(table.rows.value(r) +
                                            QStringList{preview.rows[r].why})) > 0;
    if (!ok || !file.commit())
        return Failure{file.errorString()};
    return {};
}

Result<Opened> reread(const Opened& opened, const csv::Dialect& dialect, Kind kind)
{
    Opened o;
    o.bytes = opened.bytes;
    o.dialect = dialect;
    auto table = csv::parse(csv::decode(o.bytes, dialect.encoding), dialect.separator);
    if (!table)
        return Failure{QStringLiteral("the file cannot be read as CSV: %1").arg(table.error())};
    o.table = *table;
    o.columns = matchColumns(kind, o.table.header);
    return o;
}

Result<Opened> open(const QString& path, Kind kind)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString())};
    Opened o;
    o.bytes = file.readAll();
    if (o.bytes.contains('\0'))
        return Failure{QStringLiteral("%1 is not a CSV file: it is not text").arg(path)};
    const auto read = reread(o, csv::detect(o.bytes), kind);
    if (!read)
        return Failure{QStringLiteral("%1: %2").arg(path, read.error())};
    return read;
}

QString missingColumns(Kind kind, const QList<int>& columns, const QStringList& header)
{
    const QList<Field> fields = fieldsOf(kind);
    for (qsizetype f = 0; f < fields.size(); ++f)
        if (fields[f].required && columns.value(f, -1) < 0)
            return QStringLiteral("no column of the file holds the %1 (its columns: %2)")
                .arg(fields[f].caption.toLower(), header.join(QStringLiteral(", ")).left(200));
    return {};
}

} // namespace parlog::importing
