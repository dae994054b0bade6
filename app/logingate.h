// SPDX-License-Identifier: MIT
#pragma once

#include "session/loginwindow.h"

#include <QObject>
#include <QPointer>

class QTimer;

namespace lookup {
struct PageSnapshot;
}

namespace app {

class Form2;

// The login window as the queries use it: shown on the marketplace's login or verification page,
// hidden once a shop page is reached, and watched while it is shown. It is passed when it settles
// on the page the marketplace hands the person back to (no login, check or sign-on page, and no
// further load starting soon after, as a redirect page's script does); it is closed when it is
// closed or hidden before that.
class LoginGate : public QObject, public session::LoginWindow
{
    Q_OBJECT
public:
    explicit LoginGate(QObject *parent = nullptr);

    void show(const QString &address) override; // shown, raised and sent to the page
    void hide();                                // hidden, loaded first if it was not
    bool isShown() const override;

signals:
    void passed();
    void closed();

private:
    void watch(Form2 *window);
    void pageCompleted(const lookup::PageSnapshot &page);
    void loadStarted();
    void windowGone();
    bool eventFilter(QObject *watched, QEvent *event) override;

    QPointer<Form2> m_watched;
    QTimer *m_settle;
    bool m_shown = false;
    bool m_pastTheGate = false; // the window's last completed page
};

} // namespace app
