// SPDX-License-Identifier: MIT
// Must not build: a session sees its browser only as a navigator.
#include "browser/webbrowser.h"
