// SPDX-License-Identifier: MIT
#pragma once

#include "calc/dsrrecord.h"

#include <QString>

namespace calc {

// What a target-score row does after its input changed.
struct TargetOutcome {
    enum class Action {
        Show,          // show text as the row's result
        Keep,          // a figure could not be read: leave the result as it is
        ReplaceTarget, // a target of 5 cannot be reached: the input becomes text ("4.9")
    };
    Action action = Action::Show;
    QString text;
};

// The number of five-star ratings dimension d needs to reach the typed target. scoreLabel is
// the dimension's shown score (empty before any rating page was read).
TargetOutcome targetOutcome(const DsrRecord &record, int d, const QString &scoreLabel, const QString &target);

} // namespace calc
