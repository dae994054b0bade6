// SPDX-License-Identifier: MIT
#include "browser/profile.h"
#include "browser/webbrowser.h"
#include "webtest.h"
#include "webtestbase.h"

#include <QDialog>
#include <QSignalSpy>
#include <QWebEngineView>

using browser::WebBrowser;
using tests::marketplace;

namespace {

lookup::PageSnapshot loadPage(WebBrowser &browser, const QString &address)
{
    QSignalSpy completed(&browser, &WebBrowser::documentComplete);
    browser.navigate(address);
    if (!completed.wait(tests::answerTimeoutMs)) return {};
    return completed.takeFirst().at(0).value<lookup::PageSnapshot>();
}

bool anyDialogOpen()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && qobject_cast<QDialog *>(widget)) return true;
    return false;
}

} // namespace

class BrowserTest : public tests::WebTestBase
{
    Q_OBJECT
private slots:
    void init() override;
    void cookiesAreSharedBetweenBrowsers();
    void scriptDialogsStaySilent();
    void permissionsAreRefusedWithoutAsking_data();
    void permissionsAreRefusedWithoutAsking();
    void snapshotIsTakenInItsOwnWorld();
    void framesDoNotCompleteThePage();
    void schemeRelativeAddressUsesHttps();
    void failedLoadIsNoLanding();
    void hiddenBrowserIsUnshownYetNotHeldBack();
    void renewedPageLeavesTheOldOneBehind();
    void pageKeepsTheNavigationItBeganUnder();
};

void BrowserTest::init()
{
    WebTestBase::init();
    // The browser's own pages, under any marketplace host.
    tests::serveCatalogue([](const tests::Request &request) -> std::optional<tests::Response> {
        if (request.target == "/set-cookie") {
            tests::Response response = tests::page("set", "cookie set");
            response.headers.append(
                qMakePair(QByteArray("Set-Cookie"), QByteArray("session=abc123; Domain=.taobao.com; Path=/; Secure")));
            return response;
        }
        if (request.target == "/dialogs")
            return tests::page("dialogs", "<script>alert('a'); var c = confirm('b'); var p = prompt('c', 'd');"
                                          "document.title = 'answered ' + c + ' ' + p;</script>");
        if (request.target == "/geolocation")
            return tests::page("asking", "<script>navigator.geolocation.getCurrentPosition("
                                         "function () { document.title = 'granted'; },"
                                         "function (error) { document.title = 'refused ' + error.code; });</script>");
        if (request.target == "/notifications")
            return tests::page("asking", "<script>Notification.requestPermission().then("
                                         "function (answer) { document.title = answer; });</script>");
        if (request.target == "/timers")
            return tests::page("counting",
                               "<script>var count = 0; function next() {"
                               " if (++count == 60) document.title = count + ' timers'; else setTimeout(next, 0);"
                               " } setTimeout(next, 0);</script>");
        if (request.target == "/tampering")
            return tests::page("tampering",
                               "<ul id=\"DSR\"><li>wrong case</li></ul><ul id=\"dsr\"><li>figures</li></ul>"
                               "<strong class=\"percent lower\">2.00%</strong><strong>plain</strong>"
                               "<script>Document.prototype.getElementsByTagName = function () { return []; };"
                               "document.getElementsByTagName = function () { return []; };"
                               "Object.defineProperty(document, 'body', {get: function () { return null; }});"
                               "</script>");
        if (request.target == "/framed")
            return tests::page("framed", "<iframe src=\"/inner\"></iframe><iframe src=\"/inner\"></iframe>");
        if (request.target == "/inner") return tests::page("inner", "inner page");
        if (request.target == "/late") {
            tests::Response late = tests::page("late", "late page");
            late.delayMs = tests::quietPeriodMs / 2;
            return late;
        }
        if (request.target == "/held") return tests::page("held", "<script src=\"/late-script\"></script>held page");
        if (request.target == "/late-script") {
            tests::Response late = tests::page("script", "");
            late.delayMs = tests::quietPeriodMs / 8;
            return late;
        }
        if (request.target == "/drop") {
            tests::Response dropped;
            dropped.drop = true;
            return dropped;
        }
        return tests::page("plain", "plain page");
    });
}

