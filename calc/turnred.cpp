// SPDX-License-Identifier: MIT
#include "calc/turnred.h"

#include "calc/fivestar.h"
#include "calc/numbers.h"

namespace calc {

namespace {

std::optional<double> entry(const QStringList &entries, qsizetype index)
{
    if (index >= entries.size()) return std::nullopt;
    return toDouble(entries.at(index));
}

bool readDimension(const DsrRecord &record, int d, DsrDimension &dimension)
{
    double *shares[starLevels] = {&dimension.share5, &dimension.share4, &dimension.share3, &dimension.share2,
                                  &dimension.share1};
    for (int k = 0; k < starLevels; ++k) {
        const auto percent = entry(record.starPercents, starLevels * d + k);
        if (!percent) return false;
        *shares[k] = *percent * 0.01;
    }
    const auto raters = entry(record.raterTotals, d);
    if (!raters) return false;
    dimension.raterTotal = *raters;
    return true;
}

double weightedScoreOf(const DsrDimension &d)
{
    return roundTo5(4 * d.share4 + 5 * d.share5 + 3 * d.share3 + 2 * d.share2 + d.share1);
}

} // namespace

bool jisuan(DsrRecord &record)
{
    record.scoreTexts = splitEntries(record.scoreBox);
    record.starPercents = splitEntries(record.starBox);
    record.raterTotals = splitEntries(record.raterBox);

    for (int d = 0; d < dimensionCount; ++d) {
        if (!readDimension(record, d, record.dimensions[d])) return false;
    }
    for (int d = 0; d < dimensionCount; ++d)
        record.weightedScore[d] = weightedScoreOf(record.dimensions[d]);
    return true;
}

std::optional<double> industryAverageBelow(double score, double gap)
{
    if (!(gap < 1)) return std::nullopt;
    return roundTo5(score / (1 - gap));
}

std::optional<double> comparisonGap(const QString &comparisonText)
{
    const auto percent = toDouble(QString(comparisonText).remove(u'%'));
    if (!percent) return std::nullopt;
    return *percent * 0.01;
}

bool industryAverageAtTop(const DsrRecord &record, int d, const QString &comparisonText)
{
    const std::optional<double> gap = comparisonGap(comparisonText);
    if (!gap || !record.weightedScore[d]) return false;
    const std::optional<double> average = industryAverageBelow(*record.weightedScore[d], *gap);
    return average && *average >= 5;
}

QString turnRedStep(DsrRecord &record, int d, const QString &comparisonText)
{
    const auto gap = comparisonGap(comparisonText);
    if (!gap) return {};

    DsrDimension &dimension = record.dimensions[d];
    dimension.industryGap = *gap;
    const double score = record.weightedScore[d].value_or(0);
    const std::optional<double> average = industryAverageBelow(score, dimension.industryGap);
    if (!average) return {};
    record.industryAverage[d] = *average;
    if (*average >= 5) return {};

    const auto count = fiveStarCount(score, *average, dimension.raterTotal);
    if (!count) return {};
    record.turnRedCount[d] = *count;
    return countText(*count).remove(u'-');
}

} // namespace calc
