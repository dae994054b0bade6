// SPDX-License-Identifier: MIT
#pragma once

#include "lookup/pageflow.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <array>

namespace present {

// One reading of a board row: when its query ended, and the figures it read.
struct Reading {
    QDateTime at;
    lookup::RatingReading figures;
};

// What moved in a dimension between a row's first reading and its latest, as the board shows it
// beside the latest figures: "↑0.01" or "↓0.01" for the score, "↑0.50%" or "↓0.50%" for the
// comparison (signed: above the industry counts up, below it down), in the decimals the page
// wrote; empty where nothing moved or either reading lacks the figure.
QString scoreChange(const lookup::DimensionReading &first, const lookup::DimensionReading &latest);
QString comparisonChange(const lookup::DimensionReading &first, const lookup::DimensionReading &latest);

// Whether the dimension crossed the industry average between the two readings: "转红" when it rose
// from below to at or above it, "转绿" when it fell below; empty otherwise.
QString industryCrossing(const lookup::DimensionReading &first, const lookup::DimensionReading &latest);

// What a re-read of a watched row tells the person, against the reading before it: each dimension
// whose score fell by 0.01 or more, or that fell below the industry average, as one line such as
// "宝贝与描述相符：4.78 ↓0.01，转绿 -0.20%". Empty when nothing fell.
QStringList fallsOf(const lookup::RatingReading &previous, const lookup::RatingReading &latest);

// A row's readings as a chart, per dimension the scores oldest first and the industry averages their
// comparisons give (none where a reading gives none), and the words a screen reader says of it:
// "宝贝与描述相符 4.77、4.80，行业平均 4.87、4.78".
struct ChartSeries {
    QList<double> scores;
    QList<std::optional<double>> averages;
};
std::array<ChartSeries, calc::dimensionCount> chartSeries(const QList<Reading> &readings);
QString chartDescription(const QList<Reading> &readings);

// The comparison as a signed number of percent: + above the industry, − below, as written when level.
std::optional<double> signedComparison(const lookup::DimensionReading &reading);

} // namespace present
