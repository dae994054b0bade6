// SPDX-License-Identifier: MIT
#include "app/resultsummary.h"

#include <QStringList>

namespace app {

namespace {

const std::array<QString, 3> dimensionNames = {QStringLiteral("宝贝与描述相符"), QStringLiteral("卖家的服务态度"),
                                               QStringLiteral("物流服务的质量")};

// The verdict each picture spells out.
QString verdict(lookup::Comparison comparison)
{
    switch (comparison) {
    case lookup::Comparison::Higher: return QStringLiteral("高于行业平均");
    case lookup::Comparison::Lower: return QStringLiteral("低于行业平均");
    case lookup::Comparison::Equal: return QStringLiteral("与行业平均持平");
    }
    return {};
}

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
        lines << dimensionLine(dimensionNames[d], shown.dimensions[d]);
    for (size_t d = 0; d < shown.dimensions.size(); ++d) {
        const ShownResults::Dimension &dimension = shown.dimensions[d];
        if (dimension.targetResult.isEmpty()) continue;
        lines << dimensionNames[d] + QStringLiteral("提升到：") + dimension.target.trimmed()
                     + QStringLiteral("分 需要5分人数：") + dimension.targetResult;
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace app
