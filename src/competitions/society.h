#pragma once

#include "competitions/eclectic.h"
#include "competitions/field.h"
#include "competitions/matchdraw.h"
#include "competitions/orderofmerit.h"
#include "competitions/results.h"
#include "data/competitions.h"
#include "data/queries.h"
#include "data/result.h"
#include "data/rounds.h"
#include "data/seasons.h"
#include "data/startsheets.h"
#include "reports/report.h"

#include <QDate>

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace parlog {

class RegisterInUse;

// What the society's competition windows (results, order of merit, eclectic) ask of the
// register: each use case opens what it needs.
class Society {
public:
    explicit Society(RegisterInUse& where)
        : m_where(where)
    {
    }

    Result<QList<rounds::Competition>> competitions();
    Result<competitions::Settings> settings(const QString& name, const QString& date);
    Status keepSettings(const competitions::Settings& settings);
    Result<QList<competitions::Side>> sides(const QString& name, const QString& date);
    // The register's players with their Handicap Index (those without one left out).
    Result<QList<field::Entrant>> entrants();
    // Every rated tee, "Carne: Yellow (Men) 72.1 / 121", with its ratings.
    Result<QList<field::RatedTee>> ratedTees();
    // A competition's settings and sides together.
    Status keepField(const competitions::Settings& settings,
                     const QList<competitions::Side>& sides);
    Status keepSides(const QString& name, const QString& date,
                     const QList<competitions::Side>& sides);
    // A competition's cards between two days (ISO), with the courses they were played on
    // and the sides of its day.
    struct Played {
        Rows cards;
        CourseBook courses;
        QList<competitions::Side> sides;
    };
    Result<Played> played(const QString& name, const QString& day, const QString& from,
                          const QString& to);

    Result<QStringList> coursesWithCards();
    // The course with most cards between two days; empty for none.
    Result<QString> busiestCourse(const QString& from, const QString& to);
    Result<QList<EclecticLine>> eclectic(const QString& course, const QString& from,
                                         const QString& to, Basis basis, double share);

    Result<QStringList> divisions();
    Result<QList<seasons::Season>> seasons();
    Result<QList<MeritEvent>> events(const seasons::Season& season);
    Result<OrderOfMerit> orderOfMerit(const seasons::Season& season,
                                      const std::optional<QString>& division);
    Result<seasons::Kept> keepSeason(const seasons::Season& season);
    Status removeSeason(qint64 id);

    // Match play's draws.
    Result<QStringList> drawNames();
    Result<std::optional<draws::Draw>> draw(const QString& name);
    Result<draws::Kept> keepDraw(const draws::Draw& draw, const std::optional<draws::Draw>& asRead);
    Status removeDraw(qint64 id);
    // A competition's start sheet; none when it has none.
    Result<std::optional<startsheets::Sheet>> startSheet(const QString& name, const QString& date);
    Status keepStartSheet(const startsheets::Sheet& sheet);

    // Published: a competition's results on its latest day; none when no competition has
    // that name.
    Result<std::optional<report::Report>> publishedResults(const QString& name);
    // The season of that name's order of merit; none when no season has that name.
    Result<std::optional<report::Report>> publishedMerit(const QString& season);
    // Every player's Handicap Index on the day: worked out from the cards, else as kept.
    Result<std::optional<report::Report>> handicapList(const QDate& day);

    // A player's matches in every draw, as an entry or one of a side.
    Result<matchdraw::PlayerMatches> playerMatches(const QString& player);

private:
    RegisterInUse& m_where;
};

} // namespace parlog
