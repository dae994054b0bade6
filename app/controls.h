// SPDX-License-Identifier: MIT
#pragma once

#include "app/form1layout.h"

#include <QFont>
#include <QIcon>
#include <QPixmap>

class QWebEngineView;

namespace app {

// "宋体" where it is installed; elsewhere another Song (serif) face, then any CJK face, so that
// the look stays close and no glyph is missing.
QFont toolFont(bool bold);

// The tool's icon at every size the desktop asks for.
QIcon toolIcon();

// An indicator picture ("higher", "lower" or "equal"), 200 x 22 pixels at 100 %, drawn from its
// double-size version on screens at more than 100 % so that it stays sharp.
QPixmap indicatorPicture(const QString &name, qreal devicePixelRatio);

// One control of a layout table, in its container, with its place, text, font and colour.
// The promotion browser's view is made by the window and only placed here.
QWidget *createControl(const ControlEntry &entry, QWidget *container, QWebEngineView *promotionView);

} // namespace app
