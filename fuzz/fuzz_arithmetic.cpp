// SPDX-License-Identifier: MIT
// Score values, the five-star formula and the calculators on any target, score, rater and
// comparison texts: no undefined behaviour, every count the target calculator shows is the one
// the formula gives when worked out plainly, and a one-star headroom is the last count of one-star
// ratings that keeps the score at or above the estimated average. A number read is strtod's.
//
// Input fields (split on 0x01): target, score, rater total, star-share box, rater box, comparison.

#include "calc/fivestar.h"
#include "calc/headroom.h"
#include "calc/numbers.h"
#include "calc/scorevalue.h"
#include "calc/targetscore.h"
#include "calc/turnred.h"
#include "fuzzcheck.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

double plainNumber(const QString &text) { return std::strtod(text.trimmed().toLatin1().constData(), nullptr); }

// The count for a target, worked out as the calculator describes it: the difference at four
// decimals, the rest in doubles in the formula's order, truncated toward zero. Nothing where the
// difference does not fit.
std::optional<double> plainCount(qint64 target4, qint64 score4, double target, double raters)
{
    qint64 difference = 0;
    if (__builtin_sub_overflow(target4, score4, &difference)) return std::nullopt;
    return std::trunc(double(difference) / 10000.0 / (5.0 - target) * raters);
}

void checkTargetCount(const QString &target, const QString &score, const QString &raters)
{
    calc::DsrRecord record;
    record.scoreTexts = {score};
    record.raterTotals = {raters};
    const calc::TargetOutcome outcome = calc::targetOutcome(record, 0, QStringLiteral("4.8分"), target);
    if (outcome.action != calc::TargetOutcome::Action::Show || outcome.text.isEmpty()) return;
    if (outcome.text == QLatin1String("0") && *calc::PE_CDbl(target) == *calc::PE_CDbl(score)) return;

    const qint64 t4 = calc::PE_CDbl(target)->tenThousandths;
    const qint64 s4 = calc::PE_CDbl(score)->tenThousandths;
    const double t = plainNumber(target), r = plainNumber(raters);
    const auto expected = plainCount(t4, s4, t, r);
    fuzz::check(expected.has_value(), "a count is shown only where the difference fits");
    bool ok = false;
    fuzz::check(outcome.text.toDouble(&ok) == *expected && ok, "the shown count is the formula's");

    // Within the range a shop can have, the doubles stay within one rating of the exact value.
    if (s4 >= 0 && s4 <= 50000 && std::fabs(r) < 1e9) {
        const long double exact = (static_cast<long double>(t4 - s4) / 10000)
                                  / (5 - std::strtold(target.trimmed().toLatin1().constData(), nullptr))
                                  * std::strtold(raters.trimmed().toLatin1().constData(), nullptr);
        // Truncating a double a hair below a whole number costs the whole one (4.34 over 4.01 with
        // 100 raters is exactly 50 and shows 49), so the bound holds up to that hair.
        const long double hair = 1e-9L * std::max(1.0L, std::fabs(exact));
        fuzz::check(std::fabs(exact - static_cast<long double>(*expected)) <= 1 + hair,
                    "within one of the exact value");
    }
}

// After n one-star ratings the score stands at or above the average, after n + 1 it does not;
// in 128 bits, on the five-decimal values.
void checkHeadroom(double score, double gap, double raters)
{
    const std::optional<long long> headroom = calc::oneStarHeadroom(score, gap, raters);
    if (!headroom) return;
    fuzz::check(*headroom >= 0, "a headroom is no negative count");
    const __int128 s = std::llround(score * 1e5), a = std::llround(*calc::industryAverageAbove(score, gap) * 1e5);
    const __int128 r = static_cast<long long>(raters);
    auto stands = [&](__int128 n) { return s * r + n * 100000 >= a * (r + n); };
    fuzz::check(stands(*headroom), "the score stands after the headroom's one-star ratings");
    fuzz::check(!stands(*headroom + 1), "the score falls after one more");
}

// A number read is the one strtod reads from its digits and exponent, whichever way it was read.
void checkReadAsStrtod(const QString &text, double read)
{
    const std::optional<calc::DecimalText> number = calc::parseDecimal(text);
    fuzz::check(number.has_value(), "a number read is a decimal");
    const QByteArray digits = number->digits.isEmpty() ? QByteArrayLiteral("0") : number->digits.toLatin1();
    const QByteArray canonical = (number->negative ? "-" : "") + digits + 'e' + QByteArray::number(number->exponent);
    fuzz::check(read == std::strtod(canonical.constData(), nullptr), "a number reads as strtod reads it");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList field = fuzz::fields(data, size, 6);
    const QString &target = field[0], &score = field[1], &raters = field[2];
    checkTargetCount(target, score, raters);

    const auto s = calc::toDouble(score), t = calc::toDouble(target), r = calc::toDouble(raters);
    if (s) checkReadAsStrtod(score, *s);
    if (s && t && r) calc::fiveStarCount(*s, *t, *r);
    if (t) calc::roundTo5(*t);

    calc::DsrRecord record;
    record.scoreBox = score;
    record.starBox = field[3];
    record.raterBox = field[4];
    if (!calc::jisuan(record)) return 0;
    for (int d = 0; d < calc::dimensionCount; ++d) {
        const QString shown = calc::turnRedStep(record, d, field[5]);
        fuzz::check(!shown.startsWith(u'-'), "a turn-red count has no sign");
        const auto gap = calc::comparisonGap(field[5]);
        if (gap && record.weightedScore[d])
            checkHeadroom(*record.weightedScore[d], *gap, record.dimensions[d].raterTotal);
    }
    return 0;
}
