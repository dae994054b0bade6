// SPDX-License-Identifier: MIT
#include "userinput.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
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

void answerFileDialog(const QString &path)
{
    // Qt's own dialog: a desktop's dialog, where the platform offers one, is out of the test's reach.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    // Looked for on each turn of the event loop until it shows, never waited for in a loop of its
    // own: the dialog opens inside the key press or click that asks for it.
    auto *poll = new QTimer;
    poll->setInterval(50);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, path, tries = 200]() mutable {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        auto *name =
            dialog && dialog->isVisible() ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!name && --tries > 0) return;
        poll->deleteLater();
        poll->stop();
        if (!name || !focus(name)) return;
        keySequence(name, QKeySequence::SelectAll);
        type(name, path);
        keyClick(name, Qt::Key_Return);
    });
    poll->start();
}

} // namespace tests
