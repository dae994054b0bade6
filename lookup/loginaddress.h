// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace lookup {

// The marketplace's login page, returning to an item search once the user has logged in.
QString loginAddress();

} // namespace lookup
