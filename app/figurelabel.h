// SPDX-License-Identifier: MIT
#pragma once

#include "app/form1layout.h"

#include <QLabel>

#include <optional>

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

// Makes screen readers read FigureLabels as above, and the program's windows as the frames they
// are (a plain top-level widget would be read as a "filler"). Safe to call more than once.
void installAccessibility();

// What a screen reader says a figure of this role and dimension is, such as "宝贝与描述相符 评分".
QString figureDescription(Role role, int dimension);

// What stands behind a turn-red label, told only to whoever asks: as its tooltip and the screen
// readers' description. The window looks as it always did. The one-star headroom of a dimension at
// or above the industry, or why one below it has no count; nothing where neither applies.
void tellOnTurnRed(QLabel *turnRedLabel, int dimension, const QString &told);
void tellHeadroom(QLabel *turnRedLabel, int dimension, std::optional<long long> oneStarRatings);

// Gives every control of the layout table that holds a figure its description.
void describeFigures(QWidget *window, const QList<ControlEntry> &controls);

} // namespace app
