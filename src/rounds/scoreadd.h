#pragma once

#include "base/window.h"
#include "rounds/scorecard.h"

#include <QHash>
#include <QVariantMap>

#include <array>

class QCheckBox;
class QComboBox;
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

    void form_load() override;
    void player_Click();
    void Command54_Click(); // Save
    void Command56_Click(); // New Round
    void clearall_Click();  // Clear Form
    void Command57_Click(); // Close
    void editRound_Click(); // Edit a Round: pick a stored round to correct
    // A stored round loaded into the card; Save then changes it instead of adding one.
    void loadRound(qint64 key);
    qint64 editing() const { return m_editing; }
    void contextChanged() override;
    void HOLE_Change(int hole); // HOLE1_Change ... HOLE18_Change

    RoundCard card() const;
    // A card with holes typed and not saved.
    bool hasUnsavedHoles() const;

protected:
    bool okToClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPars(const QString& courseName);
    void setHolesToZero();
    // Everything of one player's card, from the handicap to the ticks, back to a new card.
    void clearPlayersCard();
    void stopEditing();

    QLineEdit* Text160;
    QComboBox* course;
    QComboBox* player;
    QLineEdit* handicap;
    QLineEdit* Division;
    QLineEdit* Date;
    std::array<QLineEdit*, 18> HOLE{};
    std::array<QCheckBox*, 18> f{};
    std::array<QCheckBox*, 18> g{};
    std::array<QLabel*, 18> par{};
    QHash<QString, std::array<double, 18>> m_pars; // by course name in lower case
    int m_tens = -1;        // the hole whose + waits for its second digit
    QString m_beforeTens;   // what that box held before the +
    QLineEdit* out;
    QLineEdit* inn;
    QLineEdit* gross;
    QLineEdit* net;
    QLineEdit* putts;
    QLineEdit* ss;
    QPlainTextEdit* comment;
    QPushButton* Command54;
    QPushButton* Command56;
    QPushButton* clearall;
    QPushButton* Command57;
    QLabel* rsaved;
    QPushButton* editRound;
    qint64 m_editing = 0; // the round being corrected; 0 for a new card
    QVariantMap m_editingAsRead; // the round as loaded: saved over only if it still reads so
    QString m_editingDate;
    QString m_editingPlayer;
};

} // namespace parlog
