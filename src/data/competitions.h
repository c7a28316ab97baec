#pragma once

#include "data/queries.h"

#include <QHash>

// How a competition is played and counted, kept in the register by its name and day.
namespace parlog::competitions {

enum class Format { Stroke, Stableford, ParBogey };
// "Stroke play", "Stableford", "Par/bogey"
QString formatName(Format format);

struct Settings {
    QString name;
    QString date; // ISO
    Format format = Format::Stroke;
    double allowance = 0.95; // of the course handicap: 0.95 for 95%
    int pcc = 0;             // playing conditions calculation: -1 to +3
    bool countsForHandicap = true;
};

// The competition's settings; the defaults when none were kept.
Result<Settings> settings(Connection& connection, const QString& name, const QString& date);
// Every competition's kept settings, by day (ISO): a card finds its own without
// building a key.
using Book = QHash<QString, QList<Settings>>;
Result<Book> all(Connection& connection);
// The settings of that competition in the book; the defaults when it holds none.
Settings settingsIn(const Book& book, const QString& name, const QString& date);

// Keeps them, in place of any kept before.
Status save(Connection& connection, const Settings& settings);

} // namespace parlog::competitions
