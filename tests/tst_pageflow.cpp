// SPDX-License-Identifier: MIT
#include "dsrpages.h"
#include "itempages.h"
#include "lookup/navigationlog.h"
#include "lookup/pageflow.h"
#include "recordingwindow.h"

#include <QLoggingCategory>
#include <QTest>

using lookup::Comparison;
using lookup::PageSnapshot;
using lookup::StrongElement;
using tests::RecordingWindow;

Q_DECLARE_METATYPE(PageSnapshot)

namespace {

PageSnapshot pageAt(const QString &address)
{
    PageSnapshot page;
    page.locationUrl = page.documentUrl = address;
    page.bodyHtml = QString();
    return page;
}

const QList<StrongElement> threeComparisons = {{"title", "店铺动态评分"},
                                               {"percent lower", "2.00%"},
                                               {"percent normal", "0.00%"},
                                               {"percent over", "5.00%"},
                                               {"percent lower", "9.99%"}};

} // namespace

class PageFlowTest : public QObject
{
    Q_OBJECT
private slots:
    void landings_data();
    void landings();
    void eachPageTellsWhatItFound_data();
    void eachPageTellsWhatItFound();
    void pagesOnTheWayFromALink_data();
    void pagesOnTheWayFromALink();
    void ratingPageShowsEverything();
    void ratingPageEdgeCases_data();
    void ratingPageEdgeCases();
    void failedFigureReadShowsNoStaleCount();
    void emptyDsrListStillRunsTheCalculator();
    void traceTellsWhereTheQueryStopped();
    void pageBelongsToTheNavigationItBeganUnder_data();
    void pageBelongsToTheNavigationItBeganUnder();
};

void PageFlowTest::landings_data()
{
    // clang-format off
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("calls");
    const QString shop = "https://shop123.taobao.com/view_shop.htm?user_number_id=1";
    QTest::newRow("before the first landing") << "" << "" << "" << QStringList();
    QTest::newRow("no shop found") << "https://shopsearch.taobao.com/search?q=%40x" << "" << ""
                                   << QStringList{QStringLiteral("message 没有找到对应的店铺"), "give back"};
    QTest::newRow("search test comes first") << "https://shopsearch.taobao.com/view_shop.htm" << "" << ""
                                             << QStringList{QStringLiteral("message 没有找到对应的店铺"), "give back"};
    QTest::newRow("login") << "https://login.taobao.com/member/login.jhtml?redirectURL=x" << "" << ""
                           << QStringList{"login https://login.taobao.com/member/login.jhtml?redirectURL=x", "give back"};
    const QString loginBack = "https://login.taobao.com/member/login.jhtml?redirectURL=https%3A%2F%2Fshopsearch.taobao.com%2Fsearch";
    QTest::newRow("login returning to the search") << loginBack << "" << "" << QStringList{"login " + loginBack, "give back"};
    const QString sec = "https://sec.taobao.com/query.htm?action=QueryAction&smApp=searchweb2"
                        "&smPolicy=searchweb2-shopsearch-anti_Spider-html-checklogin"
                        "&smReturn=https%3A%2F%2Fshopsearch.taobao.com%2Fsearch%3Fq%3D%2540x&smSign=abc";
    QTest::newRow("verification host, back to the search after") << sec << "" << "" << QStringList{"login " + sec, "give back"};
    const QString slider = "https://shopsearch.taobao.com/_____tmd_____/punish?x5secdata=abc&x5step=1";
    QTest::newRow("slider on the search host, told before the search") << slider << "" << ""
                                                                       << QStringList{"login " + slider, "give back"};
    const QString ratingSlider = "https://rate.taobao.com/_____tmd_____/punish?x5secdata=abc";
    QTest::newRow("slider on the rating host") << ratingSlider << "" << "" << QStringList{"login " + ratingSlider, "give back"};
    QTest::newRow("verification host, another page") << "https://sec.taobao.com/help.htm" << "" << "" << QStringList();
    QTest::newRow("query page of another host") << "https://www.taobao.com/query.htm" << "" << "" << QStringList();
    QTest::newRow("slider path off the marketplace") << "https://taobao.com.evil.example/_____tmd_____/punish" << "" << ""
                                                     << QStringList();
    QTest::newRow("slider path only in the query") << "https://shopsearch.taobao.com/search?q=/_____tmd_____/punish"
                                                   << "" << "" << QStringList{QStringLiteral("message 没有找到对应的店铺"), "give back"};
    QTest::newRow("search host in a fragment") << "https://www.taobao.com/#shopsearch.taobao.com" << "" << ""
                                               << QStringList();
    QTest::newRow("shop page") << shop << QStringLiteral("首页-小米旗舰店-淘宝网")
                               << "<a href=\"//rate.taobao.com/user-rate-UvFk.htm\">评价</a>"
                               << QStringList{"hide login", "clear", "clear targets", QStringLiteral("caption 小米旗舰店-DRS查询"),
                                              "navigate //rate.taobao.com/user-rate-UvFk.htm"};
    QTest::newRow("shop title without dashes") << shop << "shop" << "user-rate-1.htm"
                                               << QStringList{"hide login", "clear", "clear targets", QStringLiteral("caption -DRS查询"),
                                                              "navigate //rate.taobao.com/user-rate-1.htm"};
    QTest::newRow("shop page without a rating link")
        << shop << "a-b-c" << "<p>no link</p>" << QStringList{"hide login", "clear", "clear targets", QStringLiteral("caption b-DRS查询"), "give back"};
    QTest::newRow("capital shop address is no shop page") << "https://shop1.taobao.com/VIEW_SHOP.HTM" << "a-b-c"
                                                          << "user-rate-1.htm" << QStringList();
    QTest::newRow("rating address needs the rating host") << "https://www.taobao.com/user-rate-1.htm" << "" << ""
                                                          << QStringList();
    QTest::newRow("rating page without a DSR list") << "https://rate.taobao.com/user-rate-1.htm" << "" << ""
                                                    << QStringList{"clear", "align", "give back", "clear targets"};
    // clang-format on
}

