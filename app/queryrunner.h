// SPDX-License-Identifier: MIT
#pragma once

#include "present/querytracker.h"

#include <QObject>

#include <deque>
#include <functional>

class QPushButton;
class QTimer;

namespace browser {
class WebBrowser;
}

namespace app {

// The main window's query: the button's busy state, Timer1 and its ticks, the hidden browser's
// page renewal, and each query's identity. A query gets a number when it starts; every navigation
// of the hidden browser belongs to the query whose page made it, so a page that completes late is
// known for an earlier query's by its number. What a page finds, gives back or tells the person
// then counts for its own query only. A query is the person's unless the comparison board lent it.
class QueryRunner : public QObject
{
    Q_OBJECT
public:
    enum class Asker { Person, Board };

    // Timer1 gives the button back at the tick after this one, if nothing else has.
    static constexpr qint16 lastBusyTick = 20;

    QueryRunner(QPushButton *command1, browser::WebBrowser *hidden, QObject *parent);

    // A query of the entry: the button busy, Timer1 counting from 1, the hidden browser sent to the
    // address.
    void start(const QString &entry, const QString &address, lookup::QueryEntry kind);
    // A query of the app's share code, which nothing here can open: it ends at once, the person
    // told in a message box.
    void refuseShareCode(const QString &entry, const std::function<void()> &showBox);
    // The next query started is the comparison board's.
    void lendNext() { m_lendNext = true; }
    int current() const { return m_tracker.current(); }
    // The button is busy, or a message box of the person's is open.
    bool isBusy() const;

    // Runs the page flow's handler for a completed page of the hidden browser, told whether the
    // page's query was given a name or a link; a report that falls due while it runs is sent once
    // it is done.
    void follow(int navigation, const std::function<void(lookup::QueryEntry)> &handler);
    void navigateHidden(const QString &address);
    void foundNoShop();
    void foundGate(lookup::Gate gate);
    void foundShop(const QString &titleToken);
    void foundRatings(const lookup::RatingReading &reading);
    void foundNoShopLink();
    void foundShopCard(const lookup::ShopCard &card);
    void giveButtonBack();
    // Shows a message box when the page being followed is the person's: the board's queries tell
    // it in their report instead, since a box would stop the list until someone answered it.
    void tellPerson(const std::function<void()> &showBox);

signals:
    void queryStarted(int query, app::QueryRunner::Asker asker);
    // Each query, once, when its button first comes back and the page that gave it back is done.
    void queryEnded(const present::QueryReport &report);

private:
    friend struct Form1Probe;

    struct Navigation {
        int number; // the hidden browser's
        int query;
        Asker asker;
        lookup::QueryEntry entry;
    };
    Navigation begin(const QString &entry);
    void timer1Tick();
    void giveBackCurrent();
    void remember(const Navigation &navigation);
    const Navigation *navigationOf(int number) const;
    // The query's first navigation: who asked and what it was given.
    Navigation startOf(int query) const;
    void reportIfDue();

    QPushButton *m_command1;
    browser::WebBrowser *m_hidden;
    QTimer *m_timer1;
    qint16 m_busyTicks = 0;
    int m_queriesOnPage = 0; // queries the hidden browser's page has served
    int m_queries = 0;
    bool m_lendNext = false;
    bool m_reportDue = false;
    int m_following = 0;                  // the depth of page handlers under way (a message box runs its own loop)
    int m_followed = 0;                   // the query of the page being followed
    int m_boxesOpen = 0;                  // the person's message boxes
    std::deque<Navigation> m_navigations; // the latest few, newest last
    present::QueryTracker m_tracker;
};

} // namespace app
