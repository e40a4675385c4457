#include "mcmediatransfer.h"
#include "mcengine_p.h"

McMediaTransfer::McMediaTransfer()
    : McRefusable("McMediaTransfer")
{
}

McMediaTransfer::~McMediaTransfer() = default;

void McMediaTransfer::connectToServer(const std::string& server)
{
    mcJournal(QStringLiteral("McMediaTransfer::connectToServer(%1)").arg(QString::fromStdString(server)));
    std::lock_guard<std::mutex> locker(m_mutex);
    m_server = server;
}

std::string McMediaTransfer::connectedServer() const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    return m_server;
}
