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
    /** Constructs a transfer that is connected to no server and refuses nothing. */
    McMediaTransfer();
    /** Destroys the transfer. */
    ~McMediaTransfer() override;

    /**
     * Connects the transfer to a server, replacing any earlier connection.
     * @param server the server's name (UTF-8), as McServerListWidget lists it
     */
    void connectToServer(const std::string& server);
    /** @return the server the transfer is connected to; empty when none */
    std::string connectedServer() const;

private:
    mutable std::mutex m_mutex;
    std::string m_server;
};

#endif
