// SPDX-License-Identifier: MIT
#include "present/boardrun.h"

#include <algorithm>

namespace present {

namespace {

bool endedAtGate(const QueryReport &report)
{
    return report.ending == QueryEnding::Login || report.ending == QueryEnding::Verification;
}

} // namespace

BoardRun::BoardRun(BoardRunHost &host)
    : m_host(host)
    , m_log(std::make_unique<MemoryLog>())
{}

std::optional<qsizetype> BoardRun::indexOf(int id) const
{
    const auto found = std::find_if(m_rows.cbegin(), m_rows.cend(), [id](const BoardRow &row) { return row.id == id; });
    if (found == m_rows.cend()) return std::nullopt;
    return qsizetype(found - m_rows.cbegin());
}

const BoardRow *BoardRun::rowOf(std::optional<int> id) const
{
    const std::optional<qsizetype> index = id ? indexOf(*id) : std::nullopt;
    return index ? &m_rows[size_t(*index)] : nullptr;
}

std::optional<int> BoardRun::idOf(const QString &entry) const
{
    for (const BoardRow &row : m_rows) {
        if (row.entry == entry) return row.id;
    }
    return std::nullopt;
}

std::optional<int> BoardRun::currentRow() const
{
    if (!m_current) return std::nullopt;
    return m_current->id;
}

BoardRow *BoardRun::row(int id)
{
    const std::optional<qsizetype> index = indexOf(id);
    return index ? &m_rows[size_t(*index)] : nullptr;
}

QString BoardRun::progress() const
{
    const auto done = std::count_if(m_rows.cbegin(), m_rows.cend(),
                                    [](const BoardRow &row) { return row.state == BoardRow::State::Done; });
    // The row being read may have been removed while its query runs.
    const std::optional<qsizetype> current = m_current ? indexOf(m_current->id) : std::nullopt;
    QString text = QStringLiteral("%1 / %2").arg(done + (current ? 1 : 0)).arg(m_rows.size());
    switch (m_phase) {
    case Phase::Idle: break;
    case Phase::WaitingForGate: return text + QStringLiteral("  请在登录窗口中登录或完成验证，之后自动继续");
    case Phase::Running:
        if (current) return text + QStringLiteral("  正在查询：") + m_rows[size_t(*current)].entry;
        break;
    }
    return text;
}

int BoardRun::addRow(const QString &entry)
{
    const int id = m_nextId++;
    m_rows.push_back({id, entry, BoardRow::State::NotQueried, std::nullopt, std::nullopt, std::nullopt});
    m_log->keepRows(entries());
    m_host.runChanged();
    return id;
}

void BoardRun::removeRow(int id)
{
    const std::optional<qsizetype> index = indexOf(id);
    if (!index) return;
    m_rows.erase(m_rows.begin() + *index);
    m_queue.removeAll(id);
    m_log->keepRows(entries());
    // A row that waits on the gate waits no more; one whose query runs takes no report.
    if (m_current && m_current->id == id && m_phase == Phase::WaitingForGate) {
        m_current.reset();
        m_phase = Phase::Running;
        afterRow();
        return;
    }
    m_host.runChanged();
}

void BoardRun::setReport(int id, const QueryReport &report)
{
    BoardRow *target = row(id);
    if (!target || (m_current && m_current->id == id)) return;
    m_queue.removeAll(id);
    takeReport(*target, report);
    setState(*target, BoardRow::State::Done);
    m_host.runChanged();
}

void BoardRun::restore(const QStringList &entries, std::unique_ptr<ReadingLog> log)
{
    m_queue.clear();
    m_current.reset();
    m_phase = Phase::Idle;
    m_host.stopPause();
    m_log = std::move(log);
    m_rows.clear();
    for (const QString &entry : entries) {
        BoardRow &row = m_rows.emplace_back();
        row.id = m_nextId++;
        row.entry = entry;
        // The latest reading: what the row showed when the board was last open.
        row.latest = m_log->latestOf(entry);
        if (!row.latest) continue;
        row.state = BoardRow::State::Done;
        row.report = QueryReport{0, entry, QueryEnding::Figures, row.latest->shop, row.latest->figures, std::nullopt};
        setBaseline(row);
    }
    m_host.runChanged();
}

void BoardRun::setChangeSince(ChangeSince since)
{
    m_changeSince = since;
    for (BoardRow &row : m_rows) {
        setBaseline(row);
        m_host.rowChanged(row.id);
    }
}

void BoardRun::setBaseline(BoardRow &row)
{
    row.baseline = row.latest ? baselineOf(*m_log, row.entry, *row.latest, m_changeSince) : std::nullopt;
}

QStringList BoardRun::entries() const
{
    QStringList entries;
    for (const BoardRow &row : m_rows)
        entries << row.entry;
    return entries;
}

void BoardRun::takeReport(BoardRow &row, const QueryReport &report)
{
    row.report = report;
    if (report.ending != QueryEnding::Figures) return;
    const bool again = row.latest.has_value();
    row.latest = Reading{m_host.now(), report.shop, report.figures};
    m_log->append(row.entry, *row.latest);
    setBaseline(row);
    if (again) m_host.rowReadAgain(row);
}

void BoardRun::setState(BoardRow &row, BoardRow::State state)
{
    row.state = state;
    m_host.rowChanged(row.id);
}

void BoardRun::enqueue(const QList<int> &ids)
{
    for (int id : ids) {
        BoardRow *target = row(id);
        if (!target || (m_current && m_current->id == id)) continue;
        m_queue.removeAll(id);
        m_queue.append(id);
        setState(*target, BoardRow::State::Pending);
    }
}

void BoardRun::requeueFirst(int id)
{
    m_queue.removeAll(id);
    if (BoardRow *target = row(id)) {
        m_queue.prepend(id);
        setState(*target, BoardRow::State::Pending);
    }
}

void BoardRun::queryAll(const QList<int> &ids)
{
    enqueue(ids);
    go();
}

void BoardRun::queryAgain(const QList<int> &ids)
{
    enqueue(ids);
    go();
}

void BoardRun::go()
{
    // A run that waits on the gate goes on waiting: the rows just asked for follow it.
    if (m_phase == Phase::WaitingForGate) {
        m_host.runChanged();
        return;
    }
    m_phase = Phase::Running;
    queryNext();
}

std::optional<int> BoardRun::nextPending() const
{
    if (m_queue.isEmpty()) return std::nullopt;
    return m_queue.front();
}

void BoardRun::queryNext()
{
    m_host.stopPause();
    if (m_phase != Phase::Running || m_current) {
        m_host.runChanged();
        return;
    }
    const std::optional<int> next = nextPending();
    if (!next) {
        m_phase = Phase::Idle;
        m_host.runChanged();
        return;
    }
    const std::optional<int> query = m_host.startQuery(row(*next)->entry);
    // The main window's query is busy with something else: ask again after a pause.
    if (!query) {
        m_host.startPause();
        m_host.runChanged();
        return;
    }
    m_queue.removeAll(*next);
    m_current = Current{*next, *query};
    setState(*row(*next), BoardRow::State::Querying);
    m_host.runChanged();
}

void BoardRun::afterRow()
{
    if (m_phase == Phase::Running) {
        if (nextPending())
            m_host.startPause();
        else
            m_phase = Phase::Idle;
    }
    m_host.runChanged();
}

void BoardRun::queryEnded(const QueryReport &report)
{
    // A query that is no longer this run's reports to no row.
    if (!m_current || m_phase == Phase::WaitingForGate || report.query != m_current->query) return;
    BoardRow *target = row(m_current->id);
    if (!target) {
        m_current.reset();
        afterRow();
        return;
    }
    takeReport(*target, report);
    if (endedAtGate(report) && m_phase == Phase::Running && m_host.gateShown()) {
        m_phase = Phase::WaitingForGate;
        setState(*target, BoardRow::State::WaitingForGate);
        m_host.runChanged();
        return;
    }
    m_current.reset();
    setState(*target, BoardRow::State::Done);
    afterRow();
}

void BoardRun::resume()
{
    // The person says the gate is passed (a login finished elsewhere, such as a phone scan).
    if (m_phase != Phase::WaitingForGate) return;
    const int id = m_current->id;
    m_current.reset();
    requeueFirst(id);
    m_phase = Phase::Running;
    queryNext();
}

void BoardRun::gatePassed()
{
    if (m_phase != Phase::WaitingForGate) return;
    const int id = m_current->id;
    m_current.reset();
    requeueFirst(id);
    m_phase = Phase::Running;
    afterRow();
}

void BoardRun::gateClosed()
{
    if (m_phase != Phase::WaitingForGate) return;
    // The row keeps its query's report: "需要登录" or "需要验证".
    BoardRow *target = row(m_current->id);
    m_current.reset();
    if (target) setState(*target, BoardRow::State::Done);
    m_phase = Phase::Running;
    afterRow();
}

void BoardRun::stop()
{
    m_host.stopPause();
    if (m_phase == Phase::WaitingForGate) {
        if (BoardRow *target = row(m_current->id)) setState(*target, BoardRow::State::Done);
        m_current.reset();
    }
    m_phase = Phase::Idle;
    for (int id : std::as_const(m_queue)) {
        BoardRow *target = row(id);
        setState(*target, target->report ? BoardRow::State::Done : BoardRow::State::NotQueried);
    }
    m_queue.clear();
    m_host.runChanged();
}

void BoardRun::pauseElapsed()
{
    if (m_phase == Phase::Running && !m_current) queryNext();
}

} // namespace present
