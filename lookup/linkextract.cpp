// SPDX-License-Identifier: MIT
#include "lookup/linkextract.h"

#include "lookup/hosts.h"

#include <QRegularExpression>

#include <optional>

namespace lookup {

namespace {

// The first group of the first match; nothing when the pattern does not match at all.
std::optional<QString> firstGroup(const QString &pattern, const QString &text)
{
    const QRegularExpression re(pattern,
                                QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = re.match(text);
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1);
}

} // namespace

QString wenz(const QString &markup)
{
    const auto identifier = firstGroup(QStringLiteral(R"(user\-rate\-(.*?)\.htm)"), markup);
    if (!identifier) return {};
    return QStringLiteral("//") + ratingHost + QLatin1String("/user-rate-") + *identifier + QLatin1String(".htm");
}

QString huqus(const QString &title) { return firstGroup(QStringLiteral(R"(\-(.*?)\-)"), title).value_or(QString()); }

} // namespace lookup
