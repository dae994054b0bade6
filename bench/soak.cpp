// SPDX-License-Identifier: MIT
#include "soak.h"

#include "app/form2.h"
#include "app/program.h"
#include "heavymarketplace.h"
#include "loop.h"
#include "processmemory.h"
#include "querywindow.h"
#include "webtest.h"

#include <QCoreApplication>
#include <QTextStream>

#include <functional>

namespace bench {

namespace {

// One outcome: what to search for, and whether the window shows what that search should give.
struct Outcome {
    QString name;
    std::function<bool(const tests::QueryWindow &, const QStringList &messages)> shown; // this query's messages
};

bool shows(const tests::QueryWindow &window, const QString &caption, const QString &score, const QString &comparison)
{
    return window.caption() == caption && window.score(0) == score && window.comparison(0) == comparison;
}

QList<Outcome> outcomes()
{
    return {
        {QStringLiteral("found"),
         [](const tests::QueryWindow &window, const QStringList &messages) {
             return messages.isEmpty()
                    && shows(window, QStringLiteral("测试旗舰店-DRS查询"), QStringLiteral("4.77分"),
                             QStringLiteral("2.00%"))
                    && window.turnRed(0) == QLatin1String("762");
         }},
        {QStringLiteral("nobody"),
         [](const tests::QueryWindow &, const QStringList &messages) {
             return messages == QStringList{QStringLiteral("没有找到对应的店铺")};
         }},
        {QStringLiteral("twodims"),
         [](const tests::QueryWindow &window, const QStringList &messages) {
             return messages.isEmpty()
                    && shows(window, QStringLiteral("第二家店-DRS查询"), QStringLiteral("4.77分"),
                             QStringLiteral("1.00%"));
         }},
        {QStringLiteral("login"),
         [](const tests::QueryWindow &, const QStringList &messages) {
             return messages.isEmpty() && app::Form2::ifLoaded() && app::Form2::ifLoaded()->isVisible();
         }},
        {QStringLiteral("nodsr"),
         [](const tests::QueryWindow &window, const QStringList &messages) {
             return messages.isEmpty() && shows(window, QStringLiteral("无评分店-DRS查询"), QString(), QString());
         }},
    };
}

// Queries the name and waits for the button to come back, well before the timeout would.
bool query(const tests::QueryWindow &window, const QString &name)
{
    window.query(name);
    return waitFor([&] { return window.idle(); }, 15000);
}

} // namespace

int soak(int queries, int argc, char *argv[])
{
    tests::prepareWebEnvironment();
    app::Program program(argc, argv);
    tests::marketplace().setHandler(heavyAnswer);

    constexpr int baseline = 10;
    if (queries < baseline) fail(QStringLiteral("a soak needs at least %1 queries").arg(baseline));
    tests::QueryWindow window;
    tests::MessageBoxWatcher boxes;
    const QList<Outcome> rotation = outcomes();
    int wrong = 0;
    Footprint early{};
    for (int i = 0; i < queries; ++i) {
        const Outcome &outcome = rotation[i % rotation.size()];
        const qsizetype seenBefore = boxes.seen().size();
        const bool answered = query(window, outcome.name);
        tests::marketplace().clearRequests(); // the fake marketplace's record, not the program's memory
        QStringList messages;
        for (qsizetype m = seenBefore; m < boxes.seen().size(); ++m)
            messages << boxes.seen()[m].text;
        if (!answered || !outcome.shown(window, messages)) {
            ++wrong;
            QTextStream(stdout) << "soak: query " << i + 1 << " (" << outcome.name << ") came out wrong" << Qt::endl;
        }
        if (i + 1 == baseline) early = footprint();
    }
    const Footprint late = footprint();
    QTextStream(stdout) << footprintGrowth(baseline, early, queries, late);
    QTextStream(stdout) << QStringLiteral("soak: %1 queries, %2 wrong, memory pss after %1/after %3 queries: %4, "
                                          "engine processes after %1/after %3: %5\n")
                               .arg(queries)
                               .arg(wrong)
                               .arg(baseline)
                               .arg(late.pssMiB / early.pssMiB, 0, 'f', 2)
                               .arg(double(late.processes) / early.processes, 0, 'f', 2);
    return wrong == 0 ? 0 : 1;
}

} // namespace bench
