#pragma once

#include "data/outputfile.h"
#include "data/progress.h"
#include "data/result.h"
#include "reports/datasource.h"

#include <QStringList>

namespace parlog::report {

// One line of CSV as RFC 4180 has it: fields with a comma, a quote or a line break
// in quotes, quotes doubled, CRLF at the end.
QByteArray csvLine(const QStringList& fields);

// A value as a CSV field: dates ISO, whole numbers without ".0", empty for none.
QString csvField(const QVariant& value);

// Writes the rows of a source, in these columns, with a header line of the given
// captions (the columns' names when none are given), UTF-8 with a byte-order mark so
// that every spreadsheet reads accents right. A grouped source writes a line per child
// row, the group's value first. The file is replaced only once the whole of it is
// written.
Status writeCsv(const DataSource& source, const QStringList& columns, const OutputFile& target,
                Progress* progress = nullptr, const QStringList& headers = {},
                const QString& groupHeader = {});

} // namespace parlog::report
