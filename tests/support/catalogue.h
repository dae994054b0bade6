// SPDX-License-Identifier: MIT
#pragma once

#include "fakemarketplace.h"

#include <QString>

#include <functional>
#include <optional>

namespace tests {

// Where the marketplace may stop a query to have a person prove to be one, and how: its
// verification host's query page (reached by a redirect) or a slider page on the host asked (by a
// redirect, or at the rating page by a script that replaces the location). A browser that has
// passed it carries the shop's pass cookie and is let through.
struct Guard {
    enum class Step { Search, ShopPage, RatingPage } step;
    enum class Check { QueryPage, Slider } check;
};

// A shop of the fake marketplace's standard catalogue. The search for its name lands on its shop
// page at shop<id>.taobao.com<entry>, titled "首页-<title>-淘宝网", which links its rating page at
// rate.taobao.com/user-rate-<id>.htm.
struct Shop {
    QByteArray name; // what a query searches for
    QByteArray id;
    QString title; // and so the results caption: "<title>-DRS查询"
    std::function<Response(const Shop &)> shopPage;
    std::function<Response(const Shop &)> ratingPage;
    QByteArray entry = "/view_shop.htm";
    std::optional<Guard> guard = {};
    // Pages on www.taobao.com that the search's answer goes through first, each moving on by
    // script after 100 ms, as the marketplace's own redirect pages do.
    int hops = 0;
};

// The catalogue, by name:
// - "found": 测试旗舰店, the worked figures (description 4.77 from 1000 raters, 762 to turn red)
//   and three comparisons: lower 2.00%, equal 0.00%, higher 3.00%;
// - "twodims": 第二家店, two dimensions only, description 1.00% higher;
// - "nolink": 无链接店, a shop page without a rating link;
// - "nodsr": 无评分店, a rating page with the comparisons but no DSR list;
// - "unreadable": 大店, 2 MB of shop page before the link, then a malformed rating page;
// - "nbsp-before", "nbsp-after": 空格店, found's figures with a raw no-break space before or
//   after the description's rater total;
// - "slow": 慢店, found's figures on a rating page 1.5 s late;
// - "cut-shop", "cut-rating": 断店, 断评店, the connection closed in the middle of the page;
// - "huge": 巨店, 10 MB of shop page before the link;
// - "many": 多比较店, 10 000 comparison elements;
// - "hostile": markup and script in the title and in a comparison;
// - "hanging": 挂店, a rating page that never answers;
// - "hops": 测试旗舰店, found's figures, the search's answer five script hops before its shop page;
// - "renamed": 改名店, found's figures behind a shop page at /index.htm that renames its address
//   to /view_shop.htm once it has loaded (history.replaceState);
// - "sec-search", "slider-search", "sec-shop", "slider-shop", "sec-rating", "slider-rating":
//   验证店, found's figures behind a verification page at that step, of that kind, until it is
//   passed (a form sent, like the login page's);
// - "login": the login page, until the login page's form has been sent; then as "found". Its form
//   lies where the login window shows the page, so a person can fill it in;
// - "云栖数码旗舰店": found's figures under a shop name as sellers see them, for the screenshots;
// - "rising": 上升店, whose rating page gives found's figures and then, read again, the description
//   risen to 4.80, 0.50% above the industry, in turn.
// The search for "badgateway" is answered with an HTTP 502 and that for "dropped" by a connection
// closed before any answer. Any other name finds no shop: the search page answers. The pages a seller's links lead to are
// listed in linkpages.h.
const QList<Shop> &catalogue();
const Shop &shopNamed(const QByteArray &name);

// The login page's address, as the search sends the browser there.
inline constexpr char loginPageAddress[] =
    "https://login.taobao.com/member/login.jhtml?redirectURL=https%3A%2F%2Fshopsearch.taobao.com%2Fsearch";

// A test's own answers, in front of the catalogue: the catalogue answers where they do not.
using OwnAnswers = std::function<std::optional<Response>(const Request &)>;

// The catalogue's answer, the login, verification and promotion pages included.
Response catalogueAnswer(const Request &request);

// The answer of these shops to a request for one of them (the search for its name, its shop page,
// its rating page, each behind its guard), or none; shops of a test's or a benchmark's own.
std::optional<Response> shopAnswer(const QList<Shop> &shops, const Request &request);

// Whether the address is one of the marketplace's verification pages as the catalogue serves them.
bool isVerificationAddress(const QByteArray &address);

// Serves the catalogue, behind the test's own answers if any.
void serveCatalogue(const OwnAnswers &own = {});

// The name a shop search asked for, in UTF-8.
QByteArray searchedName(const Request &request);

// The page writer's parts, for a test's own pages.
Response shopPage(const QString &title, const QByteArray &ratingId, const QString &before = {});
Response cut(Response response, const QByteArray &before); // the connection closes before this text

} // namespace tests
