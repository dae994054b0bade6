// SPDX-License-Identifier: MIT
#pragma once

#include "browser/profile.h"

#include <QApplication>

namespace app {

// What a process of ours sets up, in the order Qt WebEngine needs it; the program, its tests, the
// README's pictures and the benchmarks all start through it, so they run as the program runs:
// - a quiet terminal: Qt and Qt WebEngine describe their set-up and warn about graphics the
//   program never uses at every start. What QT_LOGGING_RULES asks for still appears, since those
//   rules are applied after these;
// - the hidden browser's page at full speed although it is never shown (keepUnshownPagesAwake());
// - the shown pages readable by screen readers (readPagesToScreenReaders());
// - one graphics context shared by the browsers, as Qt WebEngine asks;
// - the application object, then the one off-the-record profile that every browser uses. Windows
//   made while the Program lives must be gone before it ends, as the profile must outlive them.
// Engine switches of the caller's own (QTWEBENGINE_CHROMIUM_FLAGS) are kept.
class Program
{
public:
    Program(int &argc, char **argv);
    Q_DISABLE_COPY_MOVE(Program)

private:
    // Runs before the application object is made: the engine reads its switches only once.
    struct BeforeTheApplication {
        BeforeTheApplication();
    } m_prepared;
    QApplication m_application;
    browser::SharedProfile m_profile;
};

} // namespace app
