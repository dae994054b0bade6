// SPDX-License-Identifier: MIT
#pragma once

#include "app/form1.h"

#include <QTimer>

namespace app {

// What tests and benchmarks see of the main window's insides: the busy count and the timer's
// handler, the hidden and promotion browsers, the indicator pictures.
struct Form1Probe {
    static qint16 busyTicks(const Form1 &form) { return form.m_busyTicks; }
    static QTimer *timer1(const Form1 &form) { return form.m_timer1; }
    static void tick(Form1 &form) { form.timer1Tick(); }
    static browser::WebBrowser *hiddenBrowser(const Form1 &form) { return form.m_webBrowser2; }
    static browser::WebBrowser *promotionBrowser(const Form1 &form) { return form.m_promotionBrowser; }
    static const QPixmap &picture(const Form1 &form, lookup::Comparison comparison) { return form.picture(comparison); }
};

} // namespace app
