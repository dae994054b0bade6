// SPDX-License-Identifier: MIT
#include "app/twips.h"

#include <QVariant>
#include <QWidget>

#include <cmath>

namespace app {

namespace {

const char twipsProperty[] = "twips";

int toPixels(float twips) { return int(std::lround(twips / twipsPerPixel)); }

} // namespace

void setTwipsGeometry(QWidget *widget, TwipsRect rect)
{
    widget->setProperty(twipsProperty, QRectF(rect.left, rect.top, rect.width, rect.height));
    widget->setGeometry(toPixels(rect.left), toPixels(rect.top), toPixels(rect.width), toPixels(rect.height));
}

TwipsRect twipsGeometry(const QWidget *widget)
{
    const QRectF r = widget->property(twipsProperty).toRectF();
    return {float(r.left()), float(r.top()), float(r.width()), float(r.height())};
}

void setTwipsLeft(QWidget *widget, float left)
{
    TwipsRect r = twipsGeometry(widget);
    r.left = left;
    setTwipsGeometry(widget, r);
}

void setTwipsTop(QWidget *widget, float top)
{
    TwipsRect r = twipsGeometry(widget);
    r.top = top;
    setTwipsGeometry(widget, r);
}

} // namespace app
