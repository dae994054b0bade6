// SPDX-License-Identifier: MIT
#include "form1probe.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/twips.h"
#include "browser/webbrowser.h"
#include "dsrpages.h"
#include "querywindow.h"
#include "webtest.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QUrl>
#include <QWebEnginePage>

#include <memory>

using lookup::StrongElement;
using tests::marketplace;

namespace {

const QByteArray loginPath = "/member/login.jhtml?redirectURL=https%3A%2F%2Fshopsearch.taobao.com%2Fsearch";

struct Shop {
    QByteArray id;
    QString name;
    bool ratingLink = true;
    bool dsrList = true;
    QList<tests::DsrFigures> figures;
    QList<StrongElement> comparisons;
};

Shop shopNamed(const QString &name)
{
    const QList<StrongElement> three = {{"percent lower", "2.00%"}, {"percent normal", "0.00%"}, {"percent", "3.00%"}};
    if (name == "found" || name == "login") return {"1001", QStringLiteral("测试旗舰店"), true, true, tests::workedFigures(), three};
    if (name == "twodims")
        return {"1002", QStringLiteral("第二家店"), true, true, tests::workedFigures().mid(0, 2),
                {{"percent", "1.00%"}, {"percent normal", "0.00%"}}};
    if (name == "nolink") return {"1003", QStringLiteral("无链接店"), false, true, {}, {}};
    if (name == "nodsr") return {"1004", QStringLiteral("无评分店"), true, false, {}, three};
    if (name.startsWith("nbsp")) { // raw no-break spaces around the description's rater total
        QList<tests::DsrFigures> figures = tests::workedFigures();
        figures[0].raters = name == "nbsp-before" ? QStringLiteral("\u00A01000") : QStringLiteral("1000\u00A0");
        return {name == "nbsp-before" ? "1005" : "1006", QStringLiteral("空格店"), true, true, figures, three};
    }
    return {};
}

QByteArray searchedName(const tests::Request &request)
{
    const QByteArray start = "/search?q=%40";
    if (!request.target.startsWith(start)) return {};
    return request.target.mid(start.size()).split('&').value(0);
}

bool slowRatingPage = false;

tests::Response answer(const tests::Request &request)
{
    if (request.host == "shopsearch.taobao.com") {
        const QByteArray name = searchedName(request);
        if (name == "broken") {
            tests::Response error = tests::page("error", "internal error");
            error.status = 500;
            return error;
        }
        if (name == "framed") return tests::redirectTo("https://www.taobao.com/portal");
        if (name == "huge") return tests::redirectTo("https://shop2001.taobao.com/view_shop.htm");
        if (name == "login" && !request.headers.value("cookie").contains("logged=1"))
            return tests::redirectTo("https://login.taobao.com" + loginPath);
        const Shop shop = shopNamed(QString::fromLatin1(name));
        if (shop.id.isEmpty()) return tests::page("search", "no shop");
        return tests::redirectTo("https://shop" + shop.id + ".taobao.com/view_shop.htm?user_number_id=" + shop.id);
    }
    if (request.host == "login.taobao.com") {
        if (request.method == "POST") {
            tests::Response response = tests::page("logged in", "welcome");
            response.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("logged=1; Domain=.taobao.com; Path=/; Secure")));
            return response;
        }
        return tests::page("login", "<form method=\"post\" action=\"/member/login.jhtml\"><input name=\"u\"></form>");
    }
    if (request.host == "www.taobao.com")
        return tests::page("portal", "<iframe src=\"https://shopsearch.taobao.com/search?q=inner\"></iframe>"
                                     "<iframe src=\"https://shop1001.taobao.com/view_shop.htm\"></iframe>");
    if (request.host == "shop2001.taobao.com") // two megabytes of markup before the rating link
        return tests::page(QStringLiteral("首页-大店-淘宝网"), QStringLiteral("<div class=\"item\"><a href=\"//item.taobao.com/item.htm?id=1\">宝贝</a></div>\n").repeated(30000)
                                                             + "<a href=\"//rate.taobao.com/user-rate-2001.htm\">rate</a>");
    if (request.target == "/user-rate-2001.htm") // malformed: unclosed tags, stray quotes, a broken list
        return tests::page("bad", QStringLiteral("<ul id=\"dsr\"><li><em title=\"4.8分\"\"<div class=count count>暂无人打分<span>共<SPAN>abc<"
                                                 "</ul><strong class=\"percent lower\">12.5<b>%</strong><strong class='percent'><<<</strong>"));
    if (request.host.startsWith("shop")) {
        const QByteArray id = request.host.mid(4, request.host.indexOf('.') - 4);
        for (const char *name : {"found", "twodims", "nolink", "nodsr", "nbsp-before", "nbsp-after"}) {
            const Shop shop = shopNamed(name);
            if (shop.id != id) continue;
            const QString link = shop.ratingLink ? QString("<a href=\"//rate.taobao.com/user-rate-%1.htm\">信用评价</a>").arg(QString(id))
                                                 : QString("<a href=\"/search.htm\">搜索</a>");
            return tests::page(QStringLiteral("首页-%1-淘宝网").arg(shop.name), link);
        }
    }
    if (request.host == "rate.taobao.com") {
        for (const char *name : {"found", "twodims", "nolink", "nodsr", "nbsp-before", "nbsp-after"}) {
            const Shop shop = shopNamed(name);
            if (request.target != "/user-rate-" + shop.id + ".htm") continue;
            const QString body = shop.dsrList ? tests::ratingPageBody(shop.figures, shop.comparisons)
                                              : tests::comparisonMarkup(shop.comparisons);
            tests::Response response = tests::page(QStringLiteral("%1 - 信用评价").arg(shop.name), body);
            response.delayMs = slowRatingPage ? 1500 : 0;
            return response;
        }
    }
    tests::Response notFound = tests::page("not found", "not found");
    notFound.status = 404;
    return notFound;
}

