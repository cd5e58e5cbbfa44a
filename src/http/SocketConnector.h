#pragma once
// Connections over Winsock (TCP, IPv4). Connecting waits at most the connect time limit;
// each wait for reply bytes at most the read time limit. Starts Winsock for its lifetime.
#include "http/Connection.h"

namespace qel::http {

class SocketConnector : public Connector {
public:
    SocketConnector();
    ~SocketConnector() override;
    std::unique_ptr<Connection> Open(const std::string& host, std::uint16_t port, int connectTimeoutMs) override;

private:
    bool started_ = false;
};

}  // namespace qel::http
