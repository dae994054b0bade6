// SPDX-License-Identifier: MIT
#pragma once

#include "present/boardrun.h"

#include <QColor>
#include <QPalette>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

namespace present {

// A column of the comparison board: its header (the heading the table shows, a figure's on two
// lines so that every column fits a 1366-pixel screen), the dimension it belongs to (none for the
// row's own columns) and what of the row it shows; a shop card's part, which of them.
struct BoardColumn {
    enum class Kind { Entry, Shop, State, Score, Comparison, TurnRed, Headroom, Raters, CardOverall, CardPart };
    QString header;
    QString heading;
    std::optional<int> dimension;
    Kind kind;
    int cardPart = 0;
};

// Entry, shop, state, then per dimension its score, its comparison with the industry, its 飘红
// count, its 飘绿 headroom and its rater total; then the shop card of the item page a link led
// through: its overall score and its three parts.
const std::vector<BoardColumn> &boardColumns();
QStringList boardHeaders();
bool isCardColumn(const BoardColumn &column);

// What a row shows in a column, as plain text; a row shows figures only of a query of its own that
// ended with them.
QString boardCell(const BoardRow &row, const BoardColumn &column);
QStringList boardCells(const BoardRow &row);

// What moved in the row since the reading its changes are shown against, shown beside its latest figures: the score's
// and the comparison's changes, and a crossing of the industry after the comparison's. Nothing
// where the row's last query read no figures or it has no earlier reading to compare with.
QString boardCellWithChange(const BoardRow &row, const BoardColumn &column);

// The change columns a copy of the table adds when the changes are shown, per dimension its
// score's change and its comparison's (with a crossing), and a row's cells in them.
QStringList boardChangeHeaders();
QStringList boardChangeCells(const BoardRow &row);

// The value a column sorts a row by: the number from the report for the figure columns (nothing
// when the row has none, which sorts last), the text for the others.
QVariant boardSortKey(const BoardRow &row, const BoardColumn &column);

// The colour of a comparison cell, as the main window's indicator pictures colour the verdict,
// readable on the palette; with the changes shown, a score that moved in the same colours, up as
// above the industry and down as below it; none for other cells.
std::optional<QColor> boardCellColour(const BoardRow &row, const BoardColumn &column, const QPalette &palette,
                                      bool withChanges = false);

// The entries of a typed or pasted list: one per line, the first cell of a pasted spreadsheet
// row, blanks around dropped, empty lines and repeats left out.
QStringList boardEntries(const QString &typed);

// What a row is called outside the table (a chart's title, a notification): its shop once a query
// found it, its entry before.
QString rowShop(const BoardRow &row);

// The table for the clipboard, header first: tab-separated lines and an HTML table, each of which
// a spreadsheet pastes into cells.
QString boardTabSeparated(const QList<QStringList> &rows, const QStringList &headers = boardHeaders());
QString boardHtml(const QList<QStringList> &rows, const QStringList &headers = boardHeaders());

// What hovering a reading on a row's chart shows: its time, then the dimension's score, comparison
// and 飘红 count as the table shows them: "2026-12-08 10:30\n宝贝与描述相符 4.80，比行业 +0.50%，飘红 0".
QString readingTip(const Reading &reading, int dimension);

// Every reading of these rows, for a spreadsheet to open: CSV in UTF-8 with a byte-order mark (so
// that it opens in Chinese), a header, then one line per reading, oldest first within a row: its
// time, the row's entry and shop, and each dimension's figures as the table shows them. A cell
// holding a comma or a quote is quoted, and none starts a formula.
QByteArray historyCsv(const ReadingLog &log, const QList<const BoardRow *> &rows);

} // namespace present
