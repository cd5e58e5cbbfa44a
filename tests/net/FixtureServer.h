#pragma once
// A scripted HTTP server for tests, on 127.0.0.1 and an ephemeral port, served from a thread of
// the test process. For each request it reads (up to the empty line) it records the exact bytes
// and writes the next scripted reply, a few bytes per send (one by default), so that any reply,
// however odd, can be played. It counts the connections it accepts.
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qel::testing {

struct Reply {
    enum class Then { KeepOpen, Close, Stall };
    struct Part {
        std::string bytes;
        std::size_t writeSize = 1;  // bytes per send
        int pauseAfterMs = 0;
    };
    std::vector<Part> parts;
    Then then = Then::KeepOpen;
    std::function<void()> onRequest;  // runs on the server's thread before the reply is written

    // The whole reply written byte by byte.
    static Reply Bytes(std::string bytes, Then then = Then::KeepOpen);
    // A head written byte by byte, then a body written in blocks.
    static Reply WithBody(std::string head, std::string body, std::size_t writeSize = 4096, Then then = Then::KeepOpen);
};

class FixtureServer {
public:
    FixtureServer();
    ~FixtureServer();
    FixtureServer(const FixtureServer&) = delete;
    FixtureServer& operator=(const FixtureServer&) = delete;

    std::uint16_t Port() const { return port_; }
    void Add(Reply reply);
    std::vector<std::string> Requests() const;
    int Connections() const;

private:
    void Serve();
    bool ServeConnection(std::uintptr_t client);

    std::uintptr_t listener_;
    std::uint16_t port_ = 0;
    mutable std::mutex mutex_;
    std::deque<Reply> replies_;
    std::vector<std::string> requests_;
    int connections_ = 0;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace qel::testing
