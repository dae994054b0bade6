// SPDX-License-Identifier: MIT
#pragma once

#include "calc/dsrrecord.h"
#include "lookup/itempage.h"
#include "lookup/pagefigure.h"
#include "lookup/pagesnapshot.h"
#include "lookup/shoplink.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace lookup {

// What a completed page of the hidden browser is to a query, told by its address. A page the
// engine could not load is none of the site's, whatever address it failed at (an error page shown
// under the search's address is no search without a result). A verification
// page is told before the others, since the marketplace may serve it on the search host. The pages
// on a link's way to its shop: an item page leads to its shop's page, a mobile page to its desktop
// page, any other page of a shop's own host (its home, where a share may move on to) to its shop
// page; a share link's page moves on by itself to what was shared.
enum class Landing {
    FailedLoad,
    VerificationPage,
    SearchPage,
    LoginPage,
    ShopPage,
    RatingPage,
    ItemPage,
    MobilePage,
    ShopsOtherPage,
    SharePage,
    Other
};

Landing landingOf(const PageSnapshot &page);

// The landing of a page at this address, before anything of it is read.
Landing landingOf(const QString &address);

// What the page flow reads of a landing: the shop page's body for its rating link, the rating
// page's DSR list and comparison elements, an item page's whole markup for its shop, a share page's
// body for where it goes, and of any other page nothing but address and title.
SnapshotParts partsReadOn(Landing landing);

// The same choice made by the page's own address when the hidden browser reads it.
QList<ReadingRule> readingRules();

// How the marketplace compares a dimension with its industry.
enum class Comparison { Higher, Lower, Equal };

// The marketplace's gates in front of a query: its login page, or a page where a person proves to
// be one.
enum class Gate { Login, Verification };

// One dimension as its rating page gave it, each figure as a number with its text; what the page
// did not give stays empty.
struct DimensionReading {
    PageFigure score; // such as "4.77"
    std::optional<Comparison> comparison;
    PageFigure percent; // the comparison as the page wrote it, such as "2.00%"
    PageFigure turnRed; // the count shown, "0" at or above the industry
    std::optional<long long> headroom;
    std::optional<double> raters;
    // The score worked from the star shares, to five decimals, where every figure of the page was read.
    std::optional<double> weightedScore;
};

// What a rating page gave: its address and each dimension's figures.
struct RatingReading {
    QString address;
    std::array<DimensionReading, calc::dimensionCount> dimensions;

    bool hasScore() const;
};

// What the page flow tells the query it follows pages for: what each page found, as typed events
// from which the query's report is made without reading a label back, where the query goes next,
// and when its button comes back.
class PageFlowQuery
{
public:
    virtual ~PageFlowQuery() = default;
    virtual void foundNoShop() = 0;
    virtual void foundGate(Gate gate) = 0;
    virtual void foundShop(const QString &titleToken) = 0;
    virtual void foundRatings(const RatingReading &reading) = 0;
    // A link's query reached no page of a shop, an item or its ratings.
    virtual void foundNoShopLink() = 0;
    // A page of the query could not be loaded: nothing was shown, and the query decides whether
    // to wait on for a later page.
    virtual void foundFailedLoad() = 0;
    virtual void foundShopCard(const ShopCard &card) = 0;
    virtual void navigateHidden(const QString &address) = 0;
    virtual void giveButtonBack() = 0;
};

// What the page flow shows, in the window whose query it follows. A window shows what it has room
// for: every step does nothing unless the window takes it up.
class ResultsView
{
public:
    virtual ~ResultsView() = default;
    virtual void showMessage(const QString &) {}
    virtual void showLogin(const QString &) {} // show the login window on this page
    virtual void hideLogin() {}
    virtual void setResultsCaption(const QString &) {}
    virtual void clearResults() {} // scores, comparisons, pictures and turn-red results
    virtual void showScores(const QStringList &) {}
    virtual void showComparison(int /*dimension*/, Comparison, const QString & /*text*/) {}
    virtual void showTurnRed(int /*dimension*/, const QString & /*text*/) {}
    // For a dimension at or above the industry, after its turn-red result: how many one-star
    // ratings it can take and still stand at or above the industry average, or nothing when the
    // figures of this page give no estimate.
    virtual void showHeadroom(int /*dimension*/, std::optional<long long> /*oneStarRatings*/) {}
    // For a dimension below an industry average of 5 or more, after its empty turn-red result: no
    // count of five-star ratings reaches that average.
    virtual void showIndustryAtTop(int /*dimension*/) {}
    virtual void alignComparisonLabels() {}
    virtual void clearTargetResults() {}
};

// What the results caption adds after the shop's title token once the shop page is reached.
QString resultsCaptionSuffix();

// What the person is told when a link's query ends on a page that leads to no shop.
QString noShopLinkMessage();

// Follows one completed top-level page of the hidden browser. The address the marketplace took
// the browser to decides the step; nothing else is remembered between pages. A page that is none
// of the landings leaves a name's query waiting for the next page, since the marketplace's search
// may pass through pages of its own; a link's query ends there. A name's search never leads
// through the pages on a link's way, and waits on them as on any other page.
void followPage(const PageSnapshot &page, calc::DsrRecord &record, PageFlowQuery &query, ResultsView &view,
                QueryEntry entry = QueryEntry::Name);

// The class of an industry-comparison element, from its class attribute.
Comparison comparisonOf(const QString &className);

} // namespace lookup
