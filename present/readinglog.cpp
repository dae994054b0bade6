// SPDX-License-Identifier: MIT
#include "present/readinglog.h"

#include <algorithm>

namespace present {

void MemoryLog::append(const QString &entry, const Reading &reading) { m_readings[entry].append(reading); }

void MemoryLog::keepRows(const QStringList &entries)
{
    for (auto row = m_readings.begin(); row != m_readings.end();)
        row = entries.contains(row.key()) ? std::next(row) : m_readings.erase(row);
}

std::optional<Reading> MemoryLog::firstOf(const QString &entry) const
{
    const QList<Reading> readings = m_readings.value(entry);
    if (readings.isEmpty()) return std::nullopt;
    return readings.first();
}

std::optional<Reading> MemoryLog::latestOf(const QString &entry) const
{
    const QList<Reading> readings = m_readings.value(entry);
    if (readings.isEmpty()) return std::nullopt;
    return readings.last();
}

std::optional<Reading> MemoryLog::latestAtOrBefore(const QString &entry, const QDateTime &at) const
{
    const QList<Reading> readings = m_readings.value(entry);
    const auto after =
        std::upper_bound(readings.cbegin(), readings.cend(), at,
                         [](const QDateTime &time, const Reading &reading) { return time < reading.at; });
    if (after == readings.cbegin()) return std::nullopt;
    return *std::prev(after);
}

std::optional<Reading> baselineOf(const ReadingLog &log, const QString &entry, const Reading &latest, ChangeSince since)
{
    switch (since) {
    case ChangeSince::FirstReading: break;
    case ChangeSince::DayBefore: return log.latestAtOrBefore(entry, latest.at.addDays(-1));
    case ChangeSince::WeekBefore: return log.latestAtOrBefore(entry, latest.at.addDays(-7));
    }
    return log.firstOf(entry);
}

} // namespace present
