// SPDX-License-Identifier: MIT
#include "browser/webbrowser.h"

#include "browser/log.h"
#include "browser/marketplacepage.h"
#include "browser/outwardpage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace browser {

Q_LOGGING_CATEGORY(lcBrowser, "larkspire.browser", QtInfoMsg)

namespace {

// A document still arriving when its load's end was told is read again this often, for as long as
// a query waits.
constexpr int readAgainMs = 100;
constexpr int lastReadAgain = 250;

// Runs in the application's isolated world, so page scripts cannot replace what it calls. Each
// part is read only when the rule for the document's address asks for it: a page's markup is
// large, and it crosses from the engine's process to this one.
const char snapshotScript[] = R"JS(
(function (rules) {
    var url = String(document.URL);
    var mark = url.search(/[?#]/);
    var beforeQuery = mark < 0 ? url : url.substring(0, mark);
    var read = {body: false, dsr: false, strongs: false, markup: false};
    for (var r = 0; r < rules.length; ++r) {
        if ((rules[r].beforeQuery ? beforeQuery : url).indexOf(rules[r].text) < 0) continue;
        for (var part in read) read[part] = read[part] || rules[r][part];
    }
    var snapshot = {url: url, title: String(document.title), age: performance.now(), origin: performance.timeOrigin,
                    ready: document.readyState, body: null, dsr: null, strongs: [], markup: null};
    if (read.body && document.body) snapshot.body = String(document.body.innerHTML);
    if (read.markup && document.documentElement) snapshot.markup = String(document.documentElement.outerHTML);
    if (read.dsr) {
        var lists = document.getElementsByTagName('ul');
        for (var i = 0; i < lists.length; ++i) {
            if (lists[i].id === 'dsr') { snapshot.dsr = String(lists[i].innerHTML); break; }
        }
    }
    if (read.strongs) {
        var found = document.getElementsByTagName('strong');
        for (var j = 0; j < found.length; ++j)
            snapshot.strongs.push([String(found[j].className), String(found[j].innerHTML)]);
    }
    return snapshot;
})
)JS";

QString snapshotCall(const QList<lookup::ReadingRule> &rules)
{
    QJsonArray table;
    for (const lookup::ReadingRule &rule : rules)
        table.append(QJsonObject{{QStringLiteral("text"), rule.text},
                                 {QStringLiteral("beforeQuery"), rule.beforeQuery},
                                 {QStringLiteral("body"), rule.parts.body},
                                 {QStringLiteral("dsr"), rule.parts.dsrList},
                                 {QStringLiteral("strongs"), rule.parts.strongs},
                                 {QStringLiteral("markup"), rule.parts.markup}});
    return QString::fromLatin1(snapshotScript) + QLatin1Char('(')
           + QString::fromUtf8(QJsonDocument(table).toJson(QJsonDocument::Compact)) + QLatin1Char(')');
}

std::optional<QString> optionalText(const QVariant &value)
{
    if (value.isNull() || !value.isValid()) return std::nullopt;
    return value.toString();
}

lookup::PageSnapshot snapshotFrom(const QVariantMap &map, const QString &locationUrl)
{
    lookup::PageSnapshot snapshot;
    snapshot.locationUrl = locationUrl;
    snapshot.documentUrl = map.value(QStringLiteral("url")).toString();
    snapshot.title = map.value(QStringLiteral("title")).toString();
    snapshot.bodyHtml = optionalText(map.value(QStringLiteral("body")));
    snapshot.dsrListHtml = optionalText(map.value(QStringLiteral("dsr")));
    snapshot.markupHtml = optionalText(map.value(QStringLiteral("markup")));
    for (const QVariant &item : map.value(QStringLiteral("strongs")).toList()) {
        const QVariantList pair = item.toList();
        if (pair.size() == 2) snapshot.strongs.append({pair[0].toString(), pair[1].toString()});
    }
    return snapshot;
}

QWebEnginePage *createPage(WebBrowser::Kind kind, QWebEngineProfile *profile, QObject *parent)
{
    switch (kind) {
    case WebBrowser::Kind::Plain: break;
    case WebBrowser::Kind::Silent: return new SilentPage(profile, parent);
    case WebBrowser::Kind::Hidden: return new MarketplacePage(profile, parent);
    }
    return new OutwardPage(profile, parent);
}

} // namespace

WebBrowser::WebBrowser(Kind kind, QWebEngineProfile *profile, QObject *parent)
    : QObject(parent)
    , m_kind(kind)
    , m_snapshotCall(snapshotCall(lookup::readEverything))
{
    m_clock.start();
    adoptPage(createPage(kind, profile, this));
}

void WebBrowser::adoptPage(QWebEnginePage *page)
{
    m_page = page;
    connect(m_page, &QWebEnginePage::loadFinished, this, &WebBrowser::takeSnapshot);
    connect(m_page, &QWebEnginePage::loadingChanged, this, &WebBrowser::reportFailedLoad);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this, &WebBrowser::reportRenderProcessDeath);
}

