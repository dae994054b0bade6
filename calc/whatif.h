// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

namespace calc {

// A dimension as its rating page left it: its weighted score, its rater total and the industry
// average its comparison gives, where it gives one.
struct WhatIfStart {
    double score = 0;
    double raters = 0;
    std::optional<double> industryAverage;
};

// The dimension after more ratings, as the calculators would work it on the page that showed it:
// the weighted score to five decimals, and against the same industry average either its 飘红 count
// (five-star ratings still needed, below the average) or its 飘绿 headroom (one-star ratings it can
// still take, at or above it).
struct WhatIfResult {
    double score = 0;
    double raters = 0;
    std::optional<double> turnRed;
    std::optional<long long> headroom;
    // Below an industry average of 5 or more, which no count of five-star ratings reaches.
    bool averageAtTop = false;
};

// What N more five-star and M more one-star ratings make of the dimension. The new score is worked
// exactly from the five-decimal score and the whole rater count, its last half going to the even
// digit as the page's scores are rounded; the counts use the calculators' own arithmetic on it.
// Nothing for no whole rater count up to 10^12, counts outside 0 … 10^9, a score outside 1 … 5, or
// no ratings at all.
std::optional<WhatIfResult> whatIf(const WhatIfStart &start, long long fiveStars, long long oneStars);

} // namespace calc
