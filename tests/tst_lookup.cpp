// SPDX-License-Identifier: MIT
#include "app/form1.h"
#include "app/form2.h"
#include "app/twips.h"
#include "browser/webbrowser.h"
#include "dsrpages.h"
#include "form1probe.h"
#include "webtest.h"
#include "webtestbase.h"

#include <QLabel>
#include <QLineEdit>
#include <QUrl>
#include <QWebEnginePage>

#include <optional>

using lookup::StrongElement;
using tests::marketplace;

namespace {

// A search that lands on a page whose frames hold a search and a shop page.
std::optional<tests::Response> ownAnswer(const tests::Request &request)
{
    if (request.host == "shopsearch.taobao.com" && tests::searchedName(request) == "framed")
        return tests::redirectTo("https://www.taobao.com/portal");
    if (request.host == "www.taobao.com")
        return tests::page("portal", "<iframe src=\"https://shopsearch.taobao.com/search?q=inner\"></iframe>"
                                     "<iframe src=\"https://shop1001.taobao.com/view_shop.htm\"></iframe>");
    return std::nullopt;
}

// A marketplace that asks for a login whatever cookies the browser has.
std::optional<tests::Response> loginAlways(const tests::Request &request)
{
    if (request.host == "shopsearch.taobao.com") return tests::redirectTo(tests::loginPageAddress);
    return std::nullopt;
}

// A loaded login page whose document carries no mark of the test's: a new one, once the old is marked.
bool unmarkedLoginPage(QWebEnginePage *page)
{
    return tests::evaluate(page, "document.readyState === 'complete' && document.title === 'login' && !window.seen")
        .toBool();
}

} // namespace

class LookupTest : public tests::WebTestBase
{
    Q_OBJECT
private slots:
    void init() override;
    void foundShopShowsItsRatings_data();
    void foundShopShowsItsRatings();
    void shopLinksQueryDirectly_data();
    void shopLinksQueryDirectly();
    void linksLeadingNowhereEndAtOnce_data();
    void linksLeadingNowhereEndAtOnce();
    void nextShopShowsNothingOfThePrevious_data();
    void nextShopShowsNothingOfThePrevious();
    void loginRequired();
    void verificationGoesToTheUser_data();
    void verificationGoesToTheUser();
    void noBreakSpacesAroundRaterTotals_data();
    void noBreakSpacesAroundRaterTotals();
    void framesAndServerErrorsAreNoLanding_data();
    void framesAndServerErrorsAreNoLanding();
    void lateRatingPageIsStillRead();
    void closingTheMainWindowEndsTheLoginWindow();

private:
    void query(const QString &name) { window().query(name); }
    bool idle() { return window().idle(); }
    QString caption() { return window().caption(); }
    bool shows(int dimension, lookup::Comparison comparison)
    {
        return window().figure(app::Role::Indicator, dimension)->pixmap().toImage()
               == app::Form1Probe::picture(form(), comparison).toImage();
    }
    bool empty(int dimension) { return window().figure(app::Role::Indicator, dimension)->pixmap().isNull(); }
    // The comparison labels' right edges on the indicator bars' right edge.
    bool comparisonsAligned()
    {
        for (int d = 0; d < calc::dimensionCount; ++d)
            if (app::twipsGeometry(window().figure(app::Role::Comparison, d)).left != 4905.0f) return false;
        return true;
    }
};

void LookupTest::init()
{
    WebTestBase::init();
    tests::serveCatalogue(ownAnswer);
}

void LookupTest::foundShopShowsItsRatings_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("shop page at its address") << QByteArray("found");
    QTest::newRow("shop page that takes its address once loaded") << QByteArray("renamed");
    // clang-format on
}

