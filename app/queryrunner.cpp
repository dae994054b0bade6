// SPDX-License-Identifier: MIT
#include "app/queryrunner.h"

#include "browser/webbrowser.h"

#include <QPushButton>
#include <QTimer>

#include <utility>

namespace app {

namespace {

const QString idleCaption = QStringLiteral("查询");
const QString busyCaption = QStringLiteral("查询中...");

// The engine keeps the storage of every site a page has shown for as long as the page lives,
// some 30 KiB for each shop's own host: a long session over many shops would grow without end.
// After this many queries the next one starts on a fresh hidden page, for one engine process
// start (a few tens of milliseconds) in as many queries.
constexpr int queriesPerPage = 50;

// How many of the latest navigations are told apart; a page of an older one counts for no query.
constexpr size_t navigationsKept = 16;

} // namespace

QueryRunner::QueryRunner(QPushButton *command1, browser::WebBrowser *hidden, QObject *parent)
    : QObject(parent)
    , m_command1(command1)
    , m_hidden(hidden)
    , m_timer1(new QTimer(this))
{
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    connect(m_timer1, &QTimer::timeout, this, &QueryRunner::timer1Tick);
    // A query whose pages can no longer complete is over: the button need not wait for the timer.
    connect(m_hidden, &browser::WebBrowser::renderProcessDied, this, &QueryRunner::giveBackCurrent);
}

QueryRunner::Navigation QueryRunner::begin(const QString &entry)
{
    const Asker asker = std::exchange(m_lendNext, false) ? Asker::Board : Asker::Person;
    const int query = ++m_queries;
    m_tracker.start(query, entry);
    m_reportDue = false;
    return {0, query, asker, lookup::QueryEntry::Name};
}

void QueryRunner::start(const QString &entry, const QString &address, lookup::QueryEntry kind)
{
    Navigation first = begin(entry);
    first.entry = kind;
    m_command1->setText(busyCaption);
    m_command1->setEnabled(false);
    m_busyTicks = 1;
    m_timer1->setInterval(1000);
    m_timer1->start();
    if (++m_queriesOnPage > queriesPerPage) {
        m_hidden->renewPage();
        m_queriesOnPage = 1;
    }
    first.number = m_hidden->navigate(address);
    remember(first);
    emit queryStarted(first.query, first.asker);
}

void QueryRunner::refuseShareCode(const QString &entry, const std::function<void()> &showBox)
{
    const Navigation none = begin(entry);
    m_tracker.refusedShareCode();
    emit queryStarted(none.query, none.asker);
    if (none.asker == Asker::Person) {
        ++m_boxesOpen;
        showBox();
        --m_boxesOpen;
    }
    // Told once the caller is done, as every query's end is: whoever started it knows its number.
    m_reportDue = true;
    QMetaObject::invokeMethod(this, &QueryRunner::reportIfDue, Qt::QueuedConnection);
}

bool QueryRunner::isBusy() const { return !m_command1->isEnabled() || m_boxesOpen > 0; }

void QueryRunner::remember(const Navigation &navigation)
{
    m_navigations.push_back(navigation);
    if (m_navigations.size() > navigationsKept) m_navigations.pop_front();
}

const QueryRunner::Navigation *QueryRunner::navigationOf(int number) const
{
    for (auto it = m_navigations.crbegin(); it != m_navigations.crend(); ++it) {
        if (it->number == number) return &*it;
    }
    return nullptr;
}

void QueryRunner::follow(int navigation, const std::function<void(lookup::QueryEntry)> &handler)
{
    const Navigation *of = navigationOf(navigation);
    const int outer = std::exchange(m_followed, of ? of->query : 0);
    ++m_following;
    handler(of ? of->entry : lookup::QueryEntry::Name);
    --m_following;
    m_followed = outer;
    reportIfDue();
}

void QueryRunner::navigateHidden(const QString &address)
{
    // The rating page a shop page leads to belongs to that shop page's query, late or not.
    Navigation next = startOf(m_followed);
    next.number = m_hidden->navigate(address);
    remember(next);
}

QueryRunner::Navigation QueryRunner::startOf(int query) const
{
    for (const Navigation &navigation : m_navigations) {
        if (navigation.query == query) return navigation;
    }
    return {0, query, Asker::Person, lookup::QueryEntry::Name};
}

void QueryRunner::foundNoShop()
{
    if (m_followed == current()) m_tracker.foundNoShop();
}

void QueryRunner::foundGate(lookup::Gate gate)
{
    if (m_followed == current()) m_tracker.foundGate(gate);
}

void QueryRunner::foundShop(const QString &titleToken)
{
    if (m_followed == current()) m_tracker.foundShop(titleToken);
}

void QueryRunner::foundRatings(const lookup::RatingReading &reading)
{
    if (m_followed == current()) m_tracker.foundRatings(reading);
}

void QueryRunner::foundNoShopLink()
{
    if (m_followed == current()) m_tracker.foundNoShopLink();
}

void QueryRunner::foundShopCard(const lookup::ShopCard &card)
{
    if (m_followed == current()) m_tracker.foundShopCard(card);
}

void QueryRunner::giveButtonBack()
{
    // A page of an earlier query leaves the current query's button alone.
    if (m_followed == current()) giveBackCurrent();
}

void QueryRunner::tellPerson(const std::function<void()> &showBox)
{
    if (startOf(m_followed).asker != Asker::Person) return;
    ++m_boxesOpen;
    showBox();
    --m_boxesOpen;
}

void QueryRunner::timer1Tick()
{
    if (m_busyTicks > lastBusyTick) {
        m_tracker.timedOut();
        giveBackCurrent();
        m_timer1->stop();
    }
    ++m_busyTicks;
}

void QueryRunner::giveBackCurrent()
{
    m_command1->setText(idleCaption);
    m_command1->setEnabled(true);
    m_reportDue = true;
    reportIfDue();
}

void QueryRunner::reportIfDue()
{
    // A rating page gives the button back before it shows its comparisons when not all its figures
    // were read: the report waits for the page's handler to finish.
    if (!m_reportDue || m_following > 0) return;
    m_reportDue = false;
    if (const std::optional<present::QueryReport> report = m_tracker.finish()) emit queryEnded(*report);
}

} // namespace app
