// SPDX-License-Identifier: MIT
#include "webtest.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <QWebEnginePage>

#include <memory>
#include <optional>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tests {

namespace {

qintptr listeningSocket = -1;

} // namespace

void prepareWebEnvironment()
{
    listeningSocket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listeningSocket, reinterpret_cast<sockaddr *>(&address), length) != 0
        || ::listen(listeningSocket, 64) != 0
        || ::getsockname(listeningSocket, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        qFatal("fake marketplace: cannot listen on loopback");

    const QByteArray proxy = "--proxy-server=http://127.0.0.1:" + QByteArray::number(ntohs(address.sin_port));
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", proxy
                                              + " --ignore-certificate-errors --disable-gpu"
                                                " --disable-background-networking");
    if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

FakeMarketplace &marketplace()
{
    static FakeMarketplace *market = new FakeMarketplace(listeningSocket, QCoreApplication::instance());
    return *market;
}

Response page(const QString &title, const QString &body)
{
    Response response;
    response.body = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                                   "<body>%2</body></html>")
                        .arg(title, body)
                        .toUtf8();
    return response;
}

bool waitForRequest(const std::function<bool(const Request &)> &matches, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        for (const Request &request : marketplace().requests())
            if (matches(request)) return true;
        QTest::qWait(20);
    }
    return false;
}

QVariant evaluate(QWebEnginePage *page, const QString &script)
{
    // The answer may come after a timeout, so it lands in storage the callback shares.
    auto answer = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, [answer](const QVariant &result) { *answer = result; });
    const bool answered = QTest::qWaitFor([&] { return answer->has_value(); }, answerTimeoutMs);
    return answered ? **answer : QVariant();
}

QPalette darkPalette()
{
    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
    dark.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
    dark.setColor(QPalette::ButtonText, QColor(0xe8, 0xe8, 0xe8));
    dark.setColor(QPalette::Inactive, QPalette::Dark, QColor(0x90, 0x90, 0x90));
    return dark;
}

MessageBoxWatcher::MessageBoxWatcher()
{
    auto *poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) return;
        m_seen.append({box->windowTitle(), box->text(), int(box->icon()), int(box->standardButtons())});
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
    });
    poll->start(20);
}

DesktopStub::DesktopStub(const QStringList &schemes)
    : m_schemes(schemes)
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::setUrlHandler(scheme, this, "open");
}

DesktopStub::~DesktopStub()
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

void DesktopStub::open(const QUrl &url) { opened << url.toString(); }

} // namespace tests
