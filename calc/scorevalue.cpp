// SPDX-License-Identifier: MIT
#include "calc/scorevalue.h"

#include "calc/numbers.h"

#include <limits>

namespace calc {

namespace {

constexpr int fractionDigits = 4;

// Rounds digits * 10^shift (shift < 0) to a whole number, an exact half to the even neighbour.
// Returns the whole part's digits, possibly rounded up by one in the last place.
struct Rounded {
    QString wholeDigits;
    bool roundUp = false;
};

Rounded roundHalfToEven(const QString &digits, qint64 droppedCount)
{
    if (droppedCount > digits.size()) return {};
    const QString whole = digits.left(digits.size() - droppedCount);
    const QStringView dropped = QStringView(digits).right(droppedCount);
    bool up = false;
    if (!dropped.isEmpty()) {
        const QChar first = dropped.front();
        const bool restZero = dropped.mid(1).count(u'0') == dropped.size() - 1;
        if (first > u'5' || (first == u'5' && !restZero))
            up = true;
        else if (first == u'5')
            up = !whole.isEmpty() && (whole.back().digitValue() % 2 == 1);
    }
    return {whole, up};
}

} // namespace

std::optional<ScoreValue> PE_CDbl(QStringView text)
{
    const auto number = parseDecimal(text);
    if (!number) return ScoreValue{0};
    if (number->digits.isEmpty()) return ScoreValue{0};

    const qint64 shift = number->exponent + fractionDigits;
    QString wholeDigits = number->digits;
    bool roundUp = false;
    if (shift < 0) {
        const Rounded r = roundHalfToEven(number->digits, -shift);
        wholeDigits = r.wholeDigits;
        roundUp = r.roundUp;
    } else {
        if (shift > 20) return std::nullopt;
        wholeDigits += QString(shift, u'0');
    }

    const quint64 limit = number->negative ? quint64(std::numeric_limits<qint64>::max()) + 1
                                           : quint64(std::numeric_limits<qint64>::max());
    quint64 magnitude = 0;
    for (QChar c : wholeDigits) {
        if (qMulOverflow(magnitude, quint64(10), &magnitude)
            || qAddOverflow(magnitude, quint64(c.digitValue()), &magnitude))
            return std::nullopt;
    }
    if (roundUp && qAddOverflow(magnitude, quint64(1), &magnitude)) return std::nullopt;
    if (magnitude > limit) return std::nullopt;

    const qint64 value = number->negative ? qint64(0 - magnitude) : qint64(magnitude);
    return ScoreValue{value};
}

} // namespace calc
