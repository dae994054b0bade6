// SPDX-License-Identifier: MIT
// Builds: the control for calc_includes_lookup, the same file including calc itself.
#include "calc/numbers.h"
