#pragma once

#include "data/queries.h"
#include "golf/allowances.h"

#include <QHash>

// How a competition is played and counted, kept in the register by its name and day.
namespace parlog::competitions {

enum class Format { Stroke, Stableford, ParBogey };
// "Stroke play", "Stableford", "Par/bogey"
QString formatName(Format format);

// Eighteen holes, or one nine.
enum class Nine { Eighteen, Front, Back };

struct Settings {
    QString name;
    QString date; // ISO
    Format format = Format::Stroke;
    double allowance = 0.95; // of the course handicap: 0.95 for 95%
    int pcc = 0;             // playing conditions calculation: -1 to +3
    bool countsForHandicap = true;
    golf::TeamFormat team = golf::TeamFormat::Individual;
    Nine nine = Nine::Eighteen;
};
// The play of the allowance table the format stands for.
golf::Play playOf(Format format);
// The allowance the table gives a new competition of this format and team format.
double defaultAllowance(Format format, golf::TeamFormat team);
// Each team format as kept in the register ("fourball"), and back; Individual for one not
// known.
QString storedTeamFormat(golf::TeamFormat team);
golf::TeamFormat teamFormatFrom(const QString& stored);
// Every team format, in the order a list offers them.
QList<golf::TeamFormat> teamFormats();

// A side of a pairs or fours competition: its players as the register names them (a
// visitor's name where one made up the side).
struct Side {
    QString name; // "Adams / Brown" unless given one
    QStringList players;
};
// The name a side goes by when given none: its players' surnames, " / " between.
QString sideNameOf(const QStringList& players);
// The sides of a competition, in the field's order.
Result<QList<Side>> sides(Connection& connection, const QString& name, const QString& date);
// Keeps them in place of those kept before, all or none.
Status saveSides(Connection& connection, const QString& name, const QString& date,
                 const QList<Side>& sides);
// A competition's settings and its sides together, all or none.
Status saveField(Connection& connection, const Settings& settings, const QList<Side>& sides);

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
