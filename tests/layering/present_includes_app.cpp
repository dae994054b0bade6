// SPDX-License-Identifier: MIT
// Must not build: the rules of what is shown need no window to hold them.
#include "app/form1.h"
