#pragma once
// An open connection to the server, and what opens one. The client works through these, so the
// Winsock connection can be replaced by a scripted one.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace qel::http {

class Connection {
public:
    virtual ~Connection() = default;
    // Sends all bytes. Throws TransferError.
    virtual void Send(const std::string& bytes) = 0;
    // Waits for bytes and returns how many arrived; 0 when the server closed the connection.
    // Throws TransferError when the connection breaks or stays silent past the read time limit.
    virtual std::size_t Receive(char* buffer, std::size_t size) = 0;
    // Still open with nothing unread, so fit to carry the next request.
    virtual bool Idle() = 0;
    virtual void SetReadTimeout(int milliseconds) = 0;
};

class Connector {
public:
    virtual ~Connector() = default;
    // Throws TransferError when no connection is made within the time limit.
    virtual std::unique_ptr<Connection> Open(const std::string& host, std::uint16_t port, int connectTimeoutMs) = 0;
};

}  // namespace qel::http