// A marketplace that asks for a login whatever cookies the browser has.
tests::Response loginAlways(const tests::Request &request)
{
    return request.host == "shopsearch.taobao.com" ? tests::redirectTo("https://login.taobao.com" + loginPath)
                                                   : answer(request);
}

} // namespace

class LookupTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void foundShopShowsItsRatings();
    void nextShopShowsNoFiguresOfThePrevious();
    void loginRequired();
    void shopPageWithoutRatingLink();
    void ratingPageWithoutDsrList();
    void noBreakSpacesAroundRaterTotals_data();
    void noBreakSpacesAroundRaterTotals();
    void framesAndServerErrorsAreNoLanding_data();
    void framesAndServerErrorsAreNoLanding();
    void lateRatingPageIsStillRead();
    void hugeAndMalformedPages();
    void closingTheMainWindowEndsTheLoginWindow();

private:
    void query(const QString &name) { m_window->query(name); }
    bool idle() const { return m_window->idle(); }
    QString text(const char *name) const { return m_window->text(name); }
    QString caption() const { return m_window->caption(); }
    bool shows(const char *image, lookup::Comparison comparison) const
    {
        return m_form->findChild<QLabel *>(image)->pixmap().toImage()
            == app::Form1Probe::picture(*m_form, comparison).toImage();
    }
    bool empty(const char *image) const { return m_form->findChild<QLabel *>(image)->pixmap().isNull(); }

    std::unique_ptr<tests::QueryWindow> m_window;
    app::Form1 *m_form = nullptr; // the window m_window drives
};

void LookupTest::init()
{
    marketplace().setHandler(answer);
    slowRatingPage = false;
    marketplace().clearRequests();
    m_window = std::make_unique<tests::QueryWindow>();
    m_form = &m_window->form();
}

void LookupTest::cleanup()
{
    m_window.reset();
    app::Form2::unload();
}

void LookupTest::foundShopShowsItsRatings()
{
    query("found");
    QTRY_VERIFY_WITH_TIMEOUT(idle(), 20000);
    QCOMPARE(caption(), QStringLiteral("测试旗舰店-DRS查询"));
    QCOMPARE(text("Label3"), QStringLiteral("4.77分"));
    QCOMPARE(text("Label13"), QStringLiteral("4.80分"));
    QCOMPARE(text("Label14"), QStringLiteral("4.90分"));
    QCOMPARE(text("Label2"), "2.00%");
    QCOMPARE(text("Label10"), "0.00%");
    QCOMPARE(text("Label17"), "3.00%");
    QVERIFY(shows("Image1", lookup::Comparison::Lower));
    QVERIFY(shows("Image2", lookup::Comparison::Equal));
    QVERIFY(shows("Image3", lookup::Comparison::Higher));
    QCOMPARE(text("Label33"), "762");
    QCOMPARE(text("Label30"), "0");
    QCOMPARE(text("Label27"), "0");
    for (const char *label : {"Label2", "Label10", "Label17"})
        QCOMPARE(app::twipsGeometry(m_form->findChild<QLabel *>(label)).left, 4905.0f);
    QCOMPARE(text("Label20"), "");
    QCOMPARE(marketplace().requestsTo("rate.taobao.com").first().target, "/user-rate-1001.htm");

    m_form->findChild<QLineEdit *>("Text2")->setText("4.9");
    QCOMPARE(text("Label20"), "1300"); // from 4.77 with 1000 raters

    // Reaching the shop page hid the login window, which loaded it invisibly on its own page.
    QVERIFY(app::Form2::ifLoaded());
    QVERIFY(!app::Form2::ifLoaded()->isVisible());
    const QByteArray fixedLogin =
        "/member/login.jhtml?redirectURL=https%3A%2F%2Fs.taobao.com%2Fsearch%3Finitiative_id%3Dtbindexz_20170916%26ie%3Dutf8"
        "%26spm%3Da21bo.50862.201856-taobao-item.2%26sourceId%3Dtb.index%26search_type%3Ditem%26ssid%3Ds5-e%26commend%3Dall"
        "%26imgfile%3D%26q%3D%25E7%25BF%25BB%25E8%25AF%2591%25E6%259C%25BA%2B%25E7%25A7%2591%25E5%25A4%25A7%25E8%25AE%25AF"
        "%25E9%25A3%259E%26suggest%3Dhistory_2%26_input_charset%3Dutf-8%26wq%3D%25E7%25BF%25BB%25E8%25AF%2591%25E6%259C%25BA"
        "%26suggest_query%3D%25E7%25BF%25BB%25E8%25AF%2591%25E6%259C%25BA%26source%3Dsuggest%26bcoffset%3D10%26ntoffset%3D10"
        "%26p4ppushleft%3D1%252C48%26s%3D0";
    QVERIFY(tests::waitForRequest([&](const tests::Request &r) { return r.host == "login.taobao.com" && r.target == fixedLogin; }));
}