void BrowserTest::cookiesAreSharedBetweenBrowsers()
{
    WebBrowser login(WebBrowser::Kind::Silent, browser::sharedProfile());
    WebBrowser hidden(WebBrowser::Kind::Silent, browser::sharedProfile());
    QCOMPARE(loadPage(login, "https://login.taobao.com/set-cookie").title, "set");
    QCOMPARE(loadPage(hidden, "https://shopsearch.taobao.com/check").title, "plain");
    const QList<tests::Request> checks = marketplace().requestsTo("shopsearch.taobao.com");
    QVERIFY(!checks.isEmpty());
    QVERIFY2(checks.last().headers.value("cookie").contains("session=abc123"), checks.last().headers.value("cookie"));
}

void BrowserTest::scriptDialogsStaySilent()
{
    WebBrowser silent(WebBrowser::Kind::Silent, browser::sharedProfile());
    QWebEngineView view; // dialogs would be shown by a view
    view.setPage(silent.page());
    view.resize(400, 300);
    view.show();
    QCOMPARE(loadPage(silent, "https://login.taobao.com/dialogs").title, "answered false null");
    QVERIFY(!anyDialogOpen());
}

void BrowserTest::permissionsAreRefusedWithoutAsking_data()
{
    // clang-format off
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("answer"); // what the page's script learns
    QTest::newRow("geolocation") << "https://login.taobao.com/geolocation" << "refused 1"; // PERMISSION_DENIED
    QTest::newRow("notifications") << "https://login.taobao.com/notifications" << "denied";
    // clang-format on
}

void BrowserTest::permissionsAreRefusedWithoutAsking()
{
    QFETCH(QString, address);
    QFETCH(QString, answer);
    WebBrowser silent(WebBrowser::Kind::Silent, browser::sharedProfile());
    QWebEngineView view; // a prompt would be shown by a view
    view.setPage(silent.page());
    view.show();
    silent.navigate(address);
    QTRY_COMPARE_WITH_TIMEOUT(silent.page()->title(), answer, tests::answerTimeoutMs);
    QVERIFY(!anyDialogOpen());
}

void BrowserTest::snapshotIsTakenInItsOwnWorld()
{
    WebBrowser hidden(WebBrowser::Kind::Silent, browser::sharedProfile());
    const lookup::PageSnapshot page = loadPage(hidden, "https://rate.taobao.com/tampering");
    QCOMPARE(page.documentUrl, "https://rate.taobao.com/tampering");
    QCOMPARE(page.locationUrl, "https://rate.taobao.com/tampering");
    QCOMPARE(page.dsrListHtml.value_or("none"), "<li>figures</li>");
    QVERIFY(page.bodyHtml.has_value());
    QCOMPARE(page.strongs.size(), 2);
    QCOMPARE(page.strongs[0].className, "percent lower");
    QCOMPARE(page.strongs[0].innerHtml, "2.00%");
    QCOMPARE(page.strongs[1].className, "");
}

void BrowserTest::framesDoNotCompleteThePage()
{
    WebBrowser hidden(WebBrowser::Kind::Silent, browser::sharedProfile());
    QSignalSpy completed(&hidden, &WebBrowser::documentComplete);
    marketplace().clearRequests();
    hidden.navigate("https://shopsearch.taobao.com/framed");
    QVERIFY(completed.wait(tests::answerTimeoutMs));
    QVERIFY(tests::waitForRequest([](const tests::Request &r) { return r.target == "/inner"; }));
    QTest::qWait(tests::lateEventsMs);
    QCOMPARE(completed.size(), 1);
    QCOMPARE(completed.first().at(0).value<lookup::PageSnapshot>().title, "framed");
}

