// SPDX-License-Identifier: MIT
#include "browser/webbrowser.h"
#include "dsrpages.h"
#include "form1probe.h"
#include "lookup/hosts.h"
#include "webtest.h"
#include "webtestbase.h"

#include <QMap>
#include <QSignalSpy>
#include <QUrl>
#include <QWebEnginePage>

using tests::marketplace;

namespace {

// Everything a real marketplace page pulls in for its looks, from the marketplace and from elsewhere.
const QString looks =
    QStringLiteral("<link rel=\"icon\" href=\"https://img.alicdn.com/favicon.ico\">"
                   "<link rel=\"stylesheet\" href=\"https://g.alicdn.com/shop.css\">"
                   "<link rel=\"stylesheet\" href=\"https://cdn.evil.example/shop.css\">"
                   "<link rel=\"prefetch\" href=\"https://g.alicdn.com/next.js\">"
                   "<style>@font-face { font-family: shop; src: url(https://g.alicdn.com/shop.woff2); }"
                   " p { font-family: shop; }</style><p>店</p>"
                   "<img src=\"https://img.alicdn.com/logo.png\"><img src=\"https://evil.example/pixel.png\">"
                   "<video src=\"https://cloud.video.taobao.com/shop.mp4\" autoplay muted></video>"
                   "<iframe src=\"https://evil.example/frame.html\"></iframe>"
                   "<script src=\"https://cdn.evil.example/tracker.js\"></script>"
                   "<script>navigator.sendBeacon('https://log.taobao.com/beacon', 'x');"
                   " fetch('https://evil.example/collect').catch(function () {});</script>");

// The rating page's comparison elements, written by one of the marketplace's own scripts.
const QByteArray comparisonScript =
    "document.getElementById('industry').innerHTML = '<strong class=\"percent lower\">2.00%</strong>"
    "<strong class=\"percent normal\">0.00%</strong><strong class=\"percent\">3.00%</strong>';"
    "fetch('https://h5api.taobao.com/rate-data');";

// Where the hop page's script sends the hidden browser, by key.
QString scriptTarget(const QByteArray &key)
{
    if (key == "foreign") return QStringLiteral("https://evil.example/view_shop.htm");
    if (key == "file") return QStringLiteral("file:///tmp/view_shop.htm");
    if (key == "data") return QStringLiteral("data:text/html,<title>首页-假店-淘宝网</title>view_shop.htm");
    if (key == "scheme") return QStringLiteral("larkspire-test://rate.taobao.com/user-rate-1.htm");
    const int hop = key.toInt(); // the numbered hops of a redirect chain, then the shop
    return hop < 5 ? QStringLiteral("/jump/%1").arg(hop + 1)
                   : QStringLiteral("https://shop3001.taobao.com/view_shop.htm");
}

// The pages of this test's own: a shop and rating page laden with looks and scripts, pages that
// send the hidden browser elsewhere, and a login page with looks of its own.
std::optional<tests::Response> ownAnswer(const tests::Request &request)
{
    const QByteArray name = tests::searchedName(request);
    if (request.host == "shopsearch.taobao.com") {
        if (name == "heavy" || name == "scripted")
            return tests::redirectTo("https://shop3001.taobao.com/view_shop.htm?" + name);
        if (name == "away") return tests::redirectTo("https://shop3002.taobao.com/view_shop.htm");
        if (name == "slow") return tests::redirectTo("https://shop3003.taobao.com/view_shop.htm");
        if (name == "to-foreign") return tests::redirectTo("https://evil.example/view_shop.htm");
        if (name == "to-lookalike") return tests::redirectTo("https://taobao.com.evil.example/view_shop.htm");
        if (name == "to-data") return tests::redirectTo("data:text/html,view_shop.htm");
        if (name == "to-login") return tests::redirectTo("https://login.taobao.com/member/login.jhtml");
        if (name.toInt() > 0 || QByteArrayList{"foreign", "file", "data", "scheme"}.contains(name))
            return tests::redirectTo("https://www.taobao.com/jump/" + name);
        return std::nullopt; // the catalogue's
    }
    if (request.host == "www.taobao.com" && request.target.startsWith("/jump/")) {
        const QString target = scriptTarget(request.target.mid(6));
        const bool chain = request.target.mid(6).toInt() > 0;
        return tests::page("hop", QStringLiteral("<script>%1location.replace('%2')%3</script>")
                                      .arg(chain ? "setTimeout(function () { " : "", target, chain ? " }, 100);" : ""));
    }
    if (request.host == "shop3001.taobao.com")
        return tests::page(QStringLiteral("首页-测试旗舰店-淘宝网"),
                           looks
                               + "<script src=\"https://g.alicdn.com/shop.js\"></script>"
                                 "<strong class=\"percent\">新品</strong><ul id=\"dsr\"><li>店</li></ul>"
                                 "<a href=\"//rate.taobao.com/user-rate-3001.htm\">信用评价</a>");
    if (request.host == "shop3002.taobao.com")
        return tests::page(QStringLiteral("首页-离店-淘宝网"),
                           "<a href=\"//rate.taobao.com/user-rate-3002.htm\">评价</a>");
    if (request.host == "shop3003.taobao.com")
        return tests::page(QStringLiteral("首页-慢店-淘宝网"),
                           "<p>店</p><script src=\"https://g.alicdn.com/slow.js\"></script>"
                           "<a href=\"//rate.taobao.com/user-rate-3001.htm\">信用评价</a>");
    if (request.target == "/user-rate-3002.htm") return tests::redirectTo("https://evil.example/user-rate-3002.htm");
    if (request.target == "/user-rate-3001.htm")
        return tests::page("rate",
                           looks + tests::ratingPageBody(tests::workedFigures(), {})
                               + "<div id=\"industry\"></div><script src=\"https://g.alicdn.com/rate.js\"></script>");
    if (request.target == "/rate.js") {
        tests::Response script;
        script.body = comparisonScript;
        script.contentType = "application/javascript";
        return script;
    }
    if (request.target.endsWith(".js")) {
        tests::Response script;
        script.contentType = "application/javascript";
        if (request.target == "/slow.js") script.delayMs = 1500;
        return script;
    }
    if (request.host == "login.taobao.com")
        return tests::page("login", "<img src=\"https://img.alicdn.com/login.png\"><link rel=\"stylesheet\" "
                                    "href=\"https://g.alicdn.com/login.css\"><form><input name=\"u\"></form>");
    return std::nullopt; // the promotion page, with its picture and style sheet, is the catalogue's
}

bool isLook(const tests::Request &request)
{
    for (const char *end : {".png", ".css", ".woff2", ".ico", ".mp4", "/beacon"})
        if (request.target.endsWith(end)) return true;
    return false;
}

// Whether the request came from the promotion panel or the login window, which show everything.
bool isFromShownBrowser(const tests::Request &request)
{
    for (const QByteArray &origin :
         {QByteArray("http://www.quillfen.example/"), QByteArray("https://login.taobao.com/")})
        if (request.headers.value("referer").startsWith(origin) || origin.contains("/" + request.host + "/"))
            return true;
    return false;
}

bool isForeign(const tests::Request &request)
{
    return !isFromShownBrowser(request) && !lookup::isMarketplaceAddress(QUrl("https://" + request.host));
}

bool requested(const QByteArray &host, const QByteArray &target)
{
    return tests::waitForRequest([&](const tests::Request &r) { return r.host == host && r.target == target; });
}

} // namespace

