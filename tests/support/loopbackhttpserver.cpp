#include "loopbackhttpserver.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

struct LoopbackHttpServer::Connection
{
    QTcpSocket* socket = nullptr;
    QByteArray buffer;
    // The request being answered: its index in the log, -1 while the connection is idle.
    int request = -1;
    Response response;
};

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 204:
        return "No Content";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

// The Content-Length of a request head, 0 when there is none.
int contentLength(const QList<QByteArray>& headerLines)
{
    for (const QByteArray& line : headerLines) {
        const int colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == "content-length")
            return line.mid(colon + 1).trimmed().toInt();
    }
    return 0;
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer(QObject* parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
    , m_fallback(Response::error(404))
{
    m_clock.start();
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

void LoopbackHttpServer::serve(const QString& path, const QByteArray& body)
{
    setResponse(path, Response::ok(body));
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

QList<LoopbackHttpServer::Request> LoopbackHttpServer::requests() const
{
    return m_requests;
}

QStringList LoopbackHttpServer::requestedPaths() const
{
    QStringList paths;
    paths.reserve(m_requests.size());
    for (const Request& request : m_requests)
        paths.append(request.path);
    return paths;
}

int LoopbackHttpServer::requestCount(const QString& path) const
{
    int count = 0;
    for (const Request& request : m_requests)
        count += request.path == path ? 1 : 0;
    return count;
}

int LoopbackHttpServer::inFlight() const
{
    return m_inFlight;
}

int LoopbackHttpServer::maxInFlight() const
{
    return m_maxInFlight;
}

int LoopbackHttpServer::maxConnections() const
{
    return m_maxConnections;
}

void LoopbackHttpServer::clearLog()
{
    // Requests still in progress stay in the log, so that their answers are recorded.
    QList<Request> kept;
    for (Connection* connection : std::as_const(m_connections)) {
        if (connection->request >= 0) {
            kept.append(m_requests.at(connection->request));
            connection->request = kept.size() - 1;
        }
    }
    m_requests = kept;
    m_maxInFlight = m_inFlight;
    m_maxConnections = m_connections.size();
}

void LoopbackHttpServer::acceptConnections()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        auto* connection = new Connection;
        connection->socket = socket;
        m_connections.insert(socket, connection);
        m_maxConnections = qMax(m_maxConnections, int(m_connections.size()));
        connect(socket, &QTcpSocket::readyRead, this, [this, connection] { readRequest(connection); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { dropConnection(socket); });
    }
}

void LoopbackHttpServer::readRequest(Connection* connection)
{
    connection->buffer += connection->socket->readAll();
    // One request at a time per connection: the client waits for each answer.
    if (connection->request >= 0)
        return;
    const int headEnd = connection->buffer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return;
    const QList<QByteArray> lines = connection->buffer.left(headEnd).split('\n');
    const int bodyLength = contentLength(lines);
    if (connection->buffer.size() < headEnd + 4 + bodyLength)
        return;
    connection->buffer.remove(0, headEnd + 4 + bodyLength);

    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    Request request;
    request.method = requestLine.value(0);
    request.path = QString::fromLatin1(requestLine.value(1));
    request.receivedMs = m_clock.elapsed();
    m_requests.append(request);
    connection->request = m_requests.size() - 1;
    connection->response = takeResponse(request.path);
    m_maxInFlight = qMax(m_maxInFlight, ++m_inFlight);
    Q_EMIT requestReceived(request.path);

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
        finishRequest(connection, 0);
        dropConnection(socket);
        return;
    }

    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status)
        + "\r\nContent-Type: application/octet-stream\r\nContent-Length: " + QByteArray::number(response.body.size())
        + "\r\nConnection: keep-alive\r\n\r\n";
    if (response.fault == Fault::DropMidBody) {
        socket->write(head + response.body.left(response.body.size() / 2));
        finishRequest(connection, response.status);
        // Sends what was written, then closes; the client sees the body end early.
        socket->disconnectFromHost();
        return;
    }
    socket->write(head + response.body);
    finishRequest(connection, response.status);
    // A request that came in while this one waited is answered now.
    if (!connection->buffer.isEmpty())
        QTimer::singleShot(0, socket, [this, socket] {
            if (Connection* next = m_connections.value(socket))
                readRequest(next);
        });
}

void LoopbackHttpServer::finishRequest(Connection* connection, int status)
{
    if (connection->request < 0)
        return;
    Request& request = m_requests[connection->request];
    request.answeredMs = m_clock.elapsed();
    request.status = status;
    const QString path = request.path;
    connection->request = -1;
    --m_inFlight;
    Q_EMIT requestAnswered(path);
}

void LoopbackHttpServer::dropConnection(QTcpSocket* socket)
{
    Connection* connection = m_connections.take(socket);
    if (!connection)
        return;
    // A client that went away in the middle of a request ends it without an answer.
    if (connection->request >= 0) {
        m_requests[connection->request].answeredMs = m_clock.elapsed();
        connection->request = -1;
        --m_inFlight;
    }
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
