#include "data/schema.h"

namespace parlog::schema {

namespace {

QString numbered(const QString& pattern, const QString& type)
{
    QStringList columns;
    for (int hole = 1; hole <= 18; ++hole)
        columns << pattern.arg(hole) + QLatin1Char(' ') +
                       QString(type).replace(QStringLiteral("%1"), QString::number(hole));
    return columns.join(QStringLiteral(", "));
}

} // namespace

QStringList createStatements()
{
    // Names compare without regard to case, so "smith" finds Smith and distinct
    // lists do not show Smith twice.
    const QString player = QStringLiteral(
        "CREATE TABLE player (ID INTEGER PRIMARY KEY, playername TEXT COLLATE NOCASE, "
        "membership TEXT, Handicapp TEXT, division TEXT COLLATE NOCASE, address1 TEXT, "
        "address2 TEXT, address3 TEXT, postcode TEXT, telephone TEXT, mobile TEXT, "
        "email TEXT) STRICT");
    const QString courses =
        QStringLiteral("CREATE TABLE courses (ID INTEGER PRIMARY KEY, coursename TEXT COLLATE "
                       "NOCASE, courseadd1 TEXT, courseadd2 TEXT, courseadd3 TEXT, coursetel "
                       "TEXT, %1, coursepar REAL) STRICT")
            .arg(numbered(QStringLiteral("hole%1"), QStringLiteral("REAL")));
    const QString division =
        QStringLiteral("CREATE TABLE division (type TEXT COLLATE NOCASE) STRICT");
    const QString score =
        QStringLiteral(
            "CREATE TABLE score (%1, out INTEGER, inn INTEGER, gross INTEGER, net INTEGER, "
            "putts INTEGER, hand REAL, strdate TEXT CHECK (strdate IS NULL OR "
            "strdate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'), %2, %3, "
            "course TEXT COLLATE NOCASE, playerID TEXT COLLATE NOCASE, division TEXT COLLATE "
            "NOCASE, compss TEXT, comp TEXT COLLATE NOCASE, comment TEXT) STRICT")
            .arg(numbered(QStringLiteral("hole%1"), QStringLiteral("INTEGER")),
                 numbered(QStringLiteral("green%1"),
                          QStringLiteral("INTEGER CHECK (green%1 IN (0, 1))")),
                 numbered(QStringLiteral("fairway%1"),
                          QStringLiteral("INTEGER CHECK (fairway%1 IN (0, 1))")));
    return {
        player,
        courses,
        division,
        score,
        QStringLiteral("CREATE INDEX player_name ON player (playername)"),
        QStringLiteral("CREATE INDEX courses_name ON courses (coursename)"),
        QStringLiteral("CREATE INDEX division_type ON division (type)"),
        QStringLiteral("CREATE INDEX score_player_net ON score (playerID, net)"),
        QStringLiteral("CREATE INDEX score_player_course ON score (playerID, course, net)"),
        QStringLiteral("CREATE INDEX score_player_date ON score (playerID, strdate)"),
        QStringLiteral("CREATE INDEX score_course ON score (course)"),
        QStringLiteral("CREATE INDEX score_comp ON score (comp)"),
        QStringLiteral("CREATE INDEX score_date ON score (strdate)"),
        QStringLiteral("CREATE INDEX score_net ON score (net)"),
        QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId),
        QStringLiteral("PRAGMA user_version = %1").arg(kVersion),
    };
}

QStringList columnNames(const QString& table)
{
    const auto holes = [](const char* prefix) {
        QStringList list;
        for (int hole = 1; hole <= 18; ++hole)
            list << QLatin1String(prefix) + QString::number(hole);
        return list;
    };
    if (table == u"player")
        return {
            QStringLiteral("ID"),        QStringLiteral("playername"), QStringLiteral("membership"),
            QStringLiteral("Handicapp"), QStringLiteral("division"),   QStringLiteral("address1"),
            QStringLiteral("address2"),  QStringLiteral("address3"),   QStringLiteral("postcode"),
            QStringLiteral("telephone"), QStringLiteral("mobile"),     QStringLiteral("email")};
    if (table == u"courses")
        return QStringList{QStringLiteral("ID"),         QStringLiteral("coursename"),
                           QStringLiteral("courseadd1"), QStringLiteral("courseadd2"),
                           QStringLiteral("courseadd3"), QStringLiteral("coursetel")} +
               holes("hole") + QStringList{QStringLiteral("coursepar")};
    if (table == u"division")
        return {QStringLiteral("type")};
    if (table == u"score")
        return holes("hole") + QStringList{QStringLiteral("out"),    QStringLiteral("inn"),
                                           QStringLiteral("gross"),  QStringLiteral("net"),
                                           QStringLiteral("putts"),  QStringLiteral("hand"),
                                           QStringLiteral("strdate")} +
               holes("green") + holes("fairway") +
               QStringList{QStringLiteral("course"),   QStringLiteral("playerID"),
                           QStringLiteral("division"), QStringLiteral("compss"),
                           QStringLiteral("comp"),     QStringLiteral("comment")};
    return {};
}

QStringList tableNames()
{
    return {QStringLiteral("player"), QStringLiteral("courses"), QStringLiteral("division"),
            QStringLiteral("score")};
}

} // namespace parlog::schema
