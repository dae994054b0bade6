// SPDX-License-Identifier: MIT
#pragma once

#include <QLatin1StringView>
#include <QStringView>

class QUrl;

namespace lookup {

// The marketplace's hosts: where queries go, and what the page flow recognises landings by.
inline constexpr QLatin1StringView shopSearchHost{"shopsearch.taobao.com"};
inline constexpr QLatin1StringView loginHost{"login.taobao.com"};
inline constexpr QLatin1StringView ratingHost{"rate.taobao.com"};
inline constexpr QLatin1StringView itemSearchHost{"s.taobao.com"};
inline constexpr QLatin1StringView verificationHost{"sec.taobao.com"};
inline constexpr QLatin1StringView storeHost{"store.taobao.com"}; // sellers' shop pages by number
// The desktop item pages' hosts: Taobao's, Tmall's and Tmall Global's.
inline constexpr QLatin1StringView itemHosts[] = {
    QLatin1StringView("item.taobao.com"), QLatin1StringView("detail.tmall.com"), QLatin1StringView("detail.tmall.hk")};
// The domain of the app's share links (m.tb.cn, e.tb.cn).
inline constexpr QLatin1StringView shareDomain{"tb.cn"};

// The domains the marketplace's pages are served from: its own, its share links, its static
// content and its single sign-on. The hidden browser goes nowhere else.
inline constexpr QLatin1StringView marketplaceDomains[] = {
    QLatin1StringView("taobao.com"), QLatin1StringView("tmall.com"),     QLatin1StringView("alicdn.com"),
    QLatin1StringView("tbcdn.cn"),   QLatin1StringView("taobaocdn.com"), QLatin1StringView("alibaba.com"),
    QLatin1StringView("alipay.com"), QLatin1StringView("tmall.hk"),      QLatin1StringView("tb.cn"),
};

// The domains of the pages a seller pastes: shops, items and share links. The static content and
// the payment and sign-on sites hold no page of a shop.
inline constexpr QLatin1StringView pasteableDomains[] = {
    QLatin1StringView("taobao.com"), QLatin1StringView("tmall.com"), QLatin1StringView("tmall.hk"), shareDomain};

// Whether the address is http or https on one of the marketplace's domains or their subdomains.
// Whole labels count: "nottaobao.com" and "taobao.com.evil.example" are not the marketplace.
bool isMarketplaceAddress(const QUrl &address);

// Whether the ASCII host is the domain or one of its subdomains, by whole labels.
bool isOnDomain(const QString &host, QLatin1StringView domain);

// Whether the host is a shop's own on the marketplace: a Taobao, Tmall or Tmall Global label that
// is none of the marketplace's own hosts there (shop123.taobao.com, name.tmall.com, name.tmall.hk),
// or a numbered shop host of the world site (123.world.taobao.com). The ASCII, lower-case form.
bool isShopHost(const QString &host);

// Whether the text is one of the marketplace's numeric ids (a shop's, a seller's): at most 20
// ASCII digits.
bool isNumericId(QStringView text);

// Whether the marketplace sent the browser to a page where a person proves to be one (a slider or
// a code) before it answers: its verification host's query page, or the slider page that any of
// its hosts may serve in place of the page asked for.
bool isVerificationPage(const QUrl &address);

// Whether the marketplace has handed the person back on this page after a login or a check: a page
// of the marketplace that is none of its login, verification or single sign-on pages (which a login
// passes through on its way back).
bool isPastTheGate(const QUrl &address);

} // namespace lookup
