#include "loopbackhttpserver.h"

#include <QTcpSocket>
#include <QTimer>

namespace {
// Set on a socket while its request waits for its answer.
const char kBusy[] = "busy";
} // namespace

LoopbackHttpServer::LoopbackHttpServer(QObject* parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
            // A client that goes away in the middle of a request ends it without an answer.
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                finishRequest(socket);
                socket->deleteLater();
            });
        }
    });
}

bool LoopbackHttpServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

void LoopbackHttpServer::close()
{
    m_server.close();
    for (QTcpSocket* socket : m_server.findChildren<QTcpSocket*>())
        socket->abort();
}

QString LoopbackHttpServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(QString::number(m_server.serverPort()), path);
}

void LoopbackHttpServer::readRequest(QTcpSocket* socket)
{
    // GET requests have no body: the head is the whole request.
    const QByteArray head = socket->peek(socket->bytesAvailable());
    if (socket->property(kBusy).toBool() || !head.contains("\r\n\r\n"))
        return;
    socket->readAll();
    socket->setProperty(kBusy, true);
    const QString path = QString::fromLatin1(head.left(head.indexOf("\r\n")).split(' ').value(1));
    m_requests.append(path);
    m_maxInFlight = qMax(m_maxInFlight, ++m_inFlight);

    auto queued = m_queued.find(path);
    const Response response
        = queued != m_queued.end() && !queued->isEmpty() ? queued->takeFirst() : m_responses.value(path, m_fallback);
    QTimer::singleShot(response.delayMs, socket, [this, socket, response] { answer(socket, response); });
}

void LoopbackHttpServer::answer(QTcpSocket* socket, const Response& response)
{
    finishRequest(socket);
    if (response.fault == Fault::DropBeforeAnswer) {
        socket->abort();
        return;
    }
    // Clients read the status code; any reason phrase will do. The end of the connection
    // ends a body of no announced length, and the client sees a cut body end early.
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + (response.status < 400 ? " OK" : " Error")
        + "\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n";
    if (response.fault != Fault::NoLength)
        head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    const bool cut = response.fault == Fault::DropMidBody;
    socket->write(head + "\r\n" + (cut ? response.body.left(response.body.size() / 2) : response.body));
    socket->disconnectFromHost();
}

void LoopbackHttpServer::finishRequest(QTcpSocket* socket)
{
    if (socket->property(kBusy).toBool()) {
        socket->setProperty(kBusy, false);
        --m_inFlight;
    }
}
