#include "http/SocketConnector.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>

#include "common/WinText.h"
#include "http/Errors.h"
#include "http/HttpClient.h"

namespace qel::http {

namespace {

std::string SocketErrorText(int code) { return SystemErrorText(static_cast<unsigned long>(code)) + " (" + std::to_string(code) + ")"; }

std::string Seconds(int milliseconds) {
    std::string text = std::to_string(milliseconds / 1000);
    if (milliseconds % 1000) text += "." + std::to_string(milliseconds % 1000 + 1000).substr(1);
    return text;
}

// Waits until the socket is readable (or writable); false when the time limit passed first.
// A negative limit waits for ever; 0 only looks.
bool WaitFor(SOCKET s, bool forWrite, int milliseconds, bool* failed = nullptr) {
    fd_set set, errors;
    FD_ZERO(&set);
    FD_ZERO(&errors);
    FD_SET(s, &set);
    FD_SET(s, &errors);
    timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
    int n = select(0, forWrite ? nullptr : &set, forWrite ? &set : nullptr, &errors, milliseconds >= 0 ? &limit : nullptr);
    if (n == SOCKET_ERROR) throw TransferError("Waiting for the server failed: " + SocketErrorText(WSAGetLastError()));
    if (failed) *failed = FD_ISSET(s, &errors) != 0;
    return n > 0;
}

class SocketConnection : public Connection {
public:
    SocketConnection(SOCKET s, std::string peer) : socket_(s), peer_(std::move(peer)) {}
    ~SocketConnection() override { closesocket(socket_); }

    void Send(const std::string& bytes) override {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            int n = send(socket_, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
            if (n == SOCKET_ERROR)
                throw TransferError("Sending the request to " + peer_ + " failed: " + SocketErrorText(WSAGetLastError()));
            sent += static_cast<std::size_t>(n);
        }
    }

    std::size_t Receive(char* buffer, std::size_t size) override {
        if (readTimeout_ > 0 && !WaitFor(socket_, false, readTimeout_))
            throw TransferError("Read timed out: " + peer_ + " sent nothing for " + Seconds(readTimeout_) + " seconds.");
        int n = recv(socket_, buffer, static_cast<int>(size), 0);
        if (n == SOCKET_ERROR)
            throw TransferError("The connection to " + peer_ + " was broken: " + SocketErrorText(WSAGetLastError()));
        return static_cast<std::size_t>(n);
    }

    bool Idle() override {
        // Readable while idle means closed by the server, reset, or unasked-for bytes.
        bool failed = false;
        return !WaitFor(socket_, false, 0, &failed) && !failed;
    }

    void SetReadTimeout(int milliseconds) override { readTimeout_ = milliseconds; }

private:
    SOCKET socket_;
    std::string peer_;
    int readTimeout_ = 0;
};

}  // namespace

SocketConnector::SocketConnector() {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

SocketConnector::~SocketConnector() {
    if (started_) WSACleanup();
}

std::unique_ptr<Connection> SocketConnector::Open(const std::string& host, std::uint16_t port, int connectTimeoutMs) {
    const std::string peer = host + ":" + std::to_string(port);
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    int rc = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (rc != 0 || !found) throw TransferError("Cannot find the server " + host + ": " + SocketErrorText(rc));
    sockaddr_in address{};
    std::memcpy(&address, found->ai_addr, sizeof address);
    freeaddrinfo(found);

    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) throw TransferError("Cannot open a socket: " + SocketErrorText(WSAGetLastError()));
    auto fail = [&](const std::string& text) {
        closesocket(s);
        throw TransferError(text);
    };
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR) {
        int code = WSAGetLastError();
        if (code != WSAEWOULDBLOCK) fail("Cannot connect to " + peer + ": " + SocketErrorText(code));
        bool failed = false;
        if (!WaitFor(s, true, connectTimeoutMs > 0 ? connectTimeoutMs : -1, &failed))
            fail("Connecting to " + peer + " timed out after " + Seconds(connectTimeoutMs) + " seconds.");
        int error = 0;
        int length = sizeof error;
        getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
        if (failed || error != 0) fail("Cannot connect to " + peer + ": " + SocketErrorText(error ? error : WSAECONNREFUSED));
    }
    nonBlocking = 0;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    BOOL noDelay = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
    return std::make_unique<SocketConnection>(s, peer);
}

HttpClient::HttpClient() : HttpClient(std::make_unique<SocketConnector>()) {}

}  // namespace qel::http
