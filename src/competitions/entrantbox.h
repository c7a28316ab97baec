#pragma once

#include "competitions/field.h"

#include <QHash>
#include <QList>
#include <QString>

class QLineEdit;

namespace parlog {

// The society's players offered in a box where entrants are typed, and their Handicap
// Indexes by name in lower case, as the draw and the start sheet look them up.
QHash<QString, double> offerEntrants(QLineEdit* box, const QList<field::Entrant>& players);

} // namespace parlog
