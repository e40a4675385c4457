#ifndef LUKBASE_TESTS_LOOPBACKHTTPSERVER_H
#define LUKBASE_TESTS_LOOPBACKHTTPSERVER_H

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

/**
 * A small HTTP/1.1 server on 127.0.0.1 for tests and benchmarks. It answers GET requests
 * with bytes chosen per path and injects the faults that a real network produces below
 * HTTP: error statuses, empty bodies, slow answers, connections dropped before the answer
 * or in the middle of the body. Every request is logged, and the server keeps the largest
 * number of requests it had in progress at once.
 *
 * Runs on the thread's event loop; connections are kept alive between requests.
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
    ~LoopbackHttpServer() override;

    /** Starts listening on 127.0.0.1 on a free port. */
    bool listen();
    /** Stops listening and closes every connection. */
    void close();
    quint16 port() const;
    /** "http://127.0.0.1:<port>" followed by @p path. */
    QString url(const QString& path = QString()) const;

    /** Answers @p path with @p response from now on. */
    void setResponse(const QString& path, const Response& response);
    /** Answers the next requests of @p path with @p responses in turn, then as before. */
    void queueResponses(const QString& path, const QList<Response>& responses);
    /** The answer to paths without a response of their own; 404 with no body by default. */
    void setFallbackResponse(const Response& response);

    /** The paths of every request so far, in the order they arrived, for example "/gifts/12.png". */
    QStringList requests() const;
    /** Requests received and not yet answered. */
    int inFlight() const;
    /** The largest inFlight() seen. */
    int maxInFlight() const;

private:
    struct Connection;

    void acceptConnections();
    void readRequest(Connection* connection);
    void answer(Connection* connection);
    // Ends the connection's request in progress, answered or dropped.
    void finishRequest(Connection* connection);
    void dropConnection(QTcpSocket* socket);
    Response takeResponse(const QString& path);

    QTcpServer* m_server;
    QHash<QString, Response> m_responses;
    QHash<QString, QList<Response>> m_queued;
    Response m_fallback;
    QHash<QTcpSocket*, Connection*> m_connections;
    QStringList m_requests;
    int m_inFlight = 0;
    int m_maxInFlight = 0;
};

Q_DECLARE_METATYPE(LoopbackHttpServer::Response)

#endif
