#include "data/importing.h"

#include "data/backup.h"
#include "data/connection.h"
#include "data/conversions.h"
#include "data/courses.h"
#include "data/players.h"
#include "data/records.h"
#include "rounds/scorecard.h"
#include "data/schema.h"
#include "reports/csv.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>

#include <cmath>

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

namespace {

// A course's columns: "Par 1" or "Hole 1", "SI 1" or "Stroke index 1" and the like.
QList<Field> courseFields()
{
    QList<Field> fields{field("coursename", "Name", {"course", "course name", "club"}, true),
                        field("courseadd1", "Address 1", {"address", "address line 1", "street"}),
                        field("courseadd2", "Address 2", {"address line 2", "town"}),
                        field("courseadd3", "Address 3", {"address line 3", "county"}),
                        field("coursetel", "Telephone", {"phone", "tel"})};
    for (int h = 1; h <= 18; ++h) {
        Field par{QStringLiteral("hole%1").arg(h), QStringLiteral("Par %1").arg(h), {}, false};
        par.names << par.column << QStringLiteral("par %1").arg(h)
                  << QStringLiteral("par%1").arg(h) << QStringLiteral("hole %1").arg(h)
                  << QStringLiteral("h%1").arg(h) << QString::number(h);
        fields << par;
    }
    fields << field("coursepar", "Par", {"course par", "total par", "par total"});
    for (int h = 1; h <= 18; ++h) {
        Field si{QStringLiteral("si%1").arg(h), QStringLiteral("SI %1").arg(h), {}, false};
        si.names << si.column << QStringLiteral("si %1").arg(h)
                 << QStringLiteral("s.i. %1").arg(h) << QStringLiteral("stroke index %1").arg(h)
                 << QStringLiteral("index %1").arg(h);
        fields << si;
    }
    return fields;
}

// Why a course's pars and stroke indexes cannot be stored; empty when they can. Pars of
// 3 to 6 become numbers, and the course's par their sum when the file gives none.
QString checkCourse(Record& record)
{
    int sum = 0;
    bool anyPar = false;
    QList<int> indexes;
    for (int h = 1; h <= 18; ++h) {
        const QString parColumn = QStringLiteral("hole%1").arg(h);
        const QString par = record.value(parColumn).toString();
        if (!par.isEmpty()) {
            const auto value = toNumber(par);
            if (!value || *value < 3 || *value > 6 || *value != std::floor(*value))
                return QStringLiteral("the par of hole %1, \"%2\", is not 3, 4, 5 or 6")
                    .arg(h)
                    .arg(par);
            record.insert(parColumn, int(*value));
            sum += int(*value);
            anyPar = true;
        } else {
            record.remove(parColumn);
        }
        const QString siColumn = QStringLiteral("si%1").arg(h);
        const QString si = record.value(siColumn).toString();
        if (!si.isEmpty()) {
            const auto value = toNumber(si);
            if (!value || *value < 1 || *value > 18 || *value != std::floor(*value))
                return QStringLiteral("the stroke index of hole %1, \"%2\", is not 1 to 18")
                    .arg(h)
                    .arg(si);
            if (indexes.contains(int(*value)))
                return QStringLiteral("the stroke index %1 stands on two holes").arg(int(*value));
            indexes << int(*value);
            record.insert(siColumn, int(*value));
        } else {
            record.remove(siColumn);
        }
    }
    if (!indexes.isEmpty() && indexes.size() != 18)
        return QStringLiteral("%1 holes have a stroke index: all 18 or none").arg(indexes.size());
    const QString par = record.value(QStringLiteral("coursepar")).toString();
    if (!par.isEmpty()) {
        const auto value = toNumber(par);
        if (!value || *value < 27 || *value > 90)
            return QStringLiteral("the course's par, \"%1\", is not a number").arg(par);
        record.insert(QStringLiteral("coursepar"), *value);
    } else if (anyPar) {
        record.insert(QStringLiteral("coursepar"), sum);
    } else {
        record.remove(QStringLiteral("coursepar"));
    }
    return {};
}

// A card's columns, as Parlog's own lists and other programs name them.
QList<Field> roundFields()
{
    QList<Field> fields{field("playerID", "Player", {"name", "player name", "golfer"}, true),
                        field("course", "Course", {"course name", "club"}, true),
                        field("strdate", "Date", {"played", "day", "round date", "date played"},
                              true)};
    for (int h = 1; h <= 18; ++h) {
        Field hole{QStringLiteral("hole%1").arg(h), QStringLiteral("Hole %1").arg(h), {}, false};
        hole.names << hole.column << QStringLiteral("hole %1").arg(h)
                   << QStringLiteral("h%1").arg(h) << QString::number(h);
        fields << hole;
    }
    fields << field("hand", "Handicap", {"hcp", "hcap", "h'cap", "playing handicap"})
           << field("putts", "Putts", {"putts total", "total putts"})
           << field("comp", "Competition", {"comp", "event", "competition name"})
           << field("compss", "Standard scratch", {"sss", "css", "standard scratch score"})
           << field("division", "Division", {"div", "section"})
           << field("comment", "Comment", {"comments", "notes", "note"});
    for (int h = 1; h <= 18; ++h) {
        Field fairway{QStringLiteral("fairway%1").arg(h), QStringLiteral("Fairway %1").arg(h), {},
                      false};
        fairway.names << fairway.column << QStringLiteral("fairway %1").arg(h)
                      << QStringLiteral("fir %1").arg(h) << QStringLiteral("fw %1").arg(h);
        Field green{QStringLiteral("green%1").arg(h), QStringLiteral("Green %1").arg(h), {}, false};
        green.names << green.column << QStringLiteral("green %1").arg(h)
                    << QStringLiteral("gir %1").arg(h);
        fields << fairway << green;
    }
    return fields;
}

// A tick as files write them: 1/0, yes/no, y/n, x, true/false; nothing when it is none.
std::optional<bool> readTick(const QString& text)
{
    const QString t = text.trimmed().toLower();
    if (t.isEmpty() || t == u"0" || t == u"no" || t == u"n" || t == u"false")
        return false;
    if (t == u"1" || t == u"yes" || t == u"y" || t == u"x" || t == u"true")
        return true;
    return std::nullopt;
}

// A stored value as text, the same whichever engine or file it came from.
QString comparable(const QVariant& v)
{
    if (v.isNull())
        return {};
    bool number = false;
    const double d = v.toString().toDouble(&number);
    return number ? QString::number(d, 'g', 12) : v.toString().trimmed().toLower();
}

// A card's stored columns in one text: two cards alike in every one are the same card.
QString signature(const Record& record)
{
    QStringList parts;
    for (auto it = record.constBegin(); it != record.constEnd(); ++it)
        parts << it.key().toLower() + QLatin1Char('=') + comparable(it.value());
    parts.sort();
    return parts.join(QChar(0x1f));
}

// The card a row makes, or why it makes none: the register's spellings of player and
// course, the date in the file's order, the totals added up as the card adds them.
Result<Round> roundOf(const Record& row, const QHash<QString, QString>& players,
                      const QHash<QString, QString>& courses, csv::DateOrder order)
{
    RoundCard card;
    const QString player = row.value(QStringLiteral("playerID")).toString().simplified();
    const QString course = row.value(QStringLiteral("course")).toString().simplified();
    if (player.isEmpty())
        return Failure{QStringLiteral("no player")};
    if (!players.contains(player.toLower()))
        return Failure{QStringLiteral("%1 is not a player in the register").arg(player)};
    if (course.isEmpty())
        return Failure{QStringLiteral("no course")};
    if (!courses.contains(course.toLower()))
        return Failure{QStringLiteral("%1 is not a course in the register").arg(course)};
    card.player = players.value(player.toLower());
    card.course = courses.value(course.toLower());
    const QString dateText = row.value(QStringLiteral("strdate")).toString();
    const auto date = csv::readDate(dateText, order);
    if (!date)
        return Failure{QStringLiteral("the date \"%1\" does not exist").arg(dateText)};
    card.date = date->toString(Qt::ISODate);
    for (int h = 0; h < 18; ++h) {
        const QString strokes = row.value(QStringLiteral("hole%1").arg(h + 1)).toString().trimmed();
        const auto value = toNumber(strokes.isEmpty() ? QStringLiteral("0") : strokes);
        if (!value || *value < 0 || *value > 30 || *value != std::floor(*value))
            return Failure{QStringLiteral("hole %1: \"%2\" is not a number of strokes")
                               .arg(h + 1)
                               .arg(strokes)};
        card.totals.holes[h] = QString::number(int(*value));
        const auto fairway = readTick(row.value(QStringLiteral("fairway%1").arg(h + 1)).toString());
        const auto green = readTick(row.value(QStringLiteral("green%1").arg(h + 1)).toString());
        if (!fairway || !green)
            return Failure{QStringLiteral("hole %1: a fairway or green tick is not yes or no")
                               .arg(h + 1)};
        card.fairways[h] = *fairway;
        card.greens[h] = *green;
    }
    QString handicap = row.value(QStringLiteral("hand")).toString().trimmed();
    handicap.replace(QLatin1Char(','), QLatin1Char('.'));
    card.totals.handicap = handicap.isEmpty() ? QStringLiteral("0") : handicap;
    if (const auto h = toNumber(card.totals.handicap); !h || *h < -10 || *h > 54)
        return Failure{QStringLiteral("the handicap \"%1\" is not a number from -10 to 54")
                           .arg(handicap)};
    const QString putts = row.value(QStringLiteral("putts")).toString().trimmed();
    card.putts = putts.isEmpty() ? QStringLiteral("0") : putts;
    card.competition = row.value(QStringLiteral("comp")).toString().trimmed();
    card.standardScratch = row.value(QStringLiteral("compss")).toString().trimmed();
    card.division = row.value(QStringLiteral("division")).toString().trimmed();
    card.comment = row.value(QStringLiteral("comment")).toString();
    recomputeTotals(card.totals);
    const auto round = roundValues(card);
    if (!round)
        return Failure{QString(round.error())
                           .replace(QStringLiteral(" cannot be stored as it stands"),
                                    QStringLiteral(": not a number Parlog can store"))};
    return *round;
}

} // namespace

