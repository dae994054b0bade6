// SPDX-License-Identifier: MIT
#include "app/hiddenbrowser.h"

#include "browser/profile.h"
#include "lookup/pageflow.h"
#include "session/querysession.h"

namespace app {

std::unique_ptr<browser::WebBrowser> hiddenBrowserFor(session::QuerySession &session)
{
    auto hidden = std::make_unique<browser::WebBrowser>(browser::WebBrowser::Kind::Hidden, browser::sharedProfile());
    hidden->setReadingRules(lookup::readingRules());
    // Each page is followed on a turn of the event loop of its own, not inside the engine's callback
    // that read it: a message box it opens runs a loop of its own, in which the engine must go on
    // serving every browser, and it serves none from within that callback.
    QObject::connect(hidden.get(), &browser::WebBrowser::documentComplete, &session, &session::QuerySession::follow,
                     Qt::QueuedConnection);
    QObject::connect(hidden.get(), &browser::WebBrowser::loadFailed, &session, &session::QuerySession::follow,
                     Qt::QueuedConnection);
    QObject::connect(hidden.get(), &browser::WebBrowser::renderProcessDied, &session,
                     &session::QuerySession::engineDied);
    return hidden;
}

} // namespace app
