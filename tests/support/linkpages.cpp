// SPDX-License-Identifier: MIT
#include "linkpages.h"

#include "catalogue.h"
#include "itempages.h"
#include "webtest.h"

#include <QUrlQuery>

namespace tests {

namespace {

constexpr char sellerId[] = "2001001";

Response itemPage(const QString &markup)
{
    Response response;
    response.body = markup.toUtf8();
    return response;
}

// The item page of this number on this host, as the catalogue has it.
std::optional<Response> itemAnswer(const QByteArray &host, const QString &itemId)
{
    const QString card = shopCardMembers(QStringLiteral("1001"));
    if (host == "item.taobao.com") {
        if (itemId == "3001") return itemPage(ItemPages::withPageData(QStringLiteral("\"shopId\":\"1001\""), card));
        if (itemId == "3002")
            return itemPage(
                ItemPages::withConfiguration(QStringLiteral("idata:{shop:{url:'//shop1001.taobao.com/'}}")));
        if (itemId == "3005") return itemPage(ItemPages::withMicroscopeData(QStringLiteral("pageId=5;shopId=1001;")));
        if (itemId == "3006")
            return itemPage(ItemPages::withShopBox(QStringLiteral("//rate.taobao.com/user-rate-1001.htm")));
        if (itemId == "3009") return itemPage(ItemPages::namingNoShop());
    }
    if (host == "detail.tmall.com") {
        if (itemId == "3003")
            return itemPage(
                ItemPages::withTmallSetup(QStringLiteral("\"rateConfig\":{\"sellerId\":%1}").arg(sellerId)));
        if (itemId == "3004")
            return itemPage(ItemPages::withPageData(QStringLiteral("\"pcShopUrl\":\"//brandshop.tmall.com\""), card));
    }
    return std::nullopt;
}

Response foundsShopPage() { return shopPage(shopNamed("found").title, shopNamed("found").id); }

Response searchResults()
{
    QString results;
    for (int other = 5001; other < 5021; ++other)
        results += QStringLiteral("<div class=\"item\"><a href=\"//shop%1.taobao.com/view_shop.htm\">店%1</a>"
                                  "<a href=\"//rate.taobao.com/user-rate-%1.htm\">信用</a>"
                                  "<strong class=\"percent lower\">9.00%</strong></div>")
                       .arg(other);
    return page(QStringLiteral("view_shop.htm-淘宝搜索"), results);
}

} // namespace

std::optional<Response> linkPageAnswer(const Request &request)
{
    const QUrlQuery query(QString::fromLatin1(request.target.mid(request.target.indexOf('?') + 1)));
    const QByteArray path = request.target.split('?').value(0);
    if (path == "/item.htm") return itemAnswer(request.host, query.queryItemValue(QStringLiteral("id")));
    if (request.host == "m.tb.cn" && path == "/h.ItemShare")
        return redirectTo("https://item.taobao.com/item.htm?id=3001&sourceType=item&ut_sk=1.abc");
    if (request.host == "e.tb.cn" && path == "/h.ScriptShare")
        return page(QStringLiteral("淘宝"),
                    QStringLiteral("<script>var url = 'https://a.m.taobao.com/i3002.htm?sku=1';"
                                   "setTimeout(function () { location.replace(url); }, 100);</script>"));
    if (request.host == "e.tb.cn" && path == "/h.ShopShare")
        return page(QStringLiteral("淘宝"),
                    QStringLiteral("<script>setTimeout(function () { location.replace("
                                   "'https://shop%1.taobao.com/?spm=a1z10.1'); }, 100);</script>")
                        .arg(QLatin1String(shopNamed("found").id)));
    if (request.host == "m.tb.cn" && path == "/h.Expired")
        return page(QStringLiteral("淘宝"), QStringLiteral("链接已失效"));
    if (request.host.endsWith(".m.taobao.com") || request.host.endsWith(".m.tmall.com"))
        return page(QStringLiteral("手机淘宝"),
                    QStringLiteral("<a href=\"//rate.taobao.com/user-rate-OtherShop.htm\">评价</a>"));
    if (request.host == "brandshop.tmall.com" && path == "/view_shop.htm") return foundsShopPage();
    if (request.host == "store.taobao.com" && path == "/shop/view_shop.htm"
        && query.queryItemValue(QStringLiteral("user_number_id")) == QLatin1String(sellerId))
        return foundsShopPage();
    if (request.host == "s.taobao.com" && path == "/search") return searchResults();
    return std::nullopt;
}

} // namespace tests
