// SPDX-License-Identifier: MIT
#pragma once

namespace app {

// Keeps the terminal quiet in normal use: Qt and Qt WebEngine describe their set-up and warn about
// graphics the program never uses at every start. What QT_LOGGING_RULES asks for still appears,
// since those rules are applied after these. Call before the QApplication is made.
void quietQtMessages();

} // namespace app
