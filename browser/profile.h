// SPDX-License-Identifier: MIT
#pragma once

class QWebEngineProfile;

namespace browser {

// The one off-the-record profile every browser of the program uses: a login made in one browser
// holds for the others, and nothing is ever written to disk.
QWebEngineProfile *sharedProfile();

} // namespace browser
