// SPDX-License-Identifier: MIT
#include "heavymarketplace.h"

#include "catalogue.h"
#include "webtest.h"

#include <QBuffer>
#include <QHash>
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

// The catalogue's page with the weight of the real one around what it says.
tests::Response weighed(tests::Response page, const QString &before, const QString &after = {})
{
    const qsizetype bodyStart = page.body.indexOf("<body>") + 6;
    page.body.insert(page.body.lastIndexOf("</body>"), after.toUtf8());
    page.body.insert(bodyStart, before.toUtf8());
    return page;
}

const QString shopLooks = QStringLiteral("<link rel=\"stylesheet\" href=\"https://g.alicdn.com/shop/a.css\">"
                                         "<link rel=\"stylesheet\" href=\"https://g.alicdn.com/shop/b.css\">");
const QString shopScripts = QStringLiteral("<script src=\"https://g.alicdn.com/shop/a.js\"></script>"
                                           "<script src=\"https://g.alicdn.com/shop/b.js\"></script>");

// Each page made once: they are large.
tests::Response cachedWeighed(const tests::Request &request)
{
    static QHash<QByteArray, tests::Response> made;
    const QByteArray key = request.host + request.target;
    if (!made.contains(key)) {
        const tests::Response light = tests::catalogueAnswer(request);
        made.insert(key, request.host == "rate.taobao.com"
                             ? weighed(light, pictures(20) + filler(190 * 1024))
                             : weighed(light, shopLooks + pictures(40) + filler(280 * 1024), shopScripts));
    }
    return made.value(key);
}

tests::Response answerInTime(const tests::Request &request)
{
    const QByteArray &target = request.target;
    static const QByteArray css = styleSheet();
    static const QByteArray js = script();
    if (target.endsWith(".jpg")) return part(thumbnail(), "image/jpeg");
    if (target.endsWith(".css")) return part(css, "text/css");
    if (target.endsWith(".js")) return part(js, "application/javascript");
    if (target.endsWith(".woff2")) {
        tests::Response webFont = part(font(), "font/woff2");
        webFont.headers.append(qMakePair(QByteArray("Access-Control-Allow-Origin"), QByteArray("*")));
        return webFont;
    }
    const bool shopOrRating = request.host.endsWith(".taobao.com") && request.host.startsWith("shop")
                              && !request.host.startsWith("shopsearch");
    if (shopOrRating || request.host == "rate.taobao.com") return cachedWeighed(request);
    return tests::catalogueAnswer(request);
}

} // namespace

QString ratingAddress()
{
    return QStringLiteral("https://rate.taobao.com/user-rate-%1.htm").arg(QLatin1String(tests::shopNamed("found").id));
}

tests::Response heavyAnswer(const tests::Request &request)
{
    tests::Response response = answerInTime(request);
    response.delayMs = responseDelayMs;
    return response;
}

} // namespace bench
