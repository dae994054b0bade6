// SPDX-License-Identifier: MIT
#pragma once

#include "lookup/pageflow.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace present {

// One reading of a board row: when its query ended, the shop it found and the figures it read.
struct Reading {
    QDateTime at;
    QString shop;
    lookup::RatingReading figures;
};

// How a figure moved between two readings: by how many units of the finer of the two texts' last
// decimals, up (+) or down (−). A comparison counts signed: above the industry up, below it down.
// None where either reading lacks the figure, or it is too long a number to count in such units.
struct Movement {
    long long units = 0;
    int decimals = 0;
};
std::optional<Movement> scoreMovement(const lookup::DimensionReading &first, const lookup::DimensionReading &latest);
std::optional<Movement> comparisonMovement(const lookup::DimensionReading &first,
                                           const lookup::DimensionReading &latest);

// Whether the dimension crossed the industry average between the two readings: from below to at or
// above it (转红), or down below it (转绿).
enum class Crossing { None, ToRed, ToGreen };
Crossing crossingOf(const lookup::DimensionReading &first, const lookup::DimensionReading &latest);

// The same, as the board shows them beside the latest figures: "↑0.01" or "↓0.01" for the score,
// "↑0.50%" or "↓0.50%" for the comparison, in the decimals the page wrote, "转红" or "转绿"; empty
// where nothing moved.
QString scoreChange(const lookup::DimensionReading &first, const lookup::DimensionReading &latest);
QString comparisonChange(const lookup::DimensionReading &first, const lookup::DimensionReading &latest);
QString industryCrossing(const lookup::DimensionReading &first, const lookup::DimensionReading &latest);

// What a re-read of a watched row tells the person, against the reading before it: each dimension
// whose score fell by 0.01 or more to below every earlier reading's, or that fell below the
// industry average where no earlier reading stood below it, as one line such as
// "宝贝与描述相符：4.78 ↓0.01，转绿 -0.20%". A level reached before is not told again, so a shop going
// back and forth between two readings is told once. Empty when nothing fell.
QStringList fallsOf(const QList<Reading> &readings);

// One desktop notification of what fell in a round of the watch: each shop with its falls.
struct FallNotice {
    struct Shop {
        QString name;
        QStringList falls;
    };
    QList<Shop> shops;

    // "测试旗舰店 评分下降" for one shop, "3家店铺评分下降" for several.
    QString summary() const;
    // One line per fall, after its shop's name where several shops fell; escaped as markup for a
    // notification service that reads its bodies as markup, plain text otherwise.
    QString body(bool markup) const;
};

// A row's readings as a chart, per dimension the times of the readings that give its score, the
// scores oldest first, the industry averages the turn-red counts compare with, from the weighted
// scores (none where a reading gives none), and the most decimals a score was written in. The words
// a screen reader says of it: every figure of a short history
// ("宝贝与描述相符 4.77、4.80，行业平均 4.87、4.78"), of a longer one its span, and per dimension the
// latest, lowest and highest score and the latest average.
struct ChartSeries {
    QList<QDateTime> times;
    QList<double> scores;
    QList<std::optional<double>> averages;
    int decimals = 0;
};
std::array<ChartSeries, calc::dimensionCount> chartSeries(const QList<Reading> &readings);
QString chartDescription(const QList<Reading> &readings);

// The comparison as a signed number of percent: + above the industry, − below, as written when level.
std::optional<double> signedComparison(const lookup::DimensionReading &reading);

} // namespace present
