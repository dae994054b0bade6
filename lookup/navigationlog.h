// SPDX-License-Identifier: MIT
#pragma once

#include <deque>

namespace lookup {

// Which of a browser's navigations a completed page came from, told by when its document began to
// load. The engine's own signals cannot tell it: a page may finish loading after a later navigation
// was asked for, and after its renderer died the next load reports no start. A document always
// begins after the navigation that asked for it, and a late one began before the next was asked.
class NavigationLog
{
public:
    // Numbers the navigation asked for at the given time on a steady clock, in milliseconds; the
    // first is 1. Times never go back.
    int record(double askedAtMs);
    // The latest navigation asked for at or before a document began; 0 when it began before every
    // navigation still kept.
    int navigationAt(double documentStartMs) const;

private:
    int m_recorded = 0;
    std::deque<double> m_askedAt; // of the latest few navigations, newest last
};

} // namespace lookup
