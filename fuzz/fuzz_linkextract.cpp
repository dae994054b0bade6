// SPDX-License-Identifier: MIT
// The rating-page address and the title token from any text.

#include "fuzzcheck.h"
#include "lookup/linkextract.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzz::utf8Text(data, size);
    const QString address = lookup::wenz(text);
    fuzz::check(address.isEmpty()
                    || (address.startsWith(QLatin1String("//rate.taobao.com/user-rate-"))
                        && address.endsWith(QLatin1String(".htm"))),
                "wenz gives nothing or a rating-page address");
    fuzz::check(text.contains(lookup::huqus(text)), "the title token stands in the title");
    return 0;
}
