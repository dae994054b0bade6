// SPDX-License-Identifier: MIT
#include "app/messages.h"

#include <QLoggingCategory>

namespace app {

void quietQtMessages()
{
    // Critical and fatal messages, which tell of real failures, stay on.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false\n*.warning=false"));
}

} // namespace app
