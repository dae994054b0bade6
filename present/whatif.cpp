// SPDX-License-Identifier: MIT
#include "present/whatif.h"

#include "calc/headroom.h"
#include "calc/turnred.h"
#include "calc/whatif.h"
#include "present/wording.h"

namespace present {

std::optional<double> industryAverageOf(const lookup::DimensionReading &dimension, double score)
{
    const std::optional<double> gap = calc::comparisonGap(dimension.percent.text);
    if (!dimension.comparison || !gap) return std::nullopt;
    if (*dimension.comparison == lookup::Comparison::Lower) return calc::industryAverageBelow(score, *gap);
    return calc::industryAverageAbove(score, *gap);
}

namespace {

QString scoreText(double score)
{
    QString text = QString::number(score, 'f', 5);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.')) text.chop(1);
    return text;
}

QString lineOf(const lookup::DimensionReading &dimension, long long fiveStars, long long oneStars)
{
    if (!dimension.weightedScore || !dimension.raters) return QStringLiteral("无法计算");
    const std::optional<calc::WhatIfResult> after = calc::whatIf(
        {*dimension.weightedScore, *dimension.raters, industryAverageOf(dimension, *dimension.weightedScore)},
        fiveStars, oneStars);
    if (!after) return QStringLiteral("无法计算");
    QString line = scoreText(after->score);
    if (after->turnRed) line += QStringLiteral("，飘红 ") + QString::number(*after->turnRed, 'f', 0);
    if (after->averageAtTop) line += QStringLiteral("，") + industryAtTopText();
    if (after->headroom) line += QStringLiteral("，飘绿 ") + QString::number(*after->headroom);
    return line;
}

} // namespace

QStringList whatIfLines(const lookup::RatingReading &reading, long long fiveStars, long long oneStars)
{
    QStringList lines;
    for (int d = 0; d < calc::dimensionCount; ++d)
        lines << dimensionName(d) + QStringLiteral("：") + lineOf(reading.dimensions[size_t(d)], fiveStars, oneStars);
    return lines;
}

} // namespace present
