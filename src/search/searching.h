#pragma once

#include "data/deletion.h"
#include "data/progress.h"
#include "data/result.h"
#include "data/rounds.h"
#include "reports/datasource.h"
#include "search/criteria.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace parlog {

class RegisterInUse;

// What the search and delete windows do with the register: each use case opens what it
// needs, and what it hands back (a feed, a grouped source) reads on its own connection.
class Searching {
public:
    explicit Searching(RegisterInUse& where)
        : m_where(where)
    {
    }

    Result<CriteriaLists> lists();
    // The matching rounds as the report pages through them.
    Result<std::shared_ptr<RowFeed>> feed(const rounds::Filter& filter, const QString& order,
                                          const QStringList& columns);
    Result<report::DataSource> grouped(const rounds::Filter& filter, const QString& order,
                                       const QString& group, const QStringList& columns);
    // Counted before the user is asked; deleted as counted.
    Result<RoundsToDelete> toDelete(const rounds::Filter& filter);
    Result<Deletion> remove(const RoundsToDelete& rounds, Progress* progress);

private:
    RegisterInUse& m_where;
};

} // namespace parlog
