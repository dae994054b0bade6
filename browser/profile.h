// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

class QWebEngineProfile;

namespace browser {

// The one off-the-record profile every browser of the program uses: a login made in one browser
// holds for the others, and nothing is ever written to disk.
//
// Qt WebEngine wants a profile to outlive every page that uses it and to end before the
// application object does. So the profile belongs to this object, made once right after the
// QApplication and before any window: the windows, made after it, are gone before it ends.
class SharedProfile
{
public:
    SharedProfile();
    ~SharedProfile();
    Q_DISABLE_COPY_MOVE(SharedProfile)

private:
    QWebEngineProfile *m_profile;
};

// The profile of the SharedProfile that is alive.
QWebEngineProfile *sharedProfile();

} // namespace browser
