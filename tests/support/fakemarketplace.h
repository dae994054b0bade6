// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSslCertificate>
#include <QSslKey>
#include <QTcpServer>

#include <functional>

namespace tests {

// One request as the fake marketplace received it.
struct Request {
    QByteArray method;
    QByteArray host;                       // without port
    QByteArray target;                     // path and query, byte for byte as sent
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;
    bool https = false;
};

struct Response {
    int status = 200;
    QByteArray body;
    QByteArray contentType = "text/html; charset=utf-8";
    QList<QPair<QByteArray, QByteArray>> headers;
    int delayMs = 0;         // answer this late
    bool hang = false;       // never answer
    bool drop = false;       // close the connection without an answer
    qsizetype cutAfter = -1; // close the connection after this many bytes of the body
};

Response redirectTo(const QByteArray &location);

// The marketplace for tests: an HTTP proxy on loopback that the browsers are pointed at.
// It accepts CONNECT for any host and speaks TLS with a throwaway certificate inside the tunnel,
// and plain absolute-URI requests for http:// hosts, so every page arrives under its real name.
class FakeMarketplace : public QTcpServer
{
    Q_OBJECT
public:
    using Handler = std::function<Response(const Request &)>;

    // Takes over an already listening socket (see prepareWebEnvironment()).
    explicit FakeMarketplace(qintptr listeningSocket, QObject *parent = nullptr);

    void setHandler(Handler handler) { m_handler = std::move(handler); }
    const QList<Request> &requests() const { return m_requests; }
    QList<Request> requestsTo(const QByteArray &host) const;
    void clearRequests() { m_requests.clear(); }

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    friend class Connection;
    Response answer(const Request &request);

    Handler m_handler;
    QList<Request> m_requests;
    QSslCertificate m_certificate;
    QSslKey m_key;
};

} // namespace tests
