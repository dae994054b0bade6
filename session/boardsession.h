// SPDX-License-Identifier: MIT
#pragma once

#include "present/boardrun.h"
#include "present/rowhistory.h"
#include "present/watchschedule.h"
#include "session/loginwindow.h"
#include "session/querysession.h"
#include "store/boardfile.h"

#include <QObject>

#include <functional>
#include <memory>

class QTimer;

namespace session {

// The comparison board's work below its window: its rows and their run (present::BoardRun), queried
// one at a time through a query session of the board's own, with a pause between two shops; the
// watch's rounds and when one is left out; and what fell since a row's last reading. The board's
// hidden browser is made on its first query and goes when the board is closed, once the query under
// way has ended. Nothing here touches the main window: the person's queries and the board's run
// side by side, and share only the login window.
class BoardSession : public QObject, private present::BoardRunHost, private QueryView
{
    Q_OBJECT
public:
    // Makes the hidden browser of the board's queries, its completed pages sent to the session.
    using NavigatorMaker = std::function<std::unique_ptr<lookup::Navigator>(QuerySession &)>;

    BoardSession(LoginWindow &login, NavigatorMaker makeNavigator, QObject *parent = nullptr);
    ~BoardSession() override;

    present::BoardRun &run() { return m_run; }
    const present::BoardRun &run() const { return m_run; }
    QuerySession &querySession() { return m_query; }
    // The hidden browser of the board's queries; none before the first, nor once the board is closed.
    lookup::Navigator *navigator() const { return m_navigator.get(); }

    // Between two shops the board waits a time drawn from this range, so that a list does not
    // look like a robot to the marketplace.
    void setPauseBetweenShops(int shortestMs, int longestMs);
    // How long a minute of the watch schedule lasts: shortened, a test sees rounds in seconds.
    void setWatchMinute(qint64 ms);
    void setWatch(present::WatchInterval interval);
    std::optional<qint64> nextRoundAtMs() const { return m_schedule.nextRoundAtMs(); }
    // The run's progress line, with the time of the next round while the board watches.
    QString progress() const;

    // The board's window shown again, or closed: a closed board queries nothing more.
    void open();
    void close();
    // The board kept in a file: saved there with every reading so far, or the file's rows, readings
    // and watch interval in place of the board's own. Each gives what went wrong, empty when done;
    // on failure the board is as it was.
    QString saveAs(const QString &path);
    QString openFile(const QString &path);
    QString filePath() const;
    present::WatchInterval watch() const { return m_schedule.interval(); }

    void gatePassed() { m_run.gatePassed(); }
    void gateClosed() { m_run.gateClosed(); }

signals:
    void rowUpdated(int id);
    void progressChanged(); // the run's phase or progress, or the next round
    // Rows read again fell (see present::fallsOf): told once the round or the list is over, with
    // the first such row.
    void fell(const present::FallNotice &falls, int firstRowId);
    // The rows go and the file's come in their place, between these two.
    void rowsAboutToBeReplaced();
    void rowsReplaced();
    // The board's file was saved, opened, or is in trouble (see store::BoardFile); empty when over.
    void fileChanged();
    void fileTrouble(const QString &trouble);

private:
    std::optional<int> startQuery(const QString &entry) override;
    void startPause() override;
    void stopPause() override;
    bool gateShown() const override { return m_login.isShown(); }
    void rowChanged(int id) override { emit rowUpdated(id); }
    void runChanged() override;
    void rowReadAgain(const present::BoardRow &row) override;
    // A board's query shows nothing but the login window: its rows tell the rest.
    void showLogin(const QString &address) override { m_login.show(address); }

    void queryEnded(const present::QueryReport &report);
    void roundDue();
    void planRound();
    void releaseBrowser();
    // The file now holding the run's log.
    void keepIn(store::BoardFile &file);

    LoginWindow &m_login;
    NavigatorMaker m_makeNavigator;
    QuerySession m_query;
    std::unique_ptr<lookup::Navigator> m_navigator;
    present::BoardRun m_run;
    present::WatchSchedule m_schedule;
    QTimer *m_pause;
    QTimer *m_round;
    int m_shortestPauseMs = 3000;
    int m_longestPauseMs = 6000;
    bool m_closed = false;
    store::BoardFile *m_file = nullptr; // the run's log, once the board is kept in a file
    present::FallNotice m_falls;        // of the run under way
    int m_firstFallenRow = 0;
};

} // namespace session
