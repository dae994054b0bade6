// SPDX-License-Identifier: MIT
// Builds: the board's file keeps readings as what is shown has them.
#include "present/readinglog.h"
