// SPDX-License-Identifier: MIT
#include "lookup/itempage.h"

#include "lookup/hosts.h"
#include "lookup/markupparts.h"
#include "lookup/pageaddress.h"
#include "lookup/shoplink.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <initializer_list>

namespace lookup {

namespace {

// The text of a JSON value that may be written as a string or as a number.
QString textOf(const QJsonValue &value)
{
    if (value.isString()) return value.toString();
    if (value.isDouble()) return value.toVariant().toString();
    return {};
}

QJsonValue at(QJsonValue value, std::initializer_list<const char *> path)
{
    for (const char *key : path)
        value = value.toObject().value(QLatin1StringView(key));
    return value;
}

// The first of the page's scripts that holds the marker, from the marker on.
std::optional<QStringView> scriptFrom(const QList<QStringView> &scripts, QLatin1StringView marker)
{
    for (QStringView script : scripts) {
        const qsizetype at = script.indexOf(marker);
        if (at >= 0) return script.sliced(at);
    }
    return std::nullopt;
}

qsizetype afterBlanks(QStringView text, qsizetype at)
{
    while (at < text.size() && text[at].isSpace())
        ++at;
    return at;
}

// Where the object begins that is assigned at this place of a script ("= {…}"), or -1: the marker
// may also be read or compared before it is set.
qsizetype assignedObjectAt(QStringView script, qsizetype at)
{
    at = afterBlanks(script, at);
    if (at == script.size() || script[at] != u'=') return -1;
    at = afterBlanks(script, at + 1);
    return at < script.size() && script[at] == u'{' ? at : -1;
}

// The JSON object that begins here, found by its balanced braces, its strings and their escapes
// skipped.
std::optional<QJsonObject> objectAt(QStringView script, qsizetype open)
{
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (qsizetype i = open; i < script.size(); ++i) {
        const QChar c = script[i];
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == u'\\')
                escaped = true;
            else if (c == u'"')
                inString = false;
        } else if (c == u'"') {
            inString = true;
        } else if (c == u'{') {
            ++depth;
        } else if (c == u'}' && --depth == 0) {
            const QJsonDocument document = QJsonDocument::fromJson(script.sliced(open, i - open + 1).toUtf8());
            if (document.isObject()) return document.object();
            return std::nullopt;
        }
    }
    return std::nullopt;
}

QString captured(const QRegularExpression &pattern, const QString &text) { return pattern.match(text).captured(1); }

std::optional<QString> shopPageAt(const QString &link)
{
    if (link.isEmpty()) return std::nullopt;
    const std::optional<QString> address = shopLinkAddress(link);
    return address && isShopPage(QUrl(*address)) ? address : std::nullopt;
}

std::optional<QString> ratingPageAt(const QString &link)
{
    if (link.isEmpty()) return std::nullopt;
    const std::optional<QString> address = shopLinkAddress(link);
    return address && isRatingPage(QUrl(*address)) ? address : std::nullopt;
}

std::optional<QString> pageOfShop(const QString &shopId)
{
    return isNumericId(shopId) ? std::optional(shopPageOfShop(shopId)) : std::nullopt;
}

std::optional<QString> pageOfSeller(const QString &sellerId)
{
    return isNumericId(sellerId) ? std::optional(shopPageOfSeller(sellerId)) : std::nullopt;
}

std::optional<QString> firstOf(std::initializer_list<std::optional<QString>> candidates)
{
    for (const std::optional<QString> &candidate : candidates)
        if (candidate) return candidate;
    return std::nullopt;
}

std::optional<ShopCard> shopCardOf(const QJsonObject &storeCard)
{
    ShopCard card;
    card.overall = textOf(storeCard.value(QLatin1StringView("overallScore")));
    bool hasPart = false;
    // Earlier pages held the three old ratings under the same key: each part is read by its title.
    for (const QJsonValue &evaluate : storeCard.value(QLatin1StringView("evaluates")).toArray()) {
        const auto &titles = shopCardParts();
        const auto title = std::find(titles.begin(), titles.end(), textOf(evaluate[QLatin1StringView("title")]));
        if (title == titles.end()) continue;
        QString &part = card.parts[size_t(title - titles.begin())];
        if (!part.isEmpty()) continue;
        part = textOf(evaluate[QLatin1StringView("score")]);
        hasPart = hasPart || !part.isEmpty();
    }
    if (card.overall.isEmpty() && !hasPart) return std::nullopt;
    return card;
}

// The page data: the object the first assignment to the marker in the page's scripts sets, read
// once, so that the whole costs one pass over the scripts.
std::optional<QJsonObject> pageData(const QList<QStringView> &scripts)
{
    constexpr QLatin1StringView marker("__ICE_APP_CONTEXT__");
    for (QStringView script : scripts) {
        for (qsizetype at = script.indexOf(marker); at >= 0; at = script.indexOf(marker, at + 1)) {
            const qsizetype open = assignedObjectAt(script, at + marker.size());
            if (open >= 0) return objectAt(script, open);
        }
    }
    return std::nullopt;
}