void LookupTest::foundShopShowsItsRatings()
{
    QFETCH(QByteArray, name);
    const tests::Shop &shop = tests::shopNamed(name);
    query(QString::fromUtf8(name));
    QTRY_VERIFY_WITH_TIMEOUT(idle(), tests::answerTimeoutMs);
    QCOMPARE(caption(), shop.title + QStringLiteral("-DRS查询"));
    QCOMPARE(window().score(0), QStringLiteral("4.77分"));
    QCOMPARE(window().score(1), QStringLiteral("4.80分"));
    QCOMPARE(window().score(2), QStringLiteral("4.90分"));
    QCOMPARE(window().comparison(0), "2.00%");
    QCOMPARE(window().comparison(1), "0.00%");
    QCOMPARE(window().comparison(2), "3.00%");
    QVERIFY(shows(0, lookup::Comparison::Lower));
    QVERIFY(shows(1, lookup::Comparison::Equal));
    QVERIFY(shows(2, lookup::Comparison::Higher));
    QCOMPARE(window().turnRed(0), "762");
    QCOMPARE(window().turnRed(1), "0");
    QCOMPARE(window().turnRed(2), "0");
    // Above or at the industry, the one-star headroom is told as the turn-red label's tooltip and
    // description only; below it, nothing is.
    const QLabel *service = window().figure(app::Role::TurnRed, 1);
    QCOMPARE(service->toolTip(), QStringLiteral("飘绿：还能承受0个1分评价（估算）"));
    QCOMPARE(service->accessibleDescription(),
             QStringLiteral("卖家的服务态度 飘红需要5分人数，飘绿：还能承受0个1分评价（估算）"));
    QCOMPARE(window().figure(app::Role::TurnRed, 0)->toolTip(), QString());
    QVERIFY(comparisonsAligned());
    QCOMPARE(window().targetResult(0), "");
    QCOMPARE(marketplace().requestsTo("rate.taobao.com").first().target, "/user-rate-" + shop.id + ".htm");

    window().target(0)->setText("4.9");
    QCOMPARE(window().targetResult(0), "1300"); // from 4.77 with 1000 raters

    // Reaching the shop page hid the login window, which loaded it invisibly on its own page.
    QVERIFY(app::Form2::ifLoaded());
    QVERIFY(!app::Form2::ifLoaded()->isVisible());
    const QByteArray fixedLogin =
        "/member/"
        "login.jhtml?redirectURL=https%3A%2F%2Fs.taobao.com%2Fsearch%3Finitiative_id%3Dtbindexz_20170916%26ie%3Dutf8"
        "%26spm%3Da21bo.50862.201856-taobao-item.2%26sourceId%3Dtb.index%26search_type%3Ditem%26ssid%3Ds5-e%26commend%"
        "3Dall"
        "%26imgfile%3D%26q%3D%25E7%25BF%25BB%25E8%25AF%2591%25E6%259C%25BA%2B%25E7%25A7%2591%25E5%25A4%25A7%25E8%25AE%"
        "25AF"
        "%25E9%25A3%259E%26suggest%3Dhistory_2%26_input_charset%3Dutf-8%26wq%3D%25E7%25BF%25BB%25E8%25AF%2591%25E6%"
        "259C%25BA"
        "%26suggest_query%3D%25E7%25BF%25BB%25E8%25AF%2591%25E6%259C%25BA%26source%3Dsuggest%26bcoffset%3D10%"
        "26ntoffset%3D10"
        "%26p4ppushleft%3D1%252C48%26s%3D0";
    QVERIFY(tests::waitForRequest(
        [&](const tests::Request &r) { return r.host == "login.taobao.com" && r.target == fixedLogin; }));
}

