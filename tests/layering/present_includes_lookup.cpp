// SPDX-License-Identifier: MIT
// Builds: what the windows show is worded from what the marketplace's pages say.
#include "lookup/pageflow.h"
