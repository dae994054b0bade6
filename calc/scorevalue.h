// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>

#include <optional>

namespace calc {

// A score as the calculators compare it: a fixed-point decimal counted in ten-thousandths,
// so that "4.8" and "4.80000" are the same value and no binary rounding enters the comparisons.
struct ScoreValue {
    qint64 tenThousandths = 0;

    friend bool operator==(ScoreValue a, ScoreValue b) { return a.tenThousandths == b.tenThousandths; }
    friend bool operator!=(ScoreValue a, ScoreValue b) { return !(a == b); }
    friend bool operator<(ScoreValue a, ScoreValue b) { return a.tenThousandths < b.tenThousandths; }
    friend bool operator>(ScoreValue a, ScoreValue b) { return b < a; }
};

constexpr ScoreValue scoreOf(int whole) { return ScoreValue{qint64(whole) * 10000}; }

// The score value of a text: rounded to four decimals with an exact half going to the even
// digit; 0 for a text that is not a number. Nothing when the number is outside the range.
std::optional<ScoreValue> PE_CDbl(QStringView text);

} // namespace calc
