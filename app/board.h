// SPDX-License-Identifier: MIT
#pragma once

#include "app/queryrunner.h"
#include "present/boardrun.h"
#include "present/watchschedule.h"

#include <QModelIndex>
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QTimer;

namespace present {
class BoardModel;
struct BoardColumn;
} // namespace present

namespace app {

class Form1;
class WatchNotifier;
class WhatIfPanel;
class ReadingChart;

// The comparison board (店铺对比): several shops side by side, one row each, queried one after
// another through the main window's own query, ready to paste into a spreadsheet. It keeps its
// rows for as long as the program runs and nothing after. The run's rules are BoardRun's; this
// window holds the controls and the wiring.
class Board : public QWidget, private present::BoardRunHost
{
    Q_OBJECT
public:
    explicit Board(Form1 &form);
    ~Board() override;

    void showAndRaise();

    // The report of a query the person ran, in the row of its entry (a new one if it has none).
    void add(const present::QueryReport &report);

    // Between two shops the board waits a time drawn from this range, so that a list does not
    // look like a robot to the marketplace.
    void setPauseBetweenShops(int shortestMs, int longestMs);
    // How long a minute of the watch schedule lasts: shortened, a test sees rounds in seconds.
    void setWatchMinute(int ms);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    QTableView *buildTable();
    void queryAll();
    void queryAgain();
    void removeSelected();
    void copyTable();
    void showColumns(const std::function<bool(const present::BoardColumn &)> &which, bool shown);
    void showRaters(bool shown);
    void showShopCards();
    void watchChosen();
    void roundDue();
    void planRound();
    void onQueryStarted(int query, app::QueryRunner::Asker asker);

    QList<int> idsInOrder(const QModelIndexList &rows) const; // the rows' ids, in the table's order
    QModelIndexList allRows() const;

    // What the run needs of the program.
    std::optional<int> startQuery(const QString &entry) override;
    void startPause() override;
    void stopPause() override;
    bool gateShown() const override;
    void rowChanged(int id) override;
    void runChanged() override;
    void rowReadAgain(const present::BoardRow &row) override;
    void showRow(int id);
    void showWhatIf();
    void showChart(const QModelIndex &index);

    Form1 &m_form;
    present::BoardRun m_run;
    present::BoardModel *m_model;
    QSortFilterProxyModel *m_sorted;
    QTimer *m_pause;
    QPlainTextEdit *m_entries = nullptr;
    QPushButton *m_stop = nullptr;
    QPushButton *m_resume = nullptr;
    QCheckBox *m_raters = nullptr;
    QCheckBox *m_changes = nullptr;
    QComboBox *m_watch = nullptr;
    QTimer *m_round;
    WatchNotifier *m_notifier;
    WhatIfPanel *m_whatIf = nullptr;
    ReadingChart *m_chart = nullptr;
    present::WatchSchedule m_schedule;
    QLabel *m_progress = nullptr;
    QTableView *m_table = nullptr;
    int m_shortestPauseMs = 3000;
    int m_longestPauseMs = 6000;
};

} // namespace app