class HiddenBrowserTest : public tests::WebTestBase
{
    Q_OBJECT
private slots:
    void init() override;
    void figuresAreReadWithoutThePagesLooks_data();
    void figuresAreReadWithoutThePagesLooks();
    void otherPlacesAreNeverLoaded_data();
    void otherPlacesAreNeverLoaded();
    void shownBrowsersLoadEverything();
    void eachLandingIsReadForWhatTheFlowNeeds();
    void aLoadsLateEndReadsNoDocumentStillArriving();
};

void HiddenBrowserTest::init()
{
    WebTestBase::init();
    tests::serveCatalogue(ownAnswer);
}

void HiddenBrowserTest::figuresAreReadWithoutThePagesLooks_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::newRow("shop and rating pages with pictures, fonts, styles and foreign parts") << "heavy";
    QTest::newRow("five script redirects before the shop page") << "1";
    // clang-format on
}

void HiddenBrowserTest::figuresAreReadWithoutThePagesLooks()
{
    QFETCH(QString, name);
    window().query(name);
    QTRY_VERIFY_WITH_TIMEOUT(window().idle(), tests::answerTimeoutMs);
    QCOMPARE(window().caption(), QStringLiteral("测试旗舰店-DRS查询"));
    QCOMPARE(window().score(0), QStringLiteral("4.77分"));
    QCOMPARE(window().comparison(2), "3.00%");
    QCOMPARE(window().turnRed(0), "762");

    // The marketplace's scripts ran and their requests went out; nothing else did.
    QVERIFY(requested("g.alicdn.com", "/rate.js"));
    QVERIFY(requested("h5api.taobao.com", "/rate-data"));
    for (const tests::Request &request : marketplace().requests()) {
        if (isFromShownBrowser(request)) continue;
        QVERIFY2(!isLook(request) && !isForeign(request), request.host + request.target);
    }
}

void HiddenBrowserTest::otherPlacesAreNeverLoaded_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("lastRequest");
    QTest::addColumn<QString>("caption");
    QTest::newRow("search answer redirects to a foreign host")
        << "to-foreign" << QByteArray("/search") << QString();
    QTest::newRow("search answer redirects to a host named like the marketplace")
        << "to-lookalike" << QByteArray("/search") << QString();
    QTest::newRow("search answer redirects to a data address")
        << "to-data" << QByteArray("/search") << QString();
    QTest::newRow("rating link redirects to a foreign host")
        << "away" << QByteArray("/user-rate-3002.htm") << QStringLiteral("离店-DRS查询");
    QTest::newRow("script sends to a foreign host") << "foreign" << QByteArray("/jump/foreign") << QString();
    QTest::newRow("script sends to a file address") << "file" << QByteArray("/jump/file") << QString();
    QTest::newRow("script sends to a data address") << "data" << QByteArray("/jump/data") << QString();
    QTest::newRow("script sends to another program's scheme") << "scheme" << QByteArray("/jump/scheme") << QString();
    // clang-format on
}