void LookupTest::shopLinksQueryDirectly_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed"); // %1: the shop's id
    QTest::addColumn<QString>("shownCaption");
    QTest::newRow("its shop page") << "https://shop%1.taobao.com/view_shop.htm" << QStringLiteral("测试旗舰店-DRS查询");
    QTest::newRow("its home, without a scheme") << "shop%1.taobao.com" << QStringLiteral("测试旗舰店-DRS查询");
    QTest::newRow("its category page") << "https://shop%1.taobao.com/category-1234567.htm?spm=a1z10"
                                       << QStringLiteral("测试旗舰店-DRS查询");
    QTest::newRow("its mobile page") << "https://shop.m.taobao.com/shop/shop_index.htm?shop_id=%1"
                                     << QStringLiteral("测试旗舰店-DRS查询");
    QTest::newRow("an item's link, the shop in its page data") << "https://item.taobao.com/item.htm?spm=a1&id=3001"
                                                               << QStringLiteral("测试旗舰店-DRS查询");
    QTest::newRow("an item's link, the shop's address in its configuration") << "https://item.taobao.com/item.htm?id=3002"
                                                                             << QStringLiteral("测试旗舰店-DRS查询");
    QTest::newRow("a Tmall item's link, the seller in its setup") << "https://detail.tmall.com/item.htm?id=3003"
                                                                  << QStringLiteral("测试旗舰店-DRS查询");
    QTest::newRow("a Tmall item's link, a Tmall shop in its page data") << "https://detail.tmall.com/item.htm?id=3004"
                                                                        << QStringLiteral("测试旗舰店-DRS查询");
    QTest::newRow("an item's link, the shop in its microscope data") << "https://item.taobao.com/item.htm?id=3005"
                                                                     << QStringLiteral("测试旗舰店-DRS查询");
    QTest::newRow("a mobile item page") << "https://h5.m.taobao.com/awp/core/detail.htm?id=3001"
                                        << QStringLiteral("测试旗舰店-DRS查询");
    QTest::newRow("a share link by HTTP, in the app's sentence")
        << QStringLiteral("【测试旗舰店】 https://m.tb.cn/h.ItemShare?tk=HiJkLmN1234 复制这条信息，打开手机淘宝")
        << QStringLiteral("测试旗舰店-DRS查询");
    QTest::newRow("a share link by script, to a mobile item page") << "https://e.tb.cn/h.ScriptShare?tk=PqRs"
                                                                   << QStringLiteral("测试旗舰店-DRS查询");
    QTest::newRow("a share link by script, to the shop's home") << "https://e.tb.cn/h.ShopShare?tk=TuVw"
                                                                << QStringLiteral("测试旗舰店-DRS查询");
    // No shop page, so no caption: the previous shop's must not stand over these figures.
    QTest::newRow("its rating page") << "https://rate.taobao.com/user-rate-%1.htm" << QString();
    QTest::newRow("an item's link, its shop box's rating page") << "https://item.taobao.com/item.htm?id=3006" << QString();
    // clang-format on
}

void LookupTest::shopLinksQueryDirectly()
{
    QFETCH(QString, typed);
    QFETCH(QString, shownCaption);
    window().showThePreviousShop();
    marketplace().clearRequests();
    const QByteArray id = tests::shopNamed("found").id;
    query(typed.contains(QLatin1String("%1")) ? typed.arg(QLatin1String(id)) : typed);
    QTRY_VERIFY_WITH_TIMEOUT(idle(), tests::answerTimeoutMs);
    QCOMPARE(caption(), shownCaption);
    QCOMPARE(window().score(0), QStringLiteral("4.77分"));
    QCOMPARE(window().turnRed(0), "762");
    QVERIFY(marketplace().requestsTo("shopsearch.taobao.com").isEmpty());
    // Only the shop's own rating page: never one that another page of the way linked.
    for (const tests::Request &request : marketplace().requestsTo("rate.taobao.com"))
        QCOMPARE(request.target, "/user-rate-" + id + ".htm");
}

void LookupTest::linksLeadingNowhereEndAtOnce_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("told");
    const QString noShopLink = QStringLiteral("这个链接不是店铺、宝贝或评分页");
    QTest::newRow("a search for view_shop.htm, its results full of rating links")
        << "https://s.taobao.com/search?q=view_shop.htm" << noShopLink;
    QTest::newRow("an item page that names no shop") << "https://item.taobao.com/item.htm?id=3009" << noShopLink;
    QTest::newRow("an expired share link") << "https://m.tb.cn/h.Expired?tk=x" << noShopLink;
    QTest::newRow("the mobile site's home") << "https://h5.m.taobao.com/" << noShopLink;
    QTest::newRow("a share code without its link") << QStringLiteral("￥AbCdEfGhIjK￥")
                                                   << QStringLiteral("淘口令需要在手机淘宝中打开，请粘贴店铺或宝贝的链接");
    // clang-format on
}

