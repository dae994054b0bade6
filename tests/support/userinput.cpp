// SPDX-License-Identifier: MIT
#include "userinput.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

namespace tests {

namespace {

QWindow *windowOf(QWidget *widget)
{
    QWindow *window = widget->window()->windowHandle();
    if (!window) qFatal("%s has no window on screen", qPrintable(widget->objectName()));
    return window;
}

} // namespace

void click(QWidget *widget, Qt::MouseButton button) { click(widget, widget->rect().center(), button); }

void click(QWidget *widget, QPoint at, Qt::MouseButton button)
{
    QTest::mouseClick(windowOf(widget), button, Qt::NoModifier, widget->mapTo(widget->window(), at));
}

void doubleClick(QWidget *widget, QPoint at)
{
    QTest::mouseDClick(windowOf(widget), Qt::LeftButton, Qt::NoModifier, widget->mapTo(widget->window(), at));
}

void keyClick(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(windowOf(widget), key, modifiers);
}

void keySequence(QWidget *widget, const QKeySequence &keys) { QTest::keySequence(windowOf(widget), keys); }

void type(QWidget *widget, const QString &latin1Text)
{
    for (const QChar c : latin1Text)
        QTest::keyClick(windowOf(widget), c.toLatin1());
}

bool focus(QWidget *widget)
{
    widget->window()->activateWindow();
    if (!QTest::qWaitForWindowActive(widget->window())) return false;
    widget->setFocus(Qt::MouseFocusReason);
    return widget->hasFocus();
}

} // namespace tests
