// SPDX-License-Identifier: MIT
#include "lookup/pageflow.h"

#include "calc/headroom.h"
#include "calc/numbers.h"
#include "calc/turnred.h"
#include "lookup/hosts.h"
#include "lookup/linkextract.h"
#include "lookup/pageaddress.h"
#include "lookup/ratingparser.h"

#include <QLoggingCategory>
#include <QUrl>

#include <algorithm>
#include <array>

namespace lookup {

// What the page flow did with each page, for finding where a query stopped when the marketplace
// changed its pages. Off unless QT_LOGGING_RULES turns it on; to stderr, never to a file.
Q_LOGGING_CATEGORY(lcFlow, "larkspire.flow", QtInfoMsg)

namespace {

// The address without its query and fragment. The login page carries the address it returns to
// in its query, and that is usually the shop search: the hosts are looked for before it.
QStringView withoutQuery(const QString &address)
{
    qsizetype end = address.size();
    for (QChar mark : {u'?', u'#'}) {
        const qsizetype at = address.indexOf(mark);
        if (at >= 0) end = std::min(end, at);
    }
    return QStringView(address).left(end);
}

// The hosts of the search and login pages are looked for in the shown address before its query;
// the pages on the way to a shop are told by the document's own address, by its host and path.
bool shownOn(const PageSnapshot &page, QLatin1StringView host) { return withoutQuery(page.locationUrl).contains(host); }

} // namespace

Landing landingOf(const PageSnapshot &page)
{
    const QUrl document(page.documentUrl);
    // The engine shows its own error page in place of one it could not load.
    if (page.loadFailed || document.scheme() == QLatin1String("chrome-error")) return Landing::FailedLoad;
    if (isVerificationPage(QUrl(page.locationUrl))) return Landing::VerificationPage;
    if (shownOn(page, shopSearchHost)) return Landing::SearchPage;
    if (shownOn(page, loginHost)) return Landing::LoginPage;
    if (isShopPage(document)) return Landing::ShopPage;
    if (isRatingPage(document)) return Landing::RatingPage;
    if (isItemPage(document)) return Landing::ItemPage;
    if (desktopPage(document)) return Landing::MobilePage;
    if (shopPageOnItsHost(document)) return Landing::ShopsOtherPage;
    if (isSharePage(document)) return Landing::SharePage;
    return Landing::Other;
}

Landing landingOf(const QString &address)
{
    PageSnapshot page;
    page.locationUrl = page.documentUrl = address;
    return landingOf(page);
}

SnapshotParts partsReadOn(Landing landing)
{
    switch (landing) {
    case Landing::ShopPage:
    case Landing::SharePage: return {true, false, false, false};
    case Landing::RatingPage: return {false, true, true, false};
    case Landing::ItemPage: return {false, false, false, true};
    case Landing::FailedLoad:
    case Landing::VerificationPage:
    case Landing::SearchPage:
    case Landing::LoginPage:
    case Landing::MobilePage:
    case Landing::ShopsOtherPage:
    case Landing::Other: break;
    }
    return {};
}

QList<ReadingRule> readingRules()
{
    // The script that reads a page knows only the text of its address: each rule's text occurs in
    // every address of its landing, so a page is read at least for what its landing needs.
    return {
        {QStringLiteral("/view_shop.htm"), true, partsReadOn(Landing::ShopPage)},
        {ratingHost + QLatin1String("/user-rate-"), true, partsReadOn(Landing::RatingPage)},
        {QStringLiteral("/item.htm"), true, partsReadOn(Landing::ItemPage)},
        {QStringLiteral("/item_o.htm"), true, partsReadOn(Landing::ItemPage)},
        {shareDomain + QLatin1Char('/'), true, partsReadOn(Landing::SharePage)},
    };
}

namespace {

// The two halves the flow talks to: the query it follows pages for, and the window it shows in.
struct Flow {
    PageFlowQuery &query;
    ResultsView &view;
};

void followShopPage(const PageSnapshot &page, Flow flow)
{
    flow.view.hideLogin();
    // Whatever was shown belongs to the previous shop, target results included, even if this
    // shop's rating page is never read.
    flow.view.clearResults();
    flow.view.clearTargetResults();
    const QString token = huqus(page.title);
    flow.query.foundShop(token);
    flow.view.setResultsCaption(token + resultsCaptionSuffix());
    const QString ratingAddress = page.bodyHtml ? wenz(*page.bodyHtml) : QString();
    // Without a rating link there is nowhere to go: the query is over.
    if (ratingAddress.isEmpty()) {
        qCDebug(lcFlow) << "shop page" << page.documentUrl << "has no rating link";
        flow.query.giveButtonBack();
        return;
    }
    flow.query.navigateHidden(ratingAddress);
}

struct ReadFigures {
    QStringList scores; // the scores to show
    bool complete;      // every figure the turn-red step needs was read from this page
};

// Parses the DSR list, stores its figures in the record and computes the weighted scores.
ReadFigures readFigures(const QString &dsrList, calc::DsrRecord &record, RatingReading &reading)
{
    const RatingFigures figures = chr(dsrList);
    record.scoreBox = figures.scoreBox;
    record.starBox = figures.starBox;
    record.raterBox = figures.raterBox;
    const bool complete = calc::jisuan(record);
    if (!complete)
        qCDebug(lcFlow) << "figures not all read; star shares:" << figures.starBox
                        << "rater totals:" << figures.raterBox;
    for (qsizetype d = 0; d < figures.scores.size() && d < calc::dimensionCount; ++d)
        reading.dimensions[size_t(d)].score = PageFigure::read(figures.scores[d]);
    // The page writes a total as markup ("&nbsp;1000"); the reading holds the number in it, from
    // this page's list alone.
    const QStringList raters = calc::splitEntries(figures.raterBox);
    for (qsizetype d = 0; d < calc::dimensionCount; ++d) {
        reading.dimensions[size_t(d)].raters = calc::toDouble(raters.value(d));
        if (complete) reading.dimensions[size_t(d)].weightedScore = record.weightedScore[size_t(d)];
    }
    return {figures.scores, complete};
}

// A dimension below the industry: its turn-red count, from figures of this page only.
QString turnRedOf(calc::DsrRecord &record, int d, const QString &comparisonText, bool figuresRead)
{
    if (!figuresRead) {
        qCDebug(lcFlow) << "turn-red count of dimension" << d << "left empty: figures of this page not read";
        return {};
    }
    const QString count = calc::turnRedStep(record, d, comparisonText);
    if (count.isEmpty())
        qCDebug(lcFlow) << "turn-red count of dimension" << d << "left empty: comparison" << comparisonText
                        << "gives no industry average below 5";
    return count;
}

// A dimension at or above the industry: its one-star headroom, from figures of this page only.
std::optional<long long> headroomOf(const calc::DsrRecord &record, int d, const QString &comparisonText,
                                    bool figuresRead)
{
    if (!figuresRead) return std::nullopt;
    return calc::headroomStep(record, d, comparisonText);
}

void showIndustryComparison(const PageSnapshot &page, calc::DsrRecord &record, bool figuresRead, RatingReading &reading,
                            Flow flow)
{
    int d = 0;
    for (const StrongElement &element : page.strongs) {
        if (!element.className.contains(QLatin1String("percent"))) continue;
        if (d == calc::dimensionCount) break;
        DimensionReading &dimension = reading.dimensions[size_t(d)];
        dimension.comparison = comparisonOf(element.className);
        dimension.percent = PageFigure::read(element.innerHtml);
        flow.view.showComparison(d, *dimension.comparison, element.innerHtml);
        if (dimension.comparison == Comparison::Lower) {
            dimension.turnRed = PageFigure::read(turnRedOf(record, d, element.innerHtml, figuresRead));
            flow.view.showTurnRed(d, dimension.turnRed.text);
            if (figuresRead && calc::industryAverageAtTop(record, d, element.innerHtml)) flow.view.showIndustryAtTop(d);
        } else {
            dimension.turnRed = PageFigure::read(QStringLiteral("0"));
            dimension.headroom = headroomOf(record, d, element.innerHtml, figuresRead);
            flow.view.showTurnRed(d, dimension.turnRed.text);
            flow.view.showHeadroom(d, dimension.headroom);
        }
        ++d;
    }
}

// A link's query that reached a page leading to no shop ends at once: nothing more will come.
void endLinkQuery(const PageSnapshot &page, Flow flow)
{
    qCDebug(lcFlow) << "link led to no shop:" << page.locationUrl;
    flow.query.foundNoShopLink();
    flow.view.showMessage(noShopLinkMessage());
    flow.query.giveButtonBack();
}

// An item page names its shop: its shop page comes next, or on the oldest pages its rating page.
// What was shown belongs to the previous shop.
void followItemPage(const PageSnapshot &page, Flow flow)
{
    flow.view.clearResults();
    flow.view.clearTargetResults();
    flow.view.setResultsCaption(QString());
    const ItemShop shop = page.markupHtml ? readItemPage(*page.markupHtml) : ItemShop{};
    if (!shop.address) {
        endLinkQuery(page, flow);
        return;
    }
    if (shop.card) flow.query.foundShopCard(*shop.card);
    flow.query.navigateHidden(*shop.address);
}

// A share link's page moves on by itself, by its script, to the page it names; one that names
// none (the share has expired) leads nowhere.
void followSharePage(const PageSnapshot &page, Flow flow)
{
    if (!page.bodyHtml || !firstMarketplaceLink(*page.bodyHtml)) endLinkQuery(page, flow);
}

void followRatingPage(const PageSnapshot &page, calc::DsrRecord &record, Flow flow)
{
    flow.view.clearResults();
    RatingReading reading;
    reading.address = page.locationUrl;
    if (page.dsrListHtml) {
        const ReadFigures figures = readFigures(*page.dsrListHtml, record, reading);
        flow.view.showScores(figures.scores);
        if (!figures.complete) flow.query.giveButtonBack();
        showIndustryComparison(page, record, figures.complete, reading, flow);
    } else {
        qCDebug(lcFlow) << "rating page" << page.documentUrl << "has no DSR list";
    }
    flow.query.foundRatings(reading);
    flow.view.alignComparisonLabels();
    flow.query.giveButtonBack();
    flow.view.clearTargetResults();
}

} // namespace

QString resultsCaptionSuffix() { return QStringLiteral("-DRS查询"); }

QString noShopLinkMessage() { return QStringLiteral("这个链接不是店铺、宝贝或评分页"); }

bool RatingReading::hasScore() const
{
    return std::any_of(dimensions.cbegin(), dimensions.cend(),
                       [](const DimensionReading &dimension) { return !dimension.score.isEmpty(); });
}

Comparison comparisonOf(const QString &className)
{
    if (className.contains(QLatin1String("lower"))) return Comparison::Lower;
    if (className.contains(QLatin1String("normal"))) return Comparison::Equal;
    return Comparison::Higher;
}

namespace {

bool isOnALinksWay(Landing landing)
{
    return landing == Landing::ItemPage || landing == Landing::MobilePage || landing == Landing::ShopsOtherPage
           || landing == Landing::SharePage;
}

} // namespace

void followPage(const PageSnapshot &page, calc::DsrRecord &record, PageFlowQuery &query, ResultsView &view,
                QueryEntry entry)
{
    const Flow flow{query, view};
    if (page.locationUrl.isEmpty()) return;
    Landing landing = landingOf(page);
    if (entry == QueryEntry::Name && isOnALinksWay(landing)) landing = Landing::Other;
    switch (landing) {
    case Landing::FailedLoad:
        qCDebug(lcFlow) << "page could not be loaded:" << page.locationUrl;
        flow.query.foundFailedLoad();
        break;
    case Landing::SearchPage:
        flow.query.foundNoShop();
        flow.view.showMessage(QStringLiteral("没有找到对应的店铺"));
        flow.query.giveButtonBack();
        break;
    // The person at the keyboard passes a verification as a login, in the login window; what it
    // sets is shared with the hidden browser, and the next query goes through.
    case Landing::VerificationPage:
    case Landing::LoginPage:
        flow.query.foundGate(landing == Landing::LoginPage ? Gate::Login : Gate::Verification);
        flow.view.showLogin(page.locationUrl);
        flow.query.giveButtonBack();
        break;
    case Landing::ShopPage: followShopPage(page, flow); break;
    case Landing::RatingPage: followRatingPage(page, record, flow); break;
    case Landing::ItemPage: followItemPage(page, flow); break;
    case Landing::MobilePage: flow.query.navigateHidden(*desktopPage(QUrl(page.documentUrl))); break;
    case Landing::ShopsOtherPage: flow.query.navigateHidden(*shopPageOnItsHost(QUrl(page.documentUrl))); break;
    case Landing::SharePage: followSharePage(page, flow); break;
    case Landing::Other:
        qCDebug(lcFlow) << "page matched no landing:" << page.locationUrl << "document" << page.documentUrl;
        if (entry == QueryEntry::Link) endLinkQuery(page, flow);
        break;
    }
}

} // namespace lookup
