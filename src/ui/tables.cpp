#include "ui/tables.h"

#include <QHeaderView>
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

} // namespace parlog
