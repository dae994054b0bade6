// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace session {

// The one login window, as every session uses it: whichever session meets the marketplace's login
// or verification page shows it there, and a board waits on it while it is shown.
class LoginWindow
{
public:
    virtual ~LoginWindow() = default;
    virtual void show(const QString &address) = 0;
    virtual bool isShown() const = 0;
};

} // namespace session
