#include "sampledata.h"

#include "data/connection.h"
#include "data/records.h"
#include "golf/rules.h"
#include "golf/scoring.h"

#include <QDate>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <sqlite3.h>

#include <array>
#include <cmath>

namespace parlog::tools {

namespace {

const QStringList kFirst = {
    QStringLiteral("Sean"),  QStringLiteral("Mary"),    QStringLiteral("John"),
    QStringLiteral("Aoife"), QStringLiteral("Peter"),   QStringLiteral("Claire"),
    QStringLiteral("Brian"), QStringLiteral("Siobhan"), QStringLiteral("David"),
    QStringLiteral("Helen"), QStringLiteral("Michael"), QStringLiteral("Anne"),
    QStringLiteral("Tom"),   QStringLiteral("Niamh"),   QStringLiteral("Robert"),
    QStringLiteral("Grace")};
const QStringList kLast = {
    QStringLiteral("O'Brien"),  QStringLiteral("Adams"),      QStringLiteral("Brown"),
    QStringLiteral("Browning"), QStringLiteral("Murphy"),     QStringLiteral("O'Neill"),
    QStringLiteral("Kelly"),    QStringLiteral("Walsh"),      QStringLiteral("McCarthy"),
    QStringLiteral("Byrne"),    QStringLiteral("D'Arcy"),     QStringLiteral("Ryan"),
    QStringLiteral("Doyle"),    QStringLiteral("Fitzgerald"), QStringLiteral("Gallagher"),
    QStringLiteral("Lynch")};
const QStringList kCourses = {
    QStringLiteral("Ballybunion Old"), QStringLiteral("Lahinch"),
    QStringLiteral("Portmarnock"),     QStringLiteral("Royal County Down"),
    QStringLiteral("The K Club"),      QStringLiteral("Druid's Glen"),
    QStringLiteral("Mount Juliet"),    QStringLiteral("Carne"),
    QStringLiteral("Enniscrone"),      QStringLiteral("Waterville"),
    QStringLiteral("Rosapenna"),       QStringLiteral("St Andrews Old")};
const QStringList kTowns = {QStringLiteral("Kerry"),    QStringLiteral("Clare"),
                            QStringLiteral("Dublin"),   QStringLiteral("Down"),
                            QStringLiteral("Kildare"),  QStringLiteral("Wicklow"),
                            QStringLiteral("Kilkenny"), QStringLiteral("Mayo"),
                            QStringLiteral("Sligo"),    QStringLiteral("Donegal")};
const QStringList kDivisions = {QStringLiteral("Gents"), QStringLiteral("Ladies"),
                                QStringLiteral("Seniors"), QStringLiteral("Juniors")};
const QStringList kComps = {
    QStringLiteral("Captain's Prize"),   QStringLiteral("Club Medal"),
    QStringLiteral("President's Prize"), QStringLiteral("Spring Stableford"),
    QStringLiteral("Winter League"),     QStringLiteral("Friendly"),
    QStringLiteral("Open Week")};
const QStringList kComments = {QString(),
                               QString(),
                               QString(),
                               QString(),
                               QStringLiteral("Windy"),
                               QStringLiteral("Twos club on 7"),
                               QStringLiteral("HOLE in One!"),
                               QStringLiteral("Wet greens"),
                               QStringLiteral("Played with the captain's group")};

// Pars of a plausible par-70 to par-72 course.
std::array<int, 18> coursePars(QRandomGenerator& random)
{
    std::array<int, 18> pars{};
    for (int& p : pars)
        p = 4;
    for (int i = 0; i < 4; ++i)
        pars[random.bounded(18)] = 3;
    for (int i = 0; i < 4; ++i)
        pars[random.bounded(18)] = 5;
    return pars;
}

struct Player {
    QString name;
    double handicap;
    QString division;
};

// A course as the rounds are played on it: from its men's yellow tee.
struct PlayedCourse {
    std::array<int, 18> pars{};
    golf::Holes holes;
    Tee tee;
    int par = 0;
};

// Stroke indexes as clubs give them: the odd ones to one nine, the even to the other.
std::array<std::optional<int>, 18> strokeIndexes(QRandomGenerator& random)
{
    std::array<std::optional<int>, 18> indexes;
    const bool oddFront = random.bounded(2) == 0;
    for (int nine = 0; nine < 2; ++nine) {
        QList<int> left;
        for (int k = 0; k < 9; ++k)
            left << 2 * k + ((nine == 0) == oddFront ? 1 : 2);
        for (int h = 0; h < 9; ++h)
            indexes[nine * 9 + h] = left.takeAt(random.bounded(int(left.size())));
    }
    return indexes;
}

// Rounds go in through SQLite's own interface: a quarter of a million of them through
// the Qt layer take many times longer.
QString writeRounds(const QString& path, const SampleSizes& sizes, QRandomGenerator& random,
                    const QList<Player>& players, const QStringList& courseNames,
                    const QList<PlayedCourse>& played)
{
    if (sizes.rounds <= 0 || players.isEmpty() || courseNames.isEmpty())
        return {};
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) {
        const QString error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return error;
    }
    const auto fail = [db]() {
        const QString error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return error;
    };
    sqlite3_exec(db, "PRAGMA synchronous = OFF; PRAGMA cache_size = -262144", nullptr, nullptr,
                 nullptr);
    if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        return fail();
    // Indexes are faster built once at the end than kept up row by row.
    QList<QByteArray> indexes;
    {
        sqlite3_stmt* list = nullptr;
        if (sqlite3_prepare_v2(db,
                               "SELECT name, sql FROM sqlite_master WHERE type = 'index' "
                               "AND tbl_name = 'score' AND sql IS NOT NULL",
                               -1, &list, nullptr) != SQLITE_OK)
            return fail();
        QList<QByteArray> names;
        while (sqlite3_step(list) == SQLITE_ROW) {
            names << reinterpret_cast<const char*>(sqlite3_column_text(list, 0));
            indexes << reinterpret_cast<const char*>(sqlite3_column_text(list, 1));
        }
        sqlite3_finalize(list);
        for (const QByteArray& name : names)
            if (sqlite3_exec(db, ("DROP INDEX " + name).constData(), nullptr, nullptr, nullptr) !=
                SQLITE_OK)
                return fail();
    }
    QStringList columns;
    for (int h = 1; h <= 18; ++h)
        columns << QStringLiteral("hole%1").arg(h);
    columns << QStringLiteral("out") << QStringLiteral("inn") << QStringLiteral("gross")
            << QStringLiteral("net") << QStringLiteral("putts") << QStringLiteral("hand")
            << QStringLiteral("strdate");
    for (int h = 1; h <= 18; ++h)
        columns << QStringLiteral("green%1").arg(h);
    for (int h = 1; h <= 18; ++h)
        columns << QStringLiteral("fairway%1").arg(h);
    columns << QStringLiteral("course") << QStringLiteral("playerID") << QStringLiteral("division")
            << QStringLiteral("compss") << QStringLiteral("comp") << QStringLiteral("comment")
            << QStringLiteral("teeID") << QStringLiteral("tee") << QStringLiteral("courseRating")
            << QStringLiteral("slopeRating") << QStringLiteral("teePar")
            << QStringLiteral("handicapIndex") << QStringLiteral("courseHandicap")
            << QStringLiteral("playingHandicap") << QStringLiteral("points");
    QStringList marks;
    for (qsizetype k = 0; k < columns.size(); ++k)
        marks << QStringLiteral("?");
    const QByteArray sql = QStringLiteral("INSERT INTO score(%1) VALUES (%2)")
                               .arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))
                               .toUtf8();
    sqlite3_stmt* insert = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &insert, nullptr) != SQLITE_OK)
        return fail();
    // A Stableford is played as one, at 95% of the course handicap.
    sqlite3_stmt* stableford = nullptr;
    if (sqlite3_prepare_v2(db,
                           "INSERT INTO competition(name, strdate, format, allowance, pcc, "
                           "countsForHandicap) VALUES (?, ?, 'stableford', 0.95, 0, 1)",
                           -1, &stableford, nullptr) != SQLITE_OK)
        return fail();

    QList<QByteArray> playerNames;
    QList<QByteArray> divisions;
    for (const Player& p : players) {
        playerNames << p.name.toUtf8();
        divisions << p.division.toUtf8();
    }
    QList<QByteArray> courses;
    for (const QString& c : courseNames)
        courses << c.toUtf8();
    QList<QByteArray> tees;
    for (const PlayedCourse& course : played)
        tees << course.tee.label().toUtf8();
    QList<QByteArray> comps;
    for (const QString& c : kComps)
        comps << c.toUtf8();
    QList<QByteArray> comments;
    for (const QString& c : kComments)
        comments << c.toUtf8();

    const QDate last = QDate::currentDate();
    const int span = qMax(1, sizes.years * 365);
    // Rounds come as a society plays them: a competition day at a course, with a field
    // of different players handing in their cards.
    int fieldLeft = 0;
    int c = 0;
    QByteArray date;
    QByteArray ss;
    int comp = 0;
    QList<int> field;
    for (int r = 0; r < sizes.rounds; ++r) {
        if (fieldLeft == 0) {
            fieldLeft = qMin(int(players.size()), 4 + int(random.bounded(37)));
            c = random.bounded(int(courseNames.size()));
            date = last.addDays(-random.bounded(span)).toString(Qt::ISODate).toUtf8();
            ss = QByteArray::number(68 + random.bounded(5));
            comp = random.bounded(int(comps.size()));
            if (comps[comp].contains("Stableford")) {
                sqlite3_bind_text(stableford, 1, comps[comp].constData(), int(comps[comp].size()),
                                  SQLITE_STATIC);
                sqlite3_bind_text(stableford, 2, date.constData(), int(date.size()),
                                  SQLITE_TRANSIENT);
                if (sqlite3_step(stableford) != SQLITE_DONE) {
                    sqlite3_finalize(stableford);
                    return fail();
                }
                sqlite3_reset(stableford);
            }
            field.clear();
            for (int i = 0; i < int(players.size()); ++i)
                field << i;
        }
        --fieldLeft;
        const int pi = field.takeAt(random.bounded(int(field.size())));
        const Player& player = players[pi];
        const PlayedCourse& course = played[c];
        const auto& p = course.pars;
        int holes[18];
        int out = 0;
        int inn = 0;
        for (int h = 0; h < 18; ++h) {
            // Strokes over par grow with the handicap, with the odd birdie.
            const double over = player.handicap / 18.0 + random.bounded(2.2) - 0.9;
            holes[h] = qMax(1, p[h] + int(std::lround(over)));
            (h < 9 ? out : inn) += holes[h];
        }
        const int gross = out + inn;
        // Played off the yellow tee, with the handicap index as the player's handicap.
        const auto handicaps = handicapsFor(player.handicap, course.tee, course.par, 0.95);
        const int hand = handicaps->playingHandicap;
        std::array<int, 18> strokes{};
        std::copy(std::begin(holes), std::end(holes), strokes.begin());
        const golf::Scored scored = golf::scoreHoles(strokes, course.holes, hand);
        int k = 1;
        for (int h = 0; h < 18; ++h)
            sqlite3_bind_int(insert, k++, holes[h]);
        sqlite3_bind_int(insert, k++, out);
        sqlite3_bind_int(insert, k++, inn);
        sqlite3_bind_int(insert, k++, gross);
        sqlite3_bind_int(insert, k++, gross - hand);
        sqlite3_bind_int(insert, k++, random.bounded(26, 40));
        sqlite3_bind_double(insert, k++, hand);
        sqlite3_bind_text(insert, k++, date.constData(), int(date.size()), SQLITE_TRANSIENT);
        for (int h = 0; h < 18; ++h)
            sqlite3_bind_int(insert, k++,
                             holes[h] <= p[h] ? random.bounded(100) < 70
                                              : random.bounded(100) < 25);
        for (int h = 0; h < 18; ++h)
            sqlite3_bind_int(insert, k++, p[h] == 3 ? 0 : random.bounded(100) < 55);
        const auto text = [&](const QByteArray& value) {
            sqlite3_bind_text(insert, k++, value.constData(), int(value.size()), SQLITE_STATIC);
        };
        text(courses[c]);
        text(playerNames[pi]);
        text(divisions[pi]);
        sqlite3_bind_text(insert, k++, ss.constData(), int(ss.size()), SQLITE_TRANSIENT);
        text(comps[comp]);
        text(comments[random.bounded(int(comments.size()))]);
        sqlite3_bind_int64(insert, k++, course.tee.id);
        text(tees[c]);
        sqlite3_bind_double(insert, k++, *course.tee.courseRating);
        sqlite3_bind_int(insert, k++, *course.tee.slopeRating);
        sqlite3_bind_double(insert, k++, course.par);
        sqlite3_bind_double(insert, k++, player.handicap);
        sqlite3_bind_double(insert, k++, handicaps->courseHandicap);
        sqlite3_bind_int(insert, k++, hand);
        sqlite3_bind_int(insert, k++, scored.totalPoints);
        if (sqlite3_step(insert) != SQLITE_DONE) {
            sqlite3_finalize(insert);
            return fail();
        }
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_finalize(stableford);
    for (const QByteArray& index : indexes)
        if (sqlite3_exec(db, index.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            return fail();
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        return fail();
    sqlite3_close(db);
    return {};
}

bool run(QSqlQuery& q, const QString& sql, const QVariantList& values, QString* error)
{
    if (!q.prepare(sql)) {
        *error = q.lastError().text();
        return false;
    }
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        *error = q.lastError().text();
        return false;
    }
    return true;
}

} // namespace