void WebBrowser::renewPage()
{
    QWebEnginePage *old = m_page;
    old->disconnect(this);
    // Later, not now: the caller may be running inside one of the old page's own signals.
    old->deleteLater();
    ++m_pagesRenewed;
    adoptPage(createPage(m_kind, old->profile(), this));
    emit pageRenewed(m_page);
}

int WebBrowser::navigate(const QString &address)
{
    // Noted before the load is asked for, so that its document can only begin later.
    const int navigation = m_navigations.record(elapsedMs());
    if (address.isEmpty()) return navigation;
    const QString absolute = address.startsWith(QLatin1String("//")) ? QStringLiteral("https:") + address : address;
    m_page->load(QUrl(absolute));
    return navigation;
}

double WebBrowser::elapsedMs() const { return double(m_clock.nsecsElapsed()) / 1e6; }

void WebBrowser::setReadingRules(const QList<lookup::ReadingRule> &rules) { m_snapshotCall = snapshotCall(rules); }

QString WebBrowser::locationUrl() const { return m_page->url().toString(QUrl::FullyEncoded); }

void WebBrowser::takeSnapshot(bool loaded)
{
    // A page that could not be loaded is read for nothing: what the error page shows is no answer
    // of the site. reportFailedLoad tells of the failure.
    if (!loaded) {
        qCDebug(lcBrowser) << "load failed or was refused:" << m_page->requestedUrl().toString();
        return;
    }
    readWhenComplete(++m_loadEnds, 0);
}

void WebBrowser::reportFailedLoad(const QWebEngineLoadingInfo &loading)
{
    // Chromium's "aborted" (a later load replaced it) and "blocked by client" (the page's filter
    // refused it: it led off the marketplace) are no failure of the network.
    constexpr int aborted = -3;
    constexpr int blockedByClient = -20;
    const bool refusedHere = loading.errorDomain() == QWebEngineLoadingInfo::InternalErrorDomain
                             && (loading.errorCode() == aborted || loading.errorCode() == blockedByClient);
    if (loading.status() != QWebEngineLoadingInfo::LoadFailedStatus || refusedHere) return;
    qCDebug(lcBrowser) << "load failed:" << loading.url().toString() << loading.errorDomain() << loading.errorCode();
    lookup::PageSnapshot failed;
    failed.locationUrl = loading.url().toString(QUrl::FullyEncoded);
    failed.loadFailed = true;
    failed.navigation = m_navigations.navigationAt(elapsedMs());
    emit loadFailed(failed);
}

void WebBrowser::readWhenComplete(int loadEnd, int attempt)
{
    auto report = [this, page = m_pagesRenewed, loadEnd, attempt](const QVariant &result) {
        if (page != m_pagesRenewed || (attempt > 0 && loadEnd != m_loadEnds)) return;
        const QString location = locationUrl();
        if (location.isEmpty() || result.typeId() != QMetaType::QVariantMap) {
            qCDebug(lcBrowser) << "no snapshot of" << m_page->url().toString();
            return;
        }
        const QVariantMap read = result.toMap();
        // The engine may tell of a load's end while the document is still arriving, and tell of it
        // no more: it did so for the load after a renderer died. The document is read again shortly
        // until it is complete, unless a later load ends first; read before, the shop page of the
        // next query lacked its title and links.
        if (read.value(QStringLiteral("ready")) != QLatin1String("complete")) {
            qCDebug(lcBrowser) << "still loading:" << read.value(QStringLiteral("url")).toString();
            if (attempt < lastReadAgain)
                QTimer::singleShot(readAgainMs, this,
                                   [this, loadEnd, attempt] { readWhenComplete(loadEnd, attempt + 1); });
            return;
        }
        // A document read that way may yet have its load's end told: it is reported once.
        const double document = read.value(QStringLiteral("origin")).toDouble();
        if (document == m_lastReadDocument) return;
        m_lastReadDocument = document;
        lookup::PageSnapshot snapshot = snapshotFrom(read, location);
        // The document's age is read in the page, so the start it gives is at worst a little late:
        // a page of the navigation asked for is never taken for an earlier one's.
        snapshot.navigation = m_navigations.navigationAt(elapsedMs() - read.value(QStringLiteral("age")).toDouble());
        emit documentComplete(snapshot);
    };
    m_page->runJavaScript(m_snapshotCall, QWebEngineScript::ApplicationWorld, report);
}

void WebBrowser::reportRenderProcessDeath(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode)
{
    qCDebug(lcBrowser) << "engine process died:" << status << exitCode << "on" << m_page->url().toString();
    emit renderProcessDied();
}

} // namespace browser
