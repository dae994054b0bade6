// SPDX-License-Identifier: MIT
#include "catalogue.h"

#include "dsrpages.h"
#include "linkpages.h"
#include "webtest.h"

#include <QUrlQuery>

namespace tests {

namespace {

using Page = std::function<Response(const Shop &)>;

// The shop page that links its rating page, after some markup of its own.
Page linked(const QString &before = {})
{
    return [before](const Shop &shop) { return shopPage(shop.title, shop.id, before); };
}

Response ratingPageOf(const Shop &shop, const QString &body)
{
    return page(shop.title + QStringLiteral(" - 信用评价"), body);
}

Page rated(const QList<DsrFigures> &figures, const QList<lookup::StrongElement> &comparisons)
{
    return [=](const Shop &shop) { return ratingPageOf(shop, ratingPageBody(figures, comparisons)); };
}

Page late(Page answer, int delayMs)
{
    return [=](const Shop &shop) {
        Response response = answer(shop);
        response.delayMs = delayMs;
        return response;
    };
}

Page cutBefore(Page answer, const QString &before)
{
    return [=](const Shop &shop) { return cut(answer(shop), before.toUtf8()); };
}

QList<DsrFigures> withRaters(QString raters)
{
    QList<DsrFigures> figures = workedFigures();
    figures[0].raters = std::move(raters);
    return figures;
}

// Two megabytes of an item list before the rating link, then a rating page broken every way:
// unclosed tags, stray quotes, a list cut short.
const QString itemList =
    QStringLiteral("<div class=\"item\"><a href=\"//item.taobao.com/item.htm?id=1\">宝贝</a></div>\n").repeated(30000);
const QString malformedRating =
    QStringLiteral("<ul id=\"dsr\"><li><em title=\"4.8分\"\"<div class=count count>暂无人打分<span>共<SPAN>abc<"
                   "</ul><strong class=\"percent lower\">12.5<b>%</strong><strong class='percent'><<<</strong>");

// Takes the shop page's address a moment after the page has loaded, when the browser has already
// reported it loaded under its old one.
const QString renamesItselfOnceLoaded =
    QStringLiteral("<script>addEventListener('load', function () {"
                   " setTimeout(function () { history.replaceState(null, '', '/view_shop.htm'); }, 0); });</script>");

// Each read of the rating page in turn: the first answer, then the second, then the first again.
Page inTurn(Page first, Page second)
{
    auto reads = std::make_shared<int>(0);
    return [=](const Shop &shop) { return (*reads)++ % 2 == 0 ? first(shop) : second(shop); };
}

// found's figures with the description risen from 4.77, 2.00 % below the industry, to 4.80, 0.50 % above.
Page risen()
{
    QList<DsrFigures> figures = workedFigures();
    figures[0].score = "4.80";
    QList<lookup::StrongElement> comparisons = workedComparisons();
    comparisons[0] = {"percent over", "0.50%"};
    return rated(figures, comparisons);
}

QList<lookup::StrongElement> manyComparisons()
{
    QList<lookup::StrongElement> many(10000, {"percent lower", "9.00%"});
    many.prepend({"percent normal", "1.00%"});
    return many;
}

// The same shop behind each kind of verification at each step: "sec-search" … "slider-rating".
QList<Shop> guardedShops(const Page &rating)
{
    const std::pair<const char *, Guard::Step> steps[] = {
        {"search", Guard::Step::Search}, {"shop", Guard::Step::ShopPage}, {"rating", Guard::Step::RatingPage}};
    const std::pair<const char *, Guard::Check> checks[] = {{"sec", Guard::Check::QueryPage},
                                                            {"slider", Guard::Check::Slider}};
    QList<Shop> shops;
    int id = 1011;
    for (const auto &[stepName, step] : steps) {
        for (const auto &[checkName, check] : checks)
            shops.append({QByteArray(checkName) + '-' + stepName, QByteArray::number(id++), QStringLiteral("验证店"),
                          linked(), rating, "/view_shop.htm", Guard{step, check}});
    }
    return shops;
}

Response hang(const Shop &)
{
    Response never;
    never.hang = true;
    return never;
}

// The login page; sent, it sets the login cookie and goes on to the address it was given to
// return to, as the marketplace's does.
Response loginPage(const Request &request)
{
    if (request.method != "POST")
        return page("login", QStringLiteral("<form method=\"post\" action=\"%1\" style=\"position: absolute; "
                                            "left: 420px; top: 160px\"><input name=\"u\"></form>")
                                 .arg(QString::fromLatin1(request.target).toHtmlEscaped()));
    const QUrlQuery query(QString::fromLatin1(request.target.mid(request.target.indexOf('?') + 1)));
    const QString back = query.queryItemValue("redirectURL", QUrl::FullyDecoded);
    Response loggedIn = back.isEmpty() ? page("logged in", "welcome") : redirectTo(back.toUtf8());
    loggedIn.headers.append(
        qMakePair(QByteArray("Set-Cookie"), QByteArray("logged=1; Domain=.taobao.com; Path=/; Secure")));
    return loggedIn;
}

QByteArray addressOf(const Request &request)
{
    return (request.https ? "https://" : "http://") + request.host + request.target;
}

QByteArray passCookie(const Shop &shop) { return "x5sec" + shop.id + "=1"; }

// The verification the shop's guard puts in front of this step, unless the browser has passed it.
std::optional<Response> guarded(const Shop &shop, Guard::Step step, const Request &request)
{
    if (!shop.guard || shop.guard->step != step || request.headers.value("cookie").contains(passCookie(shop)))
        return std::nullopt;
    const QByteArray back = addressOf(request).toPercentEncoding();
    const QByteArray pass = "&x5pass=" + passCookie(shop).toPercentEncoding();
    if (shop.guard->check == Guard::Check::QueryPage)
        return redirectTo("https://sec.taobao.com/query.htm?action=QueryAction&smApp=ratemanager"
                          "&smPolicy=ratemanager-anti_Spider-html-checklogin&smReturn="
                          + back + pass);
    const QByteArray slider =
        "https://" + request.host + "/_____tmd_____/punish?x5secdata=abc&x5step=1&x5referer=" + back + pass;
    if (step != Guard::Step::RatingPage) return redirectTo(slider);
    return page("rate", QStringLiteral("<script>location.replace('%1');</script>").arg(QString::fromLatin1(slider)));
}

// A verification page: a form in the part of the page the login window shows; sent, it sets the
// shop's pass cookie and goes back to the page that was asked for.
Response verification(const Request &request)
{
    const QUrlQuery query(QString::fromLatin1(request.target.mid(request.target.indexOf('?') + 1)));
    if (request.method != "POST")
        return page("verify", QStringLiteral("<form method=\"post\" action=\"%1\" style=\"position: absolute; "
                                             "left: 420px; top: 160px\"><input name=\"slide\"></form>")
                                  .arg(QString::fromLatin1(request.target).toHtmlEscaped()));
    const QString back =
        query.queryItemValue(request.host == "sec.taobao.com" ? "smReturn" : "x5referer", QUrl::FullyDecoded);
    Response passed = redirectTo(back.toUtf8());
    passed.headers.append(
        qMakePair(QByteArray("Set-Cookie"), query.queryItemValue("x5pass", QUrl::FullyDecoded).toUtf8()
                                                + "; Domain=.taobao.com; Path=/; Secure"));
    return passed;
}

const Shop *shopWhere(const QList<Shop> &shops, const std::function<bool(const Shop &)> &matches)
{
    for (const Shop &shop : shops)
        if (matches(shop)) return &shop;
    return nullptr;
}

} // namespace

const QList<Shop> &catalogue()
{
    const QList<lookup::StrongElement> three = workedComparisons();
    // clang-format off
    static const QList<Shop> shops = QList<Shop>{
        {"found", "1001", QStringLiteral("测试旗舰店"), linked(), rated(workedFigures(), three)},
        {"twodims", "1002", QStringLiteral("第二家店"), linked(),
         rated(workedFigures().mid(0, 2), {{"percent", "1.00%"}, {"percent normal", "0.00%"}})},
        {"nolink",
         "1003",
         QStringLiteral("无链接店"),
         [](const Shop &shop) {
             return page(QStringLiteral("首页-%1-淘宝网").arg(shop.title), "<a href=\"/search.htm\">搜索</a>");
         },
         {}},
        {"nodsr", "1004", QStringLiteral("无评分店"), linked(),
         [=](const Shop &shop) { return ratingPageOf(shop, comparisonMarkup(three)); }},
        {"nbsp-before", "1005", QStringLiteral("空格店"), linked(),
         rated(withRaters(QStringLiteral("\u00A01000")), three)},
        {"nbsp-after", "1006", QStringLiteral("空格店"), linked(),
         rated(withRaters(QStringLiteral("1000\u00A0")), three)},
        {"slow", "1007", QStringLiteral("慢店"), linked(), late(rated(workedFigures(), three), 1500)},
        {"unreadable", "2001", QStringLiteral("大店"), linked(itemList),
         [](const Shop &shop) { return ratingPageOf(shop, malformedRating); }},
        {"cut-shop", "2011", QStringLiteral("断店"), cutBefore(linked(), QStringLiteral("<a href")),
         rated(workedFigures(), three)},
        {"cut-rating", "2012", QStringLiteral("断评店"), linked(),
         cutBefore(rated(workedFigures(), three), QStringLiteral("卖家的服务态度"))},
        {"huge", "2003", QStringLiteral("巨店"), linked(QString(10'000'000, u'x')), rated(workedFigures(), three)},
        {"many", "2004", QStringLiteral("多比较店"), linked(), rated(workedFigures(), manyComparisons())},
        {"hostile", "2006", QStringLiteral("<b>粗</b><img src=x onerror=alert(1)>"), linked(),
         rated(workedFigures(),
               {{"percent lower", QStringLiteral("<img src=x onerror=\"document.title='x'\">2.00%")}})},
        {"renamed", "1008", QStringLiteral("改名店"), linked(renamesItselfOnceLoaded), rated(workedFigures(), three),
         "/index.htm"},
        {"hanging", "2007", QStringLiteral("挂店"), linked(), hang},
        {"hops", "1009", QStringLiteral("测试旗舰店"), linked(), rated(workedFigures(), three), "/view_shop.htm",
         std::nullopt, 5},
        {"云栖数码旗舰店", "1010", QStringLiteral("云栖数码旗舰店"), linked(),
         rated(workedFigures(), three)}, // the screenshots'
        {"rising", "1020", QStringLiteral("上升店"), linked(), inTurn(rated(workedFigures(), three), risen())},
        // The same for each user-level case that watches: the marketplace counts a shop's reads
        // across the cases, and each case starts on the shop's first page.
        {"rising2", "1021", QStringLiteral("上升二店"), linked(), inTurn(rated(workedFigures(), three), risen())},
        {"rising3", "1022", QStringLiteral("上升三店"), linked(), inTurn(rated(workedFigures(), three), risen())},
    } + guardedShops(rated(workedFigures(), three));
    // clang-format on
    return shops;
}

const Shop &shopNamed(const QByteArray &name)
{
    const Shop *shop = shopWhere(catalogue(), [&](const Shop &s) { return s.name == name; });
    if (!shop) qFatal("no shop named %s in the catalogue", name.constData());
    return *shop;
}

QByteArray searchedName(const Request &request)
{
    const QByteArray start = "/search?q=%40";
    if (!request.target.startsWith(start)) return {};
    return QByteArray::fromPercentEncoding(request.target.mid(start.size()).split('&').value(0));
}

Response shopPage(const QString &title, const QByteArray &ratingId, const QString &before)
{
    return page(QStringLiteral("首页-%1-淘宝网").arg(title),
                before
                    + QStringLiteral("<a href=\"//rate.taobao.com/user-rate-%1.htm\">信用评价</a>")
                          .arg(QString::fromLatin1(ratingId)));
}

Response cut(Response response, const QByteArray &before)
{
    response.cutAfter = response.body.indexOf(before);
    return response;
}

bool isVerificationAddress(const QByteArray &address)
{
    return address.startsWith("https://sec.taobao.com/query.htm") || address.contains("/_____tmd_____/punish");
}

// The hop page at /hop/<id>/<number>: on to the next, or after the last to the shop page.
Response hop(const Shop &shop, int number)
{
    const QByteArray next = number < shop.hops ? "/hop/" + shop.id + '/' + QByteArray::number(number + 1)
                                               : "https://shop" + shop.id + ".taobao.com" + shop.entry;
    return page(QStringLiteral("hop"), QStringLiteral("<script>setTimeout(function () { location.replace('%1'); }, "
                                                      "100);</script>")
                                           .arg(QString::fromLatin1(next)));
}

std::optional<Response> shopAnswer(const QList<Shop> &shops, const Request &request)
{
    if (isVerificationAddress(addressOf(request))) return std::nullopt; // the catalogue's own, on any host
    if (request.host == "shopsearch.taobao.com") {
        const Shop *shop = shopWhere(shops, [&](const Shop &s) { return s.name == searchedName(request); });
        if (!shop) return std::nullopt;
        const QByteArray found = shop->hops > 0 ? "https://www.taobao.com/hop/" + shop->id + "/1"
                                                : "https://shop" + shop->id + ".taobao.com" + shop->entry;
        return guarded(*shop, Guard::Step::Search, request).value_or(redirectTo(found));
    }
    if (request.host == "www.taobao.com" && request.target.startsWith("/hop/")) {
        const QList<QByteArray> idAndNumber = request.target.mid(5).split('/');
        const Shop *shop = shopWhere(shops, [&](const Shop &s) { return s.id == idAndNumber.value(0); });
        if (shop && shop->hops > 0) return hop(*shop, idAndNumber.value(1).toInt());
    }
    if (const Shop *shop =
            shopWhere(shops, [&](const Shop &s) { return request.host == "shop" + s.id + ".taobao.com"; }))
        return guarded(*shop, Guard::Step::ShopPage, request).value_or(shop->shopPage(*shop));
    if (const Shop *shop =
            shopWhere(shops, [&](const Shop &s) { return request.target == "/user-rate-" + s.id + ".htm"; });
        shop && request.host == "rate.taobao.com" && shop->ratingPage)
        return guarded(*shop, Guard::Step::RatingPage, request).value_or(shop->ratingPage(*shop));
    return std::nullopt;
}

Response catalogueAnswer(const Request &request)
{
    if (isVerificationAddress(addressOf(request))) return verification(request);
    if (request.host == "login.taobao.com") return loginPage(request);
    if (request.host == "www.quillfen.example")
        return page(
            QStringLiteral("Quillfen"),
            QStringLiteral("<div style=\"font: 13px sans-serif; padding: 8px; background: #fff4e5\">"
                           "<b>Quillfen</b> 卖家工具：动态评分查询、飘红计算、提升计算</div>"
                           "<img src=\"/logo.png\" alt=\"\" hidden><link rel=\"stylesheet\" href=\"/look.css\">"));
    if (request.host == "shopsearch.taobao.com" && searchedName(request) == "login") {
        if (!request.headers.value("cookie").contains("logged=1")) return redirectTo(loginPageAddress);
        return redirectTo("https://shop" + shopNamed("found").id + ".taobao.com/view_shop.htm");
    }
    if (const QByteArray name = searchedName(request); name == "badgateway" || name == "dropped") {
        Response failed = page("502 Bad Gateway", "bad gateway");
        failed.status = 502;
        failed.drop = name == "dropped";
        return failed;
    }
    if (std::optional<Response> answer = shopAnswer(catalogue(), request)) return *answer;
    if (std::optional<Response> answer = linkPageAnswer(request)) return *answer;
    if (request.host == "shopsearch.taobao.com") return page("search", "no shop");
    Response notFound = page("not found", "not found");
    notFound.status = 404;
    return notFound;
}

void serveCatalogue(const OwnAnswers &own)
{
    marketplace().setHandler([own](const Request &request) {
        if (own) {
            if (std::optional<Response> answer = own(request)) return *answer;
        }
        return catalogueAnswer(request);
    });
}

} // namespace tests
