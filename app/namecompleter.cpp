// SPDX-License-Identifier: MIT
#include "app/namecompleter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStringListModel>
#include <QWindow>

namespace app {

namespace {

// Hands a press to the window under the pointer, as the window system would have without the
// popup. It is sent at once, not posted, so that it arrives before the release that ends the same
// click, which the window system may already have queued.
void pressUnderPointer(const QMouseEvent &press)
{
    const QPoint global = press.globalPosition().toPoint();
    QWidget *target = QApplication::widgetAt(global);
    QWindow *window = target ? target->window()->windowHandle() : nullptr;
    if (!window) return;
    const QPointF local = window->mapFromGlobal(global);
    QMouseEvent replayed(QEvent::MouseButtonPress, local, local, press.globalPosition(), press.button(),
                         press.buttons(), press.modifiers(), press.pointingDevice());
    QCoreApplication::sendEvent(window, &replayed);
}

} // namespace

NameCompleter::NameCompleter(QLineEdit *input)
    : QCompleter(input)
    , m_names(new QStringListModel(this))
{
    setModel(m_names);
    setCaseSensitivity(Qt::CaseInsensitive);
    setModelSorting(QCompleter::UnsortedModel);
    input->setCompleter(this);
    m_popup = popup();
    // Where the platform replays such a press itself, the control would get it twice.
    m_popup->setAttribute(Qt::WA_NoMouseReplay);
}

void NameCompleter::remember(const QString &name)
{
    if (name.isEmpty()) return;
    QStringList names = m_names->stringList();
    names.removeAll(name);
    names.prepend(name);
    m_names->setStringList(names);
}

bool NameCompleter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_popup && event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        if (!m_popup->rect().contains(m_popup->mapFromGlobal(press->globalPosition().toPoint()))) {
            m_popup->hide();
            pressUnderPointer(*press);
            return true;
        }
    }
    return QCompleter::eventFilter(watched, event);
}

} // namespace app
