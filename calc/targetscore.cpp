// SPDX-License-Identifier: MIT
#include "calc/targetscore.h"

#include "calc/fivestar.h"
#include "calc/numbers.h"

namespace calc {

namespace {

TargetOutcome show(const QString &text = {}) { return {TargetOutcome::Action::Show, text}; }
TargetOutcome keep() { return {TargetOutcome::Action::Keep, {}}; }

} // namespace

TargetOutcome targetOutcome(const DsrRecord &record, int d, const QString &scoreLabel, const QString &target)
{
    if (scoreLabel.isEmpty()) return show();

    const auto t = PE_CDbl(target);
    if (!t) return keep();
    // Empty, zero or non-numeric targets ask for nothing; neither does a target above 5.
    if (*t == ScoreValue{0}) return show();

    if (d >= record.scoreTexts.size()) return keep();
    const auto s = PE_CDbl(record.scoreTexts.at(d));
    if (!s) return keep();
    if (*t < *s) return show();
    if (*t > scoreOf(5)) return show();
    if (*t == scoreOf(5)) return {TargetOutcome::Action::ReplaceTarget, QStringLiteral("4.9")};

    if (d >= record.raterTotals.size()) return keep();
    const auto raters = toDouble(record.raterTotals.at(d));
    if (!raters) return keep();
    const auto count = fiveStarCount(*s, target, *raters);
    if (!count) return keep();
    return show(countText(*count));
}

} // namespace calc
