// SPDX-License-Identifier: MIT
#include "present/rowhistory.h"

#include "calc/numbers.h"
#include "present/whatif.h"
#include "present/wording.h"

#include <algorithm>
#include <cmath>

namespace present {

namespace {

int decimalsOf(QStringView number)
{
    const qsizetype point = number.indexOf(u'.');
    return point < 0 ? 0 : int(number.size() - point - 1);
}

QStringView withoutPercent(QStringView text)
{
    text = text.trimmed();
    return text.endsWith(u'%') ? text.chopped(1) : text;
}

// latest − first in units of the texts' last decimal, so that 4.78 − 4.77 is one unit of 0.01.
long long unitsMoved(double first, double latest, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::llround(latest * scale) - std::llround(first * scale);
}

int scoreDecimals(const lookup::DimensionReading &first, const lookup::DimensionReading &latest)
{
    return std::max(decimalsOf(first.score), decimalsOf(latest.score));
}

// The change from first to latest, worked in units of the finer of the two texts' last decimals;
// written with an arrow and without sign.
QString change(std::optional<double> first, std::optional<double> latest, int decimals, const QString &unit)
{
    if (!first || !latest) return {};
    const double scale = std::pow(10.0, decimals);
    const long long units = unitsMoved(*first, *latest, decimals);
    if (units == 0) return {};
    const QString amount = QString::number(double(std::llabs(units)) / scale, 'f', decimals);
    return (units > 0 ? QStringLiteral("↑") : QStringLiteral("↓")) + amount + unit;
}

} // namespace

std::optional<double> signedComparison(const lookup::DimensionReading &reading)
{
    if (!reading.comparison) return std::nullopt;
    const std::optional<double> percent = calc::toDouble(withoutPercent(reading.comparisonText));
    if (!percent) return std::nullopt;
    switch (*reading.comparison) {
    case lookup::Comparison::Higher: return std::abs(*percent);
    case lookup::Comparison::Lower: return -std::abs(*percent);
    case lookup::Comparison::Equal: break;
    }
    return *percent;
}

QString scoreChange(const lookup::DimensionReading &first, const lookup::DimensionReading &latest)
{
    return change(calc::toDouble(first.score), calc::toDouble(latest.score), scoreDecimals(first, latest), QString());
}

QString comparisonChange(const lookup::DimensionReading &first, const lookup::DimensionReading &latest)
{
    const int decimals =
        std::max(decimalsOf(withoutPercent(first.comparisonText)), decimalsOf(withoutPercent(latest.comparisonText)));
    return change(signedComparison(first), signedComparison(latest), decimals, QStringLiteral("%"));
}

QString industryCrossing(const lookup::DimensionReading &first, const lookup::DimensionReading &latest)
{
    if (!first.comparison || !latest.comparison) return {};
    const bool wasBelow = *first.comparison == lookup::Comparison::Lower;
    const bool isBelow = *latest.comparison == lookup::Comparison::Lower;
    if (wasBelow == isBelow) return {};
    return wasBelow ? QStringLiteral("转红") : QStringLiteral("转绿");
}

std::array<ChartSeries, calc::dimensionCount> chartSeries(const QList<Reading> &readings)
{
    std::array<ChartSeries, calc::dimensionCount> series;
    for (const Reading &reading : readings) {
        for (int d = 0; d < calc::dimensionCount; ++d) {
            const lookup::DimensionReading &dimension = reading.figures.dimensions[size_t(d)];
            const std::optional<double> score = calc::toDouble(dimension.score);
            if (!score) continue;
            series[size_t(d)].scores << *score;
            series[size_t(d)].averages << industryAverageOf(dimension, *score);
        }
    }
    return series;
}

QString chartDescription(const QList<Reading> &readings)
{
    const std::array<ChartSeries, calc::dimensionCount> series = chartSeries(readings);
    QStringList told;
    for (int d = 0; d < calc::dimensionCount; ++d) {
        QStringList scores;
        QStringList averages;
        for (double score : series[size_t(d)].scores)
            scores << QString::number(score, 'f', 2);
        for (const std::optional<double> &average : series[size_t(d)].averages)
            if (average) averages << QString::number(*average, 'f', 2);
        if (scores.isEmpty()) continue;
        QString line = dimensionName(d) + QLatin1Char(' ') + scores.join(QStringLiteral("、"));
        if (!averages.isEmpty()) line += QStringLiteral("，行业平均 ") + averages.join(QStringLiteral("、"));
        told << line;
    }
    return told.join(QStringLiteral("；"));
}

QStringList fallsOf(const lookup::RatingReading &previous, const lookup::RatingReading &latest)
{
    QStringList falls;
    for (int d = 0; d < calc::dimensionCount; ++d) {
        const lookup::DimensionReading &before = previous.dimensions[size_t(d)];
        const lookup::DimensionReading &now = latest.dimensions[size_t(d)];
        QStringList told;
        const std::optional<double> was = calc::toDouble(before.score);
        const std::optional<double> is = calc::toDouble(now.score);
        const int decimals = scoreDecimals(before, now);
        // Fallen by 0.01 or more: 100 · units ≤ −10^decimals, in whole numbers.
        if (was && is && 100 * unitsMoved(*was, *is, decimals) <= -std::llround(std::pow(10.0, decimals)))
            told << now.score + QLatin1Char(' ') + scoreChange(before, now);
        if (industryCrossing(before, now) == QStringLiteral("转绿"))
            told << QStringLiteral("转绿 -") + withoutPercent(now.comparisonText).toString() + QLatin1Char('%');
        if (!told.isEmpty()) falls << dimensionName(d) + QStringLiteral("：") + told.join(QStringLiteral("，"));
    }
    return falls;
}

} // namespace present
