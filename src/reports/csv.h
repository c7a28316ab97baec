#pragma once

#include "data/outputfile.h"
#include "data/progress.h"
#include "data/result.h"
#include "reports/datasource.h"

#include <QStringList>

namespace parlog::report {

// Writes the rows of a source, in these columns, with a header line of the given
// captions (the columns' names when none are given), UTF-8 with a byte-order mark so
// that every spreadsheet reads accents right. A grouped source writes a line per child
// row, the group's value first. The file is replaced only once the whole of it is
// written.
Status writeCsv(const DataSource& source, const QStringList& columns, const OutputFile& target,
                Progress* progress = nullptr, const QStringList& headers = {},
                const QString& groupHeader = {});

} // namespace parlog::report
