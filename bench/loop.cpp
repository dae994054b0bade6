// SPDX-License-Identifier: MIT
#include "loop.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextStream>
#include <QTimer>

#include <cstdlib>

namespace bench {

double nowMs()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return double(clock.nsecsElapsed()) / 1e6;
}

bool runUntilQuit(QEventLoop &loop, int limitMs)
{
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(limitMs);
    loop.exec();
    return limit.isActive();
}

void runFor(int ms)
{
    QEventLoop loop;
    runUntilQuit(loop, ms);
}

bool waitFor(const std::function<bool()> &condition, int limitMs)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition()) loop.quit();
    });
    poll.start(5);
    return condition() || runUntilQuit(loop, limitMs);
}

void fail(const QString &why)
{
    QTextStream(stdout) << "bench_query: " << why << Qt::endl;
    std::exit(1);
}

} // namespace bench
