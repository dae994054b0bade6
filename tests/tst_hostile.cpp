// SPDX-License-Identifier: MIT
#include "app/form2.h"
#include "browser/webbrowser.h"
#include "dsrpages.h"
#include "form1probe.h"
#include "webtest.h"
#include "webtestbase.h"

#include <QLabel>
#include <QTimer>
#include <QWebEnginePage>

#include <csignal>

using tests::marketplace;

namespace {

const QString previousCaption = QStringLiteral("测试旗舰店-DRS查询");
const QString hostileComparisonMarkup =
    QStringLiteral("<img src=\"x\" onerror=\"document.title='x'\">2.00%"); // as the DOM gives it back

// A shop page that sends the browser back to itself, and a page that keeps navigating itself.
std::optional<tests::Response> ownAnswer(const tests::Request &request)
{
    const QByteArray name = tests::searchedName(request);
    if ((request.host == "shopsearch.taobao.com" && name == "loop") || request.target == "/view_shop.htm?loop")
        return tests::redirectTo("https://shop3001.taobao.com/view_shop.htm?loop");
    if (request.host == "shopsearch.taobao.com" && name == "spin")
        return tests::redirectTo("https://www.taobao.com/spin");
    if (request.host == "www.taobao.com")
        return tests::page("spin", "<script>location.replace('/spin?' + Math.random());</script>");
    return std::nullopt;
}

void kill(QWebEnginePage *page) { ::kill(pid_t(page->renderProcessPid()), SIGKILL); }

} // namespace

class HostileTest : public tests::WebTestBase
{
    Q_OBJECT
private slots:
    void init() override;
    void hostileAnswers_data();
    void hostileAnswers();
    void hiddenEngineDeathEndsTheQuery();
    void loginEngineDeathReloadsThePage();
};

void HostileTest::init()
{
    WebTestBase::init();
    tests::serveCatalogue(ownAnswer);
    // Ticks are given by hand: whatever gives the button back before them is the query itself.
    form().findChild<QTimer *>(QStringLiteral("Timer1"))->blockSignals(true);
}

void HostileTest::hostileAnswers_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("answered"); // the query gives the button back without the timer
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("comparison");
    QTest::addColumn<QString>("turnRed");
    QTest::newRow("connection closed in the middle of the shop page")
        << "cut-shop" << false << previousCaption << QStringLiteral("4.77分") << "2.00%" << "762";
    QTest::newRow("connection closed in the middle of the rating page")
        << "cut-rating" << false << QStringLiteral("断评店-DRS查询") << "" << "" << "";
    QTest::newRow("10 MB shop page") << "huge" << true << QStringLiteral("巨店-DRS查询") << QStringLiteral("4.77分")
                                     << "2.00%" << "762";
    QTest::newRow("10 000 comparison elements") << "many" << true << QStringLiteral("多比较店-DRS查询")
                                                << QStringLiteral("4.77分") << "1.00%" << "0";
    QTest::newRow("redirect loop") << "loop" << false << previousCaption << QStringLiteral("4.77分") << "2.00%" << "762";
    QTest::newRow("page that keeps navigating itself")
        << "spin" << false << previousCaption << QStringLiteral("4.77分") << "2.00%" << "762";
    QTest::newRow("markup and script in title and comparison")
        << "hostile" << true << QStringLiteral("<b>粗</b><img src=x onerror=alert(1)>-DRS查询") << QStringLiteral("4.77分")
        << hostileComparisonMarkup << "";
    // clang-format on
}

void HostileTest::hostileAnswers()
{
    QFETCH(QString, name);
    QFETCH(bool, answered);
    QFETCH(QString, caption);
    QFETCH(QString, score);
    QFETCH(QString, comparison);
    QFETCH(QString, turnRed);
    tests::MessageBoxWatcher boxes;
    window().showThePreviousShop();

    window().query(name);
    if (answered) {
        QTRY_VERIFY_WITH_TIMEOUT(window().idle(), tests::hugePageTimeoutMs);
    } else {
        QVERIFY(!QTest::qWaitFor([this] { return window().idle(); }, 2 * tests::quietPeriodMs));
        window().runOutTheTimer();
        QVERIFY(window().idle());
    }
    // A shop page that is reached may be slow to come on a loaded machine.
    QTRY_COMPARE_WITH_TIMEOUT(window().caption(), caption, tests::answerTimeoutMs);
    QCOMPARE(window().score(0), score);
    QCOMPARE(window().comparison(0), comparison);
    QCOMPARE(window().turnRed(0), turnRed);
    QVERIFY(boxes.seen().isEmpty());
    for (QLabel *label : form().findChildren<QLabel *>())
        QCOMPARE(label->textFormat(), Qt::PlainText);
}

void HostileTest::hiddenEngineDeathEndsTheQuery()
{
    window().showThePreviousShop();
    window().query("hanging"); // its rating page never answers
    QVERIFY(tests::waitForRequest([](const tests::Request &r) { return r.target == "/user-rate-2007.htm"; }));
    QVERIFY(!window().idle());
    kill(app::Form1Probe::hiddenBrowser(form())->page());
    QTRY_VERIFY_WITH_TIMEOUT(window().idle(), tests::promptAnswerTimeoutMs);
    QCOMPARE(window().caption(), QStringLiteral("挂店-DRS查询"));
    QCOMPARE(window().score(0), "");

    window().showThePreviousShop();
}

void HostileTest::loginEngineDeathReloadsThePage()
{
    window().showThePreviousShop(); // reaching a shop page loads the login window on its own page
    app::Form2 *login = app::Form2::ifLoaded();
    QVERIFY(login);
    QWebEnginePage *page = login->webBrowser1()->page();
    QTRY_VERIFY_WITH_TIMEOUT(page->renderProcessPid() > 0 && !page->url().isEmpty(), tests::answerTimeoutMs);
    const QUrl address = page->url();
    marketplace().clearRequests();

    kill(page);
    QVERIFY(tests::waitForRequest([](const tests::Request &r) { return r.host == "login.taobao.com"; }));
    QTRY_VERIFY_WITH_TIMEOUT(page->renderProcessPid() > 0, tests::answerTimeoutMs);
    QCOMPARE(page->url(), address);
    QTest::qWait(tests::quietPeriodMs);
    int loads = 0;
    for (const tests::Request &request : marketplace().requestsTo("login.taobao.com"))
        loads += request.target.startsWith("/member/login.jhtml");
    QCOMPARE(loads, 1);
}

LARKSPIRE_WEB_TEST_MAIN(HostileTest)
#include "tst_hostile.moc"
