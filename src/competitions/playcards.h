#pragma once

#include "competitions/field.h"
#include "competitions/startsheet.h"
#include "data/competitions.h"
#include "reports/report.h"

#include <QHash>
#include <QList>
#include <QString>

#include <array>

// The cards printed before play: one for each player of a start sheet (one for each side
// of a one-ball format), with its handicaps and a dot on each hole for each stroke
// received.
namespace parlog::playcards {

struct Card {
    QString name;           // the player's, or the side's
    QString index;          // "12.4", "+1.2"; empty when not known
    QString courseHandicap; // to a tenth, as the tee makes it
    QString playing;        // "12", "+2"
    QString time;
    QString startTee;
    int group = 0;
    std::array<QString, 18> dots; // "••" two strokes; "+" one given back
};

// "••" for two strokes received, "+" for one given back.
QString dotsFor(int received);
// The cards in the sheet's order (its times). Strokes only where the index is known.
QList<Card> cardsOf(const QList<startsheet::Group>& groups, const QHash<QString, double>& indexes,
                    const competitions::Settings& settings, const field::RatedTee& tee);
// Two cards to a landscape page.
report::Report report(const QList<Card>& cards, const competitions::Settings& settings,
                      const field::RatedTee& tee);

} // namespace parlog::playcards
