// SPDX-License-Identifier: MIT
#pragma once

#include "browser/webbrowser.h"

#include <memory>

namespace session {
class QuerySession;
}

namespace app {

// A hidden browser of its own for a query session, on the shared profile (so that a login in the
// login window serves every session): kept to what the page flow reads, its completed pages and its
// engine's death told to that session alone.
std::unique_ptr<browser::WebBrowser> hiddenBrowserFor(session::QuerySession &session);

} // namespace app
