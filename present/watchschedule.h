// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <optional>

namespace present {

// How often the comparison board reads all its rows again while the program runs (定时刷新).
enum class WatchInterval { Off, HalfHour, Hour, TwoHours };

// When the board's next round of reading its rows is due. The wait is the interval, made longer or
// shorter by up to a fifth as a draw in [0, 1) says (0 a fifth shorter, 0.5 the interval itself,
// towards 1 a fifth longer), so that the marketplace sees no clock in the queries. A round that
// falls due while the board is busy (a list or an earlier round still running, a gate waited on,
// the board closed) is skipped, not stacked: the next is planned from then as usual.
class WatchSchedule
{
public:
    explicit WatchSchedule(qint64 minuteMs = 60'000)
        : m_minuteMs(minuteMs)
    {}

    // A new interval plans its first round from now; off plans none.
    void set(WatchInterval interval, qint64 nowMs, double draw);
    WatchInterval interval() const { return m_interval; }
    std::optional<qint64> nextRoundAtMs() const { return m_next; }

    // The planned time has come: whether a round starts now. The next is planned either way.
    bool fallDue(qint64 nowMs, double draw, bool boardBusy);

private:
    void plan(qint64 nowMs, double draw);

    qint64 m_minuteMs;
    WatchInterval m_interval = WatchInterval::Off;
    std::optional<qint64> m_next;
};

// The interval's minutes; none when off.
std::optional<int> watchMinutes(WatchInterval interval);

} // namespace present
