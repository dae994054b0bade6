// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <array>
#include <optional>

namespace lookup {

// The shop card an item page shows buyers, as the page wrote its figures: the shop's overall
// experience score and its three parts. The marketplace has reported sellers this score since 2023.
struct ShopCard {
    QString overall;              // 综合体验分, such as "4.3"
    std::array<QString, 3> parts; // in the order of shopCardParts()
};

// The titles of the shop card's parts, as the page names them.
const std::array<QString, 3> &shopCardParts();

// What an item page says of its shop: where its shop page is (or, on the oldest pages, its rating
// page), and the shop card where the page has one.
struct ItemShop {
    std::optional<QString> address;
    std::optional<ShopCard> card;
};

// Reads an item page's whole markup. Every field is found by its name, never by its place, and
// only in the item's own data (its page data, its page configuration, its shop box): the pages also
// link other shops' items, and the seller's description is text the seller wrote. Scripts are read
// only as the page's script elements, each once. Of each era of the marketplace's pages, in this
// order:
// - the page data as JSON (window.__ICE_APP_CONTEXT__ → loaderData.home.data.res) of the first
//   script that sets it: the seller's shop address or shop number, else the seller's number; the
//   store card's shop address; the card;
// - the page configuration (g_config = {…}, keys quoted or not) of each script that sets it, until
//   one names the shop: the shop's address (idata.shop.url), its number, else the seller's number;
// - the "microscope-data" meta: shopId=…;userid=…;
// - the shop box (#J_ShopInfo): its links to the shop, else its rating page (data-rateurl);
// - Tmall's hidden inputs: the seller's number (#dsr-userid), else the rating page (#dsr-ratelink);
// - Tmall's setup call (TShop.Setup({… rateConfig: {sellerId}})).
// An address is taken only as what it claims to be: a shop's address only when it is a shop page,
// the rating page only when it is a rating page.
ItemShop readItemPage(const QString &markup);

} // namespace lookup
