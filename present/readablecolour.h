// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPalette>

namespace present {

// The colour, as it reads on the palette's window. The layout's colours were chosen for a light
// window: on a light palette a colour stays as it is. On a dark one (light text on a dark window)
// the same hue is lightened step by step until it reads at least as well as WCAG asks of body
// text, 4.5 : 1.
QColor readableIn(const QColor &colour, const QPalette &palette);

// The contrast ratio of two colours as WCAG defines it, from 1 (the same) to 21 (black on white).
double contrast(const QColor &a, const QColor &b);

} // namespace present
