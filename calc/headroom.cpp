// SPDX-License-Identifier: MIT
#include "calc/headroom.h"

#include "calc/fivestar.h"
#include "calc/turnred.h"

#include <cmath>

namespace calc {

namespace {

// No shop has more raters; below it every product of the exact arithmetic fits in 64 bits.
constexpr double mostRaters = 1e12;
constexpr long long fiveDecimals = 100000;

long long hundredThousandths(double value) { return std::llround(value * double(fiveDecimals)); }

} // namespace

std::optional<double> industryAverageAbove(double score, double gap)
{
    if (!(gap >= 0 && gap < 1)) return std::nullopt;
    return roundTo5((score - 5 * gap) / (1 - gap));
}

std::optional<long long> oneStarHeadroom(double score, double gap, double raters)
{
    const std::optional<double> average = industryAverageAbove(score, gap);
    if (!average || !(raters >= 0 && raters <= mostRaters) || raters != std::trunc(raters)) return std::nullopt;
    if (!(score >= 1 && score <= 5)) return std::nullopt;
    const long long s = hundredThousandths(score), a = hundredThousandths(*average);
    if (a <= fiveDecimals || a > s) return std::nullopt;
    // (s·R + n·1) / (R + n) >= a, with 1 as fiveDecimals: n·(a - 1) <= R·(s - a).
    return (static_cast<long long>(raters) * (s - a)) / (a - fiveDecimals);
}

std::optional<long long> headroomStep(const DsrRecord &record, int d, const QString &comparisonText)
{
    const std::optional<double> gap = comparisonGap(comparisonText);
    if (!gap || !record.weightedScore[d]) return std::nullopt;
    return oneStarHeadroom(*record.weightedScore[d], *gap, record.dimensions[d].raterTotal);
}

} // namespace calc
