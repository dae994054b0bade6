// SPDX-License-Identifier: MIT
#include "present/querytracker.h"

#include "calc/numbers.h"

namespace present {

void QueryTracker::start()
{
    m_stage = Stage::Running;
    m_scoresShown = false;
    m_ending.reset();
}

bool QueryTracker::buttonBack()
{
    if (m_stage != Stage::Running) return false;
    m_stage = Stage::Reporting;
    return true;
}

void QueryTracker::endedBy(QueryEnding ending)
{
    if (!m_ending) m_ending = ending;
}

void QueryTracker::resultsCleared()
{
    m_raters = {};
    m_headroom = {};
}

void QueryTracker::scoresShown(const QStringList &raterTotals)
{
    // The page writes a total as markup ("&nbsp;1000"); the report holds the number read from it.
    for (size_t d = 0; d < m_raters.size(); ++d) {
        const std::optional<double> raters = calc::toDouble(raterTotals.value(qsizetype(d)));
        m_raters[d] = raters ? QString::number(*raters, 'g', 15) : QString();
    }
    m_scoresShown = true;
}

void QueryTracker::headroomShown(int dimension, std::optional<long long> oneStarRatings)
{
    m_headroom.at(size_t(dimension)) = oneStarRatings;
}

QueryReport QueryTracker::finish(const ShownResults &shown)
{
    m_stage = Stage::Idle;
    return {m_ending.value_or(m_scoresShown ? QueryEnding::Figures : QueryEnding::NoRatings), shown, m_raters,
            m_headroom};
}

} // namespace present