std::optional<ItemShop> fromPageData(const QList<QStringView> &scripts)
{
    const std::optional<QJsonObject> context = pageData(scripts);
    if (!context) return std::nullopt;
    const QJsonValue res = at(*context, {"loaderData", "home", "data", "res"});
    const QJsonValue seller = res[QLatin1StringView("seller")];
    const QJsonObject storeCard = at(res, {"componentsVO", "storeCardVO"}).toObject();
    ItemShop shop;
    shop.address = firstOf({shopPageAt(textOf(seller[QLatin1StringView("pcShopUrl")])),
                            shopPageAt(textOf(storeCard.value(QLatin1StringView("shopUrl")))),
                            pageOfShop(textOf(seller[QLatin1StringView("shopId")])),
                            pageOfSeller(textOf(seller[QLatin1StringView("sellerId")])),
                            pageOfSeller(textOf(seller[QLatin1StringView("userId")]))});
    shop.card = shopCardOf(storeCard);
    return shop;
}

// A page may set its configuration more than once, the first time before it knows the shop: each
// script that sets it is read until one names the shop.
std::optional<QString> fromPageConfiguration(const QList<QStringView> &scripts)
{
    // Fields of the script's object, by name: the key quoted or not, the value a number or a text.
    static const QRegularExpression shopUrl(
        QStringLiteral("[\"']?\\bshop[\"']?\\s*:\\s*\\{[^{}]*?[\"']?\\burl[\"']?\\s*:\\s*[\"']([^\"']+)[\"']"));
    static const QRegularExpression shopId(QStringLiteral("[\"']?\\bshopId[\"']?\\s*:\\s*[\"']?(\\d+)"));
    static const QRegularExpression sellerId(QStringLiteral("[\"']?\\bsellerId[\"']?\\s*:\\s*[\"']?(\\d+)"));
    for (QStringView script : scripts) {
        const qsizetype at = script.indexOf(QLatin1StringView("g_config"));
        if (at < 0) continue;
        const QString config = script.sliced(at).toString();
        if (std::optional<QString> address =
                firstOf({shopPageAt(captured(shopUrl, config)), pageOfShop(captured(shopId, config)),
                         pageOfSeller(captured(sellerId, config))}))
            return address;
    }
    return std::nullopt;
}

// The value of a key in the "microscope-data" meta's content: "pageId=1;shopId=123;userid=456;".
std::optional<QString> fromMicroscopeData(const QString &markup)
{
    // A tag ends at its ">" and never runs into the next one: markup cut short names nothing.
    static const QRegularExpression meta(
        QStringLiteral("<meta\\b[^<>]*\\bname\\s*=\\s*[\"']microscope-data[\"'][^<>]*>"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression content(QStringLiteral("\\bcontent\\s*=\\s*[\"']([^\"']*)[\"']"));
    const QString values = captured(content, meta.match(markup).captured());
    QString shopId;
    QString sellerId;
    for (const QString &pair : values.split(u';')) {
        const QString key = pair.section(u'=', 0, 0).trimmed();
        const QString value = pair.section(u'=', 1).trimmed();
        if (key == QLatin1String("shopId"))
            shopId = value;
        else if (key == QLatin1String("userid"))
            sellerId = value;
    }
    return firstOf({pageOfShop(shopId), pageOfSeller(sellerId)});
}

// The shop box beside the item: the links to its shop (its name, 进入店铺), else its rating page.
std::optional<QString> fromShopBox(const QString &markup)
{
    constexpr QLatin1StringView box("J_ShopInfo");
    const std::optional<QStringView> tag = openTagWithId(markup, box);
    if (!tag) return std::nullopt;
    if (const std::optional<QStringView> element = elementFrom(markup, *tag)) {
        for (const QString &link : linksIn(*element))
            if (std::optional<QString> address = shopPageAt(link)) return address;
    }
    return ratingPageAt(attributeOf(*tag, QLatin1StringView("data-rateurl")));
}

// Tmall's hidden inputs beside the shop's ratings: the seller's number, else the rating page.
std::optional<QString> fromHiddenInputs(const QString &markup)
{
    constexpr QLatin1StringView value("value");
    const std::optional<QStringView> seller = openTagWithId(markup, QLatin1StringView("dsr-userid"));
    if (seller)
        if (std::optional<QString> address = pageOfSeller(attributeOf(*seller, value))) return address;
    const std::optional<QStringView> rateLink = openTagWithId(markup, QLatin1StringView("dsr-ratelink"));
    return rateLink ? ratingPageAt(attributeOf(*rateLink, value)) : std::nullopt;
}

std::optional<QString> fromTmallSetup(const QList<QStringView> &scripts)
{
    static const QRegularExpression sellerId(
        QStringLiteral("[\"']?\\brateConfig[\"']?\\s*:\\s*\\{[^{}]*?[\"']?\\bsellerId[\"']?\\s*:\\s*[\"']?(\\d+)"));
    const std::optional<QStringView> setup = scriptFrom(scripts, QLatin1StringView("TShop.Setup"));
    return setup ? pageOfSeller(captured(sellerId, setup->toString())) : std::nullopt;
}

} // namespace

const std::array<QString, 3> &shopCardParts()
{
    static const std::array<QString, 3> parts = {QStringLiteral("宝贝质量"), QStringLiteral("物流速度"),
                                                 QStringLiteral("服务保障")};
    return parts;
}

ItemShop readItemPage(const QString &markup)
{
    const QList<QStringView> scripts = scriptTexts(markup);
    ItemShop shop = fromPageData(scripts).value_or(ItemShop{});
    if (!shop.address)
        shop.address = firstOf({fromPageConfiguration(scripts), fromMicroscopeData(markup), fromShopBox(markup),
                                fromHiddenInputs(markup), fromTmallSetup(scripts)});
    return shop;
}

} // namespace lookup
