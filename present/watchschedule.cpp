// SPDX-License-Identifier: MIT
#include "present/watchschedule.h"

#include <algorithm>
#include <cmath>

namespace present {

std::optional<int> watchMinutes(WatchInterval interval)
{
    switch (interval) {
    case WatchInterval::Off: break;
    case WatchInterval::HalfHour: return 30;
    case WatchInterval::Hour: return 60;
    case WatchInterval::TwoHours: return 120;
    }
    return std::nullopt;
}

void WatchSchedule::set(WatchInterval interval, qint64 nowMs, double draw)
{
    m_interval = interval;
    plan(nowMs, draw);
}

bool WatchSchedule::fallDue(qint64 nowMs, double draw, bool boardBusy)
{
    if (!m_next || nowMs < *m_next) return false;
    plan(nowMs, draw);
    return !boardBusy;
}

void WatchSchedule::plan(qint64 nowMs, double draw)
{
    const std::optional<int> minutes = watchMinutes(m_interval);
    if (!minutes) {
        m_next.reset();
        return;
    }
    const double interval = double(*minutes) * double(m_minuteMs);
    const double jitter = (std::clamp(draw, 0.0, 1.0) - 0.5) * 0.4; // within a fifth either way
    m_next = nowMs + std::llround(interval * (1 + jitter));
}

} // namespace present
