// SPDX-License-Identifier: MIT
#pragma once

#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace lookup {

// Parts of a page's markup, each found in one pass over it, however the markup is cut or nested:
// a page's own data lives in its script elements and its elements with known ids, never in text
// that a seller wrote into it.

// The text of each script element, in document order; one cut short runs to the markup's end.
QList<QStringView> scriptTexts(const QString &markup);

// The open tag of the first element with this id, such as <input id="dsr-userid" value="1">.
std::optional<QStringView> openTagWithId(const QString &markup, QLatin1StringView id);

// The element that this open tag of the markup begins, up to its end tag; none when the markup
// ends before the element does.
std::optional<QStringView> elementFrom(const QString &markup, QStringView openTag);

// The value of an attribute of an open tag, its "&amp;" read as "&"; empty when it has none.
QString attributeOf(QStringView openTag, QLatin1StringView name);

// The addresses of the links (href) in a piece of markup, in order, their "&amp;" read as "&".
QStringList linksIn(QStringView markup);

} // namespace lookup
