// SPDX-License-Identifier: MIT
#pragma once

#include "app/boardlink.h"
#include "app/form1.h"
#include "app/promotionpanel.h"
#include "app/queryrunner.h"

#include <QTimer>

namespace app {

// What tests and benchmarks see of the main window's insides: the busy count and the timer's
// handler, the current query's number, the hidden and promotion browsers, the indicator pictures.
struct Form1Probe {
    static qint16 busyTicks(const Form1 &form) { return form.m_runner->m_busyTicks; }
    static QTimer *timer1(const Form1 &form) { return form.m_runner->m_timer1; }
    static void tick(Form1 &form) { form.m_runner->timer1Tick(); }
    static int currentQuery(const Form1 &form) { return form.m_runner->current(); }
    static Board &board(Form1 &form) { return form.m_boardLink->board(); }
    static browser::WebBrowser *hiddenBrowser(const Form1 &form) { return form.m_webBrowser2; }
    static browser::WebBrowser *promotionBrowser(const Form1 &form) { return form.m_promotion->browser(); }
    static const QPixmap &picture(const Form1 &form, lookup::Comparison comparison)
    {
        return form.m_pictures.of(comparison);
    }
};

} // namespace app
