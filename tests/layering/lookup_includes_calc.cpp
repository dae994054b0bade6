// SPDX-License-Identifier: MIT
// Builds: the control for lookup_includes_browser, the page flow including the arithmetic it uses.
#include "calc/numbers.h"
