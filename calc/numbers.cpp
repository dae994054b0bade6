// SPDX-License-Identifier: MIT
#include "calc/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace calc {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// A page's white space as its markup spells it: the DOM writes a no-break space back as "&nbsp;",
// and authors write it, or the ideographic space, as a character reference.
constexpr std::array<QLatin1StringView, 4> blankReferences = {QLatin1StringView("&nbsp;"), QLatin1StringView("&#160;"),
                                                              QLatin1StringView("&#xa0;"),
                                                              QLatin1StringView("&#12288;")};

// How long the white space at the start of the text is: one character or one reference to it.
qsizetype blankAtStart(QStringView text)
{
    if (text.isEmpty()) return 0;
    if (text.front().isSpace()) return 1;
    for (QLatin1StringView reference : blankReferences)
        if (text.startsWith(reference, Qt::CaseInsensitive)) return reference.size();
    return 0;
}

qsizetype blankAtEnd(QStringView text)
{
    if (text.isEmpty()) return 0;
    if (text.back().isSpace()) return 1;
    for (QLatin1StringView reference : blankReferences)
        if (text.endsWith(reference, Qt::CaseInsensitive)) return reference.size();
    return 0;
}

// Exponents far beyond any representable value are clamped; the value is then zero or overflows.
constexpr qint64 exponentClamp = 100000000;

} // namespace

std::optional<DecimalText> parseDecimal(QStringView text)
{
    // Page text keeps its markup's line breaks and no-break spaces, and Chinese input methods
    // type the ideographic space: white space of every kind may stand around a number.
    while (const qsizetype blank = blankAtStart(text))
        text = text.sliced(blank);
    while (const qsizetype blank = blankAtEnd(text))
        text.chop(blank);
    qsizetype i = 0;
    const qsizetype end = text.size();

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

namespace {

constexpr std::array<double, 23> exactPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

} // namespace

std::optional<double> toDouble(QStringView text)
{
    const auto number = parseDecimal(text);
    if (!number) return std::nullopt;
    if (number->digits.isEmpty()) return number->negative ? -0.0 : 0.0;
    // A page's figure ("4.77", "2.00%", "762") has few digits: with a whole-number mantissa below
    // 2^53 and a power of ten below 10^23, both are exact doubles, and one division or product of
    // them is rounded correctly, as strtod rounds the decimal.
    if (number->digits.size() <= 15 && std::abs(number->exponent) <= 22) {
        double mantissa = 0;
        for (const QChar digit : number->digits)
            mantissa = mantissa * 10 + digit.digitValue();
        const double scale = exactPowersOfTen[size_t(std::abs(number->exponent))];
        const double value = number->exponent < 0 ? mantissa / scale : mantissa * scale;
        if (std::isfinite(value)) return number->negative ? -value : value;
    }
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