QString writeSampleDatabase(const QString& path, const SampleSizes& sizes)
{
    if (QFile::exists(path) && !QFile::remove(path))
        return QStringLiteral("cannot replace %1").arg(path);
    Connection connection(path);
    if (const Status opened = connection.open(); !opened)
        return opened.error();
    QSqlDatabase db = connection.database();
    QRandomGenerator random(sizes.seed);
    QString error;
    // Speed matters more than durability for a file we can make again.
    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("PRAGMA synchronous = OFF"));
    pragma.exec(QStringLiteral("PRAGMA cache_size = -262144"));
    if (!db.transaction())
        return db.lastError().text();

    QSqlQuery q(db);
    for (const QString& d : kDivisions)
        if (!run(q, QStringLiteral("INSERT INTO division(type) VALUES (?)"), {d}, &error))
            return error;

    QList<Player> players;
    for (int i = 0; i < sizes.players; ++i) {
        QString name = kFirst[i % kFirst.size()] + QLatin1Char(' ') +
                       kLast[(i / kFirst.size() + i * 7) % kLast.size()];
        if (i >= kFirst.size() * kLast.size())
            name += QStringLiteral(" %1").arg(i);
        const double handicap = std::round((2.0 + random.bounded(26.0)) * 2.0) / 2.0;
        const QString division = kDivisions[random.bounded(int(kDivisions.size()))];
        players.append({name, handicap, division});
        const QString town = kTowns[random.bounded(int(kTowns.size()))];
        if (!run(q,
                 QStringLiteral("INSERT INTO player(playername, membership, Handicapp, division, "
                                "address1, address2, address3, postcode, telephone, mobile, "
                                "email) VALUES (?,?,?,?,?,?,?,?,?,?,?)"),
                 {name, QString::number(1000 + i), QString::number(handicap), division,
                  QStringLiteral("%1 Main Street").arg(random.bounded(1, 120)),
                  town + QStringLiteral(" Town"), QStringLiteral("Co. ") + town,
                  QStringLiteral("P%1 X%2")
                      .arg(random.bounded(10, 99))
                      .arg(random.bounded(100, 999)),
                  QStringLiteral("0%1 %2")
                      .arg(random.bounded(21, 99))
                      .arg(random.bounded(100000, 999999)),
                  QStringLiteral("08%1 %2")
                      .arg(random.bounded(3, 9))
                      .arg(random.bounded(1000000, 9999999)),
                  QString(name)
                          .remove(QLatin1Char('\''))
                          .replace(QLatin1Char(' '), QLatin1Char('.'))
                          .toLower() +
                      QStringLiteral("@example.ie")},
                 &error))
            return error;
    }

    QList<PlayedCourse> played;
    // A generator of its own for what came later, so that the players, courses and
    // rounds of a seed stay as they were.
    QRandomGenerator later(sizes.seed + 1);
    QStringList courseNames;
    for (int i = 0; i < sizes.courses; ++i) {
        QString name = kCourses[i % kCourses.size()];
        if (i >= kCourses.size())
            name += QStringLiteral(" %1").arg(i / kCourses.size() + 1);
        courseNames << name;
        const auto p = coursePars(random);
        PlayedCourse course;
        course.pars = p;
        Course stored;
        stored.strokeIndexes = strokeIndexes(later);
        QVariantList values{name, QStringLiteral("Links Road"), kTowns[i % kTowns.size()],
                            QStringLiteral("Co. ") + kTowns[i % kTowns.size()],
                            QStringLiteral("0%1 %2")
                                .arg(random.bounded(21, 99))
                                .arg(random.bounded(100000, 999999))};
        int total = 0;
        for (int h = 0; h < 18; ++h) {
            values << double(p[h]);
            total += p[h];
            stored.pars[h] = p[h];
        }
        values << double(total);
        for (const auto& index : stored.strokeIndexes)
            values << *index;
        QStringList marks;
        for (int k = 0; k < values.size(); ++k)
            marks << QStringLiteral("?");
        if (!run(q,
                 QStringLiteral("INSERT INTO courses(coursename, courseadd1, courseadd2, "
                                "courseadd3, coursetel, hole1, hole2, hole3, hole4, hole5, hole6, "
                                "hole7, hole8, hole9, hole10, hole11, hole12, hole13, hole14, "
                                "hole15, hole16, hole17, hole18, coursepar, si1, si2, si3, si4, "
                                "si5, si6, si7, si8, si9, si10, si11, si12, si13, si14, si15, "
                                "si16, si17, si18) VALUES (%1)")
                     .arg(marks.join(QLatin1Char(','))),
                 values, &error))
            return error;
        course.holes = holesOf(stored);
        course.par = total;
        // The tees, rated around the par: the men's white and yellow, the women's red.
        const struct {
            const char* name;
            const char* ratedFor;
            double over;
            int slope;
        } tees[3] = {{"White", "Men", 1.2, 128}, {"Yellow", "Men", -0.6, 120}, {"Red", "Women", 2.4, 124}};
        for (const auto& t : tees) {
            Tee tee;
            tee.courseID = i + 1;
            tee.name = QString::fromLatin1(t.name);
            tee.ratedFor = QString::fromLatin1(t.ratedFor);
            tee.courseRating = golf::roundHalfUp(total + t.over + later.bounded(10) / 10.0, 1);
            tee.slopeRating = t.slope + later.bounded(12);
            const Record record = tee.record();
            QStringList names;
            QStringList teeMarks;
            for (auto it = record.constBegin(); it != record.constEnd(); ++it) {
                names << it.key();
                teeMarks << QStringLiteral("?");
            }
            if (!run(q,
                     QStringLiteral("INSERT INTO tees(%1) VALUES (%2)")
                         .arg(names.join(QLatin1Char(',')), teeMarks.join(QLatin1Char(','))),
                     record.values(), &error))
                return error;
            if (tee.name == u"Yellow") {
                tee.id = q.lastInsertId().toLongLong();
                course.tee = tee;
            }
        }
        played << course;
    }

    if (!db.commit())
        return db.lastError().text();
    q = QSqlQuery();
    pragma = QSqlQuery();
    db = QSqlDatabase();
    connection.close();
    return writeRounds(path, sizes, random, players, courseNames, played);
}

} // namespace parlog::tools
