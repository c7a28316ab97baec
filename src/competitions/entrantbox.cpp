#include "competitions/entrantbox.h"

#include <QCompleter>
#include <QLineEdit>
#include <QStringList>

namespace parlog {

QHash<QString, double> offerEntrants(QLineEdit* box, const QList<field::Entrant>& players)
{
    QHash<QString, double> indexes;
    QStringList known;
    for (const field::Entrant& e : players) {
        indexes.insert(e.name.toLower(), e.index);
        known << e.name;
    }
    auto* completer = new QCompleter(known, box);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    // Completed in the box itself: Enter takes what it shows, no list steals the key.
    completer->setCompletionMode(QCompleter::InlineCompletion);
    box->setCompleter(completer);
    return indexes;
}

} // namespace parlog
