// SPDX-License-Identifier: MIT
#pragma once

namespace app {

// What the program sets up before its QApplication is made:
// - a quiet terminal: Qt and Qt WebEngine describe their set-up and warn about graphics the
//   program never uses at every start. What QT_LOGGING_RULES asks for still appears, since those
//   rules are applied after these;
// - the hidden browser's page at full speed although it is never shown (keepUnshownPagesAwake());
// - the shown pages readable by screen readers (readPagesToScreenReaders());
// - one graphics context shared by the browsers, as Qt WebEngine asks.
void prepareStartUp();

} // namespace app
