#pragma once

#include "data/progress.h"
#include "data/result.h"

#include <QList>
#include <QString>

namespace parlog {

class Connection;

// How many rows a table had in the source, and how many arrived.
struct TableCount {
    QString table;
    qint64 source = 0;
    qint64 arrived = 0;
};

// Copies a whole register, every table and every row with its key, from one place to
// another: each a file or a server's database (postgresql://...). The target must be
// a new file, an empty database, or a register with no rows. Each table goes in one
// transaction.
Result<QList<TableCount>> copyRegister(const QString& source, const QString& target,
                                       Progress* progress = nullptr);

// Done when no table of the register holds a row; otherwise says which does.
Status holdsNoRows(Connection& connection);

} // namespace parlog