void LookupTest::linksLeadingNowhereEndAtOnce()
{
    QFETCH(QString, typed);
    QFETCH(QString, told);
    window().showThePreviousShop();
    marketplace().clearRequests();
    tests::MessageBoxWatcher boxes;
    query(typed);
    // Told by a message box, which the timeout never shows: the query ended where it landed.
    QTRY_COMPARE_WITH_TIMEOUT(boxes.seen().size(), 1, tests::answerTimeoutMs);
    QCOMPARE(boxes.seen()[0].text, told);
    QTRY_VERIFY_WITH_TIMEOUT(idle(), tests::answerTimeoutMs);
    QVERIFY(marketplace().requestsTo("rate.taobao.com").isEmpty());
    QVERIFY(marketplace().requestsTo("shopsearch.taobao.com").isEmpty());
}

void LookupTest::nextShopShowsNothingOfThePrevious_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shownCaption");
    QTest::addColumn<QStringList>("scores");
    QTest::addColumn<QStringList>("comparisons");
    QTest::addColumn<QStringList>("turnReds");
    QTest::addColumn<QStringList>("pictures"); // "0 lower", "2 none": per dimension
    QTest::addColumn<QByteArray>("lastRatingPage");
    const QStringList none = {"", "", ""};
    QTest::newRow("two dimensions only") << "twodims" << QStringLiteral("第二家店-DRS查询")
        << QStringList{QStringLiteral("4.77分"), QStringLiteral("4.80分"), ""} << QStringList{"1.00%", "0.00%", ""}
        << QStringList{"0", "0", ""} << QStringList{"2 none"} << QByteArray("/user-rate-1002.htm");
    QTest::newRow("a shop page without a rating link") << "nolink" << QStringLiteral("无链接店-DRS查询")
        << none << none << none << QStringList{"0 none"}
        << QByteArray("/user-rate-1001.htm"); // the first shop's
    QTest::newRow("a rating page without a DSR list") << "nodsr" << QStringLiteral("无评分店-DRS查询")
        << none << none << none << QStringList{"0 none"} << QByteArray("/user-rate-1004.htm");
    // What the page has is shown as plain text.
    QTest::newRow("a huge shop page, a malformed rating page") << "unreadable" << QStringLiteral("大店-DRS查询")
        << none << QStringList{"12.5<b>%</b>", "&lt;&lt;&lt;", ""} << QStringList{"", "0", ""}
        << QStringList{"0 lower"} << QByteArray("/user-rate-2001.htm");
    // clang-format on
}

void LookupTest::nextShopShowsNothingOfThePrevious()
{
    QFETCH(QString, name);
    QFETCH(QString, shownCaption);
    QFETCH(QStringList, scores);
    QFETCH(QStringList, comparisons);
    QFETCH(QStringList, turnReds);
    QFETCH(QStringList, pictures);
    QFETCH(QByteArray, lastRatingPage);
    window().showThePreviousShop();
    window().target(0)->setText("4.9");
    window().target(2)->setText("4.95");
    QCOMPARE(window().targetResult(0), "1300");
    QCOMPARE(window().targetResult(2), "300");

    query(name);
    QTRY_VERIFY_WITH_TIMEOUT(idle(), tests::hugePageTimeoutMs);
    QCOMPARE(caption(), shownCaption);
    for (int d = 0; d < calc::dimensionCount; ++d) {
        QCOMPARE(window().score(d), scores[d]);
        QCOMPARE(window().comparison(d), comparisons[d]);
        QCOMPARE(window().turnRed(d), turnReds[d]);
    }
    for (const QString &picture : pictures) {
        const QStringList dimensionAndVerdict = picture.split(u' ');
        const int d = dimensionAndVerdict[0].toInt();
        QVERIFY2(dimensionAndVerdict[1] == "none" ? empty(d) : shows(d, lookup::Comparison::Lower),
                 qPrintable(picture));
    }
    // The targets stay as typed; their results belonged to the previous figures.
    QCOMPARE(window().target(0)->text(), "4.9");
    QCOMPARE(window().target(2)->text(), "4.95");
    QCOMPARE(window().targetResult(0), "");
    QCOMPARE(window().targetResult(2), "");
    QVERIFY(comparisonsAligned());
    QVERIFY(app::Form1Probe::timer1(form())->isActive()); // the page flow leaves the timer alone
    QCOMPARE(marketplace().requestsTo("rate.taobao.com").last().target, lastRatingPage);
}

