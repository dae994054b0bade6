// SPDX-License-Identifier: MIT
#pragma once

#include "present/board.h"

#include <QWidget>

#include <map>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QTimer;

namespace lookup {
struct PageSnapshot;
}

namespace app {

class Form1;

// The comparison board (店铺对比): several shops side by side, one row each, queried one after
// another through the main window's own query, ready to paste into a spreadsheet. It keeps its
// rows for as long as the program runs and nothing after.
class Board : public QWidget
{
    Q_OBJECT
public:
    explicit Board(Form1 &form);
    ~Board() override;

    void showAndRaise();

    // The entry's row (a new one if it has none) holds this finished query's report.
    void add(const QString &entry, const present::QueryReport &report);

    // Between two shops the board waits a time drawn from this range, so that a list does not
    // look like a robot to the marketplace.
    void setPauseBetweenShops(int shortestMs, int longestMs);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void queryAll();
    void queryAgain();
    void removeSelected();
    void stop();
    void resume();
    void copyTable();

    std::optional<int> nextPending() const; // the first row in the table's order that waits for its query
    void queryNext();
    void onQueryEnded(const present::QueryReport &report);
    void waitForLogin();
    void onLoginPageComplete(const lookup::PageSnapshot &page);
    void onLoginClosed();
    void queryAgainAfterLogin();
    void endWaiting();
    void pauseThenGoOn();

    int addRow(const QString &entry);
    std::optional<int> rowWithEntry(const QString &entry) const;
    int modelRowOf(int id) const;
    QList<int> idsInOrder() const;
    QList<int> selectedIds() const;
    void setState(int id, present::BoardRow::State state);
    void showRow(int id);
    void showProgress();

    Form1 &m_form;
    QPlainTextEdit *m_entries = nullptr;
    QPushButton *m_queryAll = nullptr;
    QPushButton *m_stop = nullptr;
    QPushButton *m_resume = nullptr;
    QPushButton *m_queryAgain = nullptr;
    QPushButton *m_remove = nullptr;
    QPushButton *m_copy = nullptr;
    QLabel *m_progress = nullptr;
    QTableView *m_table = nullptr;
    QStandardItemModel *m_model = nullptr;
    QTimer *m_pause = nullptr;
    QObject *m_loginWatch = nullptr; // lives while the board waits on the login window

    std::map<int, present::BoardRow> m_rows; // by id
    int m_nextId = 0;
    std::optional<int> m_current; // the row whose query runs, or waits on the login window
    bool m_running = false;
    int m_shortestPauseMs = 3000;
    int m_longestPauseMs = 6000;
};

} // namespace app
