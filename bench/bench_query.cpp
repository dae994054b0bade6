// SPDX-License-Identifier: MIT
// Times whole queries of the real main window against a marketplace of realistic weight, next to
// bare Chromium loading the same pages in the same run; also start-up and memory. Not part of the
// test run: build with -DLARKSPIRE_BENCH=ON and run bench/bench_query [--idle-minutes 6]; with
// --soak N it runs N queries of varied outcomes in one window instead (see soak.h).

#include "app/form1.h"
#include "browser/marketplacepage.h"
#include "browser/webbrowser.h"
#include "form1probe.h"
#include "heavymarketplace.h"
#include "lookup/searchaddress.h"
#include "loop.h"
#include "processmemory.h"
#include "soak.h"
#include "webtest.h"

#include <QEventLoop>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextStream>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <algorithm>
#include <memory>

using bench::fail;
using bench::nowMs;
using bench::runFor;
using bench::runUntilQuit;

namespace {

QTextStream out(stdout);

struct Series {
    explicit Series(const QString &name, const QString &unit = QStringLiteral("ms"))
        : name(name)
        , unit(unit)
    {}

    QString name;
    QString unit;
    QList<double> values;
};

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void printTable(const QList<Series> &table)
{
    out << QStringLiteral("%1 %2 %3 %4 %5\n")
               .arg("measure", -52)
               .arg("n", 4)
               .arg("min", 10)
               .arg("median", 10)
               .arg("max", 10);
    for (const Series &row : table) {
        if (row.values.isEmpty()) continue;
        const auto [low, high] = std::minmax_element(row.values.begin(), row.values.end());
        out << QStringLiteral("%1 %2 %3 %4 %5\n")
                   .arg(row.name + " (" + row.unit + ")", -52)
                   .arg(row.values.size(), 4)
                   .arg(*low, 10, 'f', 2)
                   .arg(median(row.values), 10, 'f', 2)
                   .arg(*high, 10, 'f', 2);
    }
}

// Watches one query of the main window: the click, the hidden page's loads, the button coming back.
class QueryClock : public QObject
{
public:
    struct Times {
        double total;    // click to idle button
        double toRating; // shop page complete to the rating page's load started
        double toIdle;   // rating page complete to the idle button
    };

    explicit QueryClock(app::Form1 &form)
        : m_form(form)
        , m_button(form.findChild<QPushButton *>(QStringLiteral("Command1")))
    {
        QWebEnginePage *page = app::Form1Probe::hiddenBrowser(form)->page();
        connect(page, &QWebEnginePage::loadFinished, this, [this, page](bool ok) {
            if (!ok) return;
            const QString url = page->url().toString();
            if (url.contains(QLatin1String("view_shop.htm"))) m_shopFinished = nowMs();
            if (url.contains(QLatin1String("/user-rate-"))) m_ratingFinished = nowMs();
        });
        connect(page, &QWebEnginePage::loadStarted, this, [this] {
            if (m_shopFinished >= 0 && m_ratingStarted < 0) m_ratingStarted = nowMs();
        });
        m_button->installEventFilter(this);
    }

