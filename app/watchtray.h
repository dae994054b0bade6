// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSystemTrayIcon;

namespace app {

class Board;

// The board's watch from the system tray: a board closed while it watches goes on watching behind
// a tray icon whose menu holds 店铺对比, 主窗口, 停止观察 and 退出; a click on the icon opens the
// board again. Without a tray on the desktop nothing of it shows, and a closed board stops watching.
class WatchTray : public QObject
{
    Q_OBJECT
public:
    explicit WatchTray(Board &board);

    // The board is closing while it watches: whether the tray takes the watch over.
    bool takeOver();
    void release();

signals:
    void stopAsked();
    void mainWindowAsked();
    void quitAsked();

private:
    Board &m_board;
    QSystemTrayIcon *m_icon = nullptr;
};

} // namespace app