void LookupTest::nextShopShowsNoFiguresOfThePrevious()
{
    query("found");
    QTRY_VERIFY_WITH_TIMEOUT(idle(), 20000);
    QCOMPARE(text("Label27"), "0");
    m_form->findChild<QLineEdit *>("Text4")->setText("4.95");
    QCOMPARE(text("Label26"), "300");

    query("twodims");
    QTRY_VERIFY_WITH_TIMEOUT(idle(), 20000);
    QCOMPARE(caption(), QStringLiteral("第二家店-DRS查询"));
    QCOMPARE(text("Label3"), QStringLiteral("4.77分"));
    QCOMPARE(text("Label14"), "");
    QCOMPARE(text("Label2"), "1.00%");
    QCOMPARE(text("Label17"), "");
    QVERIFY(empty("Image3"));
    QCOMPARE(text("Label27"), "");
    QCOMPARE(text("Label26"), "");
    QCOMPARE(m_form->findChild<QLineEdit *>("Text4")->text(), "4.95");
}

void LookupTest::loginRequired()
{
    query("login");
    QTRY_VERIFY_WITH_TIMEOUT(app::Form2::ifLoaded() && app::Form2::ifLoaded()->isVisible(), 20000);
    QVERIFY(idle());
    app::Form2 *login = app::Form2::ifLoaded();
    const QString expected = QString::fromLatin1("https://login.taobao.com" + loginPath);
    QTRY_COMPARE_WITH_TIMEOUT(login->webBrowser1()->locationUrl(), expected, 20000);

    // A second login answer shows the same window, on the new login page.
    QSignalSpy loaded(login->webBrowser1(), &browser::WebBrowser::documentComplete);
    query("login");
    QTRY_VERIFY_WITH_TIMEOUT(idle(), 20000);
    QCOMPARE(app::Form2::ifLoaded(), login);
    QVERIFY(login->isVisible());
    QVERIFY(loaded.wait(20000));

    // The user logs in on the login page; the login holds for the hidden browser.
    login->webBrowser1()->page()->runJavaScript("document.forms[0].submit();");
    QTRY_VERIFY_WITH_TIMEOUT(login->webBrowser1()->page()->title() == "logged in", 20000);
    query("login");
    QTRY_COMPARE_WITH_TIMEOUT(text("Label33"), "762", 20000);
    QTRY_VERIFY_WITH_TIMEOUT(idle(), 20000);
    QCOMPARE(app::Form2::ifLoaded(), login);
    QVERIFY(!login->isVisible());

    // Closing the login window unloads it; the next login answer brings a new one.
    login->show();
    login->close();
    QTRY_VERIFY(!app::Form2::ifLoaded());
    QVERIFY(m_form->isVisible());
    marketplace().setHandler(loginAlways);
    query("found");
    QTRY_VERIFY_WITH_TIMEOUT(app::Form2::ifLoaded() && app::Form2::ifLoaded()->isVisible(), 20000);
}

void LookupTest::shopPageWithoutRatingLink()
{
    query("found");
    QTRY_VERIFY_WITH_TIMEOUT(idle(), 20000);
    m_form->findChild<QLineEdit *>("Text2")->setText("4.9");
    QCOMPARE(text("Label20"), "1300");

    // The next shop's rating page is never read: nothing of the previous shop stays.
    query("nolink");
    QTRY_VERIFY_WITH_TIMEOUT(idle(), 20000);
    QCOMPARE(caption(), QStringLiteral("无链接店-DRS查询"));
    for (const char *label : {"Label3", "Label2", "Label33", "Label20"}) QCOMPARE(text(label), "");
    QCOMPARE(m_form->findChild<QLineEdit *>("Text2")->text(), "4.9");
    QVERIFY(app::Form1Probe::timer1(*m_form)->isActive());
    QCOMPARE(marketplace().requestsTo("rate.taobao.com").size(), 1); // the first shop's
}