QList<Field> fieldsOf(Kind kind)
{
    if (kind == Kind::Courses)
        return courseFields();
    if (kind == Kind::Rounds)
        return roundFields();
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

namespace {

Result<Preview> previewRounds(Connection& connection, const csv::Table& table,
                              const QList<int>& columns)
{
    Preview p;
    p.kind = Kind::Rounds;
    const QList<Field> fields = fieldsOf(Kind::Rounds);
    const auto playerNames = players::names(connection);
    if (!playerNames)
        return Failure{playerNames.error()};
    const auto courseNames = courses::names(connection);
    if (!courseNames)
        return Failure{courseNames.error()};
    QHash<QString, QString> players;
    for (const QString& name : *playerNames)
        players.insert(name.toLower(), name);
    QHash<QString, QString> courses;
    for (const QString& name : *courseNames)
        courses.insert(name.toLower(), name);
    // The order of the file's dates, from all of them.
    QStringList dates;
    if (columns.value(2, -1) >= 0)
        for (const QStringList& cells : table.rows)
            dates << cells.value(columns[2]);
    const csv::DateOrder order = csv::detectDateOrder(dates);
    // The cards already there, by what they store.
    const auto held = sql::rows(connection, QStringLiteral("SELECT * FROM score"));
    if (!held)
        return Failure{held.error()};
    QSet<QString> there;
    for (const Record& stored : recordsOf(schema::score(), *held)) {
        Record kept;
        const Record made = Round::from(stored).record();
        for (auto it = made.constBegin(); it != made.constEnd(); ++it)
            kept.insert(it.key(), stored.value(it.key()));
        there.insert(signature(kept));
    }
    QSet<QString> inFile;
    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        const QStringList& cells = table.rows[r];
        Row row;
        row.line = table.lines.value(r);
        Record read;
        for (qsizetype f = 0; f < fields.size(); ++f)
            if (const int c = columns.value(f, -1); c >= 0)
                read.insert(fields[f].column, cells.value(c));
        if (cells.size() != table.header.size()) {
            row.why = QStringLiteral("the row has %1 fields, the header %2")
                          .arg(cells.size())
                          .arg(table.header.size());
        } else if (const auto round = roundOf(read, players, courses, order); !round) {
            row.why = round.error();
        } else {
            row.record = round->record();
            const QString key = signature(row.record);
            if (inFile.contains(key))
                row.why = QStringLiteral("the same card is on an earlier row of the file");
            else if (there.contains(key))
                row.outcome = Row::Outcome::AlreadyThere;
            else
                row.outcome = Row::Outcome::Stored;
            inFile.insert(key);
        }
        if (!row.why.isEmpty())
            ++p.notStored;
        else if (row.outcome == Row::Outcome::AlreadyThere)
            ++p.alreadyThere;
        else
            ++p.toStore;
        p.rows << row;
    }
    return p;
}

} // namespace

