// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace lookup {

// What a query needs of its hidden browser: to be sent somewhere, and a fresh page now and then.
// The browser reports each completed top-level page as a PageSnapshot carrying the number that
// navigate() returned for the load it came from.
class Navigator
{
public:
    virtual ~Navigator() = default;
    // Starts loading the address, replacing a load under way; the number its pages carry.
    virtual int navigate(const QString &address) = 0;
    // Goes on with a new page: what the old one was still loading is never reported.
    virtual void renewPage() = 0;
};

} // namespace lookup
