// SPDX-License-Identifier: MIT
#include "form1probe.h"
#include "app/form2.h"
#include "browser/webbrowser.h"
#include "dsrpages.h"
#include "querywindow.h"
#include "webtest.h"

#include <QLabel>
#include <QTimer>
#include <QWebEnginePage>

#include <csignal>

using lookup::StrongElement;
using tests::marketplace;

namespace {

const QString previousCaption = QStringLiteral("测试旗舰店-DRS查询");
const QString hostileTitle = QStringLiteral("首页-<b>粗</b><img src=x onerror=alert(1)>-淘宝网");
const QString hostileComparison = QStringLiteral("<img src=x onerror=\"document.title='x'\">2.00%");
const QString hostileComparisonMarkup = QStringLiteral("<img src=\"x\" onerror=\"document.title='x'\">2.00%"); // as the DOM gives it back

QByteArray searchedName(const tests::Request &request)
{
    return request.target.mid(request.target.indexOf("%40") + 3).split('&').value(0);
}

tests::Response shopPage(const QString &title, const QByteArray &id, const QString &before = {})
{
    return tests::page(title, before + QStringLiteral("<a href=\"//rate.taobao.com/user-rate-%1.htm\">评价</a>")
                                           .arg(QString::fromLatin1(id)));
}

tests::Response ratingPage(const QList<StrongElement> &comparisons)
{
    return tests::page(QStringLiteral("评价"), tests::ratingPageBody(tests::workedFigures(), comparisons));
}

tests::Response cut(tests::Response response, const QByteArray &before)
{
    response.cutAfter = response.body.indexOf(before);
    return response;
}

tests::Response answer(const tests::Request &request)
{
    const QList<StrongElement> three = {{"percent lower", "2.00%"}, {"percent normal", "0.00%"}, {"percent", "3.00%"}};
    if (request.host == "shopsearch.taobao.com") {
        const QByteArray name = searchedName(request);
        if (name == "loop") return tests::redirectTo("https://shop3001.taobao.com/view_shop.htm?loop");
        if (name == "spin") return tests::redirectTo("https://www.taobao.com/spin");
        return tests::redirectTo("https://shop" + name + ".taobao.com/view_shop.htm");
    }
    if (request.target == "/view_shop.htm?loop") return tests::redirectTo("https://shop3001.taobao.com/view_shop.htm?loop");
    if (request.host == "www.taobao.com")
        return tests::page("spin", "<script>location.replace('/spin?' + Math.random());</script>");
    const QByteArray id = request.host.startsWith("shop") ? request.host.mid(4, 4) : request.target.mid(11, 4);
    if (request.host.startsWith("shop")) {
        if (id == "2001") return cut(shopPage(QStringLiteral("首页-断店-淘宝网"), id), "<a href");
        if (id == "2003") return shopPage(QStringLiteral("首页-大店-淘宝网"), id, QString(10'000'000, u'x'));
        if (id == "2006") return shopPage(hostileTitle, id);
        return shopPage(QStringLiteral("首页-%1-淘宝网").arg(id == "1001" ? QStringLiteral("测试旗舰店") : QString::fromLatin1(id)), id);
    }
    if (id == "2002") return cut(ratingPage(three), QStringLiteral("卖家的服务态度").toUtf8());
    if (id == "2004") {
        QList<StrongElement> many(10000, {"percent lower", "9.00%"});
        many.prepend({"percent normal", "1.00%"});
        return ratingPage(many);
    }
    if (id == "2006") return ratingPage({{"percent lower", hostileComparison}});
    if (id == "2007") {
        tests::Response never;
        never.hang = true;
        return never;
    }
    return ratingPage(three);
}

void kill(QWebEnginePage *page) { ::kill(pid_t(page->renderProcessPid()), SIGKILL); }

} // namespace

class HostileTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void hostileAnswers_data();
    void hostileAnswers();
    void hiddenEngineDeathEndsTheQuery();
    void loginEngineDeathReloadsThePage();

private:
    void queryThePreviousShop()
    {
        m_window->query("1001");
        QTRY_VERIFY_WITH_TIMEOUT(m_window->idle(), 20000);
        QCOMPARE(m_window->text("Label33"), "762");
    }

    std::unique_ptr<tests::QueryWindow> m_window;
};