Result<Preview> preview(Connection& connection, Kind kind, const csv::Table& table,
                        const QList<int>& columns)
{
    if (kind == Kind::Rounds)
        return previewRounds(connection, table, columns);
    Preview p;
    p.kind = kind;
    const QList<Field> fields = fieldsOf(kind);
    const bool courses = kind == Kind::Courses;
    const QString nameColumn = fields.first().column;
    const auto known = courses ? courses::names(connection) : players::names(connection);
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
        const QString name = row.record.value(nameColumn).toString().simplified();
        row.record.insert(nameColumn, name);
        const QString handicap = row.record.value(QStringLiteral("Handicapp")).toString();
        const auto readHandicap = courses ? std::optional<QString>(QString()) : handicapText(handicap);
        const QString courseFault = courses ? checkCourse(row.record) : QString();
        if (cells.size() != table.header.size())
            row.why = QStringLiteral("the row has %1 fields, the header %2")
                          .arg(cells.size())
                          .arg(table.header.size());
        else if (name.isEmpty())
            row.why = QStringLiteral("no name");
        else if (!readHandicap)
            row.why = QStringLiteral("the handicap \"%1\" is not a number from +10 to 54")
                          .arg(handicap);
        else if (!courseFault.isEmpty())
            row.why = courseFault;
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
            if (!courses && columns.value(2, -1) >= 0)
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
    s.kind = preview.kind;
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
        const schema::Table& table = preview.kind == Kind::Courses ? schema::courses()
                                     : preview.kind == Kind::Rounds ? schema::score()
                                                                    : schema::player();
        if (Status done = sql::insert(connection, table, row.record); !done) {
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

QString summaryText(const Summary& s)
{
    const auto count = [](int n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
    };
    return QStringLiteral("%1, %2 and %3 imported; %4 already there; %5 not imported")
        .arg(count(s.kind == Kind::Players ? s.stored : 0, "player", "players"),
             count(s.kind == Kind::Courses ? s.stored : 0, "course", "courses"),
             count(s.kind == Kind::Rounds ? s.stored : 0, "round", "rounds"), QString::number(s.alreadyThere),
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
