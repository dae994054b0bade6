// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

namespace browser {

// What the browsers refused or could not do: failed and refused loads, snapshots that could not
// be taken, engines that died. Off unless QT_LOGGING_RULES turns it on; to stderr only.
Q_DECLARE_LOGGING_CATEGORY(lcBrowser)

} // namespace browser
