// SPDX-License-Identifier: MIT
#include "calc/dsrrecord.h"

namespace calc {

QStringList splitEntries(const QString &joined)
{
    if (joined.isEmpty()) return {};
    return joined.split(u'#');
}

} // namespace calc
