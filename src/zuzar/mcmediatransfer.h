#ifndef ZUZAR_MCMEDIATRANSFER_H
#define ZUZAR_MCMEDIATRANSFER_H

#include <zuzar/mcrefusable.h>

#include <mutex>
#include <string>

/**
 * A media transfer: the stream between this client and a media server. It carries the
 * refuse mask of the stream and the server it is connected to.
 */
class ZUZAR_EXPORT McMediaTransfer : public McRefusable
{
public:
    McMediaTransfer();
    ~McMediaTransfer() override;

    /** Connects the transfer to @p server (UTF-8), replacing any earlier connection. */
    void connectToServer(const std::string& server);
    /** The server the transfer is connected to; empty when none. */
    std::string connectedServer() const;

private:
    mutable std::mutex m_mutex;
    std::string m_server;
};

#endif