void HiddenBrowserTest::otherPlacesAreNeverLoaded()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, lastRequest);
    QFETCH(QString, caption);
    tests::DesktopStub desktop({"larkspire-test"});
    tests::MessageBoxWatcher boxes;

    window().query(name);
    QVERIFY(tests::waitForRequest([&](const tests::Request &r) { return r.target.startsWith(lastRequest); }));
    QVERIFY(!QTest::qWaitFor([this] { return window().idle(); }, tests::quietPeriodMs));

    QCOMPARE(window().caption(), caption);
    QCOMPARE(window().score(0), "");
    QVERIFY(boxes.seen().isEmpty());
    QVERIFY(desktop.opened.isEmpty());
    const QString location = app::Form1Probe::hiddenBrowser(form())->locationUrl();
    QVERIFY2(location.isEmpty() || lookup::isMarketplaceAddress(QUrl(location)), qPrintable(location));
    for (const tests::Request &request : marketplace().requests())
        QVERIFY2(!isForeign(request), request.host + request.target);
    window().runOutTheTimer();
    QVERIFY(window().idle());
}

void HiddenBrowserTest::shownBrowsersLoadEverything()
{
    // The promotion panel loads as the window opens, the login window when the marketplace asks
    // for a login.
    window();
    QVERIFY(requested("www.quillfen.example", "/logo.png"));
    QVERIFY(requested("www.quillfen.example", "/look.css"));
    window().query("to-login");
    QVERIFY(requested("img.alicdn.com", "/login.png"));
    QVERIFY(requested("g.alicdn.com", "/login.css"));
}

void HiddenBrowserTest::eachLandingIsReadForWhatTheFlowNeeds()
{
    QSignalSpy completed(app::Form1Probe::hiddenBrowser(form()), &browser::WebBrowser::documentComplete);
    window().query("hops"); // five pages that move on by script, then the shop and rating pages
    QTRY_VERIFY_WITH_TIMEOUT(window().idle(), tests::answerTimeoutMs);
    QCOMPARE(window().turnRed(0), "762");
    window().query("https://e.tb.cn/h.ScriptShare"); // a share page, a mobile item page, the item page
    QTRY_VERIFY_WITH_TIMEOUT(window().idle(), tests::answerTimeoutMs);
    QCOMPARE(window().turnRed(0), "762");
    QMap<lookup::Landing, int> landings;
    for (const QList<QVariant> &signal : completed) {
        const auto page = signal.at(0).value<lookup::PageSnapshot>();
        const lookup::Landing landing = lookup::landingOf(page);
        ++landings[landing];
        QVERIFY(!page.title.isEmpty());
        QCOMPARE(page.bodyHtml.has_value(),
                 landing == lookup::Landing::ShopPage || landing == lookup::Landing::SharePage);
        QCOMPARE(page.dsrListHtml.has_value(), landing == lookup::Landing::RatingPage);
        QCOMPARE(!page.strongs.isEmpty(), landing == lookup::Landing::RatingPage);
        QCOMPARE(page.markupHtml.has_value(), landing == lookup::Landing::ItemPage);
    }
    QCOMPARE(landings, (QMap<lookup::Landing, int>{{lookup::Landing::Other, 5},
                                                   {lookup::Landing::SharePage, 1},
                                                   {lookup::Landing::MobilePage, 1},
                                                   {lookup::Landing::ItemPage, 1},
                                                   {lookup::Landing::ShopPage, 2},
                                                   {lookup::Landing::RatingPage, 2}}));
}

void HiddenBrowserTest::aLoadsLateEndReadsNoDocumentStillArriving()
{
    // The engine tells of a load's end while the shop page is still arriving, held up by a script
    // before its rating link (as it did once a renderer had died): the page is read when it has
    // arrived, link and all.
    QSignalSpy completed(app::Form1Probe::hiddenBrowser(form()), &browser::WebBrowser::documentComplete);
    window().query("slow");
    QVERIFY(requested("g.alicdn.com", "/slow.js"));
    emit app::Form1Probe::hiddenBrowser(form())->page()->loadFinished(true);
    QTRY_VERIFY_WITH_TIMEOUT(window().idle(), tests::answerTimeoutMs);
    QCOMPARE(window().turnRed(0), "762");
    // Read once, though its end was told twice.
    const auto shopPages = std::count_if(completed.cbegin(), completed.cend(), [](const QList<QVariant> &signal) {
        return lookup::landingOf(signal.at(0).value<lookup::PageSnapshot>()) == lookup::Landing::ShopPage;
    });
    QCOMPARE(shopPages, 1);
}

LARKSPIRE_WEB_TEST_MAIN(HiddenBrowserTest)
#include "tst_hiddenbrowser.moc"
