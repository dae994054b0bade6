// SPDX-License-Identifier: MIT
#pragma once

#include "lookup/pagesnapshot.h"

#include <QObject>
#include <QWebEnginePage>

#include <functional>

class QWebEngineProfile;

namespace browser {

// One embedded browser: navigation and one event when a top-level page has finished loading,
// carrying a snapshot of that page. Completed frames inside a page raise nothing.
class WebBrowser : public QObject
{
    Q_OBJECT
public:
    // Plain shows the page as it comes, its new windows in the user's browser (see OutwardPage);
    // Silent never asks the user anything and opens no window; Hidden is silent and
    // also kept to what the page flow reads, from the marketplace alone (see MarketplacePage).
    enum class Kind { Plain, Silent, Hidden };
    WebBrowser(Kind kind, QWebEngineProfile *profile, QObject *parent = nullptr);

    // Starts loading the address; a later call replaces a load under way. A scheme-relative
    // address ("//host/path") is taken as https; an empty one does nothing.
    void navigate(const QString &address);

    // The shown top-level page's address; empty before the first landing.
    QString locationUrl() const;

    QWebEnginePage *page() const { return m_page; }

    // Chooses, by the address of each completed page, which parts its snapshot reads; every part
    // unless told otherwise.
    void setPartsToRead(std::function<lookup::SnapshotParts(const QString &address)> choose)
    {
        m_partsToRead = std::move(choose);
    }

signals:
    void documentComplete(const lookup::PageSnapshot &snapshot);
    // The engine process that renders the pages died (killed, crashed or out of memory). The
    // next navigation starts a new one.
    void renderProcessDied();

private:
    void takeSnapshot(bool loaded);
    void reportRenderProcessDeath(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode);

    QWebEnginePage *m_page;
    std::function<lookup::SnapshotParts(const QString &address)> m_partsToRead = [](const QString &) {
        return lookup::everyPart;
    };
};

} // namespace browser
