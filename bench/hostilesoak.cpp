// SPDX-License-Identifier: MIT
#include "hostilesoak.h"

#include "app/form1.h"
#include "app/form2.h"
#include "app/program.h"
#include "browser/webbrowser.h"
#include "catalogue.h"
#include "dsrpages.h"
#include "form1probe.h"
#include "hostiledraws.h"
#include "loop.h"
#include "processmemory.h"
#include "querywindow.h"
#include "webtest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMap>
#include <QTextStream>

#include <array>
#include <functional>
#include <random>

#include <csignal>

namespace bench {

namespace {

using tests::Guard;

// The figures a query shows, per dimension: score, comparison, turn-red count.
constexpr std::array figureRoles = {app::Role::Score, app::Role::Comparison, app::Role::TurnRed};
constexpr int figureCount = int(figureRoles.size()) * calc::dimensionCount;

// The warm-up's queries are numbered from here, apart from the counted ones.
constexpr int warmUpQueries = 9000;

// What the window shows of the query's shop once its rating page has been read.
std::array<QString, figureCount> shownFigures(int query)
{
    const QList<tests::DsrFigures> figures = figuresOf(query);
    const QList<lookup::StrongElement> comparisons = comparisonsOf(query);
    return {figures[0].score + QStringLiteral("分"),
            figures[1].score + QStringLiteral("分"),
            figures[2].score + QStringLiteral("分"),
            comparisons[0].innerHtml,
            comparisons[1].innerHtml,
            comparisons[2].innerHtml,
            QStringLiteral("762"),
            QStringLiteral("0"),
            QStringLiteral("0")};
}

void killRendererOnceAsked(app::Form1 &form, const QByteArray &shopHost)
{
    const bool asked = waitFor(
        [&] {
            for (const tests::Request &request : tests::marketplace().requests())
                if (request.host == shopHost) return true;
            return false;
        },
        latestAnswerMs);
    const qint64 pid = app::Form1Probe::hiddenBrowser(form)->page()->renderProcessPid();
    if (asked && pid > 0) ::kill(pid_t(pid), SIGKILL);
}

struct Verdict {
    QStringList wrong; // what the query showed that it should not have, or did not show
    bool stale = false;
};

Verdict judge(const tests::QueryWindow &window, int query, const Plan &plan, qint64 answeredMs,
              const QStringList &messages)
{
    Verdict verdict;
    auto expect = [&](bool holds, const QString &what) {
        if (!holds) verdict.wrong << what;
    };
    expect(answeredMs >= 0 && answeredMs <= latestAnswerMs, QStringLiteral("button back after %1 ms").arg(answeredMs));
    if (plan.killRenderer) expect(answeredMs <= promptAnswerMs, QStringLiteral("button back only after the timeout"));
    expect(messages == (plan.noShop ? QStringList{QStringLiteral("没有找到对应的店铺")} : QStringList()),
           QStringLiteral("messages ") + messages.join(u'|'));
    const app::Form2 *login = app::Form2::ifLoaded();
    const bool loginShown = login && login->isVisible();
    expect(loginShown == !plan.loginWindow.isEmpty(),
           QStringLiteral("login window %1, the hidden browser on %2")
               .arg(loginShown ? QStringLiteral("shown")
                    : login    ? QStringLiteral("hidden")
                               : QStringLiteral("none"),
                    app::Form1Probe::hiddenBrowser(window.form())->locationUrl().left(160)));
    if (loginShown && !plan.loginWindow.isEmpty())
        expect(login->webBrowser1()->page()->requestedUrl().toEncoded().contains(plan.loginWindow),
               QStringLiteral("login window on ") + login->webBrowser1()->page()->requestedUrl().toString());

    const std::array<QString, figureCount> own = shownFigures(query);
    const bool ownCaption = window.caption() == titleOf(query) + QStringLiteral("-DRS查询");
    if (plan.reached) expect(ownCaption, QStringLiteral("caption ") + window.caption());
    for (int f = 0; f < figureCount; ++f) {
        const app::Role role = figureRoles[size_t(f / calc::dimensionCount)];
        const char *name = app::controlName(role, f % calc::dimensionCount);
        const QString shown = window.figure(role, f % calc::dimensionCount)->text();
        if (plan.figures) expect(shown == own[f], QStringLiteral("%1 shows %2").arg(QLatin1String(name), shown));
        // Under this shop's caption, a figure is this shop's or none at all.
        if (ownCaption && !shown.isEmpty() && shown != own[f]) verdict.stale = true;
    }
    return verdict;
}

} // namespace

int hostileSoak(int queries, quint32 seed, int argc, char *argv[])
{
    tests::prepareWebEnvironment();
    app::Program program(argc, argv);

    constexpr int baseline = 10;
    if (queries < baseline) fail(QStringLiteral("a soak needs at least %1 queries").arg(baseline));
    QList<tests::Shop> served;
    tests::serveCatalogue([&served](const tests::Request &request) { return tests::shopAnswer(served, request); });
    tests::QueryWindow window;
    tests::MessageBoxWatcher boxes;
    const QList<Draw> table = hostileDraws();
    std::vector<int> weights;
    for (const Draw &draw : table)
        weights.push_back(draw.weight);
    std::mt19937 random(seed);
    std::discrete_distribution<int> pick(weights.begin(), weights.end());

    QTextStream out(stdout);
    int wrong = 0, stale = 0;
    auto run = [&](int query, const Draw &draw) {
        const Plan plan = draw.plan(query);
        served = plan.shop ? QList<tests::Shop>{*plan.shop} : QList<tests::Shop>();
        tests::marketplace().clearRequests(); // the fake marketplace's record, not the program's memory
        const qsizetype seenBefore = boxes.seen().size();

        QElapsedTimer clock;
        clock.start();
        window.query(plan.searched);
        if (plan.killRenderer) killRendererOnceAsked(window.form(), "shop" + plan.shop->id + ".taobao.com");
        const qint64 answeredMs = waitFor([&] { return window.idle(); }, latestAnswerMs + 3000) ? clock.elapsed() : -1;
        QStringList messages;
        for (qsizetype m = seenBefore; m < boxes.seen().size(); ++m)
            messages << boxes.seen()[m].text;

        const Verdict verdict = judge(window, query, plan, answeredMs, messages);
        wrong += !verdict.wrong.isEmpty();
        stale += verdict.stale;
        if (!verdict.wrong.isEmpty() || verdict.stale)
            out << "soak: query " << query << " (" << draw.name << ", seed " << seed << ") came out "
                << (verdict.stale ? "stale " : "") << verdict.wrong.join(QStringLiteral("; ")) << Qt::endl;
        // The person closes the login window that a login or a check opened, as they would.
        if (app::Form2 *login = app::Form2::ifLoaded(); login && login->isVisible()) login->close();
    };

    // Every kind of answer once before the counted queries, so that what the program sets up on
    // first use and keeps (the login window's engine parts, the engine's error page, a renderer
    // started anew) is in the baseline, and the ratio shows what grows with the queries.
    for (qsizetype k = 0; k < table.size(); ++k)
        run(warmUpQueries + int(k), table[k]);
    QMap<QString, int> drawn;
    Footprint early{};
    for (int query = 1; query <= queries; ++query) {
        const Draw &draw = table[pick(random)];
        ++drawn[QLatin1String(draw.name)];
        run(query, draw);
        if (query == baseline) early = footprint();
    }
    const Footprint late = footprint();
    out << QStringLiteral("soak: %1 queries, %2 wrong, %3 stale, memory pss after %1/after %4 queries: %5, "
                          "engine processes after %1/after %4: %6\n")
               .arg(queries)
               .arg(wrong)
               .arg(stale)
               .arg(baseline)
               .arg(late.pssMiB / early.pssMiB, 0, 'f', 2)
               .arg(double(late.processes) / early.processes, 0, 'f', 2);
    out << footprintGrowth(baseline, early, queries, late);
    QStringList counts;
    for (auto it = drawn.cbegin(); it != drawn.cend(); ++it)
        counts << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    out << "soak: drawn (seed " << seed << "): " << counts.join(QStringLiteral(", ")) << Qt::endl;
    return wrong == 0 && stale == 0 ? 0 : 1;
}

} // namespace bench