void PageFlowTest::landings()
{
    QFETCH(QString, location);
    QFETCH(QString, title);
    QFETCH(QString, body);
    QFETCH(QStringList, calls);
    PageSnapshot page = pageAt(location);
    page.title = title;
    page.bodyHtml = body;
    calc::DsrRecord record;
    RecordingWindow window;
    lookup::followPage(page, record, window, window);
    QCOMPARE(window.calls, calls);
}

void PageFlowTest::eachPageTellsWhatItFound_data()
{
    QTest::addColumn<PageSnapshot>("page");
    QTest::addColumn<QStringList>("found");
    PageSnapshot shop = pageAt("https://shop123.taobao.com/view_shop.htm");
    shop.title = QStringLiteral("首页-小米旗舰店-淘宝网");
    // clang-format off
    QTest::newRow("no shop") << pageAt("https://shopsearch.taobao.com/search?q=x") << QStringList{"no shop"};
    QTest::newRow("login") << pageAt("https://login.taobao.com/member/login.jhtml") << QStringList{"gate login"};
    QTest::newRow("query page") << pageAt("https://sec.taobao.com/query.htm?smReturn=x") << QStringList{"gate verification"};
    QTest::newRow("slider") << pageAt("https://rate.taobao.com/_____tmd_____/punish?x5secdata=a")
                            << QStringList{"gate verification"};
    QTest::newRow("shop page, even without a rating link") << shop << QStringList{QStringLiteral("shop 小米旗舰店")};
    QTest::newRow("no landing") << pageAt("https://www.taobao.com/") << QStringList();
    QTest::newRow("rating page") << tests::ratingSnapshot(tests::workedFigures(), threeComparisons)
        << QStringList{"ratings 4.77 lower 2.00% 762 - 1000 | 4.80 equal 0.00% 0 0 200 | 4.90 higher 5.00% 0 0 300"};
    QTest::newRow("rating page whose DSR list yields no score") << tests::ratingSnapshot({}, threeComparisons)
        << QStringList{"ratings - lower 2.00% - - - | - equal 0.00% 0 - - | - higher 5.00% 0 - -"};
    QTest::newRow("rating page without a DSR list") << pageAt("https://rate.taobao.com/user-rate-1.htm")
        << QStringList{"ratings - - - - - | - - - - - | - - - - -"};
    // clang-format on
}

void PageFlowTest::eachPageTellsWhatItFound()
{
    QFETCH(PageSnapshot, page);
    QFETCH(QStringList, found);
    calc::DsrRecord record;
    RecordingWindow window;
    lookup::followPage(page, record, window, window);
    QCOMPARE(window.found, found);
}