void LookupTest::loginRequired()
{
    query("login");
    QTRY_VERIFY_WITH_TIMEOUT(app::Form2::ifLoaded() && app::Form2::ifLoaded()->isVisible(), tests::answerTimeoutMs);
    QVERIFY(idle());
    app::Form2 *login = app::Form2::ifLoaded();
    const QString expected = QString::fromLatin1(tests::loginPageAddress);
    QTRY_COMPARE_WITH_TIMEOUT(login->webBrowser1()->locationUrl(), expected, tests::answerTimeoutMs);

    // A second login answer shows the same window, on a new login page. Submitting on the old one
    // while the new one loads would lose the login, so the old document is marked first.
    QWebEnginePage *page = login->webBrowser1()->page();
    QTRY_VERIFY_WITH_TIMEOUT(unmarkedLoginPage(page), tests::answerTimeoutMs);
    tests::evaluate(page, "window.seen = true");
    query("login");
    QTRY_VERIFY_WITH_TIMEOUT(idle(), tests::answerTimeoutMs);
    QCOMPARE(app::Form2::ifLoaded(), login);
    QVERIFY(login->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(unmarkedLoginPage(page), tests::answerTimeoutMs);

    // The user logs in on the login page; the login holds for the hidden browser.
    page->runJavaScript("document.forms[0].submit();");
    QTRY_VERIFY_WITH_TIMEOUT(page->title() == "search", tests::answerTimeoutMs); // where the login returns to
    query("login");
    QTRY_COMPARE_WITH_TIMEOUT(window().turnRed(0), "762", tests::answerTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(idle(), tests::answerTimeoutMs);
    QCOMPARE(app::Form2::ifLoaded(), login);
    QVERIFY(!login->isVisible());

    // Closing the login window unloads it; the next login answer brings a new one.
    login->show();
    login->close();
    QTRY_VERIFY(!app::Form2::ifLoaded());
    QVERIFY(form().isVisible());
    tests::serveCatalogue(loginAlways);
    query("found");
    QTRY_VERIFY_WITH_TIMEOUT(app::Form2::ifLoaded() && app::Form2::ifLoaded()->isVisible(), tests::answerTimeoutMs);
}

void LookupTest::verificationGoesToTheUser_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("verification host at the search") << "sec-search" << "https://sec.taobao.com/query.htm?";
    QTest::newRow("slider at the search") << "slider-search" << "https://shopsearch.taobao.com/_____tmd_____/punish?";
    QTest::newRow("verification host at the rating page") << "sec-rating" << "https://sec.taobao.com/query.htm?";
    QTest::newRow("slider by script at the rating page") << "slider-rating" << "https://rate.taobao.com/_____tmd_____/punish?";
    // clang-format on
}

void LookupTest::verificationGoesToTheUser()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    tests::MessageBoxWatcher boxes;
    query(name);
    // The login window shows the very page, and the button is back at once, long before the timeout.
    QTRY_VERIFY_WITH_TIMEOUT(app::Form2::ifLoaded() && app::Form2::ifLoaded()->isVisible(),
                             tests::promptAnswerTimeoutMs);
    QVERIFY(idle());
    QCOMPARE(window().score(0), "");
    QWebEnginePage *page = app::Form2::ifLoaded()->webBrowser1()->page();
    QTRY_VERIFY_WITH_TIMEOUT(page->url().toString().startsWith(shown) && page->title() == "verify",
                             tests::answerTimeoutMs);

    // The person passes it there; the login window goes on to the page that was asked for, and
    // the next query gets through.
    page->runJavaScript("document.forms[0].submit();");
    QTRY_VERIFY_WITH_TIMEOUT(!page->url().toString().startsWith(shown), tests::answerTimeoutMs);
    query(name);
    QTRY_COMPARE_WITH_TIMEOUT(window().score(0), QStringLiteral("4.77分"), tests::answerTimeoutMs);
    QCOMPARE(caption(), QStringLiteral("验证店-DRS查询"));
    QTRY_VERIFY_WITH_TIMEOUT(idle(), tests::answerTimeoutMs);
    QVERIFY(!app::Form2::ifLoaded()->isVisible());
    QVERIFY(boxes.seen().isEmpty());
}

