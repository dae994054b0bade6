// SPDX-License-Identifier: MIT
#include "app/form2.h"

#include "app/controls.h"
#include "app/twips.h"
#include "browser/profile.h"
#include "browser/webbrowser.h"
#include "lookup/loginaddress.h"

#include <QIcon>
#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace app {

namespace {

QPointer<Form2> theWindow;

constexpr float clientWidth = 10620;
constexpr float clientHeight = 8925;

} // namespace

Form2 *Form2::ensureLoaded()
{
    if (!theWindow) theWindow = new Form2;
    return theWindow;
}

Form2 *Form2::ifLoaded() { return theWindow; }

void Form2::unload() { delete theWindow; }

Form2::Form2()
    : m_webBrowser1(new browser::WebBrowser(browser::WebBrowser::Kind::Silent, browser::sharedProfile(), this))
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("任意登陆一个旺旺账号"));
    setWindowIcon(toolIcon());
    setFixedSize(qRound(clientWidth / twipsPerPixel), qRound(clientHeight / twipsPerPixel));

    // The browser is larger than the window and reaches past its left and top edges, so the
    // window shows just the login form of the page.
    auto *view = new QWebEngineView(this);
    view->setObjectName(QStringLiteral("WebBrowser1"));
    view->setPage(m_webBrowser1->page());
    setTwipsGeometry(view, {-5040, -1320, 15615, 10215});

    connect(m_webBrowser1, &browser::WebBrowser::renderProcessDied, this, &Form2::reloadAfterCrash);
    connect(m_webBrowser1, &browser::WebBrowser::documentComplete, this, &Form2::pageCompleted);
    m_webBrowser1->navigate(lookup::loginAddress());
}

void Form2::pageCompleted() { m_reloading = false; }

void Form2::reloadAfterCrash()
{
    // The user may be half way through logging in; a dead page would show nothing at all.
    if (m_reloading) return;
    m_reloading = true;
    m_webBrowser1->page()->triggerAction(QWebEnginePage::Reload);
}

} // namespace app
