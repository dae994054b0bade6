// SPDX-License-Identifier: MIT
#pragma once

#include "lookup/navigationlog.h"
#include "lookup/navigator.h"
#include "lookup/pagesnapshot.h"

#include <QElapsedTimer>
#include <QObject>
#include <QWebEnginePage>

class QWebEngineProfile;

namespace browser {

// One embedded browser: navigation and one event when a top-level page has finished loading,
// carrying a snapshot of that page. Completed frames inside a page raise nothing. A hidden one is
// the navigator of a query session.
class WebBrowser : public QObject, public lookup::Navigator
{
    Q_OBJECT
public:
    // Plain shows the page as it comes, its new windows in the user's browser (see OutwardPage);
    // Silent never asks the user anything and opens no window; Hidden is silent and
    // also kept to what the page flow reads, from the marketplace alone (see MarketplacePage).
    enum class Kind { Plain, Silent, Hidden };
    WebBrowser(Kind kind, QWebEngineProfile *profile, QObject *parent = nullptr);

    // Starts loading the address; a later call replaces a load under way. A scheme-relative
    // address ("//host/path") is taken as https; an empty one loads nothing. Returns the number
    // that the snapshots of this navigation carry: every page whose document began loading after
    // this call and before the next, its redirects and script hops included, whenever it completes.
    int navigate(const QString &address) override;

    // The shown top-level page's address; empty before the first landing.
    QString locationUrl() const;

    QWebEnginePage *page() const { return m_page; }

    // Goes on with a new page of the same kind, as a new tab would: the old page goes with
    // whatever it was still loading, and what it sent no longer reaches this browser's signals.
    void renewPage() override;

    // Which parts of each completed page its snapshot reads; every part unless told otherwise.
    void setReadingRules(const QList<lookup::ReadingRule> &rules);

signals:
    void documentComplete(const lookup::PageSnapshot &snapshot);
    // A top-level load failed: a snapshot marked loadFailed, with the address it failed at and
    // the navigation it belonged to. A load replaced by a later one is no failure.
    void loadFailed(const lookup::PageSnapshot &failed);
    // The engine process that renders the pages died (killed, crashed or out of memory). The
    // next navigation starts a new one.
    void renderProcessDied();
    // renewPage put this page in the old one's place: whoever watches the page itself watches
    // this one from now on.
    void pageRenewed(QWebEnginePage *page);

private:
    void adoptPage(QWebEnginePage *page);
    double elapsedMs() const;
    void takeSnapshot(bool loaded);
    void reportFailedLoad(const QWebEngineLoadingInfo &loading);
    void readWhenComplete(int loadEnd, int attempt);
    void reportRenderProcessDeath(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode);

    Kind m_kind;
    QWebEnginePage *m_page = nullptr;
    int m_pagesRenewed = 0;        // tells a snapshot of an old page from one of the current page
    int m_loadEnds = 0;            // the engine's reports of a finished load, counted
    double m_lastReadDocument = 0; // performance.timeOrigin of the document last reported
    QElapsedTimer m_clock;
    lookup::NavigationLog m_navigations; // navigate() calls, by when each was made
    QString m_snapshotCall;
};

} // namespace browser
