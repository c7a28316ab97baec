#include "data/importing.h"

#include "data/backup.h"
#include "data/connection.h"
#include "data/conversions.h"
#include "data/competitions.h"
#include "data/courses.h"
#include "data/engine.h"
#include "data/outputfile.h"
#include "data/players.h"
#include "data/records.h"
#include "data/schema.h"
#include "golf/scoring.h"
#include "golf/whs.h"
#include "data/scorecard.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>

#include <cmath>
#include <functional>
#include <string>

namespace parlog::importing {

namespace {

// What a window shows of a preview: the first rows, and the first rows not stored.
constexpr int kShownRows = 1000;

// How long an import waits for another that holds the register before it says so.
constexpr int kImportPatienceMs = 60000;

Field field(const char* column, const char* caption, std::initializer_list<const char*> names,
            bool required = false)
{
    Field f{QString::fromLatin1(column), QString::fromLatin1(caption), {}, required};
    f.names << f.column.toLower() << f.caption.toLower();
    for (const char* name : names)
        f.names << QString::fromLatin1(name);
    return f;
}

// A field a hole: "Par 1", named also by the patterns given ("par%1" for "par1").
Field holeField(const QString& column, const QString& caption, int h, const QStringList& patterns)
{
    Field f{column.arg(h), caption.arg(h), {}, false};
    f.names << f.column.toLower() << f.caption.toLower();
    for (const QString& pattern : patterns)
        f.names << pattern.arg(h);
    return f;
}

QString keyOf(const QString& name)
{
    return name.simplified().toLower();
}

// The columns of free text, stored as the file writes them.
bool keptAsWritten(const QString& column)
{
    static const QSet<QString> kTexts{
        QStringLiteral("playername"), QStringLiteral("membership"), QStringLiteral("division"),
        QStringLiteral("address1"),   QStringLiteral("address2"),   QStringLiteral("address3"),
        QStringLiteral("postcode"),   QStringLiteral("telephone"),  QStringLiteral("mobile"),
        QStringLiteral("email"),      QStringLiteral("coursename"), QStringLiteral("courseadd1"),
        QStringLiteral("courseadd2"), QStringLiteral("courseadd3"), QStringLiteral("coursetel"),
        QStringLiteral("tee.name"),   QStringLiteral("comp"),       QStringLiteral("compss"),
        QStringLiteral("comment")};
    return kTexts.contains(column);
}

// A card's handicap as files write a plus one ("+2"): as the card keeps it, a number
// below nought ("-2"), so that the strokes are given back.
QString cardHandicap(QString text)
{
    text = text.trimmed().replace(QLatin1Char(','), QLatin1Char('.'));
    if (text.startsWith(QLatin1Char('+'))) {
        const QString rest = text.mid(1).trimmed();
        if (const auto value = toNumber(rest); value && *value >= 0)
            return *value == 0 ? QStringLiteral("0") : QLatin1Char('-') + rest;
    }
    return text;
}

// A number as a spreadsheet may write it, within bounds; nothing when it is none.
std::optional<double> numberIn(const QString& cell, double low, double high, bool whole = false)
{
    // Trimmed without a copy when there is nothing to trim, a comma put right only where
    // there is one.
    const QString text = cell.trimmed();
    const auto value = toNumber(text.contains(QLatin1Char(','))
                                    ? QString(text).replace(QLatin1Char(','), QLatin1Char('.'))
                                    : text);
    if (!value || *value < low || *value > high || (whole && *value != std::floor(*value)))
        return std::nullopt;
    return value;
}

QList<Field> playerFields()
{
    return {field("playername", "Name",
                  {"player", "player name", "full name", "member", "member name"}, true),
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

// A tee's columns in a course file carry this before the tees table's own name.
const QString kTee = QStringLiteral("tee.");

// A course's columns: "Par 1" or "Hole 1", "SI 1" or "Stroke index 1" and the like; and
// a tee with its ratings, a line of the file a tee.
QList<Field> courseFields()
{
    QList<Field> fields{field("coursename", "Name", {"course", "course name", "club"}, true),
                        field("courseadd1", "Address 1", {"address", "address line 1", "street"}),
                        field("courseadd2", "Address 2", {"address line 2", "town"}),
                        field("courseadd3", "Address 3", {"address line 3", "county"}),
                        field("coursetel", "Telephone", {"phone", "tel"}),
                        field("tee.name", "Tee", {"tee name"}),
                        field("tee.ratedFor", "Rated for", {"gender", "men or women", "sex"}),
                        field("tee.courseRating", "Course rating", {"cr", "rating"}),
                        field("tee.slopeRating", "Slope rating", {"slope", "sr"})};
    for (int h = 1; h <= 18; ++h)
        fields << holeField(QStringLiteral("hole%1"), QStringLiteral("Par %1"), h,
                            {QStringLiteral("par%1"), QStringLiteral("hole %1"),
                             QStringLiteral("h%1"), QStringLiteral("%1")});
    fields << field("coursepar", "Par", {"course par", "total par", "par total"});
    for (int h = 1; h <= 18; ++h)
        fields << holeField(QStringLiteral("si%1"), QStringLiteral("SI %1"), h,
                            {QStringLiteral("s.i. %1"), QStringLiteral("stroke index %1"),
                             QStringLiteral("index %1")});
    fields << field("tee.par", "Tee par", {"par of the tee"});
    for (int h = 1; h <= 18; ++h)
        fields << holeField(QStringLiteral("tee.si%1"), QStringLiteral("Tee SI %1"), h,
                            {QStringLiteral("tee stroke index %1")});
    for (int h = 1; h <= 18; ++h)
        fields << holeField(QStringLiteral("tee.par%1"), QStringLiteral("Tee par %1"), h, {});
    return fields;
}

// A card's columns, as Parlog's own lists and other programs name them.
QList<Field> roundFields()
{
    QList<Field> fields{
        field("playerID", "Player", {"name", "player name", "golfer"}, true),
        field("course", "Course", {"course name", "club"}, true),
        field("strdate", "Date", {"played", "day", "round date", "date played"}, true)};
    for (int h = 1; h <= 18; ++h)
        fields << holeField(QStringLiteral("hole%1"), QStringLiteral("Hole %1"), h,
                            {QStringLiteral("h%1"), QStringLiteral("%1")});
    fields << field("hand", "Handicap", {"hcp", "hcap", "h'cap"})
           << field("putts", "Putts", {"putts total", "total putts"})
           << field("comp", "Competition", {"comp", "event", "competition name"})
           << field("compss", "Standard scratch", {"sss", "css", "standard scratch score"})
           << field("division", "Division", {"div", "section"})
           << field("comment", "Comment", {"comments", "notes", "note"})
           << field("tee", "Tee", {"tee name"})
           << field("courseRating", "Course rating", {"cr", "rating"})
           << field("slopeRating", "Slope rating", {"slope", "sr"})
           << field("teePar", "Tee par", {"par"})
           << field("handicapIndex", "Handicap index", {"index", "hi", "whs index"})
           << field("courseHandicap", "Course handicap", {"ch"})
           << field("playingHandicap", "Playing handicap", {"ph"});
    for (int h = 1; h <= 18; ++h)
        fields << holeField(QStringLiteral("fairway%1"), QStringLiteral("Fairway %1"), h,
                            {QStringLiteral("fir %1"), QStringLiteral("fw %1")})
               << holeField(QStringLiteral("green%1"), QStringLiteral("Green %1"), h,
                            {QStringLiteral("gir %1")});
    for (int h = 1; h <= 18; ++h)
        fields << holeField(QStringLiteral("P%1"), QStringLiteral("Putts %1"), h,
                            {QStringLiteral("putt %1")});
    for (int h = 1; h <= 18; ++h)
        fields << holeField(QStringLiteral("X%1"), QStringLiteral("Penalties %1"), h,
                            {QStringLiteral("penalty %1"), QStringLiteral("pen %1")});
    for (int h = 1; h <= 18; ++h)
        fields << holeField(QStringLiteral("B%1"), QStringLiteral("Bunker %1"), h,
                            {QStringLiteral("sand %1")});
    return fields;
}

// Where roundFields puts each field: a card's cells are read by position, not by name,
// for the many cards of a file.
// clang-format off
enum RoundField {
    kPlayer, kCourse, kDate, kHole1, kHand = kHole1 + 18, kPutts, kComp, kCompSS, kDivision,
    kComment, kTeeName, kCourseRating, kSlopeRating, kTeePar, kHandicapIndex, kCourseHandicap,
    kPlayingHandicap, kFairway1, // then green 1, fairway 2, green 2...
    kPutts1 = kFairway1 + 36, kPenalties1 = kPutts1 + 18, kBunker1 = kPenalties1 + 18
};
// clang-format on

// Why the pars and stroke indexes of a course or a tee cannot be stored; empty when
// they can. Pars of 3 to 6 become numbers; with SUMPAR, the total par their sum when
// the file gives none.
QString checkHoles(Record& record, const QString& parColumn, const QString& totalColumn,
                   bool sumPar)
{
    int sum = 0;
    bool anyPar = false;
    QList<int> indexes;
    for (int h = 1; h <= 18; ++h) {
        const QString column = parColumn.arg(h);
        const QString par = record.value(column).toString();
        if (!par.isEmpty()) {
            const auto value = numberIn(par, 3, 6, true);
            if (!value)
                return QStringLiteral("the par of hole %1, \"%2\", is not 3, 4, 5 or 6")
                    .arg(h)
                    .arg(par);
            record.insert(column, int(*value));
            sum += int(*value);
            anyPar = true;
        } else {
            record.remove(column);
        }
        const QString siColumn = QStringLiteral("si%1").arg(h);
        const QString si = record.value(siColumn).toString();
        if (!si.isEmpty()) {
            const auto value = numberIn(si, 1, 18, true);
            if (!value)
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
    const QString par = record.value(totalColumn).toString();
    if (!par.isEmpty()) {
        const auto value = numberIn(par, 27, 90);
        if (!value)
            return QStringLiteral("the par, \"%1\", is not a number").arg(par);
        record.insert(totalColumn, *value);
    } else if (anyPar && sumPar) {
        record.insert(totalColumn, sum);
    } else {
        record.remove(totalColumn);
    }
    return {};
}

// A tee's ratings, as stored: "Men" or "Women", a course rating within 20 strokes of the
// tee's par (its own, else COURSEPAR when known), a slope of 55 to 155.
QString checkTee(Record& tee, double coursePar)
{
    const QString rated = tee.value(QStringLiteral("ratedFor")).toString().trimmed().toLower();
    if (rated.isEmpty() || rated == u"men" || rated == u"m" || rated == u"gents")
        tee.insert(QStringLiteral("ratedFor"), QStringLiteral("Men"));
    else if (rated == u"women" || rated == u"w" || rated == u"f" || rated == u"ladies")
        tee.insert(QStringLiteral("ratedFor"), QStringLiteral("Women"));
    else
        return QStringLiteral("the tee is rated for \"%1\": Men or Women").arg(rated);
    for (const auto& [column, low, high, whole, words] :
         {std::tuple{"courseRating", 40.0, 90.0, false, "course rating"},
          std::tuple{"slopeRating", 55.0, 155.0, true, "slope rating"}}) {
        const QString name = QString::fromLatin1(column);
        const QString text = tee.value(name).toString();
        if (text.trimmed().isEmpty()) {
            tee.remove(name);
            continue;
        }
        const auto value = numberIn(text, low, high, whole);
        if (!value)
            return QStringLiteral("the tee's %1, \"%2\", is not a number from %3 to %4")
                .arg(QString::fromLatin1(words), text)
                .arg(low)
                .arg(high);
        tee.insert(name, whole ? QVariant(int(*value)) : QVariant(*value));
    }
    if (QString fault = checkHoles(tee, QStringLiteral("par%1"), QStringLiteral("par"), false);
        !fault.isEmpty())
        return fault;
    const QVariant rating = tee.value(QStringLiteral("courseRating"));
    const QVariant slope = tee.value(QStringLiteral("slopeRating"));
    const double par = tee.value(QStringLiteral("par"), coursePar).toDouble();
    if (rating.isValid() && slope.isValid() &&
        !whs::ratingsHold(rating.toDouble(), slope.toInt(), par))
        return QStringLiteral("the tee's course rating, %1, is more than %2 strokes from its par "
                              "of %3")
            .arg(rating.toDouble())
            .arg(whs::kRatingFromPar)
            .arg(par);
    return {};
}

// A tick as files write them: 1/0 (or -1), yes/no, y/n, x, true/false; nothing when it
// is none.
std::optional<bool> readTick(const QString& text)
{
    // Parlog's own files and most others write 1 and 0: read without a lower-case copy.
    if (text.size() == 1 && (text[0] == u'0' || text[0] == u'1'))
        return text[0] == u'1';
    const QString t = text.trimmed().toLower();
    if (t.isEmpty() || t == u"0" || t == u"no" || t == u"n" || t == u"false")
        return false;
    if (t == u"1" || t == u"-1" || t == u"yes" || t == u"y" || t == u"x" || t == u"true")
        return true;
    return std::nullopt;
}

// A card's columns as Round stores them, in one order for every card.
const QStringList& roundColumns()
{
    return Round::columns();
}

// A card's stored columns in sixteen bytes: two cards alike in every one are the same
// card, whichever engine or file their values came from.
struct CardKey {
    size_t a = 0;
    size_t b = 0;
    bool operator==(const CardKey& other) const { return a == other.a && b == other.b; }
};
size_t qHash(const CardKey& key, size_t seed = 0)
{
    return key.a ^ seed;
}

// The number a value holds, read without the conversions for the kinds cards hold.
double heldNumber(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
        return *static_cast<const int*>(v.constData());
    case QMetaType::LongLong:
        return double(*static_cast<const qlonglong*>(v.constData()));
    case QMetaType::Double:
        return *static_cast<const double*>(v.constData());
    default:
        return v.toDouble();
    }
}

template <typename Value> CardKey signature(const Value& value)
{
    static const QList<schema::Type> types = [] {
        QList<schema::Type> t;
        for (const QString& c : roundColumns())
            t << (schema::score().column(c) ? schema::score().column(c)->type : schema::Type::Text);
        return t;
    }();
    std::string bytes;
    bytes.reserve(2048);
    const auto add = [&bytes](qint64 n) {
        bytes.append(reinterpret_cast<const char*>(&n), sizeof n);
    };
    // Texts as UTF-16 and numbers read straight from what the value holds: a file's
    // cards are signed one by one, and the conversions would cost more than the rest.
    const auto addText = [&bytes](QStringView text) {
        bytes.append(reinterpret_cast<const char*>(text.utf16()), size_t(text.size()) * 2);
    };
    // In lower case, blanks around aside; an ASCII text, as names nearly always are,
    // lowered as it is written.
    const auto addLower = [&](QStringView text) {
        text = text.trimmed();
        const size_t start = bytes.size();
        for (const QChar c : text) {
            char16_t u = c.unicode();
            if (u >= 0x80) {
                bytes.resize(start);
                addText(text.toString().toLower());
                return;
            }
            if (u >= u'A' && u <= u'Z')
                u += u'a' - u'A';
            bytes.append(reinterpret_cast<const char*>(&u), sizeof u);
        }
    };
    for (int i = 0; i < types.size(); ++i) {
        const QVariant& v = value(i);
        const int type = v.metaType().id();
        const QString* text =
            type == QMetaType::QString ? static_cast<const QString*>(v.constData()) : nullptr;
        if (v.isNull() || (text && text->isEmpty())) {
            bytes += '\x1e';
            continue;
        }
        switch (types[i]) {
        case schema::Type::Tick:
            add(heldNumber(v) != 0 ? 1 : 0);
            break;
        case schema::Type::Whole:
        case schema::Type::Key:
        case schema::Type::Number: {
            // A whole number alike from an integer, a real or a text; a fraction to
            // twelve places.
            const double d = heldNumber(v);
            if (d == std::floor(d) && std::abs(d) < 1e15)
                add(qint64(d));
            else
                addText(QString::number(d, 'g', 12));
            break;
        }
        case schema::Type::Date:
            if (text)
                addText(QStringView(*text).left(10));
            else
                addText(type == QMetaType::QDate ? v.toDate().toString(Qt::ISODate)
                                                 : v.toString().left(10));
            break;
        default:
            addLower(text ? QStringView(*text) : QStringView(v.toString()));
        }
        bytes += '\x1f';
    }
    // Two hashes of different seeds: 128 bits, with no chance worth the name of two
    // different cards alike.
    return {qHashBits(bytes.data(), bytes.size(), 0x50524C47),
            qHashBits(bytes.data(), bytes.size(), 0x9E3779B97F4A7C15ULL)};
}

// The file's rows after its header, in order, to EACH; stops, failing, when the
// progress is cancelled.
Status eachRow(const Opened& opened, Progress* progress,
               const std::function<void(const QStringList& cells, int line)>& each,
               int onlyColumn = -1)
{
    QFile file(opened.path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{
            QStringLiteral("%1 cannot be read: %2").arg(opened.path, file.errorString())};
    csv::Reader reader(file, opened.dialect.encoding, opened.dialect.separator);
    QStringList cells;
    int line = 0;
    long long rows = 0;
    const bool header = reader.next(cells, line);
    reader.keepOnly(onlyColumn);
    while (header && reader.next(cells, line)) {
        each(cells, line);
        if (progress && ++rows % 500 == 0 &&
            !progress->carryOn(file.pos() / 1024, file.size() / 1024))
            return Failure{QStringLiteral("cancelled")};
    }
    if (!reader.error().isEmpty())
        return Failure{QStringLiteral("the file cannot be read as CSV: %1").arg(reader.error())};
    return {};
}

// What a row becomes: the records to store, or why it stores none.
struct Verdict {
    Row::Outcome outcome = Row::Outcome::NotStored;
    QString why;
    Record record;       // the player, course or card
    Record tee;          // a course file's tee, without its course's key
    QVariantList values; // a card's, in roundColumns' order
    bool newCourse = false;
    QString note; // how a card's handicap was found, when the file gave none
};

// Judges a file's rows one by one against the register and the rows before them, and
// stores those that can be stored.
class Importer {
public:
    Importer(Connection& connection, Kind kind, const Opened& opened)
        : m_connection(connection)
        , m_kind(kind)
        , m_opened(opened)
        , m_fields(fieldsOf(kind))
    {
        Q_ASSERT(kind != Kind::Rounds || (m_fields[kPlayingHandicap].column == u"playingHandicap" &&
                                          m_fields[kFairway1 + 35].column == u"green18" &&
                                          m_fields[kBunker1 + 17].column == u"B18"));
        for (const Field& f : m_fields)
            m_keptAsWritten << keptAsWritten(f.column);
    }

    // The order of the file's dates is learnt NOW, reading the whole file first, or
    // when a row first needs it (learnDatesFor), when the file has a date not in ISO form.
    enum class Dates { Now, WhenNeeded };
    Status prepare(Progress* progress, Dates dates = Dates::Now);
    Status learnDatesFor(const QStringList& cells, Progress* progress);
    Verdict judge(const QStringList& cells);
    Status put(const Verdict& verdict);
    Status finish();
    int tees() const { return m_teesStored; }
    csv::DateOrder dates() const { return m_dates; }
    // The file's cell for each field, as meant; empty where no column fills it.
    QStringList byField(const QStringList& cells) const;

private:
    Record read(const QStringList& cells) const;
    Verdict judgePlayer(const QStringList& cells);
    Verdict judgeCourse(const QStringList& cells);
    Verdict judgeRound(const QStringList& cells);
    Result<Round> roundOf(const QStringList& row, QString* note) const;
    Status learnDates(Progress* progress);
    // A card the file gives no handicap: the player's as the register has it that day,
    // turned by a rated tee into the handicaps the card window would show.
    QString handicapFromThePlayer(RoundCard& card) const;
    sql::BatchInsert& batch();

    Connection& m_connection;
    Kind m_kind;
    const Opened& m_opened;
    QList<Field> m_fields;
    QList<bool> m_keptAsWritten; // by field, looked up once rather than a row at a time
    csv::DateOrder m_dates = csv::DateOrder::DayFirst;
    bool m_datesKnown = false;
    QHash<QString, QString> m_players;           // by name in lower case
    QHash<QString, QString> m_handicaps;         // the same, as the register keeps it
    competitions::Book m_competitions;
    QHash<QString, courses::WithTees> m_courses; // by name in lower case
    mutable QHash<QString, qsizetype> m_teeFor;  // course and label -> its tee, -1 none
    QHash<QString, qint64> m_courseIDs;          // the same, for a course file
    QSet<QString> m_there;                       // names or tees
    QSet<QString> m_inFile;
    QSet<CardKey> m_cardsThere;
    QSet<CardKey> m_cardsInFile;
    std::unique_ptr<sql::BatchInsert> m_batch;
    int m_teesStored = 0;
};

Status Importer::prepare(Progress* progress, Dates dates)
{
    if (m_kind == Kind::Players) {
        const auto names = players::names(m_connection);
        if (!names)
            return Failure{names.error()};
        for (const QString& name : *names)
            m_there.insert(keyOf(name));
        return {};
    }
    const auto all = courses::allByName(m_connection);
    if (!all)
        return Failure{all.error()};
    // Names as they are matched: in any case, blanks around and between them aside.
    for (const courses::WithTees& c : *all)
        m_courses.insert(keyOf(c.course.name), c);
    if (m_kind == Kind::Courses) {
        for (auto it = m_courses.constBegin(); it != m_courses.constEnd(); ++it) {
            m_there.insert(keyOf(it.key()));
            m_courseIDs.insert(keyOf(it.key()), it->course.id);
            for (const Tee& tee : it->tees)
                m_there.insert(keyOf(it.key()) + QChar(0x1f) + keyOf(tee.name) + QChar(0x1f) +
                               keyOf(tee.ratedFor));
        }
        return {};
    }
    const auto names = players::names(m_connection);
    if (!names)
        return Failure{names.error()};
    for (const QString& name : *names)
        m_players.insert(keyOf(name), name);
    const auto everyone = players::all(m_connection);
    if (!everyone)
        return Failure{everyone.error()};
    for (const Player& p : *everyone)
        m_handicaps.insert(keyOf(p.name), p.handicap);
    const auto book = competitions::all(m_connection);
    if (!book)
        return Failure{book.error()};
    m_competitions = *book;
    if (dates == Dates::Now)
        if (Status learnt = learnDates(progress); !learnt)
            return learnt;
    // The cards already there, by what they store.
    const QString statement =
        QStringLiteral("SELECT %1 FROM score").arg(roundColumns().join(QStringLiteral(", ")));
    if (!m_connection.scan(statement, {}, [&](const Cells& row) {
            m_cardsThere.insert(signature([&](int i) { return row.value(i); }));
        }))
        return sql::failure(m_connection);
    return {};
}

Status Importer::learnDates(Progress* progress)
{
    // The order of the file's dates as the user says, else as all of them show.
    csv::DateOrders orders;
    if (const int column = m_opened.columns.value(2, -1); column >= 0 && !m_opened.dates)
        if (Status read = eachRow(
                m_opened, progress,
                [&](const QStringList& cells, int) { orders.see(cells.value(column)); }, column);
            !read)
            return read;
    m_dates = m_opened.dates.value_or(orders.order());
    m_datesKnown = true;
    return {};
}

Status Importer::learnDatesFor(const QStringList& cells, Progress* progress)
{
    if (m_datesKnown || m_kind != Kind::Rounds)
        return {};
    // An ISO date reads the same in any order: a file of them is never read twice.
    const int column = m_opened.columns.value(2, -1);
    if (column < 0 || csv::isIsoForm(cells.value(column)))
        return {};
    return learnDates(progress);
}

QStringList Importer::byField(const QStringList& cells) const
{
    QStringList values(m_fields.size());
    for (qsizetype f = 0; f < m_fields.size(); ++f)
        // A row of the wrong width is shown as far as it goes.
        if (const int c = m_opened.columns.value(f, -1); c >= 0 && c < cells.size()) {
            const QString& cell = cells.at(c);
            // Texts are kept as written, blanks and all, so that what Parlog exports
            // comes back the same; numbers, dates and ticks are read without blanks.
            if (cell.isEmpty())
                continue;
            values[f] = m_keptAsWritten[f] ? csv::cellText(cell) : csv::cellText(cell).trimmed();
        }
    return values;
}

Record Importer::read(const QStringList& cells) const
{
    const QStringList values = byField(cells);
    Record record;
    for (qsizetype f = 0; f < m_fields.size(); ++f)
        if (m_opened.columns.value(f, -1) >= 0)
            record.insert(m_fields[f].column, values[f]);
    return record;
}

Verdict Importer::judge(const QStringList& cells)
{
    if (cells.size() != m_opened.header.size()) {
        Verdict v;
        v.why = QStringLiteral("the row has %1 fields, the header %2")
                    .arg(cells.size())
                    .arg(m_opened.header.size());
        return v;
    }
    return m_kind == Kind::Players   ? judgePlayer(cells)
           : m_kind == Kind::Courses ? judgeCourse(cells)
                                     : judgeRound(cells);
}

Verdict Importer::judgePlayer(const QStringList& cells)
{
    Verdict v;
    v.record = read(cells);
    const QString name = v.record.value(QStringLiteral("playername")).toString();
    const QString handicap = v.record.value(QStringLiteral("Handicapp")).toString();
    const auto readHandicap = players::readHandicap(handicap);
    if (name.trimmed().isEmpty())
        v.why = QStringLiteral("no name");
    else if (!readHandicap)
        v.why = readHandicap.error();
    else if (m_inFile.contains(keyOf(name)))
        v.why = QStringLiteral("%1 is on an earlier row of the file").arg(name);
    if (!v.why.isEmpty())
        return v;
    m_inFile.insert(keyOf(name));
    v.outcome = m_there.contains(keyOf(name)) ? Row::Outcome::AlreadyThere : Row::Outcome::Stored;
    if (m_opened.columns.value(2, -1) >= 0)
        v.record.insert(QStringLiteral("Handicapp"), *readHandicap);
    return v;
}

Verdict Importer::judgeCourse(const QStringList& cells)
{
    Verdict v;
    const Record read = this->read(cells);
    for (auto it = read.constBegin(); it != read.constEnd(); ++it)
        if (it.key().startsWith(kTee))
            v.tee.insert(it.key().mid(kTee.size()), it.value());
        else
            v.record.insert(it.key(), it.value());
    const QString name = v.record.value(QStringLiteral("coursename")).toString();
    const QString teeName = v.tee.value(QStringLiteral("name")).toString();
    if (name.trimmed().isEmpty())
        v.why = QStringLiteral("no name");
    else if (const QString fault =
                 checkHoles(v.record, QStringLiteral("hole%1"), QStringLiteral("coursepar"), true);
             !fault.isEmpty())
        v.why = fault;
    else if (const QString teeFault =
                 teeName.isEmpty()
                     ? QString()
                     : checkTee(v.tee,
                                v.record
                                    .value(QStringLiteral("coursepar"),
                                           m_courses.value(keyOf(name)).course.par.value_or(0))
                                    .toDouble());
             !teeFault.isEmpty())
        v.why = teeFault;
    if (!v.why.isEmpty())
        return v;
    const QString course = keyOf(name);
    const bool courseThere = m_there.contains(course);
    const bool courseEarlier = m_inFile.contains(course);
    if (teeName.trimmed().isEmpty()) {
        v.tee.clear();
        if (courseEarlier) {
            v.why = QStringLiteral("%1 is on an earlier row of the file").arg(name);
            return v;
        }
        v.outcome = courseThere ? Row::Outcome::AlreadyThere : Row::Outcome::Stored;
    } else {
        v.tee.insert(QStringLiteral("name"), teeName);
        const QString tee = course + QChar(0x1f) + keyOf(teeName) + QChar(0x1f) +
                            keyOf(v.tee.value(QStringLiteral("ratedFor")).toString());
        if (m_inFile.contains(tee)) {
            v.why = QStringLiteral("the tee %1 of %2 is on an earlier row of the file")
                        .arg(teeName, name);
            return v;
        }
        m_inFile.insert(tee);
        v.outcome = m_there.contains(tee) ? Row::Outcome::AlreadyThere : Row::Outcome::Stored;
    }
    v.newCourse = !courseThere && !courseEarlier;
    m_inFile.insert(course);
    return v;
}

Verdict Importer::judgeRound(const QStringList& cells)
{
    Verdict v;
    const auto round = roundOf(byField(cells), &v.note);
    if (!round) {
        v.why = round.error();
        return v;
    }
    v.values = round->values();
    const CardKey key = signature([&](int i) -> const QVariant& { return v.values[i]; });
    if (m_cardsInFile.contains(key)) {
        v.why = QStringLiteral("the same card is on an earlier row of the file");
        return v;
    }
    m_cardsInFile.insert(key);
    v.outcome = m_cardsThere.contains(key) ? Row::Outcome::AlreadyThere : Row::Outcome::Stored;
    return v;
}

// The card a row makes, or why it makes none: the register's spellings of player,
// course and tee, the date in the file's order, the totals and points added up as the
// card adds them.
QString Importer::handicapFromThePlayer(RoundCard& card) const
{
    const auto kept = readIndex(m_handicaps.value(keyOf(card.player)));
    if (card.tee && card.tee->rated()) {
        // The index the card was played off: the file's, else the record's that day, else
        // the one the register keeps.
        std::optional<double> index = readIndex(card.handicapIndex);
        QString from = QStringLiteral("the file's index");
        if (!index && m_opened.indexOnDay) {
            index = m_opened.indexOnDay(card.player, card.date);
            from = QStringLiteral("the player's record on the day");
        }
        if (!index) {
            index = kept;
            from = QStringLiteral("the player's index");
        }
        const double allowance =
            card.competition.trimmed().isEmpty()
                ? 1.0
                : competitions::settingsIn(m_competitions, card.competition, card.date).allowance;
        if (const auto h =
                index ? handicapsFor(*index, *card.tee, card.teePar, allowance) : std::nullopt) {
            card.handicapIndex = showIndex(*index);
            card.courseHandicap = h->courseHandicap;
            card.playingHandicap = QString::number(h->playingHandicap);
            card.totals.handicap = card.playingHandicap;
            return QStringLiteral("handicap from %1: %2, playing %3")
                .arg(from, showIndex(*index))
                .arg(h->playingHandicap);
        }
    }
    // Without a rated tee the card plays off the handicap the register keeps.
    if (!kept) {
        card.totals.handicap = QStringLiteral("0");
        return QStringLiteral("no handicap in the file or the register: off scratch");
    }
    card.totals.handicap = QString::number(*kept, 'g', 6);
    return QStringLiteral("handicap from the player's index: %1").arg(showIndex(*kept));
}

Result<Round> Importer::roundOf(const QStringList& row, QString* note) const
{
    RoundCard card;
    const QString player = row[kPlayer].simplified();
    const QString course = row[kCourse].simplified();
    if (player.isEmpty())
        return Failure{QStringLiteral("no player")};
    const auto who = m_players.constFind(player.toLower());
    if (who == m_players.constEnd())
        return Failure{QStringLiteral("%1 is not a player in the register").arg(player)};
    if (course.isEmpty())
        return Failure{QStringLiteral("no course")};
    const auto found = m_courses.constFind(course.toLower());
    if (found == m_courses.constEnd())
        return Failure{QStringLiteral("%1 is not a course in the register").arg(course)};
    card.player = *who;
    card.course = found->course.name;
    const QString dateText = row[kDate];
    const auto date = csv::readDate(dateText, m_dates);
    if (!date)
        return Failure{QStringLiteral("the date \"%1\" does not exist").arg(dateText)};
    card.date = isoDate(*date);
    std::array<int, 18> strokes{};
    for (int h = 0; h < 18; ++h) {
        const QString text = row[kHole1 + h];
        const auto value = numberIn(text.isEmpty() ? QStringLiteral("0") : text, 0, 30, true);
        if (!value)
            return Failure{
                QStringLiteral("hole %1: \"%2\" is not a number of strokes").arg(h + 1).arg(text)};
        strokes[h] = int(*value);
        card.totals.holes[h] = QString::number(strokes[h]);
        const auto fairway = readTick(row[kFairway1 + 2 * h]);
        const auto green = readTick(row[kFairway1 + 2 * h + 1]);
        if (!fairway || !green)
            return Failure{
                QStringLiteral("hole %1: a fairway or green tick is not yes or no").arg(h + 1)};
        card.fairways[h] = *fairway;
        card.greens[h] = *green;
        // A hole's detail where the file has it.
        for (const auto& [at, into, words] :
             {std::tuple{kPutts1 + h, &card.holePutts[h], "putts"},
              std::tuple{kPenalties1 + h, &card.penalties[h], "penalty strokes"}})
            if (const QString& text = row[at]; !text.isEmpty()) {
                const auto value = numberIn(text, 0, 30, true);
                if (!value)
                    return Failure{QStringLiteral("hole %1: \"%2\" is not a number of %3")
                                       .arg(h + 1)
                                       .arg(text, QString::fromLatin1(words))};
                *into = int(*value);
            }
        if (const QString& bunker = row[kBunker1 + h]; !bunker.isEmpty()) {
            const auto tick = readTick(bunker);
            if (!tick)
                return Failure{
                    QStringLiteral("hole %1: a bunker tick is not yes or no").arg(h + 1)};
            card.bunkers[h] = *tick;
        }
    }
    // A card with no hole scored would stand in every statistic as the best ever.
    if (std::all_of(strokes.begin(), strokes.end(), [](int s) { return s == 0; }))
        return Failure{QStringLiteral("no hole is scored")};
    const QString handicap = cardHandicap(row[kHand]);
    card.totals.handicap = handicap.isEmpty() ? QStringLiteral("0") : handicap;
    // Only a file that says 0 plays off scratch.
    const bool given = !handicap.isEmpty() || !row[kPlayingHandicap].trimmed().isEmpty();
    if (!numberIn(card.totals.handicap, -10, 54))
        return Failure{
            QStringLiteral("the handicap \"%1\" is not a number from +10 to 54").arg(row[kHand])};
    const QString putts = row[kPutts];
    card.putts = putts.isEmpty() ? QStringLiteral("0") : putts;
    card.competition = row[kComp];
    card.standardScratch = row[kCompSS];
    card.division = row[kDivision];
    card.comment = row[kComment];
    // The tee by its name, or by the label a card shows ("Yellow (Men) 71.2 / 131"); the
    // ratings the card was played off as the file has them, else the tee's.
    const QString teeText = row[kTeeName].simplified();
    if (!teeText.isEmpty()) {
        // Worked out once for each label of each course: a file repeats them card after card.
        const QString wanted = keyOf(teeText);
        const QString memo = found.key() + u'\x1f' + wanted;
        auto which = m_teeFor.constFind(memo);
        if (which == m_teeFor.constEnd()) {
            qsizetype at = -1;
            for (qsizetype t = 0; t < found->tees.size() && at < 0; ++t) {
                const Tee& tee = found->tees[t];
                const QString named = keyOf(QStringLiteral("%1 (%2)").arg(tee.name, tee.ratedFor));
                if (wanted == keyOf(tee.name) || wanted == named || wanted.startsWith(named + u' '))
                    at = t;
            }
            which = m_teeFor.insert(memo, at);
        }
        if (*which >= 0)
            card.tee = found->tees[*which];
        if (!card.tee)
            return Failure{QStringLiteral("%1 has no tee %2").arg(card.course, teeText)};
        const QString rating = row[kCourseRating];
        const QString slope = row[kSlopeRating];
        const QString par = row[kTeePar];
        const auto readRating = numberIn(rating, 40, 90);
        const auto readSlope = numberIn(slope, 55, 155, true);
        const auto readPar = numberIn(par, 27, 90);
        if ((!rating.isEmpty() && !readRating) || (!slope.isEmpty() && !readSlope) ||
            (!par.isEmpty() && !readPar))
            return Failure{QStringLiteral("the tee's course rating, slope rating or par is not "
                                          "a number it can be")};
        if (readRating)
            card.tee->courseRating = *readRating;
        if (readSlope)
            card.tee->slopeRating = int(*readSlope);
        card.teePar = readPar ? int(*readPar) : parOf(found->course, &*card.tee);
        if (card.tee->rated() &&
            !whs::ratingsHold(*card.tee->courseRating, *card.tee->slopeRating, card.teePar))
            return Failure{QStringLiteral("the tee's course rating, %1, is more than %2 strokes "
                                          "from its par of %3")
                               .arg(*card.tee->courseRating)
                               .arg(whs::kRatingFromPar)
                               .arg(card.teePar)};
    }
    card.handicapIndex = row[kHandicapIndex];
    const QString courseHandicap = cardHandicap(row[kCourseHandicap]);
    if (!courseHandicap.isEmpty()) {
        card.courseHandicap = numberIn(courseHandicap, -20, 80);
        if (!card.courseHandicap)
            return Failure{
                QStringLiteral("the course handicap \"%1\" is not a number").arg(courseHandicap)};
    }
    card.playingHandicap = cardHandicap(row[kPlayingHandicap]);
    if (!given) {
        const QString how = handicapFromThePlayer(card);
        if (note)
            *note = how;
    }
    recomputeTotals(card.totals);
    // Points as the card scores them: off the playing handicap, else the handicap.
    const golf::Holes holes = holesOf(found->course, card.tee ? &*card.tee : nullptr);
    const auto playing = !card.playingHandicap.isEmpty() ? toInt16(card.playingHandicap)
                                                         : toInt16(card.totals.handicap);
    if (holes.complete() && playing)
        card.points = golf::scoreHoles(strokes, holes, *playing).totalPoints;
    const auto round = roundValues(card);
    if (!round)
        return Failure{QString(round.error())
                           .replace(QStringLiteral(" cannot be stored as it stands"),
                                    QStringLiteral(": not a number Parlog can store"))};
    return *round;
}

sql::BatchInsert& Importer::batch()
{
    if (!m_batch) {
        const QStringList columns = m_kind == Kind::Rounds ? roundColumns() : [this] {
            QStringList c;
            for (const Field& f : m_fields)
                c << f.column;
            return c;
        }();
        m_batch = std::make_unique<sql::BatchInsert>(
            m_connection,
            m_kind == Kind::Rounds ? QStringLiteral("score") : QStringLiteral("player"), columns);
    }
    return *m_batch;
}

Status Importer::put(const Verdict& v)
{
    if (m_kind != Kind::Courses) {
        QVariantList values;
        if (m_kind == Kind::Rounds)
            values = v.values;
        else
            for (const Field& f : m_fields)
                values << v.record.value(f.column, QVariant(QMetaType::fromType<QString>()));
        if (!batch().add(values))
            return sql::failure(m_connection);
        return {};
    }
    // Courses are few: each stored as it comes, its key known for its tees.
    const QString course = keyOf(v.record.value(QStringLiteral("coursename")).toString());
    if (v.newCourse) {
        if (Status done = sql::insert(m_connection, schema::courses(), v.record); !done)
            return done;
        const auto row = courses::rowNamed(m_connection,
                                           v.record.value(QStringLiteral("coursename")).toString());
        if (!row)
            return Failure{row.error()};
        m_courseIDs.insert(course, parlog::keyOf(*row));
    }
    if (v.tee.isEmpty())
        return {};
    Record tee = v.tee;
    tee.insert(QStringLiteral("courseID"), m_courseIDs.value(course));
    if (Status done = sql::insert(m_connection, schema::tees(), tee); !done)
        return done;
    ++m_teesStored;
    return {};
}

Status Importer::finish()
{
    if (m_batch && !m_batch->finish())
        return sql::failure(m_connection);
    return {};
}

} // namespace

QList<Field> fieldsOf(Kind kind)
{
    if (kind == Kind::Courses)
        return courseFields();
    if (kind == Kind::Rounds)
        return roundFields();
    return playerFields();
}

QList<int> matchColumns(Kind kind, const QStringList& header)
{
    const QList<Field> fields = fieldsOf(kind);
    QList<int> columns(fields.size(), -1);
    QSet<int> taken;
    // A caption of the field's own first, then its synonyms, so that Parlog's own
    // "Tee par" is not taken for another field's "par".
    for (const bool own : {true, false})
        for (qsizetype f = 0; f < fields.size(); ++f)
            for (qsizetype c = 0; c < header.size() && columns[f] < 0; ++c)
                if (!taken.contains(int(c)) &&
                    (own ? fields[f].caption.toLower() == keyOf(header[c])
                         : fields[f].names.contains(keyOf(header[c])))) {
                    columns[f] = int(c);
                    taken.insert(int(c));
                }
    return columns;
}

Result<Opened> reread(const Opened& opened, const csv::Dialect& dialect, Kind kind)
{
    Opened o;
    o.path = opened.path;
    o.dialect = dialect;
    QFile file(o.path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("%1 cannot be read: %2").arg(o.path, file.errorString())};
    csv::Reader reader(file, dialect.encoding, dialect.separator);
    int line = 0;
    if (!reader.next(o.header, line))
        return Failure{
            reader.error().isEmpty()
                ? QStringLiteral("the file is empty")
                : QStringLiteral("the file cannot be read as CSV: %1").arg(reader.error())};
    for (QString& name : o.header)
        name = name.trimmed();
    o.columns = matchColumns(kind, o.header);
    return o;
}

Result<Opened> open(const QString& path, Kind kind)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString())};
    const auto dialect = csv::detect(file);
    if (!dialect)
        return Failure{QStringLiteral("%1 is not a CSV file: %2").arg(path, dialect.error())};
    Opened o;
    o.path = path;
    const auto read = reread(o, *dialect, kind);
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

Result<Preview> preview(Connection& connection, Kind kind, const Opened& opened, Progress* progress)
{
    Preview p;
    p.kind = kind;
    Importer importer(connection, kind, opened);
    if (Status ready = importer.prepare(progress); !ready)
        return Failure{ready.error()};
    p.dates = importer.dates();
    const QList<Field> fields = fieldsOf(kind);
    int shownNotStored = 0;
    const Status read = eachRow(opened, progress, [&](const QStringList& cells, int line) {
        const Verdict v = importer.judge(cells);
        const bool notStored = !v.why.isEmpty();
        (notStored                                 ? p.notStored
         : v.outcome == Row::Outcome::AlreadyThere ? p.alreadyThere
                                                   : p.toStore)++;
        if (p.rows.size() >= kShownRows && !(notStored && shownNotStored < kShownRows))
            return;
        shownNotStored += notStored;
        Row row{line, notStored ? Row::Outcome::NotStored : v.outcome, v.why, {}, {}};
        if (row.outcome == Row::Outcome::Stored)
            row.becomes = kind == Kind::Players  ? QStringLiteral("a new player")
                          : kind == Kind::Rounds ? QStringLiteral("a new round")
                          : !v.newCourse         ? QStringLiteral("a new tee")
                          : v.tee.isEmpty()      ? QStringLiteral("a new course")
                                                 : QStringLiteral("a new course and tee");
        if (row.outcome == Row::Outcome::Stored && !v.note.isEmpty())
            row.becomes += QStringLiteral(" (%1)").arg(v.note);
        // A row not imported shows what the file wrote, so that one can tell whose it was.
        if (notStored) {
            row.values = importer.byField(cells);
            p.rows << row;
            return;
        }
        Record shown = v.record;
        for (qsizetype i = 0; i < v.values.size(); ++i)
            shown.insert(roundColumns()[i], v.values[i]);
        for (const Field& f : fields)
            row.values << (f.column.startsWith(kTee) && kind == Kind::Courses
                               ? v.tee.value(f.column.mid(kTee.size()))
                               : shown.value(f.column))
                              .toString();
        p.rows << row;
    });
    if (!read)
        return Failure{read.error()};
    return p;
}

Result<Summary> store(Connection& connection, Kind kind, const Opened& opened, bool allOrNothing,
                      Progress* progress)
{
    const auto nothing = [](const QString& why) {
        return Failure{QStringLiteral("nothing was imported: %1").arg(why)};
    };
    if (Status writable = connection.beforeWrite(); !writable)
        return nothing(writable.error());
    // Locked before what is there is read: a second import of the same file, at the same
    // moment, waits and then finds it all there.
    if (Status locked = connection.engine().beginWriting(kImportPatienceMs, progress); !locked)
        return nothing(locked.error());
    const auto undo = [&](const QString& why) {
        connection.rollback();
        return nothing(why);
    };
    Importer importer(connection, kind, opened);
    if (Status ready = importer.prepare(progress, Importer::Dates::WhenNeeded); !ready)
        return undo(ready.error());
    // Room for the pages the file adds, within reason: a cache too small for them writes
    // pages out and reads them back all through a long file.
    connection.cacheAtLeast(qMin(QFileInfo(opened.path).size() / 1024, qint64(64 * 1024)));
    const auto asBefore = qScopeGuard([&connection] { connection.cacheWholeFile(false); });
    Summary s;
    s.kind = kind;
    // One pass, judging and storing: a row that cannot be stored, when all or nothing
    // is asked, or a file that cannot be read to its end, undoes it all. The register as
    // it was is copied aside before the first row goes in, and only then: a file that
    // adds nothing spends no backup.
    Status failed;
    long long seen = 0;
    Status read = eachRow(opened, progress, [&](const QStringList& cells, int line) {
        if (!failed)
            return;
        // Told once the rows before this one are judged and stored.
        if (progress && seen > 0 && seen % 1000 == 0)
            progress->counted(seen, s.stored);
        ++seen;
        if (Status learnt = importer.learnDatesFor(cells, progress); !learnt) {
            failed = learnt;
            return;
        }
        const Verdict v = importer.judge(cells);
        if (!v.why.isEmpty()) {
            ++s.notStored;
            if (s.rejected.size() < kShownRows)
                s.rejected << Row{line, Row::Outcome::NotStored, v.why, {}, {}};
            return;
        }
        if (v.outcome == Row::Outcome::AlreadyThere) {
            ++s.alreadyThere;
            return;
        }
        if (allOrNothing && s.notStored > 0)
            return;
        if (s.backup.isEmpty()) {
            const auto copy = connection.backUpBeforeWriting();
            if (!copy) {
                failed = Failure{QStringLiteral("the copy made first could not be written (%1)")
                                     .arg(copy.error())};
                return;
            }
            s.backup = *copy;
        }
        if (Status done = importer.put(v); !done)
            failed = Failure{
                QStringLiteral("line %1 could not be stored (%2)").arg(line).arg(done.error())};
        else
            s.stored += v.newCourse || kind != Kind::Courses;
    });
    if (read && failed)
        read = importer.finish();
    if (progress)
        progress->counted(seen, s.stored);
    if (read && failed && allOrNothing && s.notStored > 0)
        failed = Failure{QStringLiteral("%1 of the rows cannot be stored").arg(s.notStored)};
    if (!read || !failed)
        return undo(failed ? read.error() : failed.error());
    if (!connection.commit())
        return undo(connection.describe(connection.lastError()));
    s.tees = importer.tees();
    return s;
}

QString summaryText(const Summary& s)
{
    const auto count = [](int n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
    };
    QString courses = count(s.kind == Kind::Courses ? s.stored : 0, "course", "courses");
    if (s.tees > 0)
        courses += QStringLiteral(" (%1)").arg(count(s.tees, "tee", "tees"));
    return QStringLiteral("%1, %2 and %3 imported; %4 already there; %5 not imported")
        .arg(count(s.kind == Kind::Players ? s.stored : 0, "player", "players"), courses,
             count(s.kind == Kind::Rounds ? s.stored : 0, "round", "rounds"),
             QString::number(s.alreadyThere), count(s.notStored, "row", "rows"));
}

Status writeNotStored(Connection& connection, Kind kind, const Opened& opened, const QString& path)
{
    Importer importer(connection, kind, opened);
    if (Status ready = importer.prepare(nullptr); !ready)
        return ready;
    WholeFile whole({path, connection.filePath(), kind == Kind::Players});
    if (Status opened = whole.open(); !opened)
        return opened;
    QIODevice& file = whole.device();
    bool ok = file.write("\xEF\xBB\xBF") == 3 &&
              file.write(csv::line(opened.header + QStringList{QStringLiteral("Reason")})) > 0;
    const Status read = eachRow(opened, nullptr, [&](const QStringList& cells, int) {
        if (const Verdict v = importer.judge(cells); ok && !v.why.isEmpty())
            ok = file.write(csv::line(cells + QStringList{v.why})) > 0;
    });
    if (!read)
        return read;
    if (!ok)
        return Failure{file.errorString()};
    return whole.commit();
}

Status exportRegister(Connection& connection, Kind kind, const QString& path, Progress* progress)
{
    const QList<Field> fields = fieldsOf(kind);
    QStringList header;
    QStringList columns;
    for (const Field& f : fields) {
        header << f.caption;
        columns << f.column;
    }
    // Players carry their addresses and telephone numbers.
    WholeFile whole({path, connection.filePath(), kind == Kind::Players});
    if (Status opened = whole.open(); !opened)
        return opened;
    QIODevice& file = whole.device();
    bool ok = file.write("\xEF\xBB\xBF") == 3;
    const auto line = [&](const QStringList& cells) {
        ok = ok && file.write(csv::line(cells)) > 0;
    };
    if (kind == Kind::Courses) {
        line(header);
        const auto all = courses::allByName(connection);
        if (!all)
            return Failure{all.error()};
        QList<courses::WithTees> list = all->values();
        std::sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
            return a.course.name.compare(b.course.name, Qt::CaseInsensitive) < 0;
        });
        for (const courses::WithTees& c : std::as_const(list)) {
            const Record course = c.course.record();
            const QList<Tee> tees = c.tees.isEmpty() ? QList<Tee>{Tee()} : c.tees;
            for (const Tee& tee : tees) {
                const Record teeRecord = tee.record();
                QStringList cells;
                for (const QString& column : std::as_const(columns))
                    cells << (!column.startsWith(kTee) ? csv::field(course.value(column))
                              : tee.name.isEmpty()
                                  ? QString()
                                  : csv::field(teeRecord.value(column.mid(kTee.size()))));
                line(cells);
            }
        }
    } else {
        // Rounds also carry their totals and points, for a spreadsheet to read; they are
        // added up anew when the file comes back.
        const bool rounds = kind == Kind::Rounds;
        if (rounds) {
            header << QStringLiteral("Out") << QStringLiteral("In") << QStringLiteral("Gross")
                   << QStringLiteral("Net") << QStringLiteral("Points");
            columns << QStringLiteral("out") << QStringLiteral("inn") << QStringLiteral("gross")
                    << QStringLiteral("net") << QStringLiteral("points");
        }
        line(header);
        QList<bool> ticks;
        for (const QString& c : std::as_const(columns))
            ticks << (c.startsWith(u"fairway") || c.startsWith(u"green"));
        const QString statement =
            rounds ? QStringLiteral("SELECT %1 FROM score ORDER BY strdate, playerID")
                   : QStringLiteral("SELECT %1 FROM player ORDER BY playername");
        long long done = 0;
        bool cancelled = false;
        if (!connection.scan(statement.arg(columns.join(QStringLiteral(", "))), {},
                             [&](const Cells& row) {
                                 QStringList cells;
                                 for (int i = 0; i < columns.size(); ++i) {
                                     const QVariant value = row.value(i);
                                     cells << (ticks[i] ? (value.toInt() != 0 ? QStringLiteral("1")
                                                                              : QStringLiteral("0"))
                                                        : csv::field(value));
                                 }
                                 line(cells);
                                 if (progress && ++done % 1000 == 0 && !progress->carryOn(done, 0))
                                     cancelled = true;
                             }))
            return sql::failure(connection);
        if (cancelled)
            return Failure{QStringLiteral("cancelled")};
    }
    if (!ok)
        return Failure{QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString())};
    return whole.commit();
}

} // namespace parlog::importing