void PageFlowTest::pagesOnTheWayFromALink_data()
{
    using tests::ItemPages;
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("markup"); // the body, and the whole markup of an item page
    QTest::addColumn<bool>("link");      // the query was given a link, not a name
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QStringList>("found");
    const QString item = "https://item.taobao.com/item.htm?id=5";
    const QStringList cleared{"clear", "clear targets", "caption "};
    const QStringList ended{QStringLiteral("message 这个链接不是店铺、宝贝或评分页"), "give back"};
    const QString searchResults = QStringLiteral("<a href=\"//rate.taobao.com/user-rate-OtherShop.htm\">别家</a>"
                                                 "<strong class=\"percent lower\">9.00%</strong>");
    // clang-format off
    QTest::newRow("an item page leads to its shop, its card told")
        << item << ItemPages::withPageData("\"sellerId\":\"2002\"", tests::shopCardMembers("1004")) << true
        << cleared + QStringList{"navigate https://shop1004.taobao.com/view_shop.htm"} << QStringList{"card 4.3 4.5 4.0 4.1"};
    QTest::newRow("a Tmall item page, its older path") << "https://detail.tmall.com/item_o.htm?id=5"
        << ItemPages::withTmallSetup("\"rateConfig\":{\"sellerId\":2002}") << true
        << cleared + QStringList{"navigate https://store.taobao.com/shop/view_shop.htm?user_number_id=2002"} << QStringList();
    QTest::newRow("an item page naming no shop ends at once") << item << ItemPages::namingNoShop() << true
        << cleared + ended << QStringList{"no shop link"};
    QTest::newRow("an item page under a name: the query waits") << item << ItemPages::namingNoShop() << false
        << QStringList() << QStringList();
    QTest::newRow("an item page naming its shop under a name: the query waits")
        << item << ItemPages::withPageData("\"shopId\":\"1004\"") << false << QStringList() << QStringList();
    QTest::newRow("a shop's home, where a link moved on by script") << "https://shop1004.taobao.com/?spm=a1z10.1" << ""
        << true << QStringList{"navigate https://shop1004.taobao.com/view_shop.htm"} << QStringList();
    QTest::newRow("a mobile item page: its desktop page") << "https://h5.m.taobao.com/awp/core/detail.htm?id=5" << "" << true
        << QStringList{"navigate " + item} << QStringList();
    QTest::newRow("a mobile shop page: its desktop page") << "https://shop7.m.taobao.com/?spm=x" << "" << true
        << QStringList{"navigate https://shop7.taobao.com/view_shop.htm"} << QStringList();
    QTest::newRow("a share page on its way") << "https://m.tb.cn/h.abc?tk=x"
        << "<script>location.replace('https://a.m.taobao.com/i5.htm?sku=1');</script>" << true << QStringList() << QStringList();
    QTest::newRow("a share page leading nowhere") << "https://m.tb.cn/h.abc?tk=x" << QStringLiteral("<p>链接已失效</p>") << true
        << ended << QStringList{"no shop link"};
    QTest::newRow("a share page under a name: the query waits")
        << "https://m.tb.cn/h.abc?tk=x" << QStringLiteral("<p>链接已失效</p>") << false << QStringList() << QStringList();
    QTest::newRow("search results under a link: never their rating links")
        << "https://s.taobao.com/search?q=view_shop.htm" << searchResults << true << ended << QStringList{"no shop link"};
    QTest::newRow("search results under a name: the query waits")
        << "https://s.taobao.com/search?q=view_shop.htm" << searchResults << false << QStringList() << QStringList();
    QTest::newRow("a rating page's address in a query is no rating page")
        << "https://s.taobao.com/search?q=rate.taobao.com/user-rate-1.htm" << searchResults << true << ended
        << QStringList{"no shop link"};
    QTest::newRow("a shop's host as a user name is no shop page")
        << "https://shop1.taobao.com@s.taobao.com/view_shop.htm" << searchResults << true << ended << QStringList{"no shop link"};
    QTest::newRow("the marketplace's own host is no shop") << "https://world.taobao.com/view_shop.htm" << searchResults << true
        << ended << QStringList{"no shop link"};
    QTest::newRow("a seller's page on the store host") << "https://store.taobao.com/shop/view_shop.htm?user_number_id=2"
        << searchResults << true
        << QStringList{"hide login", "clear", "clear targets", "caption -DRS查询", "navigate //rate.taobao.com/user-rate-OtherShop.htm"}
        << QStringList{"shop "};
    QTest::newRow("a pasted shop search is the search page") << "https://shopsearch.taobao.com/search?q=x" << "" << true
        << QStringList{QStringLiteral("message 没有找到对应的店铺"), "give back"} << QStringList{"no shop"};
    QTest::newRow("a login page under a link is a gate") << "https://login.taobao.com/member/login.jhtml" << "" << true
        << QStringList{"login https://login.taobao.com/member/login.jhtml", "give back"} << QStringList{"gate login"};
    // clang-format on
}