    Times query(const QString &name)
    {
        m_shopFinished = m_ratingStarted = m_ratingFinished = m_idle = -1;
        m_form.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(name);
        const double start = nowMs();
        m_button->click();
        if (!runUntilQuit(m_loop, 30000)) fail("a query never gave the button back");
        if (m_ratingFinished < 0) fail("a query ended without reading a rating page");
        return {m_idle - start, m_ratingStarted - m_shopFinished, m_idle - m_ratingFinished};
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange && m_button->isEnabled()) {
            m_idle = nowMs();
            m_loop.quit();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    app::Form1 &m_form;
    QPushButton *m_button;
    QEventLoop m_loop;
    double m_shopFinished = -1, m_ratingStarted = -1, m_ratingFinished = -1, m_idle = -1;
};

// Loads the address and waits for a completed page whose address holds the landing text.
void loadUntil(QWebEnginePage &page, const QString &address, const QString &landing)
{
    QSignalSpy finished(&page, &QWebEnginePage::loadFinished);
    page.load(QUrl(address));
    while (finished.wait(30000)) {
        if (page.url().toString().contains(landing)) return;
    }
    fail("bare Chromium never reached " + landing);
}

// What the hidden browser does for a query, done by a bare page: search, land on the shop page,
// load the rating page.
double bareQuery(QWebEnginePage &page, const QString &name)
{
    const double start = nowMs();
    loadUntil(page, lookup::searchAddress(name), QStringLiteral("view_shop.htm"));
    loadUntil(page, QString::fromLatin1(bench::ratingAddress), QStringLiteral("/user-rate-"));
    return nowMs() - start;
}

double settledMemoryMiB()
{
    runFor(2000);
    return double(bench::summedPssKiB(QCoreApplication::applicationPid())) / 1024;
}

// Process start to the main window's first paint, and to the promotion page loaded, each in a
// new process of this program.
void measureColdStart(Series &shown, Series &promotion, int runs)
{
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        QEventLoop loop;
        QObject::connect(&child, &QProcess::finished, &loop, &QEventLoop::quit);
        double start = 0, shownAt = -1, promotionAt = -1;
        QObject::connect(&child, &QProcess::readyReadStandardOutput, [&] {
            while (child.canReadLine()) {
                const QByteArray line = child.readLine().trimmed();
                if (line == "shown") shownAt = nowMs();
                if (line == "promotion") promotionAt = nowMs();
            }
        });
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        start = nowMs();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--cold-start-child")});
        if (!runUntilQuit(loop, 60000)) fail("a start-up hung");
        if (shownAt < 0 || promotionAt < 0) fail("a start-up did not show its window and promotion page");
        shown.values << shownAt - start;
        promotion.values << promotionAt - start;
    }
}

// The program as main() starts it, reporting when its window is first painted and when the
// promotion page has loaded.
class StartReporter : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QTextStream(stdout) << "shown" << Qt::endl;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};

