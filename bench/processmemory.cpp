// SPDX-License-Identifier: MIT
#include "processmemory.h"

#include "loop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMultiHash>

namespace bench {

namespace {

qint64 pssKiB(qint64 pid)
{
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly)) return 0;
    for (QByteArray line = rollup.readLine(); !line.isEmpty(); line = rollup.readLine()) {
        if (line.startsWith("Pss:")) return line.mid(4).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// Each process's children, from the parent field of /proc/PID/stat (after the name, which may
// hold spaces and parentheses).
QMultiHash<qint64, qint64> childrenByParent()
{
    QMultiHash<qint64, qint64> children;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid) continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly)) continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        children.insert(fields.value(1).toLongLong(), pid);
    }
    return children;
}

// The process and all its descendants.
QList<qint64> family(qint64 rootPid)
{
    const QMultiHash<qint64, qint64> children = childrenByParent();
    QList<qint64> found;
    QList<qint64> pending = {rootPid};
    while (!pending.isEmpty()) {
        const qint64 pid = pending.takeLast();
        found << pid;
        pending += children.values(pid);
    }
    return found;
}

} // namespace

qint64 summedPssKiB(qint64 rootPid)
{
    qint64 total = 0;
    for (qint64 pid : family(rootPid))
        total += pssKiB(pid);
    return total;
}

int descendantCount(qint64 rootPid) { return int(family(rootPid).size()) - 1; }

double settledPssMiB()
{
    constexpr int settleMs = 30000;
    runFor(settleMs);
    return double(summedPssKiB(QCoreApplication::applicationPid())) / 1024;
}

Footprint footprint() { return {settledPssMiB(), descendantCount(QCoreApplication::applicationPid())}; }

QString footprintGrowth(int baseline, const Footprint &early, int queries, const Footprint &late)
{
    return QStringLiteral("soak: after %1 queries %2 MiB in %3 engine processes, after %4: %5 MiB in %6\n")
        .arg(baseline)
        .arg(early.pssMiB, 0, 'f', 1)
        .arg(early.processes)
        .arg(queries)
        .arg(late.pssMiB, 0, 'f', 1)
        .arg(late.processes);
}

} // namespace bench
