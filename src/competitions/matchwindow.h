#pragma once

#include "base/window.h"
#include "competitions/field.h"
#include "data/draws.h"

#include <QHash>

class QComboBox;
class QLabel;
class QTableWidget;
class QTableWidgetItem;

namespace parlog {

// match: one match of a draw played hole by hole. Each side's tee, the strokes given
// (dots on the holes where they fall), and each hole's result: one key (1, 2 or H) or
// the balls' strokes, from which the hole is worked out net. The state follows every
// key, and entry stops at the hole that decides the match.
class MatchWindow : public Window {
    Q_OBJECT
public:
    explicit MatchWindow(Application& app);

    void load() override;
    void contextChanged() override;

    // The hole's result from A's view: '1', '2' or 'H'; false, and said why, when the
    // hole cannot take it (one before it not yet entered, the match decided before it).
    bool enterHole(int hole, QChar result);
    void clearFrom(int hole);
    bool keep();

    QString holes() const { return m_results; }
    QString state() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool okToClose() override; // holes entered and not kept are not lost unasked

private:
    struct Ball {
        QString name;
        int side = 0;               // 0 A, 1 B
        QStringList players;        // whose Course Handicaps make its strokes
        std::optional<int> strokes; // none while a player's index is unknown
    };
    void readMatch();
    void workOutStrokes();
    void showGrid();
    void showState();
    void strokesTyped(QTableWidgetItem* item);
    int length() const { return m_draw.holes == 9 ? 9 : 18; }
    int resultRow() const { return 2 + int(m_balls.size()); }
    const field::RatedTee* teeOf(int side) const;
    static QString& lastTee();

    QLabel* heading;
    QComboBox* teeA;
    QComboBox* teeB;
    QLabel* strokesGiven;
    QTableWidget* grid;
    QLabel* stateLabel;
    QComboBox* ending;
    QLabel* status;
    draws::Draw m_draw;
    draws::Match m_match;
    QList<Ball> m_balls;
    QString m_results;                         // a character a hole, from the 1st
    QHash<std::pair<int, int>, int> m_strokes; // the strokes typed, by ball and hole
    QHash<QString, double> m_indexes;
    QList<field::RatedTee> m_tees;
    bool m_showing = false;
    bool m_kept = false;
};

} // namespace parlog
