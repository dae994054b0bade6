// SPDX-License-Identifier: MIT
#include "app/boardtable.h"

#include "present/board.h"
#include "present/boardmodel.h"

#include <QAction>
#include <QHeaderView>
#include <QSortFilterProxyModel>

#include <algorithm>

namespace app {

BoardTable::BoardTable(present::BoardModel *model, QWidget *parent)
    : QTableView(parent)
    , m_sorted(new QSortFilterProxyModel(this))
{
    m_sorted->setSourceModel(model);
    m_sorted->setSortRole(present::BoardModel::sortRole);
    // Rows stay where they are while figures come in, and new ones go last: the table is sorted
    // when the seller clicks a header, as a spreadsheet is.
    m_sorted->setDynamicSortFilter(false);
    setObjectName(QStringLiteral("BoardTable"));
    setAccessibleName(QStringLiteral("对比表"));
    setModel(m_sorted);
    setSortingEnabled(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setWordWrap(false);
    auto *removeKey = new QAction(QStringLiteral("移除所选"), this);
    removeKey->setShortcut(QKeySequence::Delete);
    removeKey->setShortcutContext(Qt::WidgetShortcut);
    connect(removeKey, &QAction::triggered, this, &BoardTable::removeAsked);
    addAction(removeKey);
    // The header fits the columns to their cells once per layout, however many rows change at once.
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
}

QModelIndexList BoardTable::allRows() const
{
    QModelIndexList rows;
    for (int row = 0; row < m_sorted->rowCount(); ++row)
        rows << m_sorted->index(row, 0);
    return rows;
}

QList<int> BoardTable::idsInOrder(const QModelIndexList &rows) const
{
    QModelIndexList sorted = rows;
    std::sort(sorted.begin(), sorted.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QList<int> ids;
    for (const QModelIndex &index : std::as_const(sorted))
        ids << index.data(present::BoardModel::idRole).toInt();
    return ids;
}

QList<int> BoardTable::allIds() const { return idsInOrder(allRows()); }

QList<int> BoardTable::selectedIds() const { return idsInOrder(selectionModel()->selectedRows()); }

std::optional<int> BoardTable::idAt(const QModelIndex &index) const
{
    if (!index.isValid()) return std::nullopt;
    return index.data(present::BoardModel::idRole).toInt();
}

std::optional<int> BoardTable::currentId() const { return idAt(currentIndex()); }

void BoardTable::selectId(int id)
{
    const QList<int> ids = allIds();
    const qsizetype row = ids.indexOf(id);
    if (row < 0) return;
    const QModelIndex shown = m_sorted->index(int(row), 0);
    setCurrentIndex(shown);
    selectRow(shown.row());
    scrollTo(shown);
}

QMimeData *BoardTable::copyAll() const { return m_sorted->mimeData(allRows()); }

void BoardTable::showColumns(const std::function<bool(const present::BoardColumn &)> &which, bool shown)
{
    const std::vector<present::BoardColumn> &columns = present::boardColumns();
    for (size_t c = 0; c < columns.size(); ++c) {
        if (which(columns[c])) setColumnHidden(int(c), !shown);
    }
}

void BoardTable::showRaters(bool shown)
{
    showColumns([](const present::BoardColumn &column) { return column.kind == present::BoardColumn::Kind::Raters; },
                shown);
}

void BoardTable::showShopCards(bool shown) { showColumns(present::isCardColumn, shown); }

} // namespace app
