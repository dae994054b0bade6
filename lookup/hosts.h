#pragma once

#include <QLatin1StringView>

namespace lookup {

// The marketplace's hosts: where queries go, and what the page flow recognises landings by.
inline constexpr QLatin1StringView shopSearchHost{"shopsearch.taobao.com"};
inline constexpr QLatin1StringView loginHost{"login.taobao.com"};
inline constexpr QLatin1StringView ratingHost{"rate.taobao.com"};
inline constexpr QLatin1StringView itemSearchHost{"s.taobao.com"};

// The maker's promotion page, on a reserved top-level domain so no third party can serve it.
inline constexpr QLatin1StringView promotionAddress{"http://www.quillfen.example/dsr/ad.html"};
inline constexpr QLatin1StringView promotionMarker{"Quillfen"};

} // namespace lookup
