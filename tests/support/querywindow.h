// SPDX-License-Identifier: MIT
#pragma once

#include "app/form1.h"

#include <memory>

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
    QString text(const char *label) const; // a label's text
    QString caption() const;               // the results frame's caption
    void runOutTheTimer() const;           // the ticks of a query that got no answer
    // The worked shop queried and shown, before a test's own query: what must then not stay.
    void showThePreviousShop() const;

private:
    QPushButton *button() const;

    std::unique_ptr<app::Form1> m_form;
};

} // namespace tests
