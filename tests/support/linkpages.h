// SPDX-License-Identifier: MIT
#pragma once

#include "fakemarketplace.h"

#include <optional>

namespace tests {

// The catalogue's pages that a seller's links lead to, all of them on the way to "found"'s shop
// (测试旗舰店, shop 1001) unless said otherwise:
// - item pages of each era, by item number: 3001 on item.taobao.com names the shop in its page data,
//   with a shop card (4.3; 宝贝质量 4.5, 物流速度 4.0, 服务保障 4.1); 3002 by the shop's address in
//   its page configuration; 3003 on detail.tmall.com by the seller's number in Tmall's setup, which
//   leads through the store host's seller page; 3004 on detail.tmall.com in its page data, by a Tmall
//   shop's address (brandshop.tmall.com, whose page is "found"'s) and with the card; 3005 by the
//   microscope data; 3006 by the shop box's rating page; 3009 names no shop;
// - share links: m.tb.cn/h.ItemShare moves on by HTTP to item 3001, e.tb.cn/h.ScriptShare by script
//   to the mobile page of item 3002, e.tb.cn/h.ShopShare by script to the shop's home,
//   m.tb.cn/h.Expired names nothing;
// - any mobile page (*.m.taobao.com, *.m.tmall.com), which a query must never read for a shop;
// - the item search's results (s.taobao.com/search), full of other shops' rating links and
//   comparison elements.
std::optional<Response> linkPageAnswer(const Request &request);

} // namespace tests
