// SPDX-License-Identifier: MIT
#pragma once

#include "calc/dsrrecord.h"

#include <QString>

#include <optional>

namespace calc {

// The industry average of a dimension the page marks as at or above it, estimated from the
// marketplace's rule for such shops, (S - A) / (5 - A) = g, with the best score taken as 5 as the
// turn-red step takes the lowest as 0: A = (S - 5g) / (1 - g), rounded to five decimals as the
// turn-red step rounds its average. S is the weighted score, g the comparison as a fraction (0.3
// for "30.00%"). Nothing when g is not in [0, 1).
std::optional<double> industryAverageAbove(double score, double gap);

// 飘绿: how many one-star ratings the dimension can take and still stand at or above that
// average, the largest whole n with (S·R + n) / (R + n) >= A for R raters. Worked out exactly on
// the five-decimal values, so a score that lands on the average counts. 0 when g is 0. Nothing
// when there is no average, the average is not between 1 and S, or R is no whole count up to
// 10^12.
std::optional<long long> oneStarHeadroom(double score, double gap, double raters);

// The headroom of a dimension of the record, from the comparison text shown for it (such as
// "30.00%"), with the figures jisuan read. The caller runs it only when jisuan read every figure of
// the same page.
std::optional<long long> headroomStep(const DsrRecord &record, int dimension, const QString &comparisonText);

} // namespace calc
