#include "lookup/pageflow.h"

#include "calc/turnred.h"
#include "lookup/hosts.h"
#include "lookup/linkextract.h"
#include "lookup/ratingparser.h"

#include <algorithm>

namespace lookup {

namespace {

enum class Landing { SearchPage, LoginPage, ShopPage, RatingPage, Other };

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

Landing landingOf(const PageSnapshot &page)
{
    const QStringView location = withoutQuery(page.locationUrl);
    if (location.contains(shopSearchHost)) return Landing::SearchPage;
    if (location.contains(loginHost)) return Landing::LoginPage;
    if (page.documentUrl.contains(QLatin1String("view_shop.htm"))) return Landing::ShopPage;
    if (page.documentUrl.contains(QString(ratingHost) + QLatin1String("/user-rate-"))) return Landing::RatingPage;
    return Landing::Other;
}

void followShopPage(const PageSnapshot &page, PageFlowWindow &window)
{
    window.hideLogin();
    // Whatever was shown belongs to the previous shop, target results included, even if this
    // shop's rating page is never read.
    window.clearResults();
    window.clearTargetResults();
    window.setResultsCaption(huqus(page.title) + QStringLiteral("-DRS查询"));
    const QString ratingAddress = page.bodyHtml ? wenz(*page.bodyHtml) : QString();
    // Without a rating link there is nowhere to go: the query is over.
    if (ratingAddress.isEmpty()) {
        window.giveButtonBack();
        return;
    }
    window.navigateHidden(ratingAddress);
}

// Reads the DSR list into the record; whether every figure of this page could be read.
bool readFigures(const QString &dsrList, calc::DsrRecord &record, PageFlowWindow &window)
{
    const RatingFigures figures = chr(dsrList);
    window.showScores(figures.scores);
    record.scoreBox = figures.scoreBox;
    record.starBox = figures.starBox;
    record.raterBox = figures.raterBox;
    const bool read = calc::jisuan(record);
    if (!read) window.giveButtonBack();
    return read;
}

void showIndustryComparison(const PageSnapshot &page, calc::DsrRecord &record, bool figuresRead,
                            PageFlowWindow &window)
{
    int d = 0;
    for (const StrongElement &element : page.strongs) {
        if (!element.className.contains(QLatin1String("percent"))) continue;
        if (d == calc::dimensionCount) break;
        const Comparison comparison = comparisonOf(element.className);
        window.showComparison(d, comparison, element.innerHtml);
        window.showTurnRed(d, comparison == Comparison::Lower
                                  ? calc::turnRedStep(record, d, element.innerHtml, figuresRead)
                                  : QStringLiteral("0"));
        ++d;
    }
}

void followRatingPage(const PageSnapshot &page, calc::DsrRecord &record, PageFlowWindow &window)
{
    window.clearResults();
    if (page.dsrListHtml) {
        const bool figuresRead = readFigures(*page.dsrListHtml, record, window);
        showIndustryComparison(page, record, figuresRead, window);
    }
    window.alignComparisonLabels();
    window.giveButtonBack();
    window.clearTargetResults();
}

} // namespace

Comparison comparisonOf(const QString &className)
{
    if (className.contains(QLatin1String("lower"))) return Comparison::Lower;
    if (className.contains(QLatin1String("normal"))) return Comparison::Equal;
    return Comparison::Higher;
}

void followPage(const PageSnapshot &page, calc::DsrRecord &record, PageFlowWindow &window)
{
    if (page.locationUrl.isEmpty()) return;
    switch (landingOf(page)) {
    case Landing::SearchPage:
        window.showMessage(QStringLiteral("没有找到对应的店铺"));
        window.giveButtonBack();
        break;
    case Landing::LoginPage:
        window.showLogin(page.locationUrl);
        window.giveButtonBack();
        break;
    case Landing::ShopPage:
        followShopPage(page, window);
        break;
    case Landing::RatingPage:
        followRatingPage(page, record, window);
        break;
    case Landing::Other:
        break;
    }
}

} // namespace lookup
