// SPDX-License-Identifier: MIT
#include "webtestbase.h"

#include "webtest.h"

namespace tests {

QueryWindow &WebTestBase::window()
{
    if (!m_window) m_window = std::make_unique<QueryWindow>();
    return *m_window;
}

void WebTestBase::init()
{
    serveCatalogue();
    marketplace().clearRequests();
}

void WebTestBase::cleanup() { m_window.reset(); }

} // namespace tests
