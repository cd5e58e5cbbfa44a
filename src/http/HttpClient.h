#pragma once
// The launcher's HTTP client: one GET per transfer, the request lines of Request.h, a connection
// kept open between transfers to the same host and port, cookies kept for the run, and progress
// reported through OnWorkBegin / OnWork while a body arrives (see Exchange.h).
//
// Time limits: ConnectTimeout for making a connection, ReadTimeout for silence while waiting for
// the reply; both in milliseconds, 0 meaning none.
//
// Get throws ReplyRefused (message: the status line as received) for a refused reply, and
// TransferError for everything that goes wrong on the way; the connection is closed after any
// failure. Nothing of a refused reply's body reaches the sink.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "http/BodySink.h"
#include "http/Connection.h"
#include "http/CookieJar.h"

namespace qel::http {

enum class WorkMode { Read, Write };

class HttpClient {
public:
    static constexpr int kDefaultConnectTimeout = 20000;
    static constexpr int kDefaultReadTimeout = 30000;
    static constexpr std::size_t kReadSize = 1 << 20;

    HttpClient();  // over Winsock
    explicit HttpClient(std::unique_ptr<Connector> connector);
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // Progress of a body being received: the expected count at its start, then the running count.
    std::function<void(WorkMode, std::int32_t)> OnWorkBegin;
    std::function<void(WorkMode, std::int32_t)> OnWork;

    int ConnectTimeout = kDefaultConnectTimeout;
    int ReadTimeout = kDefaultReadTimeout;
    // Seconds since 1970-01-01 UTC, for cookie expiry.
    std::function<std::int64_t()> Clock;

    // Fetches url ("http://host[:port]/target", the target as bytes to send) into sink.
    void Get(const std::string& url, BodySink& sink);
    // Closes the kept connection, if any.
    void Disconnect();


private:
    std::unique_ptr<Connector> connector_;
    std::unique_ptr<Connection> connection_;
    std::string connectedHost_;
    std::uint16_t connectedPort_ = 0;
    CookieJar cookies_;
    std::vector<char> buffer_;
};

}  // namespace qel::http
