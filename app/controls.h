// SPDX-License-Identifier: MIT
#pragma once

#include "app/form1layout.h"
#include "calc/dsrrecord.h"
#include "lookup/pageflow.h"

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include <array>

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

// The three indicator pictures (Picture1, Picture2, Picture3), by the comparison each tells.
struct IndicatorPictures {
    QPixmap higher; // higher than the industry average
    QPixmap lower;
    QPixmap equal;

    static IndicatorPictures load(qreal devicePixelRatio);
    const QPixmap &of(lookup::Comparison comparison) const;
};

// One control of a layout table, in its container, with its place, text, font and colour.
// The promotion browser's view is made by the window and only placed here.
QWidget *createControl(const ControlEntry &entry, QWidget *container, QWebEngineView *promotionView);

// The controls of a layout table in the window, each in its container, stacked as the table lists
// them, the captions named as their text boxes' buddies.
void createControls(QWidget *window, const QList<ControlEntry> &controls, QWebEngineView *promotionView);

// The window's control with this role for each dimension.
template <typename T>
std::array<T *, calc::dimensionCount> dimensionControls(const QWidget *window, Role role)
{
    std::array<T *, calc::dimensionCount> controls{};
    for (int d = 0; d < calc::dimensionCount; ++d)
        controls[size_t(d)] = window->findChild<T *>(QLatin1String(controlName(role, d)));
    return controls;
}

// A message box as the tool shows them: no icon, OK only, titled "Larkspire".
void showMessageBox(QWidget *parent, const QString &text);

} // namespace app
