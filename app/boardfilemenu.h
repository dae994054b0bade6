// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QMenu;
class QMenuBar;
class QWidget;

namespace present {
class BoardModel;
}

namespace session {
class BoardSession;
}

namespace app {

struct BoardControls;
class BoardTable;

// The board's 文件 menu: 打开, the files opened lately, 保存, 另存为 and 导出历史, each asking the
// person for a file and telling what went wrong in a message box; the window's title names the
// board's file, a line under the buttons its troubles, and a file opened sets the table's rows and
// the watch's interval. The files opened lately are the one thing the program remembers between runs.
class BoardFileMenu : public QObject
{
    Q_OBJECT
public:
    BoardFileMenu(QWidget *board, session::BoardSession &session, present::BoardModel *model,
                  const BoardControls &controls);

    QMenuBar *menuBar() const { return m_bar; }
    // Every reading of the chosen rows, or of all, into a CSV file the person names.
    void exportHistory();
    void open(const QString &path);
    // The file opened last, where there is one: what the autostart entry opens after login.
    void openLatest();

private:
    void askToOpen();
    void save();
    void saveAs();
    void fillRecent();
    // The file opened or saved among the files opened lately, or what went wrong told.
    void remember(const QString &path, const QString &error, const QString &action);
    void showTitle();
    void showTrouble(const QString &trouble);
    void showWatch();
    bool mayReplaceRows();
    void setAutostart(bool on);

    QWidget *m_board;
    session::BoardSession &m_session;
    const BoardControls &m_controls;
    QMenuBar *m_bar;
    QMenu *m_recent;
};

} // namespace app
