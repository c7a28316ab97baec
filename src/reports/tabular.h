#pragma once

#include "data/outputfile.h"
#include "data/result.h"
#include "reports/report.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// A report read as a table: its title lines, its columns' captions and each row's texts as
// the printed report shows them. The plain text for an e-mail and the web page are both
// written from it, so that every report is published alike.
namespace parlog::report {

struct Table {
    QStringList titles; // the report header's lines, top first, filled in
    QStringList captions;
    QList<Align> aligns;
    QList<QStringList> rows;
};

Table tableOf(const Report& report, const QDate& runDate);

// Columns padded with blanks for a fixed-width font, the titles over them.
QString plainText(const Table& table);

// Text made safe for HTML: & < > " and ' as entities.
QString escaped(const QString& text);
// One self-contained page: UTF-8, its styles inline, no script, nothing fetched; the
// society's name and the date on top, each table under its own titles.
QString htmlPage(const QString& society, const QString& date, const QList<Table>& tables);
Status writeHtml(const QString& society, const QString& date, const QList<Table>& tables,
                 const OutputFile& target);

} // namespace parlog::report
