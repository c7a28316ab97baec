#pragma once

#include "data/importing.h"
#include "data/records.h"
#include "data/registers.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace parlog {

class Progress;
class RegisterInUse;

// What the players', courses' and divisions' windows, the import and the main menu's
// backup and export do with the register: each use case opens what it needs.
class MasterData {
public:
    explicit MasterData(RegisterInUse& where)
        : m_where(where)
    {
    }

    Result<QStringList> names(const registers::Register& r);
    // The row of that name (of two with one name, the first stored); empty for none.
    Result<Record> rowNamed(const registers::Register& r, const QString& name);
    // Adds a row, or changes the row with that key if it still reads as asRead.
    Result<Saved> save(const registers::Register& r, registers::EditMode mode, qint64 key,
                       const Record& values, const Record& asRead);
    // A course with its tees, all or nothing.
    Result<Saved> saveCourse(registers::EditMode mode, qint64 key, const Record& values,
                             const QList<Tee>& tees, const Record& asRead);
    Status remove(const registers::Register& r, qint64 key);
    // Every row of the register, as its list report prints them.
    Result<Rows> list(const registers::Register& r);
    Result<QList<Tee>> tees(qint64 courseID);
    // What the player's cards come to, when they come to an index.
    std::optional<double> recordIndex(const QString& player);

    Result<QStringList> divisions();
    Status addDivision(const QString& name);
    Status removeDivision(const QString& name);

    // A file's rows, as they would be stored and as they are: a card the file gives no
    // handicap takes the player's index on its day.
    Result<importing::Preview> preview(importing::Kind kind, importing::Opened opened,
                                       Progress* progress);
    Result<importing::Summary> import(importing::Kind kind, importing::Opened opened,
                                      bool allOrNothing, Progress* progress);
    Status writeNotImported(importing::Kind kind, const importing::Opened& opened,
                            const QString& path);

    // A copy of the whole register where its backups go; gives its path.
    Result<QString> backUp(Progress* progress);
    Status exportTo(importing::Kind kind, const QString& path, Progress* progress);

private:
    RegisterInUse& m_where;
};

} // namespace parlog
