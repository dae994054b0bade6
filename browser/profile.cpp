// SPDX-License-Identifier: MIT
#include "browser/profile.h"

#include <QCoreApplication>
#include <QWebEngineProfile>

namespace browser {

QWebEngineProfile *sharedProfile()
{
    // Parented to the application so that it outlives every page; a profile without a storage
    // name is off the record.
    static QWebEngineProfile *profile = new QWebEngineProfile(QCoreApplication::instance());
    return profile;
}

} // namespace browser
