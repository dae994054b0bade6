// SPDX-License-Identifier: MIT
#include "lookup/itempage.h"

#include "lookup/hosts.h"
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

constexpr QLatin1StringView scriptEnd{"</script"};

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

// The JSON object assigned to the marker ("__ICE_APP_CONTEXT__ = {…}"), found by its balanced braces,
// its strings and their escapes skipped.
std::optional<QJsonObject> objectAssignedTo(const QString &markup, QLatin1StringView marker)
{
    static const QRegularExpression assignment(QStringLiteral("\\s*=\\s*\\{"));
    for (qsizetype at = markup.indexOf(marker); at >= 0; at = markup.indexOf(marker, at + 1)) {
        const QRegularExpressionMatch assigned = assignment.match(
            markup, at + marker.size(), QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (!assigned.hasMatch()) continue;
        const qsizetype open = assigned.capturedEnd() - 1;
        int depth = 0;
        bool inString = false;
        bool escaped = false;
        for (qsizetype i = open; i < markup.size(); ++i) {
            const QChar c = markup[i];
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
                const QJsonDocument document = QJsonDocument::fromJson(markup.mid(open, i - open + 1).toUtf8());
                if (document.isObject()) return document.object();
                break;
            }
        }
    }
    return std::nullopt;
}

// The script text from the marker to the end of its script element.
QString scriptFrom(const QString &markup, QLatin1StringView marker)
{
    const qsizetype at = markup.indexOf(marker);
    if (at < 0) return {};
    const qsizetype end = markup.indexOf(scriptEnd, at, Qt::CaseInsensitive);
    return markup.mid(at, end < 0 ? -1 : end - at);
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

std::optional<ItemShop> fromPageData(const QString &markup)
{
    const std::optional<QJsonObject> context = objectAssignedTo(markup, QLatin1StringView("__ICE_APP_CONTEXT__"));
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

std::optional<QString> fromPageConfiguration(const QString &markup)
{
    const QString config = scriptFrom(markup, QLatin1StringView("g_config"));
    if (config.isEmpty()) return std::nullopt;
    // Fields of the script's object, by name: the key quoted or not, the value a number or a text.
    static const QRegularExpression shopUrl(
        QStringLiteral("[\"']?\\bshop[\"']?\\s*:\\s*\\{[^{}]*?[\"']?\\burl[\"']?\\s*:\\s*[\"']([^\"']+)[\"']"));
    static const QRegularExpression shopId(QStringLiteral("[\"']?\\bshopId[\"']?\\s*:\\s*[\"']?(\\d+)"));
    static const QRegularExpression sellerId(QStringLiteral("[\"']?\\bsellerId[\"']?\\s*:\\s*[\"']?(\\d+)"));
    return firstOf({shopPageAt(captured(shopUrl, config)), pageOfShop(captured(shopId, config)),
                    pageOfSeller(captured(sellerId, config))});
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

std::optional<QString> fromShopBox(const QString &markup)
{
    static const QRegularExpression box(QStringLiteral("<[a-z][^<>]*\\bid\\s*=\\s*[\"']J_ShopInfo[\"'][^<>]*>"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression rateUrl(QStringLiteral("\\bdata-rateurl\\s*=\\s*[\"']([^\"']*)[\"']"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString link = captured(rateUrl, box.match(markup).captured());
    return ratingPageAt(link.replace(QLatin1String("&amp;"), QLatin1String("&")));
}

std::optional<QString> fromTmallSetup(const QString &markup)
{
    static const QRegularExpression sellerId(
        QStringLiteral("[\"']?\\brateConfig[\"']?\\s*:\\s*\\{[^{}]*?[\"']?\\bsellerId[\"']?\\s*:\\s*[\"']?(\\d+)"));
    return pageOfSeller(captured(sellerId, scriptFrom(markup, QLatin1StringView("TShop.Setup"))));
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
    ItemShop shop = fromPageData(markup).value_or(ItemShop{});
    if (!shop.address)
        shop.address = firstOf(
            {fromPageConfiguration(markup), fromMicroscopeData(markup), fromShopBox(markup), fromTmallSetup(markup)});
    return shop;
}

} // namespace lookup