void LookupTest::ratingPageWithoutDsrList()
{
    query("found");
    QTRY_VERIFY_WITH_TIMEOUT(idle(), 20000);
    m_form->findChild<QLineEdit *>("Text2")->setText("4.9");
    QVERIFY(!text("Label20").isEmpty());

    query("nodsr");
    QTRY_VERIFY_WITH_TIMEOUT(idle(), 20000);
    QCOMPARE(caption(), QStringLiteral("无评分店-DRS查询"));
    for (const char *label : {"Label3", "Label13", "Label14", "Label2", "Label33", "Label20"})
        QCOMPARE(text(label), "");
    QVERIFY(empty("Image1"));
    QCOMPARE(app::twipsGeometry(m_form->findChild<QLabel *>("Label2")).left, 4905.0f);
}

void LookupTest::noBreakSpacesAroundRaterTotals_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("before the total") << "nbsp-before";
    QTest::newRow("after the total") << "nbsp-after";
}

void LookupTest::noBreakSpacesAroundRaterTotals()
{
    // The DOM hands the page's raw U+00A0 back as "&nbsp;".
    QFETCH(QString, name);
    query(name);
    QTRY_VERIFY_WITH_TIMEOUT(idle(), 20000);
    QCOMPARE(caption(), QStringLiteral("空格店-DRS查询"));
    QCOMPARE(text("Label33"), "762");
    m_form->findChild<QLineEdit *>("Text2")->setText("4.9");
    QCOMPARE(text("Label20"), "1300");
}

void LookupTest::framesAndServerErrorsAreNoLanding_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("lastRequest");
    QTest::newRow("frames at the search and a shop page") << "framed" << QByteArray("/view_shop.htm");
    QTest::newRow("server error at the search") << "broken" << QByteArray();
}

void LookupTest::framesAndServerErrorsAreNoLanding()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, lastRequest);
    tests::MessageBoxWatcher boxes;
    query(name);
    if (!lastRequest.isEmpty())
        QVERIFY(tests::waitForRequest([&](const tests::Request &r) { return r.target == lastRequest; }));
    QVERIFY(!QTest::qWaitFor([this] { return idle(); }, 1500));
    QVERIFY(boxes.seen().isEmpty());
    QCOMPARE(caption(), "");
    m_window->runOutTheTimer();
    QVERIFY(idle());
}

void LookupTest::lateRatingPageIsStillRead()
{
    slowRatingPage = true;
    query("found");
    QTRY_COMPARE_WITH_TIMEOUT(caption(), QStringLiteral("测试旗舰店-DRS查询"), 20000);
    m_window->runOutTheTimer();
    QVERIFY(idle());
    QCOMPARE(text("Label3"), "");
    QTRY_COMPARE_WITH_TIMEOUT(text("Label3"), QStringLiteral("4.77分"), 20000);
    QCOMPARE(text("Label33"), "762");
}

void LookupTest::hugeAndMalformedPages()
{
    query("found");
    QTRY_VERIFY_WITH_TIMEOUT(idle(), 20000);
    query("huge");
    QTRY_COMPARE_WITH_TIMEOUT(caption(), QStringLiteral("大店-DRS查询"), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(idle(), 20000);
    QCOMPARE(marketplace().requestsTo("rate.taobao.com").last().target, "/user-rate-2001.htm");
    // Nothing of the previous shop remains; what this page has is shown as plain text.
    QCOMPARE(text("Label3"), "");
    QCOMPARE(text("Label2"), "12.5<b>%</b>");
    QVERIFY(shows("Image1", lookup::Comparison::Lower));
    QCOMPARE(text("Label33"), "");
    QCOMPARE(text("Label10"), "&lt;&lt;&lt;");
    QCOMPARE(text("Label30"), "0");
}

void LookupTest::closingTheMainWindowEndsTheLoginWindow()
{
    marketplace().setHandler(loginAlways);
    query("found");
    QTRY_VERIFY_WITH_TIMEOUT(app::Form2::ifLoaded() && app::Form2::ifLoaded()->isVisible(), 20000);
    m_form->close();
    QVERIFY(!app::Form2::ifLoaded());
    QVERIFY(!m_form->isVisible());
}

LARKSPIRE_WEB_TEST_MAIN(LookupTest)
#include "tst_lookup.moc"
