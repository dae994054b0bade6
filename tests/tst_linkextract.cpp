// SPDX-License-Identifier: MIT
#include "itempages.h"
#include "lookup/itempage.h"
#include "lookup/linkextract.h"

#include <QFile>
#include <QTest>

class LinkExtractTest : public QObject
{
    Q_OBJECT
private slots:
    void ratingAddress_data();
    void ratingAddress();
    void titleToken_data();
    void titleToken();
    void itemPageNamesItsShop_data();
    void itemPageNamesItsShop();
};

void LinkExtractTest::ratingAddress_data()
{
    // clang-format off
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("address");
    QTest::newRow("no link") << "<a href=\"//shop.taobao.com/\">shop</a>" << "";
    QTest::newRow("empty markup") << "" << "";
    QTest::newRow("one link") << "<a href=\"//rate.taobao.com/user-rate-UvFkuOmcGMCQy.htm?spm=1\">rate</a>"
                              << "//rate.taobao.com/user-rate-UvFkuOmcGMCQy.htm";
    QTest::newRow("first link wins") << "x user-rate-first.htm y user-rate-second.htm"
                                     << "//rate.taobao.com/user-rate-first.htm";
    QTest::newRow("capitals found, fixed parts lower case") << "HREF=//RATE.TAOBAO.COM/USER-RATE-AbC.HTM"
                                                             << "//rate.taobao.com/user-rate-AbC.htm";
    QTest::newRow("empty identifier") << "user-rate-.htm" << "//rate.taobao.com/user-rate-.htm";
    QTest::newRow("html cut to htm") << "user-rate-abc.html" << "//rate.taobao.com/user-rate-abc.htm";
    QTest::newRow("line break in between") << "user-rate-abc\n.htm" << "";
    QTest::newRow("line break, later link matches") << "user-rate-abc\n.htm user-rate-def.htm"
                                                    << "//rate.taobao.com/user-rate-def.htm";
    QTest::newRow("carriage return is crossed") << "user-rate-a\rb.htm" << "//rate.taobao.com/user-rate-a\rb.htm";
    QTest::newRow("shortest run") << "user-rate-a.htm.htm" << "//rate.taobao.com/user-rate-a.htm";
    QTest::newRow("nested start") << "user-rate-user-rate-x.htm" << "//rate.taobao.com/user-rate-user-rate-x.htm";
    QFile shop(QStringLiteral(TEST_DATA_DIR "/shop_body.html"));
    QVERIFY(shop.open(QIODevice::ReadOnly));
    QTest::newRow("shop page") << QString::fromUtf8(shop.readAll()) << "//rate.taobao.com/user-rate-UvFkuOmcGMCQyMkL4.htm";
    // clang-format on
}

void LinkExtractTest::ratingAddress()
{
    QFETCH(QString, markup);
    QFETCH(QString, address);
    QCOMPARE(lookup::wenz(markup), address);
}

void LinkExtractTest::titleToken_data()
{
    // clang-format off
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("token");
    QTest::newRow("shop title") << QStringLiteral("首页-小米官方旗舰店-淘宝网") << QStringLiteral("小米官方旗舰店");
    QTest::newRow("a-b-c") << "a-b-c" << "b";
    QTest::newRow("one dash") << "a-b" << "";
    QTest::newRow("no dash") << "abc" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("dashes side by side") << "a--b" << "";
    QTest::newRow("line break between the first two") << "a-b\nc-d-e" << "d";
    QTest::newRow("line break, none after") << "a-b\nc-d" << "";
    QTest::newRow("leading dash") << "-x-y" << "x";
    // clang-format on
}

void LinkExtractTest::titleToken()
{
    QFETCH(QString, title);
    QFETCH(QString, token);
    QCOMPARE(lookup::huqus(title), token);
}

