// SPDX-License-Identifier: MIT
// The search address for any typed name, lone surrogates included: fixed prefix and suffix, an
// encoded name of unreserved ASCII and "%XX", and UTF-8 that decodes back to the trimmed name.
// Where the text is a shop's link instead, the address opened is the marketplace's shop or rating
// page, whatever the text.

#include "fuzzcheck.h"
#include "lookup/hosts.h"
#include "lookup/pageflow.h"
#include "lookup/searchaddress.h"
#include "lookup/shoplink.h"

#include <QStringDecoder>
#include <QUrl>

namespace {

const QString prefix = QStringLiteral("https://shopsearch.taobao.com/search?q=%40");
const QString suffix = QStringLiteral("&js=1&stats_click=search_radio_all%3A1&initiative_id=staobaoz_20170912&ie=utf8");

bool isUnreserved(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u'_'
           || c == u'.' || c == u'~';
}

bool isUpperHex(QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'); }

bool isWellFormedEncoding(const QString &encoded)
{
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (isUnreserved(encoded[i])) continue;
        if (encoded[i] != u'%' || i + 2 >= encoded.size() || !isUpperHex(encoded[i + 1]) || !isUpperHex(encoded[i + 2]))
            return false;
        i += 2;
    }
    return true;
}

// The name as the search should carry it: spaces (U+0020, U+3000) trimmed from both ends, and
// every surrogate without its partner replaced by U+FFFD.
QString expectedName(const QString &typed)
{
    qsizetype begin = 0, end = typed.size();
    auto isSpace = [](QChar c) { return c == u' ' || c == QChar(0x3000); };
    while (begin < end && isSpace(typed[begin]))
        ++begin;
    while (end > begin && isSpace(typed[end - 1]))
        --end;
    QString name;
    for (qsizetype i = begin; i < end; ++i) {
        const QChar c = typed[i];
        if (c.isHighSurrogate() && i + 1 < end && typed[i + 1].isLowSurrogate()) {
            name += c;
            name += typed[++i];
        } else {
            name += c.isSurrogate() ? QChar(QChar::ReplacementCharacter) : c;
        }
    }
    return name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Every two bytes are one UTF-16 code unit, whatever it is.
    QString typed;
    for (size_t i = 0; i + 1 < size; i += 2)
        typed += QChar(char16_t(data[i] | data[i + 1] << 8));

    const QString address = lookup::searchAddress(typed);
    fuzz::check(address.startsWith(prefix) && address.endsWith(suffix)
                    && address.size() >= prefix.size() + suffix.size(),
                "fixed prefix and suffix");
    const QString encoded = address.mid(prefix.size(), address.size() - prefix.size() - suffix.size());
    fuzz::check(isWellFormedEncoding(encoded), "only unreserved ASCII and %XX with upper-case hex");

    const QByteArray bytes = QByteArray::fromPercentEncoding(encoded.toLatin1());
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString decoded = decoder(bytes);
    fuzz::check(!decoder.hasError(), "valid UTF-8");
    fuzz::check(decoded == expectedName(typed), "decodes to the trimmed name");

    if (const std::optional<QString> link = lookup::shopLinkAddress(typed)) {
        const lookup::Landing landing = lookup::landingOf(*link);
        const QUrl opened(*link);
        fuzz::check(lookup::isMarketplaceAddress(opened), "a link opens only the marketplace");
        fuzz::check(opened.userInfo().isEmpty() && opened.port() == -1, "a link opens no credentials, no other port");
        // A rating page is read only through the entry's own shop, or when the entry was its link.
        if (landing == lookup::Landing::RatingPage)
            fuzz::check(typed.contains(QLatin1String("user-rate-"), Qt::CaseInsensitive),
                        "a link opens a rating page only when it was given one");
    }
    return 0;
}
