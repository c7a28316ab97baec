#pragma once

#include "base/window.h"
#include "data/courses.h"
#include "data/scorecard.h"
#include "rounds/roundentry.h"

#include <QHash>
#include <QVariantMap>

#include <array>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace parlog {

// scoreadd: the score card on screen, one round at a time.
class ScoreAdd : public Window {
    Q_OBJECT
public:
    explicit ScoreAdd(Application& app);

    void load() override;
    // A player picked from the list: the handicap, index and division come with them.
    void playerPicked();
    // The card stored, after its checks: the visitor, the same card again, a correction
    // made meanwhile.
    void save();
    // The next player's card of the same competition.
    void newRound();
    void clearForm();
    void pickRoundToEdit();   // a stored round to correct, from the round picker
    void deleteLoadedRound(); // the round being corrected, copied aside first
    // The player's name typed and left (Enter, Tab): a registered name is a pick.
    void playerTyped();
    // A stored round loaded into the card; Save then changes it instead of adding one.
    void loadRound(qint64 key);
    qint64 editing() const { return m_editing; }
    void contextChanged() override;
    // A hole's strokes typed: the totals follow, the focus moves on.
    void holeChanged(int hole);
    // A hole's putts typed or cleared: the putts total is their sum while any is kept.
    void holePuttsChanged();

    RoundCard card() const;
    // A card with holes typed and not saved.
    bool hasUnsavedHoles() const;

protected:
    bool okToClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RoundEntry m_entry; // what the card does with the register
    // The course chosen: its pars over the holes, its tees in the picker.
    void courseChanged(const QString& courseName);
    // The tee the player last played the course from, else the course's first.
    void chooseTee();
    // The Handicap Index, course and playing handicaps from the index and the tee;
    // the handicap box takes the playing handicap.
    void handicapsChanged();
    // The strokes received over each hole and the points beside it.
    void showPoints();
    // The competition named and dated on the card: its format and, of a one-ball format,
    // its sides offered among the players.
    void competitionChanged();
    void readDay(); // the same without working the handicaps out again
    // The side of that name among the day's one-ball sides, if it is one.
    std::optional<competitions::Side> sideNamed(const QString& name) const;
    const Tee* chosenTee() const;
    // The competition's allowance: 95% unless it was set otherwise; a card of no
    // competition plays off its whole course handicap.
    double allowance();
    // The playing handicap the holes are scored with: the card's, else the handicap box
    // rounded as net rounds it.
    std::optional<int> playingHandicapNow() const;
    void setHolesToZero();
    // Everything of one player's card, from the handicap to the ticks, back to a new card.
    void clearPlayersCard();
    void stopEditing();
    // The keys of a hole's putts box: a digit is its putts and moves on, X adds a penalty
    // stroke, B ticks the greenside bunker, F and G as in the strokes box.
    bool puttsKey(int hole, const QKeyEvent& key);
    // F, G and B tick the hole's fairway, green and bunker without moving on.
    bool tickKey(int hole, const QKeyEvent& key);

    QLineEdit* competition;
    QComboBox* course;
    QComboBox* player;
    QComboBox* tee;
    QLineEdit* handicap;
    QLineEdit* handicapIndex;
    QLineEdit* courseHandicap;
    QLineEdit* playingHandicap;
    QLineEdit* division;
    QLineEdit* date;
    std::array<QLineEdit*, 18> holes{};
    std::array<QCheckBox*, 18> fairways{};
    std::array<QCheckBox*, 18> greens{};
    std::array<QLabel*, 18> par{};
    std::array<QLabel*, 18> dots{}; // strokes received on the hole
    std::array<QLabel*, 18> pts{};  // Stableford points
    // The holes' detail, optional: putts, penalty strokes, a greenside bunker.
    std::array<QLineEdit*, 18> holePutts{};
    std::array<QLineEdit*, 18> penalties{};
    std::array<QCheckBox*, 18> bunkers{};
    QCheckBox* holeDetail; // after hole 18, a second pass over the holes' putts
    int m_tens = -1;       // the hole whose + waits for its second digit
    QString m_beforeTens;  // what that box held before the +
    QLineEdit* out;
    QLineEdit* inn;
    QLineEdit* gross;
    QLineEdit* net;
    QLineEdit* putts;
    QLineEdit* ss;
    QLineEdit* points;
    std::optional<courses::WithTees> m_course; // the course chosen, with its tees
    std::optional<double> m_courseHandicap;    // not rounded, as the card keeps it
    bool m_loading = false;                    // a stored card going into the boxes
    QPlainTextEdit* comment;
    QPushButton* saveButton;
    QPushButton* newRoundButton;
    QPushButton* clearButton;
    QPushButton* closeButton;
    QLabel* savedLabel;
    QPushButton* editButton;
    QPushButton* deleteButton;
    QString m_picked;            // the player whose handicap and division the card holds
    // The competition the card is for, as kept, with its sides; the side whose one ball
    // the card is, when it is a side's, and the names of the sides the player list offers.
    competitions::Settings m_day;
    QList<competitions::Side> m_daySides;
    std::optional<competitions::Side> m_side;
    QStringList m_sidesListed;
    qint64 m_editing = 0;        // the round being corrected; 0 for a new card
    QVariantMap m_editingAsRead; // the round as loaded: saved over only if it still reads so
    QString m_editingDate;
    QString m_editingPlayer;
    Round m_editingRound; // as loaded, for the question before it is deleted
};

} // namespace parlog
