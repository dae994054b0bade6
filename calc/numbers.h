// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace calc {

// A number as a text spells it: sign, decimal digits and a power of ten, exactly as typed.
struct DecimalText {
    bool negative = false;
    QString digits;      // without leading zeros; empty for zero
    qint64 exponent = 0; // value = digits * 10^exponent
};

// Reads a whole text as a number: white space of any kind around (also as markup writes it, such as
// "&nbsp;"), an optional sign, digits with at most one decimal point, an optional exponent. Anything
// else (a unit, a second point, no digit, white space inside) is no number.
std::optional<DecimalText> parseDecimal(QStringView text);

// The same test, giving the nearest double; nothing for a non-number or an infinite value.
std::optional<double> toDouble(QStringView text);

// A whole count in plain digits, with "-" for a negative one and never "-0".
QString countText(double wholeNumber);

} // namespace calc
