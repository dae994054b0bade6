// SPDX-License-Identifier: MIT
#include "app/resultsmenu.h"

#include "lookup/hosts.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>
#include <QWidget>

namespace app {

ResultsMenu::ResultsMenu(QWidget *window, QWidget *results, std::function<present::ShownResults()> shown)
    : QObject(window)
    , m_shown(std::move(shown))
    , m_openRatingPage(new QAction(QStringLiteral("在浏览器中打开评分页"), this))
{
    auto *copy = new QAction(QStringLiteral("复制结果"), this);
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, &ResultsMenu::copy);
    window->addAction(copy);
    m_openRatingPage->setEnabled(false);
    connect(m_openRatingPage, &QAction::triggered, this, &ResultsMenu::openRatingPage);
    results->addActions({copy, m_openRatingPage});
    results->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ResultsMenu::setRatingAddress(const QString &address)
{
    // Only the marketplace's own pages are handed to the user's browser.
    const bool openable = lookup::isMarketplaceAddress(QUrl(address));
    m_ratingAddress = openable ? address : QString();
    m_openRatingPage->setEnabled(openable);
}

void ResultsMenu::copy()
{
    present::ShownResults shown = m_shown();
    shown.ratingAddress = m_ratingAddress;
    QGuiApplication::clipboard()->setText(present::resultSummary(shown));
}

void ResultsMenu::openRatingPage() { QDesktopServices::openUrl(QUrl(m_ratingAddress)); }

} // namespace app
