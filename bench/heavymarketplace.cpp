// SPDX-License-Identifier: MIT
#include "heavymarketplace.h"

#include "dsrpages.h"
#include "webtest.h"

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>

namespace bench {

namespace {

constexpr int responseDelayMs = 20;

tests::Response part(const QByteArray &body, const QByteArray &contentType)
{
    tests::Response response;
    response.body = body;
    response.contentType = contentType;
    return response;
}

// A product picture as a shop lists them: a 400 × 400 JPEG.
QByteArray thumbnail()
{
    static const QByteArray bytes = [] {
        QImage image(400, 400, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb((x + y) % 256, random.bounded(64) + 96, (400 - x) % 256));
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG", 80);
        return jpeg;
    }();
    return bytes;
}

QByteArray styleSheet()
{
    QByteArray css =
        "@font-face { font-family: shop; src: url(https://g.alicdn.com/font/shop.woff2) format('woff2'); }\n"
        "body { font-family: shop, sans-serif; }\n";
    for (int i = 0; i < 400; ++i)
        css += ".c" + QByteArray::number(i) + " { margin: " + QByteArray::number(i % 17) + "px; color: #333; }\n";
    return css;
}

QByteArray script()
{
    QByteArray js = "var shop = {};\n";
    for (int i = 0; i < 600; ++i)
        js += "shop.f" + QByteArray::number(i) + " = function (a) { return a * " + QByteArray::number(i) + " + 1; };\n";
    return js;
}

// A web font's weight; the bytes are no real font, but they are fetched like one.
QByteArray font() { return QByteArray(60 * 1024, 'F'); }

QString pictures(int count)
{
    QString markup;
    for (int i = 0; i < count; ++i)
        markup +=
            QStringLiteral("<div class=\"item c%1\"><img src=\"https://img.alicdn.com/imgextra/i%1.jpg\" width=\"400\" "
                           "height=\"400\"></div>\n")
                .arg(i);
    return markup;
}

// Markup that reads like a shop's item list, up to about the given size.
QString filler(int bytes)
{
    const QString item =
        QStringLiteral("<div class=\"item-info\"><a href=\"//item.taobao.com/item.htm?id=61234567\">"
                       "新款宝贝 包邮 正品保证 七天无理由退换</a><span class=\"price\">¥128.00</span></div>\n");
    return item.repeated(bytes / item.toUtf8().size());
}

// The shops the searches find: the benchmark's own, and those the soak rotates through.
struct Shop {
    QByteArray searched;
    QByteArray id;
    QString name;
    QString lowerComparison; // the description's comparison, below the industry
    bool dsrList = true;
};

const QList<Shop> &shops()
{
    static const QList<Shop> all = {
        {"shop", "5001", QStringLiteral("基准旗舰店"), QStringLiteral("2.00%")},
        {"shop2", "5002", QStringLiteral("第二基准店"), QStringLiteral("1.00%")},
        {"nodsr", "5003", QStringLiteral("无评分基准店"), QStringLiteral("2.00%"), false},
    };
    return all;
}

const Shop *shopWhere(const std::function<bool(const Shop &)> &matches)
{
    for (const Shop &shop : shops())
        if (matches(shop)) return &shop;
    return nullptr;
}

tests::Response shopPage(const Shop &shop)
{
    return tests::page(QStringLiteral("首页-%1-淘宝网").arg(shop.name),
                       QStringLiteral("<link rel=\"stylesheet\" href=\"https://g.alicdn.com/shop/a.css\">"
                                      "<link rel=\"stylesheet\" href=\"https://g.alicdn.com/shop/b.css\">")
                           + pictures(40) + filler(280 * 1024)
                           + QStringLiteral("<a href=\"//rate.taobao.com/user-rate-%1.htm\">信用评价</a>"
                                            "<script src=\"https://g.alicdn.com/shop/a.js\"></script>"
                                            "<script src=\"https://g.alicdn.com/shop/b.js\"></script>")
                                 .arg(QString::fromLatin1(shop.id)));
}

tests::Response ratingPage(const Shop &shop)
{
    const QList<lookup::StrongElement> comparisons = {
        {"percent lower", shop.lowerComparison}, {"percent normal", "0.00%"}, {"percent", "3.00%"}};
    const QString figures = shop.dsrList ? tests::ratingPageBody(tests::workedFigures(), comparisons)
                                         : tests::comparisonMarkup(comparisons);
    return tests::page(QStringLiteral("%1 - 信用评价").arg(shop.name), pictures(20) + filler(190 * 1024) + figures);
}

// Each shop's pages, made once: they are large.
tests::Response cachedPage(const QByteArray &key, const std::function<tests::Response()> &make)
{
    static QHash<QByteArray, tests::Response> made;
    if (!made.contains(key)) made.insert(key, make());
    return made.value(key);
}

tests::Response hop(int number)
{
    const QString next = number < 5 ? QStringLiteral("/hop/%1").arg(number + 1)
                                    : QStringLiteral("https://shop5001.taobao.com/view_shop.htm");
    return tests::page(
        QStringLiteral("hop"),
        QStringLiteral("<script>setTimeout(function () { location.replace('%1'); }, 100);</script>").arg(next));
}

tests::Response answerInTime(const tests::Request &request)
{
    const QByteArray &target = request.target;
    if (request.host == "shopsearch.taobao.com") {
        const QByteArray searched = target.mid(target.indexOf("%40") + 3).split('&').value(0);
        if (searched == "hops") return tests::redirectTo("https://www.taobao.com/hop/1");
        if (searched == "login") return tests::redirectTo("https://login.taobao.com/member/login.jhtml?redirectURL=x");
        const Shop *shop = shopWhere([&](const Shop &s) { return s.searched == searched; });
        if (!shop) return tests::page(QStringLiteral("搜索"), QStringLiteral("没有找到")); // no such shop
        return tests::redirectTo("https://shop" + shop->id + ".taobao.com/view_shop.htm");
    }
    if (request.host == "www.taobao.com" && target.startsWith("/hop/")) return hop(target.mid(5).toInt());
    if (request.host == "login.taobao.com") return tests::page(QStringLiteral("登录"), QStringLiteral("登录"));
    static const QByteArray css = styleSheet();
    static const QByteArray js = script();
    if (const Shop *shop = shopWhere([&](const Shop &s) { return request.host == "shop" + s.id + ".taobao.com"; }))
        return cachedPage(request.host, [shop] { return shopPage(*shop); });
    if (const Shop *shop = shopWhere([&](const Shop &s) { return target == "/user-rate-" + s.id + ".htm"; }))
        return cachedPage(target, [shop] { return ratingPage(*shop); });
    if (target.endsWith(".jpg")) return part(thumbnail(), "image/jpeg");
    if (target.endsWith(".css")) return part(css, "text/css");
    if (target.endsWith(".js")) return part(js, "application/javascript");
    if (target.endsWith(".woff2")) {
        tests::Response webFont = part(font(), "font/woff2");
        webFont.headers.append(qMakePair(QByteArray("Access-Control-Allow-Origin"), QByteArray("*")));
        return webFont;
    }
    if (request.host == "www.quillfen.example")
        return tests::page(QStringLiteral("Quillfen"), QStringLiteral("Quillfen"));
    tests::Response notFound = tests::page(QStringLiteral("not found"), QStringLiteral("not found"));
    notFound.status = 404;
    return notFound;
}

} // namespace

tests::Response heavyAnswer(const tests::Request &request)
{
    tests::Response response = answerInTime(request);
    response.delayMs = responseDelayMs;
    return response;
}

} // namespace bench
