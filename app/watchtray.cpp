// SPDX-License-Identifier: MIT
#include "app/watchtray.h"

#include "app/board.h"
#include "app/controls.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace app {

WatchTray::WatchTray(Board &board)
    : QObject(&board)
    , m_board(board)
{}

bool WatchTray::takeOver()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
    if (!m_icon) {
        m_icon = new QSystemTrayIcon(toolIcon(), this);
        m_icon->setToolTip(QStringLiteral("Larkspire 店铺对比 正在定时刷新"));
        auto *menu = new QMenu(&m_board);
        menu->addAction(QStringLiteral("店铺对比"), &m_board, &Board::showAndRaise);
        menu->addAction(QStringLiteral("主窗口"), this, &WatchTray::mainWindowAsked);
        menu->addAction(QStringLiteral("停止观察"), this, &WatchTray::stopAsked);
        menu->addSeparator();
        menu->addAction(QStringLiteral("退出"), this, &WatchTray::quitAsked);
        m_icon->setContextMenu(menu);
        connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) m_board.showAndRaise();
        });
    }
    m_icon->show();
    return true;
}

void WatchTray::release()
{
    if (m_icon) m_icon->hide();
}

} // namespace app
