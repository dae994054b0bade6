// SPDX-License-Identifier: MIT
#pragma once

#include "calc/dsrrecord.h"

#include <QString>

#include <optional>

namespace calc {

// Splits the hand-over texts into the record's arrays, reads every star share and rater total
// and recomputes each dimension's score from its star shares. Fields are set in page order, so a
// figure that cannot be read leaves the ones before it updated and everything after it, and all
// three weighted scores, as they were. Returns whether every figure was read.
bool jisuan(DsrRecord &record);

// The turn-red result of a dimension the page marks as below the industry, given the
// comparison text shown for it (such as "2.00%"), from the figures jisuan read. The count is
// written without sign. When the comparison gives no meaningful industry average (not a
// number, a gap of 100 % or more, an average of 5 or more) the result is the empty text. The
// caller runs it only when jisuan read every figure of the same page.
QString turnRedStep(DsrRecord &record, int dimension, const QString &comparisonText);

// Whether a comparison below the industry gives an industry average of 5 or more for the
// dimension's weighted score: no count of five-star ratings reaches it.
bool industryAverageAtTop(const DsrRecord &record, int dimension, const QString &comparisonText);

// The industry average of a dimension the page marks as below it, S / (1 - g) rounded to five
// decimals, for the weighted score S and the gap g as a fraction; nothing for a gap of 100 % or more.
std::optional<double> industryAverageBelow(double score, double gap);

// The gap a comparison text gives, as a fraction: 0.02 for "2.00%"; nothing for no number.
std::optional<double> comparisonGap(const QString &comparisonText);

} // namespace calc
