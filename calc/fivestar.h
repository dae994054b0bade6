#pragma once

#include "calc/scorevalue.h"

#include <optional>

namespace calc {

// The number of extra five-star ratings that lift R ratings averaging S to the average T:
// N = Fix((T - S) / (5 - T) * R), evaluated in exactly that order and truncated toward zero.
// Nothing when the quotient has no finite value (T = 5, or an overflow).

// S as a score value: T - S is formed exactly at four decimals, 5 - T from the target as typed.
std::optional<double> fiveStarCount(ScoreValue s, ScoreValue roundedTarget, double target, double raters);

// S as a double: every step in double precision.
std::optional<double> fiveStarCount(double s, double target, double raters);

// Rounds to five decimals, an exact half of the scaled value going to the even digit.
double roundTo5(double value);

} // namespace calc
