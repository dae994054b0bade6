// SPDX-License-Identifier: MIT
#pragma once

#include "present/querytracker.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace present {

// A row of the comparison board: the entry as the user gave it, where its query stands, and the
// report of its last query.
struct BoardRow {
    enum class State { NotQueried, Pending, Querying, WaitingForLogin, Done };
    QString entry;
    State state = State::NotQueried;
    std::optional<QueryReport> report;
};

// The board's columns: entry, shop, state, then per dimension its score, its comparison with the
// industry, its 飘红 count, its 飘绿 headroom and its rater total.
QStringList boardColumns();

// What a row shows in each column, as plain text.
QStringList boardCells(const BoardRow &row);

// The value a column sorts a cell by: a number for the figure columns (nothing when the cell holds
// none), the text for the others.
QVariant boardSortKey(int column, const QString &cell);

// The entries of a typed or pasted list: one per line, the first cell of a pasted spreadsheet
// row, blanks around dropped, empty lines and repeats left out.
QStringList boardEntries(const QString &typed);

// The table for the clipboard, header first: tab-separated lines and an HTML table, each of which
// a spreadsheet pastes into cells.
QString boardTabSeparated(const QList<QStringList> &rows);
QString boardHtml(const QList<QStringList> &rows);

} // namespace present
