// SPDX-License-Identifier: MIT
#include "calc/whatif.h"

#include "calc/fivestar.h"

#include <cmath>

namespace calc {

namespace {

constexpr double mostRaters = 1e12;
constexpr long long mostAdded = 1'000'000'000;
constexpr long long fiveDecimals = 100000;

long long hundredThousandths(double value) { return std::llround(value * double(fiveDecimals)); }

// sum / count to the nearest whole number, an exact half going to the even one.
long long roundedQuotient(long long sum, long long count)
{
    long long quotient = sum / count;
    const long long twiceRemainder = 2 * (sum % count);
    if (twiceRemainder > count || (twiceRemainder == count && quotient % 2 != 0)) ++quotient;
    return quotient;
}

} // namespace

std::optional<WhatIfResult> whatIf(const WhatIfStart &start, long long fiveStars, long long oneStars)
{
    if (!(start.raters >= 0 && start.raters <= mostRaters) || start.raters != std::trunc(start.raters))
        return std::nullopt;
    if (fiveStars < 0 || oneStars < 0 || fiveStars > mostAdded || oneStars > mostAdded) return std::nullopt;
    if (!(start.score >= 1 && start.score <= 5)) return std::nullopt;
    const long long raters = static_cast<long long>(start.raters) + fiveStars + oneStars;
    if (raters == 0) return std::nullopt;
    // Every star in hundred-thousandths: at most 5·10^5 · (10^12 + 2·10^9), well inside 64 bits.
    const long long sum = hundredThousandths(start.score) * static_cast<long long>(start.raters)
                          + 5 * fiveDecimals * fiveStars + fiveDecimals * oneStars;
    const long long score = roundedQuotient(sum, raters);
    WhatIfResult result{double(score) / double(fiveDecimals), double(raters), std::nullopt, std::nullopt};
    if (!start.industryAverage) return result;
    const long long average = hundredThousandths(*start.industryAverage);
    if (score < average) {
        if (average >= 5 * fiveDecimals)
            result.averageAtTop = true;
        else
            result.turnRed = fiveStarCount(result.score, *start.industryAverage, result.raters);
    } else if (average > fiveDecimals) {
        // (score·R + n·1) / (R + n) >= average, with 1 as fiveDecimals: n·(average - 1) <= R·(score - average).
        result.headroom = raters * (score - average) / (average - fiveDecimals);
    }
    return result;
}

} // namespace calc
