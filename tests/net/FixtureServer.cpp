#include "net/FixtureServer.h"

#include <winsock2.h>

#include <chrono>

namespace qel::testing {

namespace {
// Waits up to 50 ms for the socket to become readable.
bool Readable(SOCKET s) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval limit{0, 50000};
    return select(0, &set, nullptr, nullptr, &limit) > 0;
}
}  // namespace

Reply Reply::Bytes(std::string bytes, Then then) {
    Reply reply;
    reply.parts.push_back({std::move(bytes), 1, 0});
    reply.then = then;
    return reply;
}

Reply Reply::WithBody(std::string head, std::string body, std::size_t writeSize, Then then) {
    Reply reply;
    reply.parts.push_back({std::move(head), 1, 0});
    reply.parts.push_back({std::move(body), writeSize, 0});
    reply.then = then;
    return reply;
}

FixtureServer::FixtureServer() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(s, 8);
    int length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    listener_ = s;
    thread_ = std::thread([this] { Serve(); });
}

FixtureServer::~FixtureServer() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    thread_.join();
    closesocket(static_cast<SOCKET>(listener_));
    WSACleanup();
}

void FixtureServer::Add(Reply reply) {
    std::lock_guard<std::mutex> lock(mutex_);
    replies_.push_back(std::move(reply));
}

std::vector<std::string> FixtureServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

int FixtureServer::Connections() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return connections_;
}

void FixtureServer::Serve() {
    auto stopping = [this] {
        std::lock_guard<std::mutex> lock(mutex_);
        return stop_;
    };
    while (!stopping()) {
        if (!Readable(static_cast<SOCKET>(listener_))) continue;
        SOCKET client = accept(static_cast<SOCKET>(listener_), nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++connections_;
        }
        BOOL noDelay = TRUE;
        setsockopt(client, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
        while (ServeConnection(client)) {
        }
        closesocket(client);
    }
}

// Serves one request on the connection; false when the connection is to be closed.
bool FixtureServer::ServeConnection(std::uintptr_t raw) {
    SOCKET client = static_cast<SOCKET>(raw);
    auto stopping = [this] {
        std::lock_guard<std::mutex> lock(mutex_);
        return stop_;
    };
    std::string request;
    while (request.find("\r\n\r\n") == std::string::npos) {
        if (stopping()) return false;
        if (!Readable(client)) continue;
        char buffer[4096];
        int n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) return false;  // the client closed the connection
        request.append(buffer, static_cast<std::size_t>(n));
    }
    Reply reply;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
        if (replies_.empty()) return false;
        reply = std::move(replies_.front());
        replies_.pop_front();
    }
    if (reply.onRequest) reply.onRequest();
    for (const Reply::Part& part : reply.parts) {
        for (std::size_t at = 0; at < part.bytes.size(); at += part.writeSize) {
            int size = static_cast<int>(std::min(part.writeSize, part.bytes.size() - at));
            if (send(client, part.bytes.data() + at, size, 0) != size) return false;
        }
        if (part.pauseAfterMs) std::this_thread::sleep_for(std::chrono::milliseconds(part.pauseAfterMs));
    }
    if (reply.then == Reply::Then::Stall) {
        while (!stopping()) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return false;
    }
    return reply.then == Reply::Then::KeepOpen;
}

}  // namespace qel::testing
