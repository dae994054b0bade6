// SPDX-License-Identifier: MIT
#include "variants.h"

#include "app/board.h"
#include "app/program.h"
#include "browser/marketplacepage.h"
#include "browser/webbrowser.h"
#include "catalogue.h"
#include "form1probe.h"
#include "heavymarketplace.h"
#include "lookup/searchaddress.h"
#include "loop.h"
#include "processmemory.h"
#include "querywindow.h"
#include "webtest.h"

#include <QEventLoop>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QWebEngineProfile>

#include <iostream>
#include <memory>
#include <string>

namespace bench {

namespace {

// One way of loading a query's pages; each answers a query with its times.
class Variant
{
public:
    virtual ~Variant() = default;
    virtual QString query(const QString &name) = 0;
    virtual QString boardMemory(int) { return QStringLiteral("fail no board"); }
};

QString times(double total, double toRating = -1, double toIdle = -1)
{
    return QStringLiteral("ok %1 %2 %3").arg(total, 0, 'f', 2).arg(toRating, 0, 'f', 2).arg(toIdle, 0, 'f', 2);
}

// The program's main window, watched through one query: the click, the hidden page's loads, the
// button coming back.
class AppVariant : public QObject, public Variant
{
public:
    AppVariant()
        : m_button(m_window.button())
    {
        browser::WebBrowser *hidden = app::Form1Probe::hiddenBrowser(m_window.form());
        watch(hidden->page());
        connect(hidden, &browser::WebBrowser::pageRenewed, this, &AppVariant::watch);
        m_button->installEventFilter(this);
    }

    QString query(const QString &name) override
    {
        m_shopFinished = m_ratingStarted = m_ratingFinished = m_idle = -1;
        const double start = nowMs();
        m_window.query(name);
        if (!runUntilQuit(m_loop, 30000)) fail("a query never gave the button back");
        if (m_ratingFinished < 0) fail("a query ended without reading a rating page");
        return times(m_idle - start, m_ratingStarted - m_shopFinished, m_idle - m_ratingFinished);
    }

    // The comparison board opened and a list of that many rows read through its own hidden browser
    // (one shop's pages, under as many links), then the program's memory.
    QString boardMemory(int rows) override
    {
        app::Board &board = app::Form1Probe::board(m_window.form());
        board.session().setPauseBetweenShops(0, 0);
        board.showAndRaise();
        QStringList entries;
        const QString shop = QString::fromLatin1(tests::shopNamed("found").id);
        for (int row = 1; row <= rows; ++row)
            entries << QStringLiteral("https://shop%1.taobao.com/category-%2.htm").arg(shop).arg(row);
        board.findChild<QPlainTextEdit *>(QStringLiteral("BoardEntries"))->setPlainText(entries.join(u'\n'));
        for (QPushButton *button : board.findChildren<QPushButton *>()) {
            if (button->text() == QStringLiteral("全部查询")) button->click();
        }
        const auto *progress = board.findChild<QLabel *>(QStringLiteral("BoardProgress"));
        const QString done = QStringLiteral("%1 / %1").arg(rows);
        if (!waitFor([&] { return progress->text() == done; }, rows * 30000)) fail("the board's list never ended");
        return QStringLiteral("ok %1").arg(settledPssMiB(), 0, 'f', 1);
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
    void watch(QWebEnginePage *page)
    {
        connect(page, &QWebEnginePage::loadFinished, this, [this, page](bool ok) {
            if (!ok) return;
            const QString url = page->url().toString();
            if (url.contains(QLatin1String("view_shop.htm"))) m_shopFinished = nowMs();
            if (url.contains(QLatin1String("/user-rate-"))) m_ratingFinished = nowMs();
        });
        connect(page, &QWebEnginePage::loadStarted, this, [this] {
            if (m_shopFinished >= 0 && m_ratingStarted < 0) m_ratingStarted = nowMs();
        });
    }

    tests::QueryWindow m_window;
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
    fail("a bare page never reached " + landing);
}

// What the hidden browser does for a query, done by a page alone: search, land on the shop page,
// load the rating page.
class PageVariant : public Variant
{
public:
    explicit PageVariant(std::unique_ptr<QWebEnginePage> page)
        : m_page(std::move(page))
    {}

    QString query(const QString &name) override
    {
        const double start = nowMs();
        loadUntil(*m_page, lookup::searchAddress(name), QStringLiteral("view_shop.htm"));
        loadUntil(*m_page, ratingAddress(), QStringLiteral("/user-rate-"));
        return times(nowMs() - start);
    }

private:
    std::unique_ptr<QWebEnginePage> m_page;
};

// The filtered page counted as shown from its first load on, as the hidden browser once was.
std::unique_ptr<QWebEnginePage> paintedPage(QWebEngineProfile *profile)
{
    auto page = std::make_unique<browser::MarketplacePage>(profile);
    QWebEnginePage *shown = page.get();
    QObject::connect(shown, &QWebEnginePage::loadStarted, shown, [shown] { shown->setVisible(true); });
    return page;
}

std::unique_ptr<Variant> makeVariant(const QString &name, QWebEngineProfile *bareProfile)
{
    if (name == QLatin1String("app")) return std::make_unique<AppVariant>();
    if (name == QLatin1String("bare"))
        return std::make_unique<PageVariant>(std::make_unique<QWebEnginePage>(bareProfile));
    if (name == QLatin1String("painted")) return std::make_unique<PageVariant>(paintedPage(bareProfile));
    if (name == QLatin1String("unshown"))
        return std::make_unique<PageVariant>(std::make_unique<browser::MarketplacePage>(bareProfile));
    fail("no variant " + name);
}

QString answer(Variant &variant, const QString &command)
{
    if (command.startsWith(QLatin1String("query "))) return variant.query(command.mid(6));
    if (command == QLatin1String("memory")) return QStringLiteral("ok %1").arg(settledPssMiB(), 0, 'f', 1);
    if (command.startsWith(QLatin1String("board "))) return variant.boardMemory(command.mid(6).toInt());
    return QStringLiteral("fail no command ") + command;
}

} // namespace

int runVariant(const QString &name, int argc, char *argv[])
{
    tests::prepareWebEnvironment();
    // Every variant runs in a process set up as the program's: a floor that paid for what the
    // program's set-up spares it would flatter the program.
    app::Program program(argc, argv);
    tests::marketplace().setHandler(heavyAnswer);
    QWebEngineProfile bareProfile;
    const std::unique_ptr<Variant> variant = makeVariant(name, &bareProfile);

    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, qApp, [&] {
        std::string line;
        if (!std::getline(std::cin, line)) {
            QCoreApplication::quit();
            return;
        }
        input.setEnabled(false);
        std::cout << answer(*variant, QString::fromStdString(line)).toStdString() << std::endl;
        tests::marketplace().clearRequests(); // the fake marketplace's record is not the program's memory
        input.setEnabled(true);
    });
    return QApplication::exec();
}

} // namespace bench
