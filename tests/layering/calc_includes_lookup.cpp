// SPDX-License-Identifier: MIT
// Must not build: the arithmetic knows nothing of the page flow.
#include "lookup/pageflow.h"
