#include "loopbackhttpserver.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

struct LoopbackHttpServer::Connection
{
    QTcpSocket* socket = nullptr;
    QByteArray buffer;
    // A request is being answered.
    bool busy = false;
    Response response;
};

LoopbackHttpServer::LoopbackHttpServer(QObject* parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
    , m_fallback(Response::error(404))
{
    connect(m_server, &QTcpServer::newConnection, this, &LoopbackHttpServer::acceptConnections);
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    close();
}

bool LoopbackHttpServer::listen()
{
    return m_server->listen(QHostAddress::LocalHost, 0);
}

void LoopbackHttpServer::close()
{
    m_server->close();
    const QList<QTcpSocket*> sockets = m_connections.keys();
    for (QTcpSocket* socket : sockets)
        dropConnection(socket);
}

quint16 LoopbackHttpServer::port() const
{
    return m_server->serverPort();
}

QString LoopbackHttpServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(QString::number(port()), path);
}

void LoopbackHttpServer::setResponse(const QString& path, const Response& response)
{
    m_responses.insert(path, response);
}

void LoopbackHttpServer::queueResponses(const QString& path, const QList<Response>& responses)
{
    m_queued[path] += responses;
}

void LoopbackHttpServer::setFallbackResponse(const Response& response)
{
    m_fallback = response;
}

QStringList LoopbackHttpServer::requests() const
{
    return m_requests;
}

int LoopbackHttpServer::inFlight() const
{
    return m_inFlight;
}

int LoopbackHttpServer::maxInFlight() const
{
    return m_maxInFlight;
}

void LoopbackHttpServer::acceptConnections()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        auto* connection = new Connection;
        connection->socket = socket;
        m_connections.insert(socket, connection);
        connect(socket, &QTcpSocket::readyRead, this, [this, connection] { readRequest(connection); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { dropConnection(socket); });
    }
}

void LoopbackHttpServer::readRequest(Connection* connection)
{
    connection->buffer += connection->socket->readAll();
    // One request at a time per connection: the client waits for each answer.
    if (connection->busy)
        return;
    const int headEnd = connection->buffer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return;
    // GET requests have no body: the head is the whole request.
    const QList<QByteArray> requestLine = connection->buffer.left(connection->buffer.indexOf("\r\n")).split(' ');
    connection->buffer.remove(0, headEnd + 4);

    const QString path = QString::fromLatin1(requestLine.value(1));
    m_requests.append(path);
    connection->busy = true;
    connection->response = takeResponse(path);
    m_maxInFlight = qMax(m_maxInFlight, ++m_inFlight);

    QTcpSocket* socket = connection->socket;
    if (connection->response.delayMs <= 0) {
        answer(connection);
        return;
    }
    QTimer::singleShot(connection->response.delayMs, socket, [this, socket] {
        if (Connection* waiting = m_connections.value(socket))
            answer(waiting);
    });
}

void LoopbackHttpServer::answer(Connection* connection)
{
    const Response response = connection->response;
    QTcpSocket* socket = connection->socket;
    if (response.fault == Fault::DropBeforeAnswer) {
        finishRequest(connection);
        dropConnection(socket);
        return;
    }

    // Clients read the status code; any reason phrase will do.
    const bool length = response.fault != Fault::NoLength;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + (response.status < 400 ? " OK" : " Error")
        + "\r\nContent-Type: application/octet-stream\r\n"
        + (length ? "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n" : QByteArray())
        + "Connection: " + (length ? "keep-alive" : "close") + "\r\n\r\n";
    if (response.fault != Fault::None) {
        const bool cut = response.fault == Fault::DropMidBody;
        socket->write(head + (cut ? response.body.left(response.body.size() / 2) : response.body));
        finishRequest(connection);
        // Sends what was written, then closes; the client sees the body end, early when cut.
        socket->disconnectFromHost();
        return;
    }
    socket->write(head + response.body);
    finishRequest(connection);
    // A request that came in while this one waited is answered now.
    if (!connection->buffer.isEmpty())
        QTimer::singleShot(0, socket, [this, socket] {
            if (Connection* next = m_connections.value(socket))
                readRequest(next);
        });
}

void LoopbackHttpServer::finishRequest(Connection* connection)
{
    if (!connection->busy)
        return;
    connection->busy = false;
    --m_inFlight;
}

void LoopbackHttpServer::dropConnection(QTcpSocket* socket)
{
    Connection* connection = m_connections.take(socket);
    if (!connection)
        return;
    // A client that went away in the middle of a request ends it without an answer.
    finishRequest(connection);
    delete connection;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

LoopbackHttpServer::Response LoopbackHttpServer::takeResponse(const QString& path)
{
    auto queued = m_queued.find(path);
    if (queued != m_queued.end() && !queued->isEmpty())
        return queued->takeFirst();
    return m_responses.value(path, m_fallback);
}
