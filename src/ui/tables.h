#pragma once

#include <QString>
#include <QVariant>

class QSortFilterProxyModel;
class QStandardItem;
class QTableView;

namespace parlog {

// A cell of a table that sorts by its value: a number as a number ("10" after "9",
// "2=" as 2), else the text ignoring case, or what sortBy gives (an ISO date).
QStandardItem* sortableCell(const QString& text, const QVariant& sortBy = {});

// A click on a column's header sorts the rows by it, and again the other way.
void sortByHeader(QTableView* view, QSortFilterProxyModel* proxy);

// Every column as wide as its contents, the last one taking what is left, so that
// nothing hides behind a scroll bar that need not.
void fitColumns(QTableView* view);

} // namespace parlog
