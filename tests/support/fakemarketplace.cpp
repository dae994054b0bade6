// SPDX-License-Identifier: MIT
#include "fakemarketplace.h"

#include <QFile>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTimer>

namespace tests {

Response redirectTo(const QByteArray &location)
{
    Response response;
    response.status = 302;
    response.headers.append(qMakePair(QByteArray("Location"), location));
    return response;
}

// One client connection: an optional CONNECT tunnel, then HTTP/1.1 requests until closed.
class Connection : public QObject
{
public:
    Connection(FakeMarketplace *market, qintptr descriptor)
        : QObject(market)
        , m_market(market)
        , m_socket(new QSslSocket(this))
    {
        m_socket->setSocketDescriptor(descriptor);
        connect(m_socket, &QSslSocket::readyRead, this, [this] { readSome(); });
        connect(m_socket, &QSslSocket::disconnected, this, &QObject::deleteLater);
        connect(m_socket, &QSslSocket::errorOccurred, this, [this] { m_socket->abort(); });
    }

private:
    void readSome()
    {
        m_buffer += m_socket->readAll();
        while (!m_waiting) {
            const qsizetype headEnd = m_buffer.indexOf("\r\n\r\n");
            if (headEnd < 0) return;
            Request request;
            if (!parseHead(m_buffer.left(headEnd), request)) {
                m_socket->abort();
                return;
            }
            const qsizetype length = request.headers.value("content-length").toLongLong();
            if (m_buffer.size() < headEnd + 4 + length) return;
            request.body = m_buffer.mid(headEnd + 4, length);
            m_buffer.remove(0, headEnd + 4 + length);
            if (request.method == "CONNECT") {
                openTunnel(request);
                return;
            }
            respond(request);
        }
    }

    bool parseHead(const QByteArray &head, Request &request)
    {
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> start = lines.value(0).trimmed().split(' ');
        if (start.size() != 3) return false;
        request.method = start[0];
        request.https = m_socket->isEncrypted();
        QByteArray target = start[1];
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
        }
        if (request.method == "CONNECT") {
            request.host = target.left(target.indexOf(':'));
        } else if (target.startsWith("http://")) {
            target.remove(0, 7);
            const qsizetype slash = target.indexOf('/');
            request.host = target.left(slash < 0 ? target.size() : slash);
            target = slash < 0 ? QByteArray("/") : target.mid(slash);
        } else {
            request.host = m_tunnelHost;
        }
        if (request.host.contains(':')) request.host.truncate(request.host.indexOf(':'));
        request.target = target;
        return true;
    }

    void openTunnel(const Request &request)
    {
        m_tunnelHost = request.host;
        m_socket->write("HTTP/1.1 200 Connection established\r\n\r\n");
        m_socket->setLocalCertificate(m_market->m_certificate);
        m_socket->setPrivateKey(m_market->m_key);
        m_socket->setPeerVerifyMode(QSslSocket::VerifyNone);
        m_socket->startServerEncryption();
    }

    void respond(const Request &request)
    {
        const Response response = m_market->answer(request);
        if (response.hang) {
            m_waiting = true;
            return;
        }
        if (response.drop) {
            m_socket->abort();
            return;
        }
        if (response.delayMs <= 0) {
            write(response);
            return;
        }
        m_waiting = true;
        QTimer::singleShot(response.delayMs, this, [this, response] { write(response); });
    }

    void write(const Response &response)
    {
        QByteArray out = "HTTP/1.1 " + QByteArray::number(response.status) + " Fake\r\n";
        out += "Content-Type: " + response.contentType + "\r\n";
        out += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        out += "Cache-Control: no-store\r\nConnection: close\r\n";
        for (const auto &[name, value] : response.headers)
            out += name + ": " + value + "\r\n";
        out += "\r\n" + (response.cutAfter < 0 ? response.body : response.body.left(response.cutAfter));
        m_socket->write(out);
        m_socket->disconnectFromHost();
    }

    FakeMarketplace *m_market;
    QSslSocket *m_socket;
    QByteArray m_buffer;
    QByteArray m_tunnelHost;
    bool m_waiting = false;
};

FakeMarketplace::FakeMarketplace(qintptr listeningSocket, QObject *parent)
    : QTcpServer(parent)
{
    setSocketDescriptor(listeningSocket);
    QFile certificate(QStringLiteral(FAKE_MARKET_CERTIFICATE));
    QFile key(QStringLiteral(FAKE_MARKET_KEY));
    if (certificate.open(QIODevice::ReadOnly)) m_certificate = QSslCertificate(&certificate, QSsl::Pem);
    if (key.open(QIODevice::ReadOnly)) m_key = QSslKey(&key, QSsl::Rsa, QSsl::Pem);
}

QList<Request> FakeMarketplace::requestsTo(const QByteArray &host) const
{
    QList<Request> found;
    for (const Request &request : m_requests)
        if (request.host == host) found << request;
    return found;
}

void FakeMarketplace::incomingConnection(qintptr socketDescriptor) { new Connection(this, socketDescriptor); }

Response FakeMarketplace::answer(const Request &request)
{
    m_requests << request;
    if (m_handler) return m_handler(request);
    Response notFound;
    notFound.status = 404;
    return notFound;
}

} // namespace tests
