// SPDX-License-Identifier: MIT
#pragma once

#include "present/querytracker.h"

#include <QObject>

#include <memory>

class QAction;
class QWidget;

namespace app {

class Board;
class Form1;

// The main window's ways to the comparison board: Ctrl+B and 打开店铺对比 open it, made on first
// use; 加入对比, in the results' context menu after a query that showed figures of its own, adds
// that query's shop.
class BoardLink : public QObject
{
    Q_OBJECT
public:
    BoardLink(Form1 &form, QWidget *results);
    ~BoardLink() override;

    Board &board(); // made on first use

private:
    void forget(); // a query under way: the shown shop is no longer the last report's
    void remember(const present::QueryReport &report);
    void addShownShop();
    void open();

    Form1 &m_form;
    QAction *m_addToBoard;
    std::unique_ptr<Board> m_board;
    present::QueryReport m_last;
};

} // namespace app
