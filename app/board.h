// SPDX-License-Identifier: MIT
#pragma once

#include "app/boardcontrols.h"
#include "session/boardsession.h"

#include <QModelIndex>
#include <QWidget>

namespace present {
class BoardModel;
}

namespace app {

class BoardFileMenu;
class LoginGate;
class WatchNotifier;
class ReadingChart;
class WatchTray;

// The comparison board (店铺对比): several shops side by side, one row each, ready to paste into a
// spreadsheet. It shows its session (session::BoardSession), which queries the rows through a
// hidden browser of its own and never through the main window; it keeps its rows for as long as
// the program runs, and in a file once the person saves it there.
class Board : public QWidget
{
    Q_OBJECT
public:
    explicit Board(LoginGate &gate);
    ~Board() override;

    void showAndRaise();
    session::BoardSession &session() { return m_session; }
    BoardFileMenu &fileMenu() { return *m_fileMenu; }

    // The report of a query the person ran, in the row of its entry (a new one if it has none).
    void add(const present::QueryReport &report);

signals:
    // From the tray's menu, while the board watches with its window closed.
    void mainWindowAsked();
    void quitAsked();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void wireControls();
    void queryAll();
    void removeSelected();
    void watchChosen();
    void rowUpdated(int id);
    void showProgress();
    void stopWatching();
    void showRow(int id);
    void showWhatIf();
    void showChart(const QModelIndex &index);

    session::BoardSession m_session;
    present::BoardModel *m_model;
    BoardControls m_controls;
    BoardFileMenu *m_fileMenu;
    WatchNotifier *m_notifier;
    ReadingChart *m_chart = nullptr;
    WatchTray *m_tray;
};

} // namespace app
