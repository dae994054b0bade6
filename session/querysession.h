// SPDX-License-Identifier: MIT
#pragma once

#include "calc/dsrrecord.h"
#include "lookup/navigator.h"
#include "lookup/pageflow.h"
#include "present/querytracker.h"

#include <QObject>

#include <deque>
#include <optional>

class QTimer;

namespace session {

struct QuerySessionProbe;

// What a window shows of its queries: the page flow's results, and beside them the query button
// and the rating page the figures came from.
class QueryView : public lookup::ResultsView
{
public:
    // The query button: busy ("查询中...", disabled) or idle ("查询", enabled).
    virtual void showBusy(bool /*busy*/) {}
    virtual void showRatingPage(const QString & /*address*/) {}
};

// What a query is, for one window: its number, the navigations of its hidden browser that belong
// to it, the page flow over each completed page, the DSR record, Timer1's 21 ticks and the button
// it gives back, and the page renewal. A window holds one session and shows it through its
// QueryView; two windows hold two sessions, each with a hidden browser of its own, and neither
// sees the other's pages. A page belongs to the query under which its load began: a page of an
// earlier query, however late it completes, is left alone, so that it neither shows another shop's
// figures nor sends the browser anywhere.
class QuerySession : public QObject, private lookup::PageFlowQuery
{
    Q_OBJECT
public:
    // Timer1 gives the button back at the tick after this one, if nothing else has.
    static constexpr qint16 lastBusyTick = 20;

    explicit QuerySession(QueryView &view, QObject *parent = nullptr);

    // Whether a page that could not be loaded ends its query at once. The main window's query waits
    // for Timer1 as it waits on any page that is no landing; where nothing binds the wait (the
    // comparison board), the query ends and says why.
    void setEndsAtAFailedLoad(bool ends) { m_endsAtAFailedLoad = ends; }

    // The hidden browser the queries go through; its completed pages come back through follow().
    // Not owned. A session without one starts no query.
    void setNavigator(lookup::Navigator *navigator);
    bool hasNavigator() const { return m_navigator != nullptr; }

    // A query of the entry as typed: an empty one is refused with a message, a share code ends at
    // once with one, anything else is searched for or opened as a link. The query's number; none
    // when nothing started, or while the last query's button is still busy.
    std::optional<int> start(const QString &entry);
    void follow(const lookup::PageSnapshot &page);
    // The engine rendering the pages died: nothing more of this query will come.
    void engineDied();
    // Timer1: every second after a query starts until the button has come back at the 21st.
    void timer1Tick();

    bool isBusy() const { return m_busy; }
    int current() const { return m_tracker.current(); }
    qint16 busyTicks() const { return m_busyTicks; }
    QTimer *timer1() const { return m_timer1; }
    // What the last rating page left for the target-score calculators.
    const calc::DsrRecord &record() const { return m_record; }

signals:
    void queryStarted(int query, const QString &entry);
    // Each query, once, when its button first comes back and the page that gave it back is done.
    void queryEnded(const present::QueryReport &report);

private:
    friend struct QuerySessionProbe; // the tests' way to hand a page in as the current query's

    int begin(const QString &entry);
    void refuseShareCode(const QString &entry);
    void giveBack();
    void reportIfDue();
    bool isCurrent(int navigation) const;

    void foundNoShop() override { m_tracker.foundNoShop(); }
    void foundGate(lookup::Gate gate) override { m_tracker.foundGate(gate); }
    void foundShop(const QString &titleToken) override { m_tracker.foundShop(titleToken); }
    void foundRatings(const lookup::RatingReading &reading) override;
    void foundNoShopLink() override { m_tracker.foundNoShopLink(); }
    void foundFailedLoad() override;
    void foundShopCard(const lookup::ShopCard &card) override { m_tracker.foundShopCard(card); }
    void navigateHidden(const QString &address) override;
    void giveButtonBack() override { giveBack(); }

    QueryView &m_view;
    lookup::Navigator *m_navigator = nullptr;
    QTimer *m_timer1;
    qint16 m_busyTicks = 0;
    bool m_busy = false;
    bool m_endsAtAFailedLoad = false;
    int m_queries = 0;
    int m_queriesOnPage = 0; // queries the hidden browser's page has served
    lookup::QueryEntry m_entry = lookup::QueryEntry::Name;
    std::deque<int> m_navigations; // the current query's latest few, newest last
    bool m_reportDue = false;
    int m_following = 0; // the depth of pages being followed (a message box runs its own loop)
    present::QueryTracker m_tracker;
    calc::DsrRecord m_record;
};

} // namespace session
