// SPDX-License-Identifier: MIT
#pragma once

#include <QTableView>

#include <functional>
#include <optional>

class QMimeData;
class QSortFilterProxyModel;

namespace present {
class BoardModel;
struct BoardColumn;
} // namespace present

namespace app {

// The board's table: its rows as the seller sorted them by a click on a header, told by their ids,
// and which columns it shows.
class BoardTable : public QTableView
{
    Q_OBJECT
public:
    BoardTable(present::BoardModel *model, QWidget *parent);

    QList<int> allIds() const;      // in the table's order
    QList<int> selectedIds() const; // in the table's order
    std::optional<int> currentId() const;
    std::optional<int> idAt(const QModelIndex &index) const;
    void selectId(int id);
    QMimeData *copyAll() const; // every row, as a spreadsheet takes it

    void showRaters(bool shown);
    void showShopCards(bool shown);

signals:
    void removeAsked(); // the Delete key

private:
    QList<int> idsInOrder(const QModelIndexList &rows) const;
    QModelIndexList allRows() const;
    void showColumns(const std::function<bool(const present::BoardColumn &)> &which, bool shown);

    QSortFilterProxyModel *m_sorted;
};

} // namespace app
