// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace tests {

// Item pages of each era of the marketplace's, as public captures show them, each naming its shop
// its own way among links to other shops' pages and ratings (recommended items), which a reader
// must never take for the item's shop.
struct ItemPages {
    // 2025: the page data as JSON; seller and storeCardVO are JSON objects' members, such as
    // "\"shopId\":\"1001\"".
    static QString withPageData(const QString &seller, const QString &storeCard = {});
    // The page configuration script: "shopId:'1001', sellerId:'2002', idata:{shop:{url:'…'}}".
    static QString withConfiguration(const QString &fields);
    // The "microscope-data" meta, such as "pageId=1;shopId=1001;userid=2002;".
    static QString withMicroscopeData(const QString &content);
    // The shop box, with its rating page's address.
    static QString withShopBox(const QString &rateUrl);
    // Tmall's setup call, such as "\"rateConfig\":{\"sellerId\":2002}".
    static QString withTmallSetup(const QString &setup);
    // Any other markup in the page's head and its body.
    static QString with(const QString &head, const QString &body);
    // An item page of none of these: only other shops' links.
    static QString namingNoShop();
};

// The store card of the 2025 pages, for the shop with this number: its address and its shop card,
// overall 4.3, 宝贝质量 4.5, 物流速度 4.0, 服务保障 4.1, after one of the old ratings that a 2024
// page held under the same key.
QString shopCardMembers(const QString &shopId);

} // namespace tests
