#pragma once

#include "data/queries.h"
#include "golf/scoring.h"

#include <QString>

#include <array>
#include <optional>

// The rows of the registers as typed values: a player, a course, a round. Each turns
// into the record its table stores and back here, and nowhere else, so that no window
// reads a column by its name.
namespace parlog {

struct Player {
    qint64 id = 0; // 0: not stored yet
    QString name;
    QString membership;
    QString handicap; // as typed: the register keeps it as text
    QString division;
    QString address1;
    QString address2;
    QString address3;
    QString postcode;
    QString telephone;
    QString mobile;
    QString email;

    static Player from(const Record& record);
    // Every column but the key.
    Record record() const;
};

struct Course {
    qint64 id = 0;
    QString name;
    QString address1;
    QString address2;
    QString address3;
    QString telephone;
    std::array<std::optional<double>, 18> pars;
    std::optional<double> par; // the course par as stored
    // Each of 1 to 18 once, or none at all: the course has no stroke indexes yet.
    std::array<std::optional<int>, 18> strokeIndexes;

    static Course from(const Record& record);
    Record record() const;
};

// A tee of a course, with its ratings for men or for women.
struct Tee {
    qint64 id = 0;
    qint64 courseID = 0;
    QString name; // "Yellow"
    QString ratedFor; // "Men" or "Women"
    std::optional<double> courseRating; // 71.2
    std::optional<int> slopeRating;     // 55 to 155
    std::optional<double> par;          // the tee's par; none: the course's
    // A women's tee's own, hole by hole; none: the course's.
    std::array<std::optional<int>, 18> strokeIndexes;
    std::array<std::optional<double>, 18> pars;
    // Each nine's own ratings, for a nine-hole competition.
    struct Nine {
        std::optional<double> courseRating; // 35.6
        std::optional<int> slopeRating;
        std::optional<int> par;
        bool rated() const { return courseRating && slopeRating && par; }
    };
    Nine front;
    Nine back;

    // Rated: a course rating and a slope rating to turn an index into a handicap.
    bool rated() const { return courseRating.has_value() && slopeRating.has_value(); }
    // "Yellow (Men) 71.2 / 131"
    QString label() const;

    static Tee from(const Record& record);
    Record record() const;
};

struct Round {
    qint64 key = 0; // 0: not stored yet
    std::array<std::optional<int>, 18> holes;
    std::optional<int> out;
    std::optional<int> inn;
    std::optional<int> gross;
    std::optional<int> net;
    std::optional<int> putts;
    std::optional<double> handicap;
    QString date; // ISO yyyy-mm-dd
    std::array<bool, 18> greens{};
    std::array<bool, 18> fairways{};
    QString course;
    QString player;
    QString division;
    QString standardScratch;
    QString competition;
    QString comment;
    // The tee and the handicaps the card was played off, as they were then.
    std::optional<qint64> teeID;
    QString tee; // as it was called
    std::optional<double> courseRating;
    std::optional<int> slopeRating;
    std::optional<double> teePar;
    std::optional<double> handicapIndex;
    std::optional<double> courseHandicap; // not rounded
    std::optional<int> playingHandicap;
    std::optional<int> points; // Stableford points, where the holes have stroke indexes
    // A side's one ball: the players who played it; none on one player's card.
    std::optional<int> sidePlayers;
    // Hole by hole where the card keeps them (none on a card of totals only): putts,
    // penalty strokes, and whether the player played from a bunker beside the green.
    std::array<std::optional<int>, 18> holePutts;
    std::array<std::optional<int>, 18> penalties;
    std::array<std::optional<bool>, 18> bunkers;
    bool hasHoleDetail() const; // some hole's putts are kept

    // The key is read from the column "card" when the row has one.
    static Round from(const Record& record);
    static Round from(const Rows& rows, qsizetype row);
    Record record() const;
    // The columns of record() in their order, and its values in the same order.
    static const QStringList& columns();
    QVariantList values() const;
};

// Reads rounds from rows of one query, each column found once for them all: a field of
// thousands of cards is read in a moment.
class RoundReader {
public:
    explicit RoundReader(const QStringList& columns);
    Round read(const QVariantList& row) const;

private:
    int at(const char* column) const;
    QStringList m_columns;
    std::array<int, 18> m_holes{};
    std::array<int, 18> m_greens{};
    std::array<int, 18> m_fairways{};
    std::array<int, 18> m_holePutts{};
    std::array<int, 18> m_penalties{};
    std::array<int, 18> m_bunkers{};
    int m_key, m_out, m_inn, m_gross, m_net, m_putts, m_hand, m_date, m_course, m_player,
        m_division, m_scratch, m_competition, m_comment, m_teeID, m_tee, m_rating, m_slope,
        m_teePar, m_index, m_courseHandicap, m_playingHandicap, m_points, m_sidePlayers;
};

// The key of a player's or a course's row; 0 when it has none.
qint64 keyOf(const Record& record);

// A number as a box shows it: nothing for none, 4 for 4.0.
QString shown(const std::optional<double>& value);
QString shown(const std::optional<int>& value);

// The holes a card on the course is scored against: the course's, with those the tee has
// of its own in their place.
golf::Holes holesOf(const Course& course, const Tee* tee = nullptr);
// The par of the tee, else of the course, else the holes' sum; 0 when nothing says.
int parOf(const Course& course, const Tee* tee = nullptr);
// A card's handicaps off a tee; nothing when it is not rated.
std::optional<golf::Handicaps> handicapsFor(double handicapIndex, const Tee& tee, int par,
                                            double allowance);

} // namespace parlog
