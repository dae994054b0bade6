// SPDX-License-Identifier: MIT
// Must not build: the adapter knows nothing of the windows that use it.
#include "app/form1.h"
