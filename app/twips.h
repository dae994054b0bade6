// SPDX-License-Identifier: MIT
#pragma once

#include <QRectF>

class QWidget;

namespace app {

// Places are kept in twips (1/1440 inch, 15 to a pixel at 96 dpi), single precision, as the
// layout tables give them; widgets get the nearest whole pixels.
constexpr float twipsPerPixel = 15.0f;

struct TwipsRect {
    float left, top, width, height;
};

void setTwipsGeometry(QWidget *widget, TwipsRect rect);
TwipsRect twipsGeometry(const QWidget *widget);

void setTwipsLeft(QWidget *widget, float left);
void setTwipsTop(QWidget *widget, float top);

} // namespace app
