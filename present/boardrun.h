// SPDX-License-Identifier: MIT
#pragma once

#include "present/querytracker.h"
#include "present/readinglog.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace present {

// A row of the comparison board: the entry as the user gave it, where its query stands, and the
// report of its last query.
struct BoardRow {
    enum class State { NotQueried, Pending, Querying, WaitingForGate, Done };
    int id = 0; // stays the row's while rows are added, removed and sorted
    QString entry;
    State state = State::NotQueried;
    std::optional<QueryReport> report;
    // Its latest reading (a query that ended with figures), and the one its changes are shown
    // against; every reading is in the run's log.
    std::optional<Reading> latest;
    std::optional<Reading> baseline;

    // Whether the latest reading has an earlier one to be shown against.
    bool hasChanges() const { return latest && baseline && baseline->at < latest->at; }
};

// What the board's run needs of the program.
class BoardRunHost
{
public:
    virtual ~BoardRunHost() = default;
    // Starts the board's own query for the entry: its number, or none while that query is busy.
    virtual std::optional<int> startQuery(const QString &entry) = 0;
    // The pause between two shops; BoardRun::pauseElapsed follows unless it is stopped first.
    virtual void startPause() = 0;
    virtual void stopPause() = 0;
    // Whether the login window is shown, for the person to log in or pass a check there.
    virtual bool gateShown() const = 0;
    virtual void rowChanged(int id) = 0;
    virtual void runChanged() = 0; // the phase or the progress
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
    // The row was read again with figures: its last two readings tell what moved.
    virtual void rowReadAgain(const BoardRow &) {}
};

// The board's run: its rows, the row being queried or waited on, and what each event does. Rows
// are queried one at a time through the board's own query, with a pause between two shops. A query
// that ends at a login or a check, while the login window is shown, waits there until the window is
// passed or closed, or the person says with 继续 that it is passed.
class BoardRun
{
public:
    enum class Phase { Idle, Running, WaitingForGate };
    explicit BoardRun(BoardRunHost &host);

    const std::vector<BoardRow> &rows() const { return m_rows; }
    std::optional<qsizetype> indexOf(int id) const;
    const BoardRow *rowOf(std::optional<int> id) const; // none for no id, or a row removed
    std::optional<int> idOf(const QString &entry) const;
    QStringList entries() const; // in the rows' order
    Phase phase() const { return m_phase; }
    const ReadingLog &log() const { return *m_log; }
    // The row whose query runs or waits on the gate.
    std::optional<int> currentRow() const;
    QString progress() const;

    // Rows come and go only between the table's notices of it (see BoardModel).
    int addRow(const QString &entry);
    void removeRow(int id);
    // A query the person ran, as the board's query would have reported it.
    void setReport(int id, const QueryReport &report);
    // The rows of a board file in their order, each with its latest reading, its readings in the log
    // the board goes on with; whatever ran stops. Rows come only between the table's notices of it.
    void restore(const QStringList &entries, std::unique_ptr<ReadingLog> log);
    // The log the readings go on into, holding every reading so far (the board saved to a file).
    void setLog(std::unique_ptr<ReadingLog> log) { m_log = std::move(log); }
    ChangeSince changeSince() const { return m_changeSince; }
    void setChangeSince(ChangeSince since);

    void queryAll(const QList<int> &ids); // the rows in the table's order
    void queryAgain(const QList<int> &ids);
    void stop();
    void resume(); // 继续
    void queryEnded(const QueryReport &report);
    void gatePassed();
    void gateClosed();
    void pauseElapsed();

private:
    struct Current {
        int id;
        int query;
    };
    BoardRow *row(int id);
    void setState(BoardRow &row, BoardRow::State state);
    void takeReport(BoardRow &row, const QueryReport &report);
    void enqueue(const QList<int> &ids);
    void requeueFirst(int id);
    void go();
    void queryNext();
    void afterRow();
    std::optional<int> nextPending() const;

    void setBaseline(BoardRow &row);

    BoardRunHost &m_host;
    std::unique_ptr<ReadingLog> m_log;
    ChangeSince m_changeSince = ChangeSince::FirstReading;
    std::vector<BoardRow> m_rows;
    QList<int> m_queue; // the rows waiting for their query, in the order they are queried
    std::optional<Current> m_current;
    Phase m_phase = Phase::Idle;
    int m_nextId = 1;
};

} // namespace present
