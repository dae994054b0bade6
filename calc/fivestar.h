// SPDX-License-Identifier: MIT
#pragma once

#include "calc/scorevalue.h"

#include <QStringView>

#include <optional>

namespace calc {

// The number of extra five-star ratings that lift R ratings averaging S to the average T:
// N = Fix((T - S) / (5 - T) * R), evaluated in exactly that order and truncated toward zero.
// Nothing when the quotient has no finite value (T = 5, or an overflow).

// S as a score value, T as typed: T - S is formed exactly at four decimals (T read as a score
// value), 5 - T from the target at the precision typed. Nothing either when T is no number.
std::optional<double> fiveStarCount(ScoreValue s, QStringView target, double raters);

// S as a double: every step in double precision.
std::optional<double> fiveStarCount(double s, double target, double raters);

// Rounds to five decimals, an exact half of the scaled value going to the even digit.
double roundTo5(double value);

} // namespace calc