void PageFlowTest::pagesOnTheWayFromALink()
{
    QFETCH(QString, location);
    QFETCH(QString, markup);
    QFETCH(bool, link);
    QFETCH(QStringList, calls);
    QFETCH(QStringList, found);
    PageSnapshot page = pageAt(location);
    page.bodyHtml = page.markupHtml = markup;
    page.strongs = {{"percent lower", "9.00%"}};
    calc::DsrRecord record;
    RecordingWindow window;
    lookup::followPage(page, record, window, window, link ? lookup::QueryEntry::Link : lookup::QueryEntry::Name);
    QCOMPARE(window.calls, calls);
    QCOMPARE(window.found, found);
    QCOMPARE(window.dimensionCalls, QStringList()); // only a rating page is read for figures
}

void PageFlowTest::ratingPageShowsEverything()
{
    calc::DsrRecord record;
    RecordingWindow window;
    lookup::followPage(tests::ratingSnapshot(tests::workedFigures(), threeComparisons), record, window, window);
    QCOMPARE(window.calls, (QStringList{"clear", "scores", "align", "give back", "clear targets"}));
    QCOMPARE(window.scores, (QStringList{"4.77", "4.80", "4.90"}));
    QCOMPARE(window.comparisons, (QStringList{"lower 2.00%", "equal 0.00%", "higher 5.00%"}));
    QCOMPARE(window.turnRed, (QStringList{"762", "0", "0"}));
    QCOMPARE(record.weightedScore[0], 4.7748);
    QCOMPARE(record.raterTotals, (QStringList{"1000", "200", "300"}));
    QCOMPARE(window.headroom, (QStringList{"", "0", "0"})); // none where the turn-red count applies

    // Logistics at 4.9, 5.00 % above with 30 000 raters: the average is 4.89474; 30 040 ratings
    // averaging 4.894806 stand on it, 30 041 at 4.894677 fall below.
    QList<tests::DsrFigures> many = tests::workedFigures();
    many[2].raters = "30000";
    lookup::followPage(tests::ratingSnapshot(many, threeComparisons), record, window, window);
    QCOMPARE(window.headroom[2], "40");
}

void PageFlowTest::ratingPageEdgeCases_data()
{
    // clang-format off
    QTest::addColumn<QList<StrongElement>>("strongs");
    QTest::addColumn<QStringList>("comparisons");
    QTest::addColumn<QStringList>("turnRed");
    using S = QList<StrongElement>;
    QTest::newRow("two percent elements") << S{{"percent", "1%"}, {"percent lower", "2.00%"}}
                                          << QStringList{"higher 1%", "lower 2.00%", ""} << QStringList{"0", "top", ""};
    QTest::newRow("lower and normal together is lower")
        << S{{"percent lower normal", "2.00%"}} << QStringList{"lower 2.00%", "", ""} << QStringList{"762", "", ""};
    QTest::newRow("unreadable lower goes on with the next")
        << S{{"percent lower", "--"}, {"percent normal", "0%"}, {"percent", "1%"}}
        << QStringList{"lower --", "equal 0%", "higher 1%"} << QStringList{"", "0", "0"};
    QTest::newRow("gap of 100 percent") << S{{"percent lower", "100.00%"}, {"percent lower", "1.00%"}}
                                        << QStringList{"lower 100.00%", "lower 1.00%", ""} << QStringList{"", "195", ""};
    QTest::newRow("an industry average of 5 or more: no count, and why")
        << S{{"percent lower", "10.00%"}, {"percent lower", "4.00%"}} << QStringList{"lower 10.00%", "lower 4.00%", ""}
        << QStringList{"top", "top", ""};
    QTest::newRow("class must contain percent") << S{{"Percent lower", "2%"}, {"per cent", "3%"}}
                                                << QStringList{"", "", ""} << QStringList{"", "", ""};
    // clang-format on
}

