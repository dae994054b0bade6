// SPDX-License-Identifier: MIT
#pragma once

#include "app/twips.h"

#include <QList>

namespace app {

// A figure is a label that shows a figure read or computed; an image shows an indicator picture.
enum class ControlKind { Frame, Label, Figure, TextBox, Button, Image, Browser };

// Font and colour of a control: the window's font in the default colour, or one of the
// table's emphasised looks.
enum class Look { Default, Blue, Grey, BoldBlack, BoldDarkOrange, BoldRed };

// What a control is to the figures. Each of these roles is held by one control per dimension.
enum class Role { None, Score, Comparison, Indicator, TurnRed, Target, TargetResult };

struct ControlEntry {
    const char *name;
    const char *container; // nullptr: the window itself
    ControlKind kind;
    TwipsRect place;
    const char *text; // UTF-8
    Look look;
    Role role = Role::None;
    int dimension = 0;           // 0 description, 1 service, 2 logistics, where the role has one
    const char *buddy = nullptr; // the text box a caption names, for the eye as for screen readers
};

// The main window's controls, each container's children listed top of the stack first.
const QList<ControlEntry> &form1Controls();

// The name of the main window's control with this role for this dimension.
const char *controlName(Role role, int dimension);

constexpr float form1ClientWidth = 6315;
constexpr float form1ClientHeight = 8070;

} // namespace app
