#include "ui/tables.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardItem>
#include <QTableView>

namespace parlog {

namespace {
constexpr int kSortRole = Qt::UserRole + 40;
} // namespace

QStandardItem* sortableCell(const QString& text, const QVariant& sortBy)
{
    auto* item = new QStandardItem(text);
    QVariant key = sortBy;
    if (!key.isValid()) {
        static const QRegularExpression number(QStringLiteral(R"(^\s*([-+]?\d+(\.\d+)?))"));
        const auto m = number.match(text);
        key = m.hasMatch() ? QVariant(m.captured(1).toDouble()) : QVariant(text.toLower());
    }
    item->setData(key, kSortRole);
    return item;
}

void sortByHeader(QTableView* view, QSortFilterProxyModel* proxy)
{
    proxy->setSortRole(kSortRole);
    view->setSortingEnabled(true);
    // Unsorted until the user asks: the rows come in the order that means something.
    proxy->sort(-1);
    view->horizontalHeader()->setSortIndicatorShown(true);
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
}

void fitColumns(QTableView* view)
{
    view->resizeColumnsToContents();
    QHeaderView* header = view->horizontalHeader();
    header->setStretchLastSection(true);
    int used = 0;
    for (int c = 0; c < header->count(); ++c)
        used += header->sectionSize(c);
    // Room left over goes to every column alike, not to the last alone.
    const int spare = view->viewport()->width() - used;
    if (spare > 0 && header->count() > 0)
        for (int c = 0; c + 1 < header->count(); ++c)
            header->resizeSection(c, header->sectionSize(c) + spare / header->count());
}

CellTable::CellTable(int rows, int columns, QWidget* parent)
    : QTableWidget(rows, columns, parent)
{
    setTabKeyNavigation(true);
}

void CellTable::placeCellWidget(int row, int column, QWidget* widget)
{
    widget->installEventFilter(this);
    setCellWidget(row, column, widget);
}

QModelIndex CellTable::neighbour(const QModelIndex& from, bool next) const
{
    const int columns = columnCount();
    if (!from.isValid() || columns == 0)
        return next && rowCount() > 0 ? model()->index(0, 0) : QModelIndex();
    const int at = from.row() * columns + from.column() + (next ? 1 : -1);
    if (at < 0 || at >= rowCount() * columns)
        return {};
    return model()->index(at / columns, at % columns);
}

QModelIndex CellTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // Past the last cell (or before the first) there is none: the table is left, never
    // wrapped round to its other end.
    if (action == MoveNext || action == MovePrevious)
        return neighbour(currentIndex(), action == MoveNext);
    return QTableWidget::moveCursor(action, modifiers);
}

void CellTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    if ((next || hint == QAbstractItemDelegate::EditPreviousItem) &&
        !neighbour(currentIndex(), next).isValid()) {
        QTableWidget::closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
        QWidget::focusNextPrevChild(next);
        return;
    }
    QTableWidget::closeEditor(editor, hint);
}

void CellTable::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableWidget::currentChanged(current, previous);
    // A control in the cell takes the keys typed there.
    if (QWidget* inCell = indexWidget(current); inCell && hasFocus())
        inCell->setFocus(Qt::TabFocusReason);
}

void CellTable::tabFrom(const QModelIndex& from, bool next)
{
    const QModelIndex to = neighbour(from, next);
    if (!to.isValid()) {
        setFocus();
        QWidget::focusNextPrevChild(next);
        return;
    }
    setFocus(Qt::TabFocusReason);
    setCurrentIndex(to);
    if (QWidget* inCell = indexWidget(to))
        inCell->setFocus(Qt::TabFocusReason);
    else if (to.flags() & Qt::ItemIsEditable)
        edit(to);
}

bool CellTable::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
        const bool backtab = key->key() == Qt::Key_Backtab ||
                             (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
        if (tab || backtab) {
            auto* inCell = qobject_cast<QWidget*>(watched);
            for (int r = 0; inCell && r < rowCount(); ++r)
                for (int c = 0; c < columnCount(); ++c)
                    if (cellWidget(r, c) == inCell) {
                        tabFrom(model()->index(r, c), tab);
                        return true;
                    }
        }
    }
    return QTableWidget::eventFilter(watched, event);
}

} // namespace parlog
