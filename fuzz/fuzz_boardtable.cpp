// SPDX-License-Identifier: MIT
// The comparison board's clipboard table for any cell texts (shop names come from the
// marketplace's pages): one line per row and one cell per tab in the text, no cell that a
// spreadsheet would run as a formula, and in the HTML no markup but the table's own.

#include "fuzzcheck.h"
#include "present/board.h"

namespace {

constexpr int rowCount = 2;
constexpr int cellsPerRow = 3;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList cells = fuzz::fields(data, size, rowCount * cellsPerRow);
    QList<QStringList> rows;
    for (int r = 0; r < rowCount; ++r)
        rows << cells.mid(r * cellsPerRow, cellsPerRow);

    const QStringList lines = present::boardTabSeparated(rows).split(QLatin1Char('\n'));
    fuzz::check(lines.size() == 1 + rowCount + 1 && lines.last().isEmpty(), "one line per row, header first");
    for (int r = 1; r <= rowCount; ++r) {
        const QStringList pasted = lines[r].split(QLatin1Char('\t'));
        fuzz::check(pasted.size() == cellsPerRow, "one cell per tab");
        for (const QString &cell : pasted) {
            fuzz::check(!cell.contains(QLatin1Char('\r')), "no line break inside a cell");
            fuzz::check(!cell.startsWith(QLatin1Char('=')) && !cell.startsWith(QLatin1Char('@')),
                        "no cell a spreadsheet runs as a formula");
        }
    }

    const QString html = present::boardHtml(rows);
    const qsizetype ownTags = 9 + 2 * present::boardHeaders().size() + 2 * (1 + rowCount) + 2 * rowCount * cellsPerRow;
    fuzz::check(html.count(QLatin1Char('<')) == ownTags && html.count(QLatin1Char('>')) == ownTags,
                "no markup but the table's own");
    return 0;
}
