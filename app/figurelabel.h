// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

namespace app {

// A label that shows one of the window's figures (a score, a comparison percentage, a count) or
// an indicator picture. A screen reader reads it by what it shows, and nothing while it shows
// nothing, rather than by the caption of the frame around it; its accessible description says
// which figure of which dimension it is. For a picture, its accessible name says what the
// picture says.
class FigureLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
};

// Makes screen readers read FigureLabels as above. Safe to call more than once.
void installFigureAccessibility();

} // namespace app
