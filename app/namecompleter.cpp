// SPDX-License-Identifier: MIT
#include "app/namecompleter.h"

#include "present/namehistory.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStringListModel>
#include <QWindow>

namespace app {

namespace {

// A mouse event as the receiver sees it, at the same place on the screen.
QMouseEvent movedTo(const QMouseEvent &event, QPointF local)
{
    return QMouseEvent(event.type(), local, local, event.globalPosition(), event.button(), event.buttons(),
                       event.modifiers(), event.pointingDevice());
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
    m_names->setStringList(present::withLatest(m_names->stringList(), name));
}

bool NameCompleter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_popup) return QCompleter::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        const QPoint global = press->globalPosition().toPoint();
        m_pressedBeside = nullptr;
        if (m_popup->rect().contains(m_popup->mapFromGlobal(global))) return QCompleter::eventFilter(watched, event);
        m_popup->hide();
        // To the window under the pointer, as the window system would have sent it without the
        // popup: its focus and press handling run. Sent at once, not posted, so that it comes before
        // the release that ends the same click, which the window system may already have queued.
        m_pressedBeside = QApplication::widgetAt(global);
        if (QWindow *window = m_pressedBeside ? m_pressedBeside->window()->windowHandle() : nullptr) {
            QMouseEvent replayed = movedTo(*press, window->mapFromGlobal(global));
            QCoreApplication::sendEvent(window, &replayed);
        }
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && m_pressedBeside) {
        // Some Qt versions hand the release to the popup that had the press, hidden as it is by
        // now; the control that was pressed takes it, or the click is never complete.
        const auto *release = static_cast<QMouseEvent *>(event);
        QMouseEvent replayed = movedTo(*release, m_pressedBeside->mapFromGlobal(release->globalPosition()));
        QCoreApplication::sendEvent(m_pressedBeside, &replayed);
        m_pressedBeside = nullptr;
        return true;
    }
    return QCompleter::eventFilter(watched, event);
}

} // namespace app
