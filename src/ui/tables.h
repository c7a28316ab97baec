#pragma once

#include <QString>
#include <QTableWidget>
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

// A table typed into from the keyboard: Tab and Shift+Tab go from cell to cell in
// reading order, into and out of the controls that stand in cells (a picker), and leave
// the table only past its last cell or before its first, for the control after or
// before it. No key typed in the table lands anywhere else.
class CellTable : public QTableWidget {
    Q_OBJECT
public:
    CellTable(int rows, int columns, QWidget* parent);
    // A control standing in a cell, which Tab leaves for the next cell.
    void placeCellWidget(int row, int column, QWidget* widget);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The cell after (or before) this one in reading order; invalid past either end.
    QModelIndex neighbour(const QModelIndex& from, bool next) const;
    // To the cell next to FROM, or out of the table when there is none.
    void tabFrom(const QModelIndex& from, bool next);
};

} // namespace parlog