int coldStartChild(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    browser::SharedProfile profile;
    app::Form1 form;
    StartReporter reporter;
    form.installEventFilter(&reporter);
    QObject::connect(app::Form1Probe::promotionBrowser(form)->page(), &QWebEnginePage::loadFinished, [] {
        QTextStream(stdout) << "promotion" << Qt::endl;
        QCoreApplication::quit();
    });
    form.show();
    return application.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    if (arguments.contains(QStringLiteral("--cold-start-child"))) return coldStartChild(argc, argv);
    const qsizetype soakAt = arguments.indexOf(QStringLiteral("--soak"));
    const qsizetype idleAt = arguments.indexOf(QStringLiteral("--idle-minutes"));
    const int idleMinutes = idleAt >= 0 ? arguments.value(idleAt + 1).toInt() : 0;
    constexpr int pairedQueries = 20;
    constexpr int totalQueries = 100;

    bench::nowMs(); // the run's clock starts
    tests::prepareWebEnvironment();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    browser::SharedProfile profile;
    tests::marketplace().setHandler(bench::heavyAnswer);
    if (soakAt >= 0) return bench::soak(arguments.value(soakAt + 1).toInt());

    Series coldApp{QStringLiteral("app query, first (cold)")};
    Series warmApp{QStringLiteral("app query, warm, taking turns with bare")};
    Series coldBare{QStringLiteral("bare Chromium, first (cold)")};
    Series warmBare{QStringLiteral("bare Chromium, warm")};
    Series warmFiltered{QStringLiteral("bare Chromium with the app's filter, warm")};
    Series manyApp{QStringLiteral("app query, warm, memory run")};
    Series toRating{QStringLiteral("app: shop page complete -> rating load started")};
    Series toIdle{QStringLiteral("app: rating page complete -> button idle")};
    Series chainApp{QStringLiteral("app query via 5 script redirects, after start")};
    Series chainBare{QStringLiteral("bare Chromium via 5 script redirects")};
    Series chainIdle{QStringLiteral("app query via 5 script redirects, after idling")};
    Series shown{QStringLiteral("start-up: process start -> window shown")};
    Series promotion{QStringLiteral("start-up: process start -> promotion loaded")};
    Series memory{QStringLiteral("memory: app + engine processes, PSS"), QStringLiteral("MiB")};

    app::Form1 form;
    form.show();
    QueryClock clock(form);
    int queries = 0;
    auto appQuery = [&](const QString &name, Series &series) {
        const QueryClock::Times times = clock.query(name);
        series.values << times.total;
        if (name == QLatin1String("shop")) {
            toRating.values << times.toRating;
            toIdle.values << times.toIdle;
        }
        ++queries;
    };

    appQuery(QStringLiteral("shop"), coldApp);
    appQuery(QStringLiteral("hops"), chainApp);
    appQuery(QStringLiteral("shop"), manyApp);
    const double memoryAfter3 = settledMemoryMiB();
    while (queries < totalQueries)
        appQuery(QStringLiteral("shop"), manyApp);
    const double memoryAfter100 = settledMemoryMiB();
    memory.values << memoryAfter3 << memoryAfter100;

    {
        // Bare Chromium in the same run, taking turns with the app so that both see the same noise;
        // and a bare page with the app's own filter, the floor of what filtering can give.
        QWebEngineProfile bareProfile; // off the record, like the app's
        auto bare = std::make_unique<QWebEnginePage>(&bareProfile);
        auto filtered = std::make_unique<browser::MarketplacePage>(&bareProfile);
        coldBare.values << bareQuery(*bare, QStringLiteral("shop"));
        bareQuery(*filtered, QStringLiteral("shop"));
        for (int i = 0; i < pairedQueries; ++i) {
            warmBare.values << bareQuery(*bare, QStringLiteral("shop"));
            warmFiltered.values << bareQuery(*filtered, QStringLiteral("shop"));
            appQuery(QStringLiteral("shop"), warmApp);
        }
        const double start = nowMs();
        loadUntil(*bare, lookup::searchAddress(QStringLiteral("hops")), QStringLiteral("view_shop.htm"));
        loadUntil(*bare, QString::fromLatin1(bench::ratingAddress), QStringLiteral("/user-rate-"));
        chainBare.values << nowMs() - start;
    }

    if (idleMinutes > 0) {
        out << "idling for " << idleMinutes << " minutes" << Qt::endl;
        runFor(idleMinutes * 60 * 1000);
        appQuery(QStringLiteral("hops"), chainIdle);
    }

    measureColdStart(shown, promotion, 5);

    out << "Queries against a marketplace of realistic weight (shop page 300 KB + 40 pictures, 2 style sheets,\n"
           "2 scripts, a web font; rating page 200 KB + 20 pictures; every answer 20 ms late)\n\n";
    printTable({coldApp, warmApp, manyApp, coldBare, warmBare, warmFiltered, toRating, toIdle, chainApp, chainBare,
                chainIdle, shown, promotion, memory});
    out << QStringLiteral("memory after 3 queries: %1 MiB, after %2 queries: %3 MiB\n")
               .arg(memoryAfter3, 0, 'f', 1)
               .arg(totalQueries)
               .arg(memoryAfter100, 0, 'f', 1);
    out << QStringLiteral("warm query app/filtered-chromium median ratio: %1\n")
               .arg(median(warmApp.values) / median(warmFiltered.values), 0, 'f', 2);
    out << QStringLiteral("warm query app/bare-chromium median ratio: %1\n")
               .arg(median(warmApp.values) / median(warmBare.values), 0, 'f', 2);
    out << QStringLiteral("memory pss after 100/after 3 queries: %1\n").arg(memoryAfter100 / memoryAfter3, 0, 'f', 2);
    return 0;
}
