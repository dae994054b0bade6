// SPDX-License-Identifier: MIT
#include "present/rowhistory.h"

#include "present/whatif.h"
#include "present/wording.h"

#include <algorithm>
#include <cmath>

namespace present {

namespace {

// A number past this many units is no figure a page means: counting it would overflow.
constexpr double largestUnits = 1e15;

// latest − first in units of the given decimals, so that 4.78 − 4.77 is one unit of 0.01.
std::optional<Movement> movement(std::optional<double> first, std::optional<double> latest, int decimals)
{
    if (!first || !latest) return std::nullopt;
    const double scale = std::pow(10.0, decimals);
    const auto countable = [scale](double value) { return std::abs(value * scale) < largestUnits; };
    if (!(scale < largestUnits && countable(*first) && countable(*latest))) return std::nullopt;
    return Movement{std::llround(*latest * scale) - std::llround(*first * scale), decimals};
}

// A movement with an arrow and without sign; empty where nothing moved.
QString movementText(const std::optional<Movement> &moved, const QString &unit)
{
    if (!moved || moved->units == 0) return {};
    const QString amount =
        QString::number(double(std::llabs(moved->units)) / std::pow(10.0, moved->decimals), 'f', moved->decimals);
    return (moved->units > 0 ? QStringLiteral("↑") : QStringLiteral("↓")) + amount + unit;
}

// How far below the industry a dimension fell, as " -0.20%" in the page's decimals; nothing where
// the page gave no number.
QString percentBelow(const lookup::PageFigure &percent)
{
    if (!percent.value) return {};
    return QStringLiteral(" -") + QString::number(std::abs(*percent.value), 'f', percent.decimals) + QLatin1Char('%');
}

} // namespace

std::optional<double> signedComparison(const lookup::DimensionReading &reading)
{
    if (!reading.comparison) return std::nullopt;
    const std::optional<double> percent = reading.percent.value;
    if (!percent) return std::nullopt;
    switch (*reading.comparison) {
    case lookup::Comparison::Higher: return std::abs(*percent);
    case lookup::Comparison::Lower: return -std::abs(*percent);
    case lookup::Comparison::Equal: break;
    }
    return *percent;
}

std::optional<Movement> scoreMovement(const lookup::DimensionReading &first, const lookup::DimensionReading &latest)
{
    return movement(first.score.value, latest.score.value, std::max(first.score.decimals, latest.score.decimals));
}

std::optional<Movement> comparisonMovement(const lookup::DimensionReading &first,
                                           const lookup::DimensionReading &latest)
{
    return movement(signedComparison(first), signedComparison(latest),
                    std::max(first.percent.decimals, latest.percent.decimals));
}

Crossing crossingOf(const lookup::DimensionReading &first, const lookup::DimensionReading &latest)
{
    if (!first.comparison || !latest.comparison) return Crossing::None;
    const bool wasBelow = *first.comparison == lookup::Comparison::Lower;
    const bool isBelow = *latest.comparison == lookup::Comparison::Lower;
    if (wasBelow == isBelow) return Crossing::None;
    return wasBelow ? Crossing::ToRed : Crossing::ToGreen;
}

QString scoreChange(const lookup::DimensionReading &first, const lookup::DimensionReading &latest)
{
    return movementText(scoreMovement(first, latest), QString());
}

QString comparisonChange(const lookup::DimensionReading &first, const lookup::DimensionReading &latest)
{
    return movementText(comparisonMovement(first, latest), QStringLiteral("%"));
}

QString industryCrossing(const lookup::DimensionReading &first, const lookup::DimensionReading &latest)
{
    switch (crossingOf(first, latest)) {
    case Crossing::None: break;
    case Crossing::ToRed: return QStringLiteral("转红");
    case Crossing::ToGreen: return QStringLiteral("转绿");
    }
    return {};
}

std::array<ChartSeries, calc::dimensionCount> chartSeries(const QList<Reading> &readings)
{
    std::array<ChartSeries, calc::dimensionCount> series;
    for (const Reading &reading : readings) {
        for (int d = 0; d < calc::dimensionCount; ++d) {
            const lookup::DimensionReading &dimension = reading.figures.dimensions[size_t(d)];
            const std::optional<double> score = dimension.score.value;
            if (!score) continue;
            series[size_t(d)].times << reading.at;
            series[size_t(d)].scores << *score;
            series[size_t(d)].decimals = std::max(series[size_t(d)].decimals, dimension.score.decimals);
            // The average the turn-red count compares with: worked from the weighted score, as the
            // count is; a reading without one has no count and no average to draw.
            series[size_t(d)].averages << (dimension.weightedScore
                                               ? industryAverageOf(dimension, *dimension.weightedScore)
                                               : std::nullopt);
        }
    }
    return series;
}

namespace {

// A history longer than this is told by its span and its extremes: a screen reader reading a
// season's scores one by one tells nothing.
constexpr qsizetype toldOneByOne = 12;

QString numbers(const QList<double> &values)
{
    QStringList told;
    for (double value : values)
        told << QString::number(value, 'f', 2);
    return told.join(QStringLiteral("、"));
}

QString summaryOf(const ChartSeries &series)
{
    const auto [lowest, highest] = std::minmax_element(series.scores.cbegin(), series.scores.cend());
    return QStringLiteral("最新 %1，最低 %2，最高 %3")
        .arg(QString::number(series.scores.last(), 'f', 2), QString::number(*lowest, 'f', 2),
             QString::number(*highest, 'f', 2));
}

} // namespace

QString chartDescription(const QList<Reading> &readings)
{
    const std::array<ChartSeries, calc::dimensionCount> series = chartSeries(readings);
    const bool long_ = readings.size() > toldOneByOne;
    QStringList told;
    for (int d = 0; d < calc::dimensionCount; ++d) {
        const ChartSeries &dimension = series[size_t(d)];
        QList<double> averages;
        for (const std::optional<double> &average : dimension.averages)
            if (average) averages << *average;
        if (dimension.scores.isEmpty()) continue;
        QString line = dimensionName(d) + QLatin1Char(' ') + (long_ ? summaryOf(dimension) : numbers(dimension.scores));
        if (!averages.isEmpty())
            line += QStringLiteral("，行业平均 ") + (long_ ? numbers({averages.last()}) : numbers(averages));
        told << line;
    }
    const QString figures = told.join(QStringLiteral("；"));
    if (!long_) return figures;
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm");
    return QStringLiteral("%1 至 %2 共 %3 次读取：")
               .arg(readings.first().at.toLocalTime().toString(format),
                    readings.last().at.toLocalTime().toString(format))
               .arg(readings.size())
           + figures;
}

namespace {

// Whether the dimension's latest score lies below the score of every earlier reading that has one.
bool isNewLow(const QList<Reading> &readings, int d)
{
    const std::optional<double> latest = readings.last().figures.dimensions[size_t(d)].score.value;
    return latest && std::all_of(readings.cbegin(), readings.cend() - 1, [&](const Reading &earlier) {
               const std::optional<double> score = earlier.figures.dimensions[size_t(d)].score.value;
               return !score || *latest < *score;
           });
}

bool wasEverBelow(const QList<Reading> &readings, int d)
{
    return std::any_of(readings.cbegin(), readings.cend() - 1, [d](const Reading &earlier) {
        return earlier.figures.dimensions[size_t(d)].comparison == lookup::Comparison::Lower;
    });
}

} // namespace

QStringList fallsOf(const QList<Reading> &readings)
{
    QStringList falls;
    if (readings.size() < 2) return falls;
    for (int d = 0; d < calc::dimensionCount; ++d) {
        const lookup::DimensionReading &before = readings[readings.size() - 2].figures.dimensions[size_t(d)];
        const lookup::DimensionReading &now = readings.last().figures.dimensions[size_t(d)];
        QStringList told;
        // Fallen by 0.01 or more: 100 · units ≤ −10^decimals, in whole numbers.
        const std::optional<Movement> moved = scoreMovement(before, now);
        if (moved && 100 * moved->units <= -std::llround(std::pow(10.0, moved->decimals)) && isNewLow(readings, d))
            told << now.score.text + QLatin1Char(' ') + movementText(moved, QString());
        if (crossingOf(before, now) == Crossing::ToGreen && !wasEverBelow(readings, d))
            told << QStringLiteral("转绿") + percentBelow(now.percent);
        if (!told.isEmpty()) falls << dimensionName(d) + QStringLiteral("：") + told.join(QStringLiteral("，"));
    }
    return falls;
}

QString FallNotice::summary() const
{
    if (shops.size() == 1) return shops.first().name + QStringLiteral(" 评分下降");
    return QString::number(shops.size()) + QStringLiteral("家店铺评分下降");
}

QString FallNotice::body(bool markup) const
{
    QStringList lines;
    for (const Shop &shop : shops) {
        for (const QString &fall : shop.falls)
            lines << (shops.size() == 1 ? fall : shop.name + QLatin1Char(' ') + fall);
    }
    const QString text = lines.join(QLatin1Char('\n'));
    return markup ? text.toHtmlEscaped() : text;
}

} // namespace present