void LinkExtractTest::itemPageNamesItsShop_data()
{
    using tests::ItemPages;
    // clang-format off
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("address"); // empty: the page names no shop
    QTest::addColumn<QString>("card");    // overall and parts; empty: no card
    const QString shop1001 = "https://shop1001.taobao.com/view_shop.htm";
    const QString seller2002 = "https://store.taobao.com/shop/view_shop.htm?user_number_id=2002";
    const QString card = "4.3 4.5 4.0 4.1";
    QTest::newRow("page data: the seller's shop number") << ItemPages::withPageData("\"shopId\":1001,\"sellerId\":2002")
                                                         << shop1001 << "";
    QTest::newRow("page data: the shop's address before its number")
        << ItemPages::withPageData("\"pcShopUrl\":\"//shop1003.taobao.com\",\"shopId\":\"1001\"")
        << "https://shop1003.taobao.com/view_shop.htm" << "";
    QTest::newRow("page data: a Tmall shop's address") << ItemPages::withPageData("\"pcShopUrl\":\"https://brand.tmall.com/?spm=x\"")
                                                       << "https://brand.tmall.com/view_shop.htm" << "";
    QTest::newRow("page data: an address that is no shop page is passed over")
        << ItemPages::withPageData("\"pcShopUrl\":\"//rate.taobao.com/user-rate-X.htm\",\"shopId\":\"1001\"") << shop1001 << "";
    QTest::newRow("page data: the store card's address and its shop card")
        << ItemPages::withPageData("\"sellerId\":\"2002\"", tests::shopCardMembers("1004"))
        << "https://shop1004.taobao.com/view_shop.htm" << card;
    QTest::newRow("page data: only the seller's number") << ItemPages::withPageData("\"userId\":\"2002\"") << seller2002 << "";
    QTest::newRow("page data: the 2024 card's old ratings are no parts")
        << ItemPages::withPageData("\"shopId\":\"1001\"", "\"evaluates\":[{\"title\":\"宝贝描述\",\"score\":\"4.9\"}]")
        << shop1001 << "";
    QTest::newRow("page data: a card's part without the overall score")
        << ItemPages::withPageData("\"shopId\":\"1001\"", "\"evaluates\":[{\"score\":4.6,\"title\":\"服务保障\"}]")
        << shop1001 << " 4.6";
    QTest::newRow("page data read before it is set") << ItemPages::withPageData("\"shopId\":\"1001\"").replace(
        "window.__ICE_APP_CONTEXT__ =", "var c = window.__ICE_APP_CONTEXT__ == null; window.__ICE_APP_CONTEXT__ =") << shop1001 << "";
    QTest::newRow("page data naming no shop") << ItemPages::withPageData("\"shopName\":\"店\"") << "" << "";
    QTest::newRow("page data cut short") << ItemPages::withPageData("\"shopId\":\"1001\"").left(260) << "" << "";
    QTest::newRow("configuration: the shop's address")
        << ItemPages::withConfiguration("shopId:'1001', sellerId:'2002', idata:{shop:{id:'1005', url:'//shop1005.taobao.com/'}}")
        << "https://shop1005.taobao.com/view_shop.htm" << "";
    QTest::newRow("configuration: the shop's number") << ItemPages::withConfiguration("sellerId:'2002', shopId:'1001'") << shop1001 << "";
    QTest::newRow("configuration: only the seller's number") << ItemPages::withConfiguration("sellerId : 2002") << seller2002 << "";
    QTest::newRow("microscope data") << ItemPages::withMicroscopeData("pageId=1;prototypeId=2;shopId=1001;userid=2002;")
                                     << shop1001 << "";
    QTest::newRow("microscope data, the seller only") << ItemPages::withMicroscopeData("pageId=1;userid=2002;") << seller2002 << "";
    QTest::newRow("the shop box's rating page") << ItemPages::withShopBox("//rate.taobao.com/user-rate-UvFk.htm?spm=1&amp;x=2")
                                                << "https://rate.taobao.com/user-rate-UvFk.htm?spm=1&x=2" << "";
    QTest::newRow("a shop box naming no rating page") << ItemPages::withShopBox("//shop1.taobao.com/") << "" << "";
    QTest::newRow("Tmall's setup") << ItemPages::withTmallSetup("\"rateConfig\":{\"rateUrl\":\"x\",\"sellerId\":2002}")
                                   << seller2002 << "";
    QTest::newRow("configuration: the second of two, keys unquoted")
        << ItemPages::with("<script>w.g_config={itemId:\"3\"};</script><script>w.g_config={sellerId:\"2002\",shopId:\"1001\"};"
                           "</script>", "") << shop1001 << "";
    QTest::newRow("the shop box's own links") << ItemPages::with("", "<div id=\"J_ShopInfo\"><div><a href=\"//shop1001.taobao.com"
                                                                     "/?spm=a1\">店</a></div><a href=\"//shop1001.taobao.com/\">进入店铺</a></div>")
                                              << shop1001 << "";
    QTest::newRow("Tmall's hidden seller number") << ItemPages::with("", "<input type=\"hidden\" id=\"dsr-userid\" value=\"2002\">")
                                                  << seller2002 << "";
    QTest::newRow("a description writing page data and a configuration")
        << ItemPages::with("<meta name=\"microscope-data\" content=\"shopId=1001;\">", "<div id=\"description\">"
                           "window.__ICE_APP_CONTEXT__ = {\"loaderData\":{\"home\":{\"data\":{\"res\":{\"seller\":"
                           "{\"shopId\":\"666\"}}}}}}; var g_config = {shopId: '666'};</div>") << shop1001 << "";
    QTest::newRow("only other shops' links") << ItemPages::namingNoShop() << "" << "";
    QTest::newRow("no markup") << "" << "" << "";
    // clang-format on
}

void LinkExtractTest::itemPageNamesItsShop()
{
    QFETCH(QString, markup);
    QFETCH(QString, address);
    QFETCH(QString, card);
    const lookup::ItemShop shop = lookup::readItemPage(markup);
    QCOMPARE(shop.address.value_or(QString()), address);
    const QString read =
        shop.card ? QStringList{shop.card->overall, shop.card->parts[0], shop.card->parts[1], shop.card->parts[2]}
                        .join(u' ')
                        .trimmed()
                  : QString();
    QCOMPARE(read, card.trimmed());
}

QTEST_APPLESS_MAIN(LinkExtractTest)
#include "tst_linkextract.moc"
