// SPDX-License-Identifier: MIT
#include "session/boardsession.h"

#include "present/board.h"
#include "present/rowhistory.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>

namespace session {

namespace {

double draw() { return QRandomGenerator::global()->generateDouble(); }

qint64 nowMs() { return QDateTime::currentMSecsSinceEpoch(); }

} // namespace

BoardSession::BoardSession(LoginWindow &login, NavigatorMaker makeNavigator, QObject *parent)
    : QObject(parent)
    , m_login(login)
    , m_makeNavigator(std::move(makeNavigator))
    , m_query(*this)
    , m_run(*this)
    , m_pause(new QTimer(this))
    , m_round(new QTimer(this))
{
    m_pause->setSingleShot(true);
    connect(m_pause, &QTimer::timeout, this, [this] { m_run.pauseElapsed(); });
    // A round is due to the second: a coarse timer may wake a little early, and is then set again.
    m_round->setSingleShot(true);
    m_round->setTimerType(Qt::PreciseTimer);
    connect(m_round, &QTimer::timeout, this, &BoardSession::roundDue);
    connect(&m_query, &QuerySession::queryEnded, this, &BoardSession::queryEnded);
    // A row that cannot be loaded says so at once: no window's timer binds the board's wait.
    m_query.setEndsAtAFailedLoad(true);
    // The user-level tests watch in seconds: a minute of the schedule lasts this many milliseconds.
    if (const int minuteMs = qEnvironmentVariableIntValue("LARKSPIRE_WATCH_MINUTE_MS"); minuteMs > 0)
        setWatchMinute(minuteMs);
}

BoardSession::~BoardSession() = default;

void BoardSession::setPauseBetweenShops(int shortestMs, int longestMs)
{
    m_shortestPauseMs = shortestMs;
    m_longestPauseMs = std::max(shortestMs, longestMs);
}

void BoardSession::setWatchMinute(qint64 ms)
{
    const present::WatchInterval interval = m_schedule.interval();
    m_schedule = present::WatchSchedule(ms);
    setWatch(interval);
}

void BoardSession::setWatch(present::WatchInterval interval)
{
    m_schedule.set(interval, nowMs(), draw());
    if (m_file) m_file->setWatch(int(interval));
    planRound();
}

QString BoardSession::saveAs(const QString &path)
{
    // Saved as the file it is kept in: every change is there already.
    if (m_file && QFileInfo(m_file->path()) == QFileInfo(path)) return {};
    store::Opened saved = store::BoardFile::create(path, m_run.entries(), int(watch()), m_run.log());
    if (!saved.file) return saved.error;
    store::BoardFile &file = *saved.file;
    m_run.setLog(std::move(saved.file));
    keepIn(file);
    return {};
}

QString BoardSession::openFile(const QString &path)
{
    // The file held now is the one asked for: it is open already.
    if (m_file && QFileInfo(m_file->path()) == QFileInfo(path)) return {};
    store::Opened opened = store::BoardFile::open(path);
    if (!opened.file) return opened.error;
    const QStringList entries = opened.file->entries();
    const auto interval =
        present::WatchInterval(std::clamp(opened.file->watch(), 0, int(present::WatchInterval::TwoHours)));
    store::BoardFile &file = *opened.file;
    emit rowsAboutToBeReplaced();
    m_run.restore(entries, std::move(opened.file));
    keepIn(file);
    emit rowsReplaced();
    setWatch(interval);
    return {};
}

void BoardSession::keepIn(store::BoardFile &file)
{
    m_file = &file;
    m_file->setTroubleHandler([this](const QString &trouble) { emit fileTrouble(trouble); });
    emit fileTrouble({});
    emit fileChanged();
}

QString BoardSession::filePath() const { return m_file ? m_file->path() : QString(); }

void BoardSession::open() { m_closed = false; }

void BoardSession::close()
{
    m_closed = true;
    m_run.stop();
    if (!m_query.isBusy()) releaseBrowser();
}

void BoardSession::releaseBrowser()
{
    m_query.setNavigator(nullptr);
    m_navigator.reset();
}

std::optional<int> BoardSession::startQuery(const QString &entry)
{
    if (!m_navigator) {
        m_navigator = m_makeNavigator(m_query);
        m_query.setNavigator(m_navigator.get());
    }
    return m_query.start(entry);
}

void BoardSession::queryEnded(const present::QueryReport &report)
{
    m_run.queryEnded(report);
    if (m_closed) releaseBrowser();
}

void BoardSession::startPause()
{
    m_pause->start(QRandomGenerator::global()->bounded(m_shortestPauseMs, m_longestPauseMs + 1));
}

void BoardSession::stopPause() { m_pause->stop(); }

void BoardSession::rowReadAgain(const present::BoardRow &row)
{
    const QStringList falls = present::fallsOf(m_run.log().readingsOf(row.entry));
    if (falls.isEmpty()) return;
    if (m_falls.shops.isEmpty()) m_firstFallenRow = row.id;
    m_falls.shops.append({present::rowShop(row), falls});
}

void BoardSession::runChanged()
{
    // What fell in a round, or in a list read again, is told once the run is over, in one notice.
    if (m_run.phase() == present::BoardRun::Phase::Idle && !m_falls.shops.isEmpty()) {
        emit fell(m_falls, m_firstFallenRow);
        m_falls = {};
    }
    emit progressChanged();
}

QString BoardSession::progress() const
{
    const std::optional<qint64> next = m_schedule.nextRoundAtMs();
    if (!next) return m_run.progress();
    return m_run.progress() + QStringLiteral("  下一轮 ")
           + QDateTime::fromMSecsSinceEpoch(*next).toString(QStringLiteral("HH:mm"));
}

void BoardSession::roundDue()
{
    // A list or a round under way finishes, and a gate waited on is the person's: a round due then
    // is left out, as it is while the board is closed.
    const bool busy = m_run.phase() != present::BoardRun::Phase::Idle || m_login.isShown() || m_closed;
    if (m_schedule.fallDue(nowMs(), draw(), busy)) {
        QList<int> every;
        for (const present::BoardRow &row : m_run.rows())
            every << row.id;
        m_run.queryAll(every);
    }
    planRound();
}

void BoardSession::planRound()
{
    if (const std::optional<qint64> next = m_schedule.nextRoundAtMs())
        m_round->start(int(std::max<qint64>(0, *next - nowMs())));
    else
        m_round->stop();
    emit progressChanged();
}

} // namespace session