void LookupTest::noBreakSpacesAroundRaterTotals_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::newRow("before the total") << "nbsp-before";
    QTest::newRow("after the total") << "nbsp-after";
    // clang-format on
}

void LookupTest::noBreakSpacesAroundRaterTotals()
{
    // The DOM hands the page's raw U+00A0 back as "&nbsp;".
    QFETCH(QString, name);
    query(name);
    QTRY_VERIFY_WITH_TIMEOUT(idle(), tests::answerTimeoutMs);
    QCOMPARE(caption(), QStringLiteral("空格店-DRS查询"));
    QCOMPARE(window().turnRed(0), "762");
    window().target(0)->setText("4.9");
    QCOMPARE(window().targetResult(0), "1300");
}

void LookupTest::framesAndServerErrorsAreNoLanding_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("lastRequest");
    QTest::newRow("frames at the search and a shop page") << "framed" << QByteArray("/view_shop.htm");
    QTest::newRow("server error (502) at the search") << "badgateway" << QByteArray();
    QTest::newRow("connection dropped at the search") << "dropped" << QByteArray();
    // clang-format on
}

void LookupTest::framesAndServerErrorsAreNoLanding()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, lastRequest);
    tests::MessageBoxWatcher boxes;
    query(name);
    if (!lastRequest.isEmpty())
        QVERIFY(tests::waitForRequest([&](const tests::Request &r) { return r.target == lastRequest; }));
    QVERIFY(!QTest::qWaitFor([this] { return idle(); }, tests::quietPeriodMs));
    QVERIFY(boxes.seen().isEmpty());
    QCOMPARE(caption(), "");
    window().runOutTheTimer();
    QVERIFY(idle());
}

void LookupTest::lateRatingPageIsStillRead()
{
    query("slow");
    QTRY_COMPARE_WITH_TIMEOUT(caption(), QStringLiteral("慢店-DRS查询"), tests::answerTimeoutMs);
    window().runOutTheTimer();
    QVERIFY(idle());
    QCOMPARE(window().score(0), "");
    QTRY_COMPARE_WITH_TIMEOUT(window().score(0), QStringLiteral("4.77分"), tests::answerTimeoutMs);
    QCOMPARE(window().turnRed(0), "762");
}

void LookupTest::closingTheMainWindowEndsTheLoginWindow()
{
    tests::serveCatalogue(loginAlways);
    query("found");
    QTRY_VERIFY_WITH_TIMEOUT(app::Form2::ifLoaded() && app::Form2::ifLoaded()->isVisible(), tests::answerTimeoutMs);
    form().close();
    QVERIFY(!app::Form2::ifLoaded());
    QVERIFY(!form().isVisible());
}

LARKSPIRE_WEB_TEST_MAIN(LookupTest)
#include "tst_lookup.moc"
