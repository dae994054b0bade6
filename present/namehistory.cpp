// SPDX-License-Identifier: MIT
#include "present/namehistory.h"

namespace present {

QStringList withLatest(QStringList names, const QString &name)
{
    if (name.isEmpty()) return names;
    names.removeAll(name);
    names.prepend(name);
    return names;
}

} // namespace present
