// SPDX-License-Identifier: MIT
#include "itempages.h"

namespace tests {

namespace {

const QString otherShops = QStringLiteral(
    "<div class=\"recommend\"><a href=\"//shop999.taobao.com/view_shop.htm\">别家店</a>"
    "<a href=\"//rate.taobao.com/user-rate-OtherShop.htm\">别家评价</a>"
    "<a href=\"//item.taobao.com/item.htm?id=9\" data-rateurl=\"//rate.taobao.com/user-rate-Other2.htm\">"
    "别家宝贝</a></div>");

QString itemPage(const QString &head, const QString &body = {})
{
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>宝贝-淘宝网</title>%1</head>"
                          "<body><h1>宝贝</h1>%2%3</body></html>")
        .arg(head, body, otherShops);
}

QString script(const QString &text) { return QStringLiteral("<script>") + text + QStringLiteral("</script>"); }

} // namespace

QString ItemPages::withPageData(const QString &seller, const QString &storeCard)
{
    return itemPage(
        script(QStringLiteral("window.__ICE_APP_CONTEXT__ = {\"appData\":{\"shopId\":\"999\"},"
                              "\"loaderData\":{\"home\":{\"data\":{\"res\":{\"seller\":{%1},"
                              "\"componentsVO\":{\"storeCardVO\":{%2}},"
                              "\"recommend\":{\"shopId\":\"998\",\"text\":\"a } in a \\\"string\\\"\"}}}}}};")
                   .arg(seller, storeCard)));
}

QString ItemPages::withConfiguration(const QString &fields)
{
    return itemPage(script(QStringLiteral("var g_config = {appId: 1, assetsHost: '//g.alicdn.com', %1};").arg(fields))
                    + script(QStringLiteral("var other = {shopId: '997'};")));
}

QString ItemPages::withMicroscopeData(const QString &content)
{
    return itemPage(QStringLiteral("<meta name=\"microscope-data\" content=\"%1\">").arg(content));
}

QString ItemPages::withShopBox(const QString &rateUrl)
{
    return itemPage(
        {},
        QStringLiteral("<div id=\"J_ShopInfo\" class=\"tb-shop-info\" data-rateurl=\"%1\">掌柜</div>").arg(rateUrl));
}

QString ItemPages::withTmallSetup(const QString &setup)
{
    return itemPage({}, script(QStringLiteral("TShop.Setup({\"itemDO\":{\"itemId\":\"5\"},%1});").arg(setup)));
}

QString ItemPages::with(const QString &head, const QString &body) { return itemPage(head, body); }

QString ItemPages::namingNoShop() { return itemPage({}); }

QString shopCardMembers(const QString &shopId)
{
    return QStringLiteral(
               "\"shopUrl\":\"//shop%1.taobao.com\",\"overallScore\":\"4.3\",\"starNum\":\"4.0\","
               "\"evaluates\":[{\"title\":\"宝贝描述\",\"score\":\"4.9\"},{\"title\":\"宝贝质量\",\"score\":\"4.5\"},"
               "{\"title\":\"物流速度\",\"score\":\"4.0\"},{\"title\":\"服务保障\",\"score\":\"4.1\"}],"
               "\"labelList\":[{\"contentDesc\":\"90天新增43条好评\"}]")
        .arg(shopId);
}

} // namespace tests
