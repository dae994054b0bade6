// SPDX-License-Identifier: MIT
// Must not build: the rules know nothing of Qt WebEngine.
#include "browser/webbrowser.h"