void PageFlowTest::ratingPageEdgeCases()
{
    QFETCH(QList<StrongElement>, strongs);
    QFETCH(QStringList, comparisons);
    QFETCH(QStringList, turnRed);
    calc::DsrRecord record;
    RecordingWindow window;
    lookup::followPage(tests::ratingSnapshot(tests::workedFigures(), strongs), record, window, window);
    QCOMPARE(window.comparisons, comparisons);
    QCOMPARE(window.turnRed, turnRed);
    QCOMPARE(window.calls.last(2), (QStringList{"give back", "clear targets"}));
}

void PageFlowTest::failedFigureReadShowsNoStaleCount()
{
    calc::DsrRecord record;
    RecordingWindow window;
    lookup::followPage(tests::ratingSnapshot(tests::workedFigures(), threeComparisons), record, window, window);
    QCOMPARE(window.turnRed[0], "762");

    // The next shop's page has only two dimensions' star shares: its figures cannot be read.
    QList<tests::DsrFigures> partial = tests::workedFigures();
    partial[2].shares.clear();
    window.calls.clear();
    lookup::followPage(tests::ratingSnapshot(partial, threeComparisons), record, window, window);
    QCOMPARE(window.calls, (QStringList{"clear", "scores", "give back", "align", "give back", "clear targets"}));
    QCOMPARE(window.turnRed, (QStringList{"", "0", "0"}));
    QCOMPARE(window.headroom, (QStringList{"", "none", "none"}));
    QCOMPARE(record.weightedScore[0], 4.7748);
}

void PageFlowTest::emptyDsrListStillRunsTheCalculator()
{
    calc::DsrRecord record;
    RecordingWindow window;
    lookup::followPage(tests::ratingSnapshot(tests::workedFigures(), {}), record, window, window);
    QCOMPARE(record.starPercents.size(), 15);

    lookup::followPage(tests::ratingSnapshot({}, threeComparisons), record, window, window);
    QCOMPARE(record.scoreTexts, QStringList());
    QCOMPARE(record.starPercents, QStringList());
    QCOMPARE(window.scores, (QStringList{"", "", ""}));
    QCOMPARE(window.turnRed, (QStringList{"", "0", "0"}));
    QCOMPARE(window.calls.last(6),
             (QStringList{"clear", "scores", "give back", "align", "give back", "clear targets"}));
}

namespace {

QStringList traced;

void recordTrace(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    traced << QString::fromLatin1(context.category) + QLatin1Char(' ') + message;
}

} // namespace

void PageFlowTest::traceTellsWhereTheQueryStopped()
{
    calc::DsrRecord record;
    RecordingWindow window;
    traced.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordTrace);
    lookup::followPage(pageAt("https://www.taobao.com/elsewhere.htm"), record, window, window); // off by default
    QLoggingCategory::setFilterRules(QStringLiteral("larkspire.flow.debug=true"));
    lookup::followPage(pageAt("https://www.taobao.com/elsewhere.htm"), record, window, window);
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
    QCOMPARE(traced.size(), 1);
    QVERIFY2(traced[0].startsWith("larkspire.flow") && traced[0].contains("no landing")
                 && traced[0].contains("https://www.taobao.com/elsewhere.htm"),
             qPrintable(traced[0]));
}

void PageFlowTest::pageBelongsToTheNavigationItBeganUnder_data()
{
    QTest::addColumn<int>("navigations"); // asked for at 10, 20, 30, … ms
    QTest::addColumn<double>("documentStart");
    QTest::addColumn<int>("navigation");
    QTest::newRow("none asked for") << 0 << 5.0 << 0;
    QTest::newRow("began before the first") << 3 << 9.9 << 0;
    QTest::newRow("began as it was asked for") << 3 << 20.0 << 2;
    QTest::newRow("began between two") << 3 << 25.0 << 2;
    QTest::newRow("began after the latest") << 3 << 1000.0 << 3;
    QTest::newRow("of the oldest kept") << 20 << 50.0 << 5;
    QTest::newRow("older than every one kept") << 20 << 49.9 << 0;
}

void PageFlowTest::pageBelongsToTheNavigationItBeganUnder()
{
    QFETCH(int, navigations);
    QFETCH(double, documentStart);
    QFETCH(int, navigation);
    lookup::NavigationLog log;
    for (int n = 1; n <= navigations; ++n)
        QCOMPARE(log.record(10.0 * n), n);
    QCOMPARE(log.navigationAt(documentStart), navigation);
}

QTEST_APPLESS_MAIN(PageFlowTest)
#include "tst_pageflow.moc"
