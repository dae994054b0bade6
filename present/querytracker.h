// SPDX-License-Identifier: MIT
#pragma once

#include "present/resultsummary.h"

#include <QStringList>

#include <array>
#include <optional>

namespace present {

// How a query ended, as the main window tells it when its button first comes back.
enum class QueryEnding { Figures, NoShop, Login, Verification, Timeout, NoRatings };

// One query's end: how it ended, what the window shows, and of that page's figures what the window
// keeps out of sight (each dimension's rater total and one-star headroom).
struct QueryReport {
    QueryEnding ending = QueryEnding::NoRatings;
    ShownResults shown;
    std::array<QString, 3> raters;
    std::array<std::optional<long long>, 3> headroom;
};

// One query as the page flow shows it, from its start to its button's first return: how it ended,
// and what it showed of its own, so that its report never carries a figure of the previous shop.
class QueryTracker
{
public:
    void start();
    bool isRunning() const { return m_stage == Stage::Running; }
    // The button came back: true the first time for this query, when its report falls due.
    bool buttonBack();

    // How the query ended when it shows no figures: the first told counts.
    void endedBy(QueryEnding ending);

    void resultsCleared();
    // The scores of this page's DSR list are shown; its rater totals as the record split them.
    void scoresShown(const QStringList &raterTotals);
    void headroomShown(int dimension, std::optional<long long> oneStarRatings);

    // The report, with what the window shows now.
    QueryReport finish(const ShownResults &shown);

private:
    enum class Stage { Idle, Running, Reporting } m_stage = Stage::Idle;
    bool m_scoresShown = false;
    std::optional<QueryEnding> m_ending;
    std::array<QString, 3> m_raters;
    std::array<std::optional<long long>, 3> m_headroom;
};

} // namespace present
