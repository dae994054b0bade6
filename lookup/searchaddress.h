// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

namespace lookup {

// UTF-8 percent-encoding of a name for the search query. Unreserved ASCII (letters, digits,
// "-" "_" "." "~") passes unchanged; every other character becomes its UTF-8 bytes as "%XX"
// with upper-case hex, so no name can change the meaning of the address.
QString UTF8EncodeURI(QStringView text);

// The typed name without leading and trailing spaces (U+0020, and the ideographic space U+3000
// that Chinese input methods type); other blanks stay part of the name.
QString trimName(QStringView typed);

// The shop-search address for a name as typed.
QString searchAddress(QStringView typedName);

} // namespace lookup
