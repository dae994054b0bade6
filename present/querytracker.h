// SPDX-License-Identifier: MIT
#pragma once

#include "lookup/pageflow.h"

#include <QString>

#include <optional>

namespace present {

// How a query ended, as it is told when its button first comes back.
enum class QueryEnding { Figures, NoShop, Login, Verification, Timeout, NoRatings, NoShopLink, ShareCode, FailedLoad };

// One query's end: which query it was, how it ended and what it found of its own. A query that
// read no score has no figures, whatever the window showed before.
struct QueryReport {
    int query = 0; // the query's number, counted from 1
    QString entry; // what was queried, as typed
    QueryEnding ending = QueryEnding::NoRatings;
    QString shop; // the title token of its shop page; empty where it reached none
    lookup::RatingReading figures;
    // The shop card of the item page the query went through; the shop's own, whatever the ending.
    std::optional<lookup::ShopCard> card;
};

// One query from its start to its button's first return, made of what the page flow found for it:
// the first ending told counts (no shop, a gate, the timeout); otherwise it ended with figures when
// its rating page gave a score, and with none when it did not.
class QueryTracker
{
public:
    // A new query: nothing of the previous one is kept.
    void start(int query, const QString &entry);
    int current() const { return m_report.query; }
    bool isRunning() const { return m_running; }

    void foundNoShop() { endedBy(QueryEnding::NoShop); }
    void foundGate(lookup::Gate gate);
    void foundShop(const QString &titleToken) { m_report.shop = titleToken; }
    void foundRatings(const lookup::RatingReading &reading) { m_report.figures = reading; }
    void foundNoShopLink() { endedBy(QueryEnding::NoShopLink); }
    void foundFailedLoad() { endedBy(QueryEnding::FailedLoad); }
    void foundShopCard(const lookup::ShopCard &card) { m_report.card = card; }
    // A share code without a link: nothing to open.
    void refusedShareCode() { endedBy(QueryEnding::ShareCode); }
    void timedOut() { endedBy(QueryEnding::Timeout); }

    // The button came back: the report, the first time for the running query.
    std::optional<QueryReport> finish();

private:
    void endedBy(QueryEnding ending);

    bool m_running = false;
    std::optional<QueryEnding> m_ending;
    QueryReport m_report;
};

} // namespace present
