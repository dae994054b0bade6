// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue.h"
#include "querywindow.h"

#include <QObject>

#include <memory>

namespace tests {

// What every web test shares. Before each test function the fake marketplace serves the standard
// catalogue afresh and its record of requests is emptied; a main window is made when the test
// function first asks for one, and ended after it, the login window with it, so that every page
// is gone before the shared profile is (see LARKSPIRE_WEB_TEST_MAIN). A test that serves answers of
// its own calls serveCatalogue() with them.
class WebTestBase : public QObject
{
    Q_OBJECT
protected:
    QueryWindow &window();
    app::Form1 &form() { return window().form(); }

protected slots:
    virtual void init();
    virtual void cleanup();

private:
    std::unique_ptr<QueryWindow> m_window;
};

} // namespace tests
