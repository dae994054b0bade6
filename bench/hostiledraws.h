// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue.h"
#include "dsrpages.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace bench {

// The button comes back at the 21st tick of the query's one-second timer at the latest; a
// second more for a busy machine.
constexpr int latestAnswerMs = 22000;
// How soon a query whose engine died gives the button back.
constexpr int promptAnswerMs = 5000;
// A rating page this late is never read: the query's timeout has given the button back by then.
constexpr int beyondTheTimeoutMs = 23000;

// What one query is answered with, and what the window must then show.
struct Plan {
    QString searched;
    std::optional<tests::Shop> shop; // the query's own shop, if the search finds one
    bool figures = false;            // every figure of its shop
    bool reached = false;            // its shop page: the results carry its caption
    bool noShop = false;             // the message that no shop was found
    QByteArray loginWindow;          // the login window opens on a page whose address holds this
    bool killRenderer = false;       // the engine's renderer dies while the shop page is asked for
};

// What the marketplace may answer, as often as a seller might meet it: a shop found, no shop, the
// login page, a verification page of each kind at each step, a rating page without a DSR list,
// with cells missing or with garbage numbers, a connection cut in the middle of the shop or the
// rating page, a server error, a rating page slower than the query's timeout, and the engine's
// renderer killed in the middle of a query. Every query's shop is its own, with figures no other
// shop has, so that a figure of another shop is seen wherever it shows.
struct Draw {
    const char *name;
    int weight;
    std::function<Plan(int query)> plan;
};
QList<Draw> hostileDraws();

// The query's shop: its name, title and figures, numbered.
QString numbered(const char *prefix, int query);
QString titleOf(int query);
QList<tests::DsrFigures> figuresOf(int query);
QList<lookup::StrongElement> comparisonsOf(int query);

} // namespace bench
