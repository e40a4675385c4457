#include "giftserver.h"

#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerResponse>

GiftServer::GiftServer(const QHash<QString, QByteArray>& files, QObject* parent)
    : QObject(parent)
    , m_server(new QHttpServer(this))
    , m_files(files)
{
    m_server->route(QStringLiteral("/gifts/<arg>"), [this](const QString& name) {
        ++m_requests;
        const auto file = m_files.constFind(name);
        if (file == m_files.constEnd())
            return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
        const QByteArray type = name.endsWith(QLatin1String(".swf")) ? "application/x-shockwave-flash" : "image/png";
        return QHttpServerResponse(type, *file);
    });
}

bool GiftServer::start()
{
    m_port = m_server->listen(QHostAddress::LocalHost, 0);
    return m_port != 0;
}

QString GiftServer::prefix() const
{
    return QStringLiteral("http://127.0.0.1:%1/gifts/").arg(QString::number(m_port));
}
