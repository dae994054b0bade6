// SPDX-License-Identifier: MIT
#include "calc/fivestar.h"

#include "calc/numbers.h"

#include <cmath>

namespace calc {

namespace {

std::optional<double> countFromDifference(double difference, double target, double raters)
{
    const double headroom = 5.0 - target;
    if (headroom == 0) return std::nullopt;
    const double perRater = difference / headroom;
    const double count = perRater * raters;
    if (!std::isfinite(count)) return std::nullopt;
    return std::trunc(count);
}

} // namespace

std::optional<double> fiveStarCount(ScoreValue s, QStringView target, double raters)
{
    const auto rounded = PE_CDbl(target);
    const auto typed = toDouble(target);
    if (!rounded || !typed) return std::nullopt;
    qint64 difference = 0;
    if (qSubOverflow(rounded->tenThousandths, s.tenThousandths, &difference)) return std::nullopt;
    return countFromDifference(double(difference) / 10000.0, *typed, raters);
}

std::optional<double> fiveStarCount(double s, double target, double raters)
{
    return countFromDifference(target - s, target, raters);
}

double roundTo5(double value)
{
    // nearbyint rounds halves to even under the default rounding mode, which nothing here changes.
    return std::nearbyint(value * 100000.0) / 100000.0;
}

} // namespace calc
