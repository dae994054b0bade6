// SPDX-License-Identifier: MIT
// An item page's markup, whatever it holds: the shop it names is a shop page or a rating page of
// the marketplace, without credentials or another port; links to other shops' pages and ratings
// added to it (the pages' recommended items) never change which, nor does a description in which
// the seller wrote the page's own data; and the page is read in time linear in its length, so even
// a page of the input repeated to 128 KiB is read within half a second.
//
// Input: the markup as UTF-8.

#include "fuzzcheck.h"
#include "lookup/hosts.h"
#include "lookup/itempage.h"
#include "lookup/pageaddress.h"

#include <QElapsedTimer>
#include <QUrl>

namespace {

const QString otherShops = QStringLiteral(
    "<a href=\"//shop999.taobao.com/view_shop.htm\">店</a><a href=\"//rate.taobao.com/user-rate-X.htm\">评</a>"
    "<div class=\"shop\" data-rateurl=\"//rate.taobao.com/user-rate-Y.htm\">shopId=998;userid=997;</div>");

const QString sellersDescription =
    QStringLiteral("<div id=\"description\">window.__ICE_APP_CONTEXT__ = {\"loaderData\":{\"home\":{\"data\":{\"res\":"
                   "{\"seller\":{\"shopId\":\"666\"}}}}}}; var g_config = {shopId: '666'}; "
                   "TShop.Setup({\"rateConfig\":{\"sellerId\":666}})</div>");

constexpr qsizetype longPage = 128 * 1024;
constexpr qint64 longPageBudgetMs = 500;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString markup = fuzz::utf8Text(data, size);
    const lookup::ItemShop shop = lookup::readItemPage(markup);
    if (shop.address) {
        const QUrl address(*shop.address);
        fuzz::check(lookup::isShopPage(address) || lookup::isRatingPage(address),
                    "an item page names a shop page or a rating page");
        fuzz::check(address.userInfo().isEmpty() && address.port() == -1, "no credentials, no other port");
    }
    const lookup::ItemShop withOthers = lookup::readItemPage(markup + otherShops);
    fuzz::check(withOthers.address == shop.address, "other shops' links never name the item's shop");
    if (!markup.isEmpty()) {
        const QString page = markup.repeated(longPage / markup.size() + 1);
        QElapsedTimer reading;
        reading.start();
        lookup::readItemPage(page);
        fuzz::check(reading.elapsed() < longPageBudgetMs, "a long page is read within its time budget");
    }
    const lookup::ItemShop described = lookup::readItemPage(sellersDescription + markup);
    fuzz::check(described.address == shop.address, "a description never names the item's shop");
    return 0;
}
