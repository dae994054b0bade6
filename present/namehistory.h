// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

namespace present {

// The names queried in this run, the latest first and each once, after the name was queried.
// An empty name is no query and leaves them as they were.
QStringList withLatest(QStringList names, const QString &name);

} // namespace present
