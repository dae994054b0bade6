// SPDX-License-Identifier: MIT
#include "app/promotionpanel.h"

#include "app/twips.h"
#include "browser/profile.h"
#include "browser/webbrowser.h"

#include <QGroupBox>
#include <QWebEngineView>

namespace app {

namespace {

constexpr float promotionGap = 100;

// The maker's promotion page, on a reserved top-level domain so no third party can serve it, and
// the brand word that tells it from an error page.
constexpr QLatin1StringView promotionAddress{"http://www.quillfen.example/dsr/ad.html"};
constexpr QLatin1StringView promotionMarker{"Quillfen"};

} // namespace

PromotionPanel::PromotionPanel(QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_browser(new browser::WebBrowser(browser::WebBrowser::Kind::Plain, browser::sharedProfile(), this))
    , m_view(new QWebEngineView(window))
{
    m_view->setPage(m_browser->page());
    connect(m_browser, &browser::WebBrowser::documentComplete, this, &PromotionPanel::pageCompleted);
}

void PromotionPanel::load() { m_browser->navigate(promotionAddress); }

void PromotionPanel::pageCompleted(const lookup::PageSnapshot &page)
{
    if (!page.bodyHtml || !page.bodyHtml->contains(promotionMarker)) return;
    const TwipsRect frame = twipsGeometry(m_window->findChild<QGroupBox *>(QStringLiteral("Frame5")));
    setTwipsTop(m_view, frame.height + frame.top + promotionGap);
}

} // namespace app
