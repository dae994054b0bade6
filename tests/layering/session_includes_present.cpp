// SPDX-License-Identifier: MIT
// Builds: a session follows pages with the rules below it.
#include "present/querytracker.h"
