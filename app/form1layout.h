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

struct ControlEntry {
    const char *name;
    const char *container; // nullptr: the window itself
    ControlKind kind;
    TwipsRect place;
    const char *text; // UTF-8
    Look look;
};

// The main window's controls, each container's children listed top of the stack first.
const QList<ControlEntry> &form1Controls();

constexpr float form1ClientWidth = 6315;
constexpr float form1ClientHeight = 8070;

} // namespace app
