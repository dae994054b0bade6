// SPDX-License-Identifier: MIT
// The page flow on any page the hidden browser could complete, after a shop whose figures were
// read: no crash, the button comes back after a rating page, no turn-red count stands for a
// dimension whose figures were not read from this page, and a page read only in the parts its
// landing needs is followed exactly as the whole page is.
//
// Input fields (split on 0x01): address, document address, title, body, DSR list (absent when it
// is "!"), then class and inner markup of each strong element in turn.

#include "calc/numbers.h"
#include "fuzzcheck.h"
#include "lookup/pageflow.h"
#include "lookup/ratingparser.h"

#include <array>

namespace {

class RecordingWindow : public lookup::PageFlowWindow
{
public:
    bool gaveBack = false;
    std::array<std::optional<lookup::Comparison>, 3> comparisons{};
    std::array<std::optional<QString>, 3> turnRed{};
    QStringList calls; // every call, with its arguments

    void showMessage(const QString &text) override { calls << QStringLiteral("message ") + text; }
    void showLogin(const QString &address) override { calls << QStringLiteral("login ") + address; }
    void hideLogin() override { calls << QStringLiteral("hide login"); }
    void setResultsCaption(const QString &caption) override { calls << QStringLiteral("caption ") + caption; }
    void navigateHidden(const QString &address) override { calls << QStringLiteral("navigate ") + address; }
    void clearResults() override { calls << QStringLiteral("clear"); }
    void showScores(const QStringList &scores) override
    {
        fuzz::check(scores.size() <= 3, "three scores at most");
        calls << QStringLiteral("scores ") + scores.join(u'#');
    }
    void showComparison(int d, lookup::Comparison comparison, const QString &text) override
    {
        fuzz::check(d >= 0 && d < 3, "a dimension");
        comparisons[d] = comparison;
        calls << QStringLiteral("comparison %1 %2 ").arg(d).arg(int(comparison)) + text;
    }
    void showTurnRed(int d, const QString &text) override
    {
        fuzz::check(d >= 0 && d < 3 && comparisons[d], "a turn-red result only after its comparison");
        turnRed[d] = text;
        calls << QStringLiteral("turn red %1 ").arg(d) + text;
    }
    void alignComparisonLabels() override { calls << QStringLiteral("align"); }
    void giveButtonBack() override
    {
        gaveBack = true;
        calls << QStringLiteral("button back");
    }
    void clearTargetResults() override { calls << QStringLiteral("clear targets"); }
};

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

bool isRatingLanding(const lookup::PageSnapshot &page)
{
    return !page.locationUrl.isEmpty() && !page.locationUrl.contains(QLatin1String("shopsearch.taobao.com"))
           && !page.locationUrl.contains(QLatin1String("login.taobao.com"))
           && !page.documentUrl.contains(QLatin1String("view_shop.htm"))
           && page.documentUrl.contains(QLatin1String("rate.taobao.com/user-rate-"));
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
    return page;
}

QStringList callsFollowing(const lookup::PageSnapshot &page, calc::DsrRecord record)
{
    RecordingWindow window;
    lookup::followPage(page, record, window);
    return window.calls;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList field = fuzz::fields(data, size, 5);
    lookup::PageSnapshot page;
    page.locationUrl = field[0];
    page.documentUrl = field[1];
    page.title = field[2];
    page.bodyHtml = field[3];
    if (field[4] != QLatin1String("!")) page.dsrListHtml = field[4];
    for (qsizetype i = 5; i + 1 < field.size(); i += 2)
        page.strongs.append({field[i], field[i + 1]});

    calc::DsrRecord record;
    RecordingWindow previous;
    lookup::followPage(goodRatingPage(), record, previous);
    fuzz::check(previous.turnRed[0] && !previous.turnRed[0]->isEmpty(), "the previous shop's figures are read");

    lookup::PageSnapshot whole = page;
    whole.documentUrl = whole.locationUrl;
    fuzz::check(callsFollowing(asHiddenBrowserReadsIt(page), record) == callsFollowing(whole, record),
                "a page read in the parts its landing needs is followed as the whole page is");

    RecordingWindow window;
    lookup::followPage(page, record, window);
    if (isRatingLanding(page)) fuzz::check(window.gaveBack, "the button comes back after a rating page");
    const bool readable = page.dsrListHtml && figuresReadable(*page.dsrListHtml);
    for (int d = 0; d < 3; ++d) {
        if (!window.turnRed[d]) continue;
        if (*window.comparisons[d] != lookup::Comparison::Lower)
            fuzz::check(*window.turnRed[d] == QLatin1String("0"), "no count for a dimension at or above the industry");
        else if (!window.turnRed[d]->isEmpty())
            fuzz::check(readable, "a count only from figures read from this page");
    }
    return 0;
}
