// SPDX-License-Identifier: MIT
#include "app/logingate.h"

#include "app/form2.h"
#include "browser/webbrowser.h"
#include "lookup/hosts.h"

#include <QEvent>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>

namespace app {

namespace {

// A page past the gate that starts no other load within this time is where the marketplace
// handed the person back; its redirect pages move on within a few hundred milliseconds.
constexpr int settleMs = 1000;

} // namespace

LoginGate::LoginGate(QObject *parent)
    : QObject(parent)
    , m_settle(new QTimer(this))
{
    m_settle->setSingleShot(true);
    m_settle->setInterval(settleMs);
    connect(m_settle, &QTimer::timeout, this, &LoginGate::passed);
}

void LoginGate::show(const QString &address)
{
    Form2 *login = Form2::ensureLoaded();
    watch(login);
    // The window goes to a gate now, whatever it showed before; the engine may not tell this
    // load's start.
    m_settle->stop();
    m_pastTheGate = false;
    login->show();
    login->raise();
    login->webBrowser1()->navigate(address);
}

void LoginGate::hide()
{
    Form2 *login = Form2::ensureLoaded();
    watch(login);
    login->hide();
}

bool LoginGate::isShown() const { return m_watched && m_watched->isVisible(); }

void LoginGate::watch(Form2 *window)
{
    if (m_watched == window) return;
    m_watched = window;
    m_shown = false;
    m_pastTheGate = false;
    window->installEventFilter(this);
    connect(window->webBrowser1(), &browser::WebBrowser::documentComplete, this, &LoginGate::pageCompleted);
    connect(window->webBrowser1()->page(), &QWebEnginePage::loadStarted, this, &LoginGate::loadStarted);
    connect(window, &QObject::destroyed, this, &LoginGate::windowGone);
}

void LoginGate::pageCompleted(const lookup::PageSnapshot &page)
{
    m_pastTheGate = lookup::isPastTheGate(QUrl(page.locationUrl));
    if (m_pastTheGate && m_shown)
        m_settle->start();
    else
        m_settle->stop();
}

void LoginGate::loadStarted()
{
    m_settle->stop();
    m_pastTheGate = false;
}

void LoginGate::windowGone()
{
    // Unloaded while shown, without the hide its closing brings: closed all the same.
    m_settle->stop();
    if (std::exchange(m_shown, false)) emit closed();
}

bool LoginGate::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watched && event->type() == QEvent::Show) m_shown = true;
    if (watched == m_watched && event->type() == QEvent::Hide && std::exchange(m_shown, false)) {
        // Hidden or closed by anything, the page it shows says whether the person got through.
        m_settle->stop();
        if (m_pastTheGate)
            emit passed();
        else
            emit closed();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace app
