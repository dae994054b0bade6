// SPDX-License-Identifier: MIT
#include "session/querysession.h"

#include "lookup/shoplink.h"

#include <QLoggingCategory>
#include <QTimer>

#include <algorithm>

namespace session {

// Which pages a session followed and which it left to an earlier query. Off unless QT_LOGGING_RULES
// turns it on; to stderr, never to a file.
Q_LOGGING_CATEGORY(lcSession, "larkspire.session", QtInfoMsg)

namespace {

// The engine keeps the storage of every site a page has shown for as long as the page lives,
// some 30 KiB for each shop's own host: a long session over many shops would grow without end.
// After this many queries the next one starts on a fresh hidden page, for one engine process
// start (a few tens of milliseconds) in as many queries.
constexpr int queriesPerPage = 50;

// A query's navigations past this many (a page that keeps sending the browser on) are forgotten
// oldest first: their pages count for no query.
constexpr size_t navigationsKept = 16;

constexpr int timer1IntervalMs = 1000;

} // namespace

QuerySession::QuerySession(QueryView &view, QObject *parent)
    : QObject(parent)
    , m_view(view)
    , m_timer1(new QTimer(this))
{
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    connect(m_timer1, &QTimer::timeout, this, &QuerySession::timer1Tick);
}

void QuerySession::setNavigator(lookup::Navigator *navigator)
{
    m_navigator = navigator;
    m_queriesOnPage = 0;
    m_navigations.clear();
}

std::optional<int> QuerySession::start(const QString &entry)
{
    if (entry.isEmpty()) {
        m_view.showMessage(QStringLiteral("请输入旺旺名"));
        return std::nullopt;
    }
    if (m_busy || !m_navigator) return std::nullopt;
    if (lookup::isShareCode(entry)) {
        refuseShareCode(entry);
        return current();
    }
    const QString address = lookup::queryAddress(entry);
    // A rating page opened by its link comes without the shop page that would have cleared what the
    // previous shop showed and captioned the results.
    if (lookup::landingOf(address) == lookup::Landing::RatingPage) {
        m_view.clearResults();
        m_view.clearTargetResults();
        m_view.setResultsCaption(QString());
    }
    const int query = begin(entry);
    m_entry = lookup::entryOf(entry);
    m_busy = true;
    m_view.showBusy(true);
    m_busyTicks = 1;
    m_timer1->setInterval(timer1IntervalMs);
    m_timer1->start();
    if (++m_queriesOnPage > queriesPerPage) {
        m_navigator->renewPage();
        m_queriesOnPage = 1;
    }
    navigateHidden(address);
    emit queryStarted(query, entry);
    return query;
}

int QuerySession::begin(const QString &entry)
{
    const int query = ++m_queries;
    m_tracker.start(query, entry);
    m_reportDue = false;
    m_navigations.clear();
    return query;
}

void QuerySession::refuseShareCode(const QString &entry)
{
    const int query = begin(entry);
    m_tracker.refusedShareCode();
    emit queryStarted(query, entry);
    m_view.showMessage(lookup::shareCodeMessage());
    // Told once the caller is done, as every query's end is: whoever started it knows its number.
    m_reportDue = true;
    QMetaObject::invokeMethod(this, &QuerySession::reportIfDue, Qt::QueuedConnection);
}

bool QuerySession::isCurrent(int navigation) const
{
    return std::find(m_navigations.cbegin(), m_navigations.cend(), navigation) != m_navigations.cend();
}

void QuerySession::follow(const lookup::PageSnapshot &page)
{
    if (!isCurrent(page.navigation)) {
        qCDebug(lcSession) << "page of an earlier query left alone:" << page.locationUrl;
        return;
    }
    ++m_following;
    lookup::followPage(page, m_record, *this, m_view, m_entry);
    --m_following;
    reportIfDue();
}

void QuerySession::navigateHidden(const QString &address)
{
    m_navigations.push_back(m_navigator->navigate(address));
    if (m_navigations.size() > navigationsKept) m_navigations.pop_front();
}

void QuerySession::foundRatings(const lookup::RatingReading &reading)
{
    m_view.showRatingPage(reading.address);
    m_tracker.foundRatings(reading);
}

void QuerySession::foundFailedLoad()
{
    m_tracker.foundFailedLoad();
    if (m_endsAtAFailedLoad) giveBack();
}

void QuerySession::engineDied()
{
    // A query whose pages can no longer complete is over: the button need not wait for the timer.
    giveBack();
}

void QuerySession::timer1Tick()
{
    if (m_busyTicks > lastBusyTick) {
        m_tracker.timedOut();
        giveBack();
        m_timer1->stop();
    }
    ++m_busyTicks;
}

void QuerySession::giveBack()
{
    m_busy = false;
    m_view.showBusy(false);
    m_reportDue = true;
    reportIfDue();
}

void QuerySession::reportIfDue()
{
    // A rating page gives the button back before it shows its comparisons when not all its figures
    // were read: the report waits for the page's handler to finish.
    if (!m_reportDue || m_following > 0) return;
    m_reportDue = false;
    if (const std::optional<present::QueryReport> report = m_tracker.finish()) emit queryEnded(*report);
}

} // namespace session
