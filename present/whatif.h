// SPDX-License-Identifier: MIT
#pragma once

#include "lookup/pageflow.h"

#include <QStringList>

namespace present {

// What N more five-star and M more one-star ratings would make of each dimension of a reading, one
// line each as a board row's details write it: "宝贝与描述相符：4.79527，飘红 662" below the industry
// average its comparison gives, "…，飘绿 26" at or above it, the score alone where the comparison
// gives none, and "…：无法计算" where the page's figures were not all read.
QStringList whatIfLines(const lookup::RatingReading &reading, long long fiveStars, long long oneStars);

// The industry average a dimension's comparison gives for this score, worked as the calculators
// work it (below the industry: S / (1 - g); at or above: (S - 5g) / (1 - g)); none without one.
std::optional<double> industryAverageOf(const lookup::DimensionReading &dimension, double score);

} // namespace present
