// SPDX-License-Identifier: MIT
#include "present/querytracker.h"

namespace present {

void QueryTracker::start(int query, const QString &entry)
{
    m_running = true;
    m_ending.reset();
    m_report = {query, entry, QueryEnding::NoRatings, {}, {}, {}};
}

void QueryTracker::foundGate(lookup::Gate gate)
{
    endedBy(gate == lookup::Gate::Login ? QueryEnding::Login : QueryEnding::Verification);
}

void QueryTracker::endedBy(QueryEnding ending)
{
    if (!m_ending) m_ending = ending;
}

std::optional<QueryReport> QueryTracker::finish()
{
    if (!m_running) return std::nullopt;
    m_running = false;
    QueryReport report = m_report;
    report.ending = m_ending.value_or(report.figures.hasScore() ? QueryEnding::Figures : QueryEnding::NoRatings);
    if (report.ending != QueryEnding::Figures) report.figures = {};
    return report;
}

} // namespace present
