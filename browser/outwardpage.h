// SPDX-License-Identifier: MIT
#pragma once

#include <QWebEnginePage>

namespace browser {

// A page shown as it comes, whose links to a new window (target="_blank", window.open) open in
// the user's own web browser: http and https addresses only, anything else is dropped.
class OutwardPage : public QWebEnginePage
{
    Q_OBJECT
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    QWebEnginePage *createWindow(WebWindowType type) override;
};

} // namespace browser
