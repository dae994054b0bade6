// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace tests {

// A double with every digit it needs to be read back bit for bit. QCOMPARE on doubles forgives
// differences in the last bits; on these texts it does not.
inline QString exactly(double value) { return QString::number(value, 'g', 17); }

} // namespace tests
