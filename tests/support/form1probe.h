// SPDX-License-Identifier: MIT
#pragma once

#include "app/boardlink.h"
#include "app/form1.h"
#include "app/promotionpanel.h"
#include "browser/webbrowser.h"

#include <QTimer>

namespace session {

struct QuerySessionProbe {
    // The page as one of the current query's, though no navigation of it was asked for.
    static void adopt(QuerySession &session, lookup::PageSnapshot &page)
    {
        page.navigation = -1; // a number no browser gives
        session.m_navigations.push_back(page.navigation);
    }
};

} // namespace session

namespace app {

// What tests and benchmarks see of the main window's insides: the busy count and the timer's
// handler, the current query's number, the hidden and promotion browsers, the indicator pictures.
struct Form1Probe {
    static qint16 busyTicks(const Form1 &form) { return form.m_session->busyTicks(); }
    static QTimer *timer1(const Form1 &form) { return form.m_session->timer1(); }
    static void tick(Form1 &form) { form.m_session->timer1Tick(); }
    static int currentQuery(const Form1 &form) { return form.m_session->current(); }
    static Board &board(Form1 &form) { return form.m_boardLink->board(); }
    static browser::WebBrowser *hiddenBrowser(const Form1 &form) { return form.m_webBrowser2.get(); }
    // A completed page of the hidden browser, followed as a page of the current query.
    static void readPage(Form1 &form, lookup::PageSnapshot page)
    {
        session::QuerySessionProbe::adopt(*form.m_session, page);
        form.m_session->follow(page);
    }
    static browser::WebBrowser *promotionBrowser(const Form1 &form) { return form.m_promotion->browser(); }
    static const QPixmap &picture(const Form1 &form, lookup::Comparison comparison)
    {
        return form.m_pictures.of(comparison);
    }
};

} // namespace app
