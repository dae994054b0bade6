// SPDX-License-Identifier: MIT
#include "lookup/navigationlog.h"

#include <cstddef>

namespace lookup {

namespace {

// A page of an older navigation than these belongs to no query the program still follows.
constexpr std::size_t navigationsKept = 16;

} // namespace

int NavigationLog::record(double askedAtMs)
{
    m_askedAt.push_back(askedAtMs);
    if (m_askedAt.size() > navigationsKept) m_askedAt.pop_front();
    return ++m_recorded;
}

int NavigationLog::navigationAt(double documentStartMs) const
{
    int number = m_recorded;
    for (auto it = m_askedAt.crbegin(); it != m_askedAt.crend(); ++it, --number) {
        if (*it <= documentStartMs) return number;
    }
    return 0;
}

} // namespace lookup
