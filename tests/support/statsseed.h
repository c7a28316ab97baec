#pragma once

#include "testsupport.h"

#include "data/scorecard.h"

namespace parlog::test {

// A round stored as the card would store it: holes, totals from them, and the rest.
struct SeedRound {
    QString player = QStringLiteral("Adams");
    QString course = QStringLiteral("Lahinch");
    QString date = QStringLiteral("2004-03-05");
    std::array<int, 18> holes{4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4};
    int hand = 10;
    int putts = 30;
    QString comp = QStringLiteral("Medal");
    QString comment;
    QList<int> greens;   // holes with the green flag set
    QList<int> fairways; // holes with the fairway flag set
};

inline bool addRound(Fixture& f, const SeedRound& r)
{
    int out = 0;
    int inn = 0;
    for (int h = 0; h < 18; ++h)
        (h < 9 ? out : inn) += r.holes[h];
    QStringList columns;
    QVariantList values;
    for (int h = 0; h < 18; ++h) {
        columns << QStringLiteral("hole%1").arg(h + 1);
        values << r.holes[h];
        columns << QStringLiteral("green%1").arg(h + 1);
        values << int(r.greens.contains(h + 1));
        columns << QStringLiteral("fairway%1").arg(h + 1);
        values << int(r.fairways.contains(h + 1));
    }
    columns << QStringLiteral("out") << QStringLiteral("inn") << QStringLiteral("gross")
            << QStringLiteral("net") << QStringLiteral("hand") << QStringLiteral("putts")
            << QStringLiteral("playerID") << QStringLiteral("course") << QStringLiteral("strdate")
            << QStringLiteral("comp") << QStringLiteral("comment") << QStringLiteral("division")
            << QStringLiteral("compss");
    values << out << inn << out + inn << out + inn - r.hand << double(r.hand) << r.putts << r.player
           << r.course << r.date << r.comp << r.comment << QStringLiteral("Gents")
           << QStringLiteral("70");
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return f.sql(QStringLiteral("INSERT INTO score(%1) VALUES (%2)")
                     .arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                 values);
}

// A course of par 4s (72) with stroke index h on hole h, and its yellow tee rated 72.0 /
// 113: there a course handicap is the index itself, 18.0 x 113 / 113 + (72.0 - 72).
inline bool addRatedCourse(Fixture& f, const QString& name)
{
    QStringList columns{QStringLiteral("coursename"), QStringLiteral("coursepar")};
    QVariantList values{name, 72};
    for (int h = 1; h <= 18; ++h) {
        columns << QStringLiteral("hole%1").arg(h) << QStringLiteral("si%1").arg(h);
        values << 4 << h;
    }
    return f.sql(QStringLiteral("INSERT INTO courses(%1) VALUES (%2)")
                     .arg(columns.join(QLatin1Char(',')),
                          QStringList(values.size(), QStringLiteral("?")).join(QLatin1Char(','))),
                 values) &&
           f.sql(QStringLiteral("INSERT INTO tees(courseID, name, ratedFor, courseRating, "
                                "slopeRating) SELECT ID, 'Yellow', 'Men', 72.0, 113 FROM courses "
                                "WHERE coursename = ?"),
                 {name});
}

// Holes all at one value but for some.
inline std::array<int, 18> holes(int all, std::initializer_list<std::pair<int, int>> except = {})
{
    std::array<int, 18> h;
    h.fill(all);
    for (const auto& [hole, value] : except)
        h[hole - 1] = value;
    return h;
}

} // namespace parlog::test
