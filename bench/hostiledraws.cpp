// SPDX-License-Identifier: MIT
#include "hostiledraws.h"

#include "webtest.h"

namespace bench {

QString numbered(const char *prefix, int query)
{
    return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(query, 4, 10, QLatin1Char('0'));
}

// The figures of the query's shop: scores and two comparisons that no other query's shop has.
QList<tests::DsrFigures> figuresOf(int query)
{
    QList<tests::DsrFigures> figures = tests::workedFigures();
    figures[0].score = numbered("4.1", query);
    figures[1].score = numbered("4.2", query);
    figures[2].score = numbered("4.3", query);
    return figures;
}

QList<lookup::StrongElement> comparisonsOf(int query)
{
    return {{"percent lower", "2.00%"},
            {"percent normal", numbered("0.", query) + QLatin1Char('%')},
            {"percent", numbered("3.", query) + QLatin1Char('%')}};
}

QString titleOf(int query) { return QStringLiteral("店%1").arg(query); }

namespace {

using tests::Guard;

tests::Response ratingPage(int query, const QList<tests::DsrFigures> &figures)
{
    return tests::page(titleOf(query) + QStringLiteral(" - 信用评价"),
                       tests::ratingPageBody(figures, comparisonsOf(query)));
}

tests::Shop shopOf(int query)
{
    tests::Shop shop;
    shop.name = numbered("s", query).toUtf8();
    shop.id = QByteArray::number(100000 + query);
    shop.title = titleOf(query);
    shop.shopPage = [](const tests::Shop &s) { return tests::shopPage(s.title, s.id); };
    shop.ratingPage = [query](const tests::Shop &) { return ratingPage(query, figuresOf(query)); };
    return shop;
}

Plan searching(const QString &name)
{
    Plan plan;
    plan.searched = name;
    return plan;
}

Plan found(int query)
{
    Plan plan = searching(QString::fromUtf8(shopOf(query).name));
    plan.shop = shopOf(query);
    plan.figures = plan.reached = true;
    return plan;
}

// The query's shop with its rating page answered otherwise: its shop page is reached, and
// whatever figures show are its own.
Plan reachedWith(int query, std::function<tests::Response()> rating)
{
    Plan plan = found(query);
    plan.figures = false;
    plan.shop->ratingPage = [rating](const tests::Shop &) { return rating(); };
    return plan;
}

Plan guardedAt(int query, Guard::Step step, Guard::Check check)
{
    Plan plan = found(query);
    plan.figures = false;
    plan.reached = step == Guard::Step::RatingPage;
    plan.shop->guard = Guard{step, check};
    plan.loginWindow = check == Guard::Check::QueryPage ? "https://sec.taobao.com/query.htm" : "/_____tmd_____/punish";
    return plan;
}

} // namespace

// An answer that is no landing (a cut page, a server error, a rating page slower than the timeout)
// costs the 21 seconds of the timeout and is drawn rarely.
QList<Draw> hostileDraws()
{
    using Step = Guard::Step;
    using Check = Guard::Check;
    return {
        {"found", 100, found},
        {"no shop", 16,
         [](int query) {
             Plan plan = searching(numbered("n", query));
             plan.noShop = true;
             return plan;
         }},
        {"login page", 8,
         [](int) {
             Plan plan = searching(QStringLiteral("login"));
             plan.loginWindow = "https://login.taobao.com/member/login.jhtml";
             return plan;
         }},
        {"query page at the search", 4, [](int q) { return guardedAt(q, Step::Search, Check::QueryPage); }},
        {"slider at the search", 4, [](int q) { return guardedAt(q, Step::Search, Check::Slider); }},
        {"query page at the shop page", 4, [](int q) { return guardedAt(q, Step::ShopPage, Check::QueryPage); }},
        {"slider at the shop page", 4, [](int q) { return guardedAt(q, Step::ShopPage, Check::Slider); }},
        {"query page at the rating page", 4, [](int q) { return guardedAt(q, Step::RatingPage, Check::QueryPage); }},
        {"slider at the rating page", 4, [](int q) { return guardedAt(q, Step::RatingPage, Check::Slider); }},
        {"no DSR list", 8,
         [](int q) {
             return reachedWith(q, [q] { return tests::page(titleOf(q), tests::comparisonMarkup(comparisonsOf(q))); });
         }},
        {"DSR cells missing", 8,
         [](int q) {
             QList<tests::DsrFigures> figures = figuresOf(q);
             figures[2].shares = figures[2].shares.mid(0, 2);
             return reachedWith(q, [q, figures] { return ratingPage(q, figures); });
         }},
        {"DSR garbage numbers", 8,
         [](int q) {
             QList<tests::DsrFigures> figures = figuresOf(q);
             figures[0].raters = QStringLiteral("abc");
             figures[1].shares[1] = QStringLiteral("x%");
             return reachedWith(q, [q, figures] { return ratingPage(q, figures); });
         }},
        {"shop page cut", 2,
         [](int q) {
             Plan plan = found(q);
             plan.figures = plan.reached = false;
             plan.shop->shopPage = [](const tests::Shop &s) {
                 return tests::cut(tests::shopPage(s.title, s.id), "<a href");
             };
             return plan;
         }},
        {"rating page cut", 2,
         [](int q) {
             return reachedWith(q, [q] { return tests::cut(ratingPage(q, figuresOf(q)), "卖家的服务态度"); });
         }},
        {"server error", 2,
         [](int q) {
             return reachedWith(q, [] {
                 tests::Response error = tests::page(QStringLiteral("error"), QStringLiteral("internal error"));
                 error.status = 500;
                 return error;
             });
         }},
        {"rating page beyond the timeout", 1,
         [](int q) {
             return reachedWith(q, [q] {
                 tests::Response late = ratingPage(q, figuresOf(q));
                 late.delayMs = beyondTheTimeoutMs;
                 return late;
             });
         }},
        {"renderer killed", 6,
         [](int q) {
             Plan plan = found(q);
             plan.figures = plan.reached = false;
             plan.killRenderer = true;
             return plan;
         }},
    };
}

} // namespace bench
