#include "lookup/linkextract.h"

#include "lookup/hosts.h"
#include "lookup/textscan.h"

#include <QRegularExpression>

namespace lookup {

QString wenz(const QString &markup)
{
    const auto identifier = firstRatingLinkIdentifier(markup);
    if (!identifier) return {};
    return QStringLiteral("//") + ratingHost + QLatin1String("/user-rate-") + *identifier + QLatin1String(".htm");
}

QString huqus(const QString &title)
{
    static const QRegularExpression token(QStringLiteral(R"(\-(.*?)\-)"),
                                          QRegularExpression::CaseInsensitiveOption
                                              | QRegularExpression::MultilineOption);
    const auto match = token.match(title);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace lookup
