#ifndef KTVROOM_GIFTSERVER_H
#define KTVROOM_GIFTSERVER_H

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

class QHttpServer;

// The sandbox's own gift server on the loopback interface: answers GET /gifts/<file name>
// with the file's bytes, 404 for anything else.
class GiftServer : public QObject
{
    Q_OBJECT

public:
    explicit GiftServer(const QHash<QString, QByteArray>& files, QObject* parent = nullptr);

    // Listens on 127.0.0.1 on a free port; false when no port could be had.
    bool start();
    // "http://127.0.0.1:<port>/gifts/".
    QString prefix() const;
    int requestCount() const { return m_requests; }

private:
    QHttpServer* m_server;
    QHash<QString, QByteArray> m_files;
    quint16 m_port = 0;
    int m_requests = 0;
};

#endif
