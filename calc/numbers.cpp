// SPDX-License-Identifier: MIT
#include "calc/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace calc {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Exponents far beyond any representable value are clamped; the value is then zero or overflows.
constexpr qint64 exponentClamp = 100000000;

} // namespace

std::optional<DecimalText> parseDecimal(QStringView text)
{
    qsizetype i = 0, end = text.size();
    // Page text keeps its markup's line breaks and non-breaking spaces, and Chinese input
    // methods type the ideographic space: white space of every kind may stand around a number.
    while (i < end && text[i].isSpace())
        ++i;
    while (end > i && text[end - 1].isSpace())
        --end;

    DecimalText number;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) number.negative = text[i++] == u'-';

    QString digits;
    qint64 fractionDigits = 0;
    bool seenPoint = false;
    for (; i < end && (isDigit(text[i]) || text[i] == u'.'); ++i) {
        if (text[i] == u'.') {
            if (seenPoint) return std::nullopt;
            seenPoint = true;
        } else {
            digits += text[i];
            fractionDigits += seenPoint;
        }
    }
    if (digits.isEmpty()) return std::nullopt;

    qint64 exponent = 0;
    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == u'+' || text[i] == u'-')) negativeExponent = text[i++] == u'-';
        if (i == end) return std::nullopt;
        for (; i < end && isDigit(text[i]); ++i)
            exponent = std::min(exponent * 10 + text[i].digitValue(), exponentClamp);
        if (negativeExponent) exponent = -exponent;
    }
    if (i != end) return std::nullopt;

    qsizetype firstNonZero = 0;
    while (firstNonZero < digits.size() && digits[firstNonZero] == u'0')
        ++firstNonZero;
    number.digits = digits.mid(firstNonZero);
    number.exponent = exponent - fractionDigits;
    return number;
}

std::optional<double> toDouble(QStringView text)
{
    const auto number = parseDecimal(text);
    if (!number) return std::nullopt;
    if (number->digits.isEmpty()) return number->negative ? -0.0 : 0.0;
    // strtod rounds the exact decimal correctly; the canonical form keeps the locale out of it.
    const QByteArray canonical =
        (number->negative ? "-" : "") + number->digits.toLatin1() + 'e' + QByteArray::number(number->exponent);
    const double value = std::strtod(canonical.constData(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

QString countText(double wholeNumber)
{
    if (wholeNumber == 0) return QStringLiteral("0");
    return QString::number(wholeNumber, 'f', 0);
}

} // namespace calc
