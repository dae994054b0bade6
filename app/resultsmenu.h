// SPDX-License-Identifier: MIT
#pragma once

#include "present/resultsummary.h"

#include <QObject>

#include <functional>

class QAction;
class QWidget;

namespace app {

// What the user can do with the shown results: copy them as a summary (from the results' context
// menu, or Ctrl+C anywhere in the window but a text box, which copies its own selection), and open
// the rating page they were read from in the user's own browser.
class ResultsMenu : public QObject
{
    Q_OBJECT
public:
    // The menu opens on the results; shown says what the window shows when it is used.
    ResultsMenu(QWidget *window, QWidget *results, std::function<present::ShownResults()> shown);

    // The rating page the shown figures were read from; an empty address when there is none.
    void setRatingAddress(const QString &address);

private:
    void copy();
    void openRatingPage();

    std::function<present::ShownResults()> m_shown;
    QAction *m_openRatingPage;
    QString m_ratingAddress;
};

} // namespace app
