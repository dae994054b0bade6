// SPDX-License-Identifier: MIT
#pragma once

#include "lookup/pageflow.h"

#include <QString>

#include <array>
#include <optional>

namespace present {

// What the main window shows of one shop, row by row, as its labels hold it.
struct ShownResults {
    struct Dimension {
        QString score;                                // such as "4.77分"
        std::optional<lookup::Comparison> comparison; // the picture shown, if any
        QString comparisonText;                       // such as "2.00%"
        QString turnRed;
        QString target; // the typed target
        QString targetResult;
    };
    QString caption;
    std::array<Dimension, 3> dimensions;
    QString ratingAddress; // the page the figures were read from, if any
};

// A plain-text summary to paste into a chat or a spreadsheet: the caption, one line per
// dimension with its score, comparison and turn-red count, one line per target row that shows a
// result, then the address of the rating page the figures were read from.
QString resultSummary(const ShownResults &shown);

} // namespace present
