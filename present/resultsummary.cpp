// SPDX-License-Identifier: MIT
#include "present/resultsummary.h"

#include "present/wording.h"

#include <QStringList>

namespace present {

namespace {

QString dimensionLine(const QString &name, const ShownResults::Dimension &dimension)
{
    QStringList parts = {name + QStringLiteral("：") + dimension.score};
    if (dimension.comparison) parts << verdict(*dimension.comparison) + QLatin1Char(' ') + dimension.comparisonText;
    parts << QStringLiteral("飘红需要5分人数：") + dimension.turnRed;
    return parts.join(QLatin1Char(' '));
}

} // namespace

QString resultSummary(const ShownResults &shown)
{
    QStringList lines = {shown.caption};
    for (size_t d = 0; d < shown.dimensions.size(); ++d)
        lines << dimensionLine(dimensionName(int(d)), shown.dimensions[d]);
    for (size_t d = 0; d < shown.dimensions.size(); ++d) {
        const ShownResults::Dimension &dimension = shown.dimensions[d];
        if (dimension.targetResult.isEmpty()) continue;
        lines << dimensionName(int(d)) + QStringLiteral("提升到：") + dimension.target.trimmed()
                     + QStringLiteral("分 需要5分人数：") + dimension.targetResult;
    }
    if (!shown.ratingAddress.isEmpty()) lines << shown.ratingAddress;
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace present
