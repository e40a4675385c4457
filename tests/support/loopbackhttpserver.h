#ifndef LUKBASE_TESTS_LOOPBACKHTTPSERVER_H
#define LUKBASE_TESTS_LOOPBACKHTTPSERVER_H

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

/**
 * A small HTTP/1.1 server on 127.0.0.1 for tests and benchmarks. It answers GET requests
 * with bytes chosen per path and injects the faults that a real network produces below
 * HTTP: error statuses, empty bodies, slow answers, connections dropped before the answer
 * or in the middle of the body. Every request is logged, and the server keeps the largest
 * number of requests it had in progress at once.
 *
 * Runs on the thread's event loop; each connection carries one request.
 */
class LoopbackHttpServer : public QObject
{
    Q_OBJECT

public:
    /** How an answer goes wrong on purpose. */
    enum class Fault {
        None,
        /** The connection is closed without any answer. */
        DropBeforeAnswer,
        /** Headers announce the whole body, half of it is sent, then the connection is closed. */
        DropMidBody,
        /** Headers announce no length: the whole body is sent, then the connection is closed. */
        NoLength,
    };

    /** One answer: status, body, a delay before it is sent and an optional fault. */
    struct Response
    {
        int status = 200;
        QByteArray body;
        int delayMs = 0;
        Fault fault = Fault::None;

        static Response ok(const QByteArray& body, int delayMs = 0) { return { 200, body, delayMs, Fault::None }; }
        static Response error(int status, int delayMs = 0) { return { status, QByteArray(), delayMs, Fault::None }; }
        static Response dropped(int delayMs = 0) { return { 200, QByteArray(), delayMs, Fault::DropBeforeAnswer }; }
        static Response cut(const QByteArray& body) { return { 200, body, 0, Fault::DropMidBody }; }
        static Response unannounced(const QByteArray& body) { return { 200, body, 0, Fault::NoLength }; }
    };

    explicit LoopbackHttpServer(QObject* parent = nullptr);

    /** Starts listening on 127.0.0.1 on a free port. */
    bool listen();
    /** Stops listening and drops every connection. */
    void close();
    /** "http://127.0.0.1:<port>" followed by @p path. */
    QString url(const QString& path = QString()) const;

    /** Answers @p path with @p response from now on. */
    void setResponse(const QString& path, const Response& response) { m_responses.insert(path, response); }
    /** Answers the next requests of @p path with @p responses in turn, then as before. */
    void queueResponses(const QString& path, const QList<Response>& responses) { m_queued[path] += responses; }
    /** The answer to paths without a response of their own; 404 with no body by default. */
    void setFallbackResponse(const Response& response) { m_fallback = response; }

    /** The paths of every request so far, in the order they arrived, for example "/gifts/12.png". */
    QStringList requests() const { return m_requests; }
    /** Requests received and not yet answered. */
    int inFlight() const { return m_inFlight; }
    /** The largest inFlight() seen. */
    int maxInFlight() const { return m_maxInFlight; }

private:
    void readRequest(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const Response& response);
    // Ends the socket's request in progress, answered or dropped.
    void finishRequest(QTcpSocket* socket);

    QHash<QString, Response> m_responses;
    QHash<QString, QList<Response>> m_queued;
    Response m_fallback = Response::error(404);
    QStringList m_requests;
    int m_inFlight = 0;
    int m_maxInFlight = 0;
    // Last, so that its connections go before the state their ends touch.
    QTcpServer m_server;
};

Q_DECLARE_METATYPE(LoopbackHttpServer::Response)

#endif
