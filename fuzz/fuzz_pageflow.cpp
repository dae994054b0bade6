// SPDX-License-Identifier: MIT
// The page flow on any page the hidden browser could complete, after a shop whose figures were
// read: no crash, the button comes back after a rating page, no turn-red count stands for a
// dimension whose figures were not read from this page, and a page read only in the parts its
// landing needs is followed exactly as the whole page is. A rating page is opened only from a
// shop's page or an item's, never from a page that merely names one in its query (a search), and
// a link's query never waits on a page but a share link's.
//
// Input fields (split on 0x01): address, document address, title, body (also the whole markup),
// DSR list (absent when it is "!"), whether the query was given a link ("L" for one), then class
// and inner markup of each strong element in turn.

#include "calc/numbers.h"
#include "fuzzcheck.h"
#include "lookup/pageflow.h"
#include "lookup/ratingparser.h"
#include "recordingwindow.h"

#include <algorithm>

namespace {

lookup::PageSnapshot goodRatingPage()
{
    lookup::PageSnapshot page;
    page.locationUrl = page.documentUrl = QStringLiteral("https://rate.taobao.com/user-rate-1.htm");
    QString list;
    for (int d = 0; d < 3; ++d) {
        list += QStringLiteral("<li>：描述相符 title=\"4.8分\"<span>共<span>1000<</span>");
        for (int k = 0; k < 5; ++k)
            list += QStringLiteral("<div class=\"count count\">20%</div>\n");
    }
    page.dsrListHtml = list;
    page.strongs = {{"percent lower", "2.00%"}, {"percent lower", "2.00%"}, {"percent lower", "2.00%"}};
    return page;
}

// Whether every figure the turn-red step needs can be read from this DSR list.
bool figuresReadable(const QString &dsrList)
{
    const lookup::RatingFigures figures = lookup::chr(dsrList);
    const QStringList stars = figures.starBox.isEmpty() ? QStringList() : figures.starBox.split(u'#');
    const QStringList raters = figures.raterBox.isEmpty() ? QStringList() : figures.raterBox.split(u'#');
    if (stars.size() < 15 || raters.size() < 3) return false;
    for (int i = 0; i < 15; ++i)
        if (!calc::toDouble(stars[i])) return false;
    for (int i = 0; i < 3; ++i)
        if (!calc::toDouble(raters[i])) return false;
    return true;
}

// The page as the hidden browser reads it: a top-level page's document address is the address
// shown, and only the parts its landing needs are read.
lookup::PageSnapshot asHiddenBrowserReadsIt(lookup::PageSnapshot page)
{
    page.documentUrl = page.locationUrl;
    const lookup::SnapshotParts parts = lookup::partsReadOn(lookup::landingOf(page.locationUrl));
    if (!parts.body) page.bodyHtml.reset();
    if (!parts.dsrList) page.dsrListHtml.reset();
    if (!parts.strongs) page.strongs.clear();
    if (!parts.markup) page.markupHtml.reset();
    return page;
}

QStringList callsFollowing(const lookup::PageSnapshot &page, calc::DsrRecord record, lookup::QueryEntry entry)
{
    tests::RecordingWindow window;
    lookup::followPage(page, record, window, window, entry);
    return window.everything();
}

// The page's document path, told apart from its query without the rules' own address tests.
QString documentPath(const lookup::PageSnapshot &page)
{
    QString address = page.documentUrl;
    const qsizetype scheme = address.indexOf(QLatin1String("://"));
    if (scheme >= 0) address = address.mid(scheme + 3);
    address = address.section(u'?', 0, 0).section(u'#', 0, 0);
    const qsizetype path = address.indexOf(u'/');
    return path < 0 ? QString() : address.mid(path);
}

bool opensARatingPage(const QStringList &calls)
{
    return std::any_of(calls.begin(), calls.end(), [](const QString &call) {
        return call.startsWith(QLatin1String("navigate ")) && call.contains(QLatin1String("/user-rate-"));
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList field = fuzz::fields(data, size, 6);
    lookup::PageSnapshot page;
    page.locationUrl = field[0];
    page.documentUrl = field[1];
    page.title = field[2];
    page.bodyHtml = page.markupHtml = field[3];
    if (field[4] != QLatin1String("!")) page.dsrListHtml = field[4];
    const lookup::QueryEntry entry =
        field[5] == QLatin1String("L") ? lookup::QueryEntry::Link : lookup::QueryEntry::Name;
    for (qsizetype i = 6; i + 1 < field.size(); i += 2)
        page.strongs.append({field[i], field[i + 1]});

    calc::DsrRecord record;
    tests::RecordingWindow previous;
    lookup::followPage(goodRatingPage(), record, previous, previous);
    fuzz::check(!previous.turnRed[0].isEmpty() && previous.turnRed[0] != QLatin1String("old"),
                "the previous shop's figures are read");

    lookup::PageSnapshot whole = page;
    whole.documentUrl = whole.locationUrl;
    fuzz::check(callsFollowing(asHiddenBrowserReadsIt(page), record, entry) == callsFollowing(whole, record, entry),
                "a page read in the parts its landing needs is followed as the whole page is");

    tests::RecordingWindow window;
    lookup::followPage(page, record, window, window, entry);
    if (opensARatingPage(window.calls)) {
        const QString path = documentPath(page);
        fuzz::check(path.endsWith(QLatin1String("/view_shop.htm")) || path == QLatin1String("/item.htm")
                        || path == QLatin1String("/item_o.htm"),
                    "a rating page only from a shop's page or an item's");
    }
    if (entry == lookup::QueryEntry::Link && lookup::landingOf(page) != lookup::Landing::SharePage
        && !page.locationUrl.isEmpty())
        fuzz::check(window.calls.contains(QLatin1String("give back"))
                        || std::any_of(window.calls.begin(), window.calls.end(),
                                       [](const QString &call) { return call.startsWith(QLatin1String("navigate ")); }),
                    "a link's query goes on or ends on every page but a share link's");
    fuzz::check(window.broken.isEmpty(), "the window's interface is used as it says");
    if (!page.locationUrl.isEmpty() && lookup::landingOf(page) == lookup::Landing::RatingPage)
        fuzz::check(window.calls.contains(QLatin1String("give back")), "the button comes back after a rating page");
    const bool readable = page.dsrListHtml && figuresReadable(*page.dsrListHtml);
    for (int d = 0; d < 3; ++d) {
        const QString &comparison = window.comparisons[d];
        const QString &count = window.turnRed[d];
        if (comparison.isEmpty() || comparison == QLatin1String("old")) continue; // no comparison from this page
        if (!comparison.startsWith(QLatin1String("lower ")))
            fuzz::check(count == QLatin1String("0"), "no count for a dimension at or above the industry");
        else if (!count.isEmpty())
            fuzz::check(readable, "a count only from figures read from this page");
    }
    return 0;
}