void BrowserTest::schemeRelativeAddressUsesHttps()
{
    WebBrowser hidden(WebBrowser::Kind::Silent, browser::sharedProfile());
    const lookup::PageSnapshot page = loadPage(hidden, "//rate.taobao.com/user-rate-x.htm");
    QCOMPARE(page.locationUrl, "https://rate.taobao.com/user-rate-x.htm");
    QVERIFY(marketplace().requestsTo("rate.taobao.com").last().https);

    QSignalSpy completed(&hidden, &WebBrowser::documentComplete);
    hidden.navigate(QString());
    QVERIFY(!completed.wait(tests::quietPeriodMs));
    QCOMPARE(hidden.locationUrl(), "https://rate.taobao.com/user-rate-x.htm");
}

void BrowserTest::failedLoadIsNoLanding()
{
    WebBrowser hidden(WebBrowser::Kind::Silent, browser::sharedProfile());
    QSignalSpy completed(&hidden, &WebBrowser::documentComplete);
    hidden.navigate("https://shopsearch.taobao.com/drop");
    QVERIFY(tests::waitForRequest([](const tests::Request &r) { return r.target == "/drop"; }));
    QVERIFY(!completed.wait(tests::quietPeriodMs));
}

void BrowserTest::hiddenBrowserIsUnshownYetNotHeldBack()
{
    // Sixty timers one after the other: held back like a background tab's, once a second, they
    // would take a minute.
    WebBrowser hidden(WebBrowser::Kind::Hidden, browser::sharedProfile());
    QCOMPARE(loadPage(hidden, "https://rate.taobao.com/timers").title, "counting");
    QTRY_COMPARE_WITH_TIMEOUT(hidden.page()->title(), "60 timers", tests::answerTimeoutMs);
    QVERIFY(!hidden.page()->isVisible());
    QCOMPARE(tests::evaluate(hidden.page(), "document.visibilityState").toString(), "hidden"); // nothing is painted
}

void BrowserTest::renewedPageLeavesTheOldOneBehind()
{
    WebBrowser hidden(WebBrowser::Kind::Hidden, browser::sharedProfile());
    QSignalSpy completed(&hidden, &WebBrowser::documentComplete);
    hidden.navigate("https://rate.taobao.com/late");
    QVERIFY(tests::waitForRequest([](const tests::Request &r) { return r.target == "/late"; }));
    hidden.renewPage();
    // The new page is of the same kind: unshown, yet its timers run at full pace.
    QCOMPARE(loadPage(hidden, "https://rate.taobao.com/timers").title, "counting");
    QTRY_COMPARE_WITH_TIMEOUT(hidden.page()->title(), "60 timers", tests::answerTimeoutMs);
    QCOMPARE(tests::evaluate(hidden.page(), "document.visibilityState").toString(), "hidden");
    // What the old page was still loading never arrives as a landing.
    QTest::qWait(tests::quietPeriodMs);
    QCOMPARE(completed.size(), 1);
    QCOMPARE(completed.first().at(0).value<lookup::PageSnapshot>().title, "counting");
}

void BrowserTest::pageKeepsTheNavigationItBeganUnder()
{
    // A page still loading when the next navigation is asked for, and finishing after that call,
    // is the earlier navigation's. An empty address stands for the next navigation here: it loads
    // nothing that would stop the page.
    WebBrowser hidden(WebBrowser::Kind::Silent, browser::sharedProfile());
    QSignalSpy completed(&hidden, &WebBrowser::documentComplete);
    const int held = hidden.navigate("https://rate.taobao.com/held");
    QVERIFY(tests::waitForRequest([](const tests::Request &r) { return r.target == "/late-script"; }));
    QVERIFY(completed.isEmpty());
    QCOMPARE(hidden.navigate(QString()), held + 1);
    QVERIFY(completed.wait(tests::answerTimeoutMs));
    const auto page = completed.first().at(0).value<lookup::PageSnapshot>();
    QCOMPARE(page.title, "held");
    QCOMPARE(page.navigation, held);
    // A document that begins after the call is the later navigation's.
    QCOMPARE(loadPage(hidden, "https://rate.taobao.com/plain").navigation, held + 2);
}

LARKSPIRE_WEB_TEST_MAIN(BrowserTest)
#include "tst_browser.moc"
