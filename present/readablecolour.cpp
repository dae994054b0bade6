// SPDX-License-Identifier: MIT
#include "present/readablecolour.h"

#include <algorithm>
#include <cmath>

namespace present {

namespace {

// Relative luminance as WCAG defines it, from 0 (black) to 1 (white).
double luminance(const QColor &colour)
{
    auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

} // namespace

double contrast(const QColor &a, const QColor &b)
{
    const double first = luminance(a), second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor readableIn(const QColor &colour, const QPalette &palette)
{
    constexpr double minimumContrast = 4.5;
    const QColor window = palette.color(QPalette::Window);
    if (luminance(window) >= luminance(palette.color(QPalette::WindowText))) return colour;
    QColor lighter = colour.toHsl();
    for (float lightness = lighter.lightnessF(); contrast(lighter, window) < minimumContrast && lightness < 1;) {
        lightness = std::min(lightness + 0.01f, 1.0f);
        lighter.setHslF(lighter.hslHueF(), lighter.hslSaturationF(), lightness);
    }
    return lighter.toRgb();
}

} // namespace present