void HostileTest::init()
{
    marketplace().setHandler(answer);
    marketplace().clearRequests();
    app::Form2::unload();
    m_window = std::make_unique<tests::QueryWindow>();
    // Ticks are given by hand: whatever gives the button back before them is the query itself.
    m_window->form().findChild<QTimer *>(QStringLiteral("Timer1"))->blockSignals(true);
}

void HostileTest::hostileAnswers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("answered"); // the query gives the button back without the timer
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("comparison");
    QTest::addColumn<QString>("turnRed");
    QTest::newRow("connection closed in the middle of the shop page")
        << "2001" << false << previousCaption << QStringLiteral("4.77分") << "2.00%" << "762";
    QTest::newRow("connection closed in the middle of the rating page")
        << "2002" << false << QStringLiteral("2002-DRS查询") << "" << "" << "";
    QTest::newRow("10 MB shop page") << "2003" << true << QStringLiteral("大店-DRS查询") << QStringLiteral("4.77分")
                                     << "2.00%" << "762";
    QTest::newRow("10 000 comparison elements") << "2004" << true << QStringLiteral("2004-DRS查询")
                                                << QStringLiteral("4.77分") << "1.00%" << "0";
    QTest::newRow("redirect loop") << "loop" << false << previousCaption << QStringLiteral("4.77分") << "2.00%" << "762";
    QTest::newRow("page that keeps navigating itself")
        << "spin" << false << previousCaption << QStringLiteral("4.77分") << "2.00%" << "762";
    QTest::newRow("markup and script in title and comparison")
        << "2006" << true << QStringLiteral("<b>粗</b><img src=x onerror=alert(1)>-DRS查询") << QStringLiteral("4.77分")
        << hostileComparisonMarkup << "";
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
    queryThePreviousShop();

    m_window->query(name);
    if (answered) {
        QTRY_VERIFY_WITH_TIMEOUT(m_window->idle(), 30000);
    } else {
        QVERIFY(!QTest::qWaitFor([this] { return m_window->idle(); }, 3000));
        m_window->runOutTheTimer();
        QVERIFY(m_window->idle());
    }
    QCOMPARE(m_window->caption(), caption);
    QCOMPARE(m_window->text("Label3"), score);
    QCOMPARE(m_window->text("Label2"), comparison);
    QCOMPARE(m_window->text("Label33"), turnRed);
    QVERIFY(boxes.seen().isEmpty());
    for (QLabel *label : m_window->form().findChildren<QLabel *>()) QCOMPARE(label->textFormat(), Qt::PlainText);
}

void HostileTest::hiddenEngineDeathEndsTheQuery()
{
    queryThePreviousShop();
    m_window->query("2007"); // its rating page never answers
    QVERIFY(tests::waitForRequest([](const tests::Request &r) { return r.target == "/user-rate-2007.htm"; }));
    QVERIFY(!m_window->idle());
    kill(app::Form1Probe::hiddenBrowser(m_window->form())->page());
    QTRY_VERIFY_WITH_TIMEOUT(m_window->idle(), 5000);
    QCOMPARE(m_window->caption(), QStringLiteral("2007-DRS查询"));
    QCOMPARE(m_window->text("Label3"), "");

    queryThePreviousShop();
}

void HostileTest::loginEngineDeathReloadsThePage()
{
    queryThePreviousShop(); // reaching a shop page loads the login window on its own page
    app::Form2 *login = app::Form2::ifLoaded();
    QVERIFY(login);
    QWebEnginePage *page = login->webBrowser1()->page();
    QTRY_VERIFY_WITH_TIMEOUT(page->renderProcessPid() > 0 && !page->url().isEmpty(), 20000);
    const QUrl address = page->url();
    marketplace().clearRequests();

    kill(page);
    QVERIFY(tests::waitForRequest([](const tests::Request &r) { return r.host == "login.taobao.com"; }));
    QTRY_VERIFY_WITH_TIMEOUT(page->renderProcessPid() > 0, 20000);
    QCOMPARE(page->url(), address);
    QTest::qWait(500);
    int loads = 0;
    for (const tests::Request &request : marketplace().requestsTo("login.taobao.com"))
        loads += request.target.startsWith("/member/login.jhtml");
    QCOMPARE(loads, 1);
}

LARKSPIRE_WEB_TEST_MAIN(HostileTest)
#include "tst_hostile.moc"
