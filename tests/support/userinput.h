// SPDX-License-Identifier: MIT
#pragma once

#include <QKeySequence>
#include <QPoint>
#include <QString>

class QWidget;

namespace tests {

// A person's input, delivered as the window system delivers it: to the top-level window that
// holds the widget, at the widget's place. Qt's popups, focus changes and shortcuts act on it
// there, as they do for a user; an event sent straight to a widget passes them by.

// A click at a point of the widget, its centre unless told.
void click(QWidget *widget, Qt::MouseButton button = Qt::LeftButton);
void click(QWidget *widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void doubleClick(QWidget *widget, QPoint at);

// Keys pressed and released in the widget's window, wherever its focus is.
void keyClick(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void keySequence(QWidget *widget, const QKeySequence &keys);
void type(QWidget *widget, const QString &latin1Text);

// The next file dialog to open is answered with this path, typed into it, as a person would.
void answerFileDialog(const QString &latin1Path);

// Activates the widget's window and gives the widget the focus, as a click on it would.
bool focus(QWidget *widget);

} // namespace tests
