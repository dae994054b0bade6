// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace calc {

// The three DSR dimensions, always in the order the marketplace lists them.
constexpr int dimensionCount = 3;
constexpr int starLevels = 5;

// The numbers one dimension's star shares and rater total turn into.
struct DsrDimension {
    double share5 = 0, share4 = 0, share3 = 0, share2 = 0, share1 = 0;
    double industryGap = 0; // fraction by which the score lies below the industry average
    double raterTotal = 0;
};

// Everything known about the last shop's detailed seller ratings. A query overwrites what it
// reaches and leaves the rest as it was.
struct DsrRecord {
    // The parser's hand-over texts, entries joined with "#": three scores, fifteen star shares
    // (five per dimension, five stars first), three rater totals.
    QString scoreBox;
    QString starBox;
    QString raterBox;

    std::array<DsrDimension, dimensionCount> dimensions{};

    // The hand-over texts split on "#"; replaced whole by every figure read.
    QStringList scoreTexts;
    QStringList starPercents;
    QStringList raterTotals;

    // Empty until first assigned.
    std::array<std::optional<double>, dimensionCount> weightedScore{};
    std::array<std::optional<double>, dimensionCount> industryAverage{};
    std::array<std::optional<double>, dimensionCount> turnRedCount{};
};

// Splits a hand-over text on "#", keeping empty pieces; the empty text has no entries.
QStringList splitEntries(const QString &joined);

} // namespace calc
