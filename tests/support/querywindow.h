// SPDX-License-Identifier: MIT
#pragma once

#include "app/form1.h"
#include "app/form1layout.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tests {

// The main window as a test drives it: type a name, press 查询, read what the window shows.
class QueryWindow
{
public:
    QueryWindow();
    ~QueryWindow();

    app::Form1 &form() const { return *m_form; }
    void query(const QString &name) const; // the name typed, then a click on 查询
    bool idle() const;
    bool busy() const;
    // The control that holds the figure of this role for this dimension, and what it shows.
    QLabel *figure(app::Role role, int dimension) const;
    QString score(int dimension) const { return shown(app::Role::Score, dimension); }
    QString comparison(int dimension) const { return shown(app::Role::Comparison, dimension); }
    QString turnRed(int dimension) const { return shown(app::Role::TurnRed, dimension); }
    QString targetResult(int dimension) const { return shown(app::Role::TargetResult, dimension); }
    QLineEdit *target(int dimension) const; // the target score's input
    QString caption() const;                // the results frame's caption
    QPushButton *button() const;            // 查询
    void runOutTheTimer() const;            // the ticks of a query that got no answer
    // The worked shop queried and shown, before a test's own query: what must then not stay.
    void showThePreviousShop() const;

private:
    QString shown(app::Role role, int dimension) const;

    std::unique_ptr<app::Form1> m_form;
};

} // namespace tests
