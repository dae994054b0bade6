// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QWebEngineView;
class QWidget;

namespace browser {
class WebBrowser;
}

namespace lookup {
struct PageSnapshot;
}

namespace app {

// The maker's promotion page in the main window: its browser and view (WebBrowser1), which moves
// below the target-score frame once the page has loaded and carries the maker's brand word.
class PromotionPanel : public QObject
{
    Q_OBJECT
public:
    explicit PromotionPanel(QWidget *window);

    QWebEngineView *view() const { return m_view; }
    browser::WebBrowser *browser() const { return m_browser; }
    void load();

private:
    void pageCompleted(const lookup::PageSnapshot &page);

    QWidget *m_window;
    browser::WebBrowser *m_browser;
    QWebEngineView *m_view;
};

} // namespace app
