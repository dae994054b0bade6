// SPDX-License-Identifier: MIT
#pragma once

#include "present/rowhistory.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace present {

// Every reading of a board, by the entry of its row: in memory while the board has no file, in the
// file once it is saved. A board's rows keep only their latest reading and the one their changes are
// shown against; a chart, an export and the falls ask the log for the rest.
class ReadingLog
{
public:
    virtual ~ReadingLog() = default;
    virtual void append(const QString &entry, const Reading &reading) = 0;
    // The rows left, in their order: the readings of the others go with them.
    virtual void keepRows(const QStringList &entries) = 0;
    // Oldest first.
    virtual QList<Reading> readingsOf(const QString &entry) const = 0;
    virtual std::optional<Reading> firstOf(const QString &entry) const = 0;
    virtual std::optional<Reading> latestOf(const QString &entry) const = 0;
    // The latest reading taken at or before the time.
    virtual std::optional<Reading> latestAtOrBefore(const QString &entry, const QDateTime &at) const = 0;
};

class MemoryLog : public ReadingLog
{
public:
    void append(const QString &entry, const Reading &reading) override;
    void keepRows(const QStringList &entries) override;
    QList<Reading> readingsOf(const QString &entry) const override { return m_readings.value(entry); }
    std::optional<Reading> firstOf(const QString &entry) const override;
    std::optional<Reading> latestOf(const QString &entry) const override;
    std::optional<Reading> latestAtOrBefore(const QString &entry, const QDateTime &at) const override;

private:
    QHash<QString, QList<Reading>> m_readings;
};

// What a row's changes are shown against: its first reading, or the latest taken a day or a week
// before its latest one (比昨天, 比7天前), none where the log holds none that old.
enum class ChangeSince { FirstReading, DayBefore, WeekBefore };
std::optional<Reading> baselineOf(const ReadingLog &log, const QString &entry, const Reading &latest,
                                  ChangeSince since);

} // namespace present
