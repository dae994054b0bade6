// SPDX-License-Identifier: MIT
#include "browser/engineflags.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

namespace browser {

void keepUnshownPagesAwake()
{
    static constexpr const char *switches[] = {"--disable-background-timer-throttling",
                                               "--disable-renderer-backgrounding",
                                               "--disable-backgrounding-occluded-windows"};
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    for (const char *flag : switches) {
        if (flags.split(' ').contains(flag)) continue;
        if (!flags.isEmpty()) flags += ' ';
        flags += flag;
    }
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

void readPagesToScreenReaders()
{
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
}

} // namespace browser
