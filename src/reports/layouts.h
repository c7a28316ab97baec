#pragma once

#include "reports/reportmodel.h"

namespace parlog::report {

// The layout of one of the twelve reports (DataReport1 ... DataReport10, the results
// and the season); an empty layout for any other name.
Layout layoutFor(const QString& name);

// The names of the reports whose layouts exist.
QStringList reportNames();

// The golfer at the end of a swing, for the score cards; with the grey oval under
// his feet for the round cards.
inline const QString kGolfer = QStringLiteral(":/reports/golfer.svg");
inline const QString kGolferOnOval = QStringLiteral(":/reports/golfer-oval.svg");

} // namespace parlog::report
