// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace browser {
class WebBrowser;
}

namespace app {

// The login window: a cut-out of the marketplace's login page. There is one per program,
// loaded on first use; the user closing it unloads it, and the next use loads it again.
class Form2 : public QWidget
{
    Q_OBJECT
public:
    static Form2 *ensureLoaded(); // the window, loading it (invisibly) first if needed
    static Form2 *ifLoaded();     // the window, or nullptr when it is not loaded
    static void unload();

    browser::WebBrowser *webBrowser1() const { return m_webBrowser1; }

private:
    Form2();
    void pageCompleted();
    void reloadAfterCrash();

    browser::WebBrowser *m_webBrowser1;
    bool m_reloading = false; // a page that kills its renderer again is not loaded a third time
};

} // namespace app
