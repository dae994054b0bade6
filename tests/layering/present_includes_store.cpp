// SPDX-License-Identifier: MIT
// Must not build: what is shown knows nothing of where a board is kept.
#include "store/boardfile.h"
