// SPDX-License-Identifier: MIT
// Builds: the control for browser_includes_app, the adapter including the snapshot it hands over.
#include "lookup/pagesnapshot.h"
