// SPDX-License-Identifier: MIT
#pragma once

#include "browser/silentpage.h"

namespace browser {

// The hidden browser's page. It loads only what the page flow reads (documents, frames, scripts
// and their requests, so the DOM is the one the marketplace's scripts build) and only from the
// marketplace: pictures, fonts and style sheets are never fetched, and no page can send it
// anywhere else. It is never shown, so nothing of it is laid out in pixels or painted; its timers
// run at full speed all the same (see keepUnshownPagesAwake()).
class MarketplacePage : public SilentPage
{
    Q_OBJECT
public:
    explicit MarketplacePage(QWebEngineProfile *profile, QObject *parent = nullptr);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
};

} // namespace browser
