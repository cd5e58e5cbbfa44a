#include <gtest/gtest.h>

#include "http/Errors.h"
#include "http/HttpClient.h"
#include "http/ScriptedConnection.h"

namespace qel::http {
namespace {

using testing::ScriptedConnection;

// Hands out scripted connections (each piece is handed out by one Receive, so a reply that is a
// piece of its own leaves nothing over for the next) and records which host and port each was opened for.
class ScriptedConnector : public Connector {
public:
    std::vector<std::string> opened;
    std::vector<ScriptedConnection*> live;  // owned by the client: only the last one may still be open
    std::deque<std::string> sent;           // what each connection was sent
    std::deque<std::deque<std::string>> replies;  // one list of pieces per connection

    std::unique_ptr<Connection> Open(const std::string& host, std::uint16_t port, int) override {
        opened.push_back(host + ":" + std::to_string(port));
        auto connection = std::make_unique<ScriptedConnection>();
        if (!replies.empty()) {
            connection->pieces = replies.front();
            replies.pop_front();
        }
        live.push_back(connection.get());
        connection->log = &sent.emplace_back();
        return connection;
    }
};

struct ClientFixture : ::testing::Test {
    ScriptedConnector* connector = new ScriptedConnector;
    HttpClient client{std::unique_ptr<Connector>(connector)};
    std::vector<std::uint8_t> body;
    MemorySink sink{body};

    ClientFixture() { client.Clock = [] { return std::int64_t{1700000000}; }; }
};

TEST_F(ClientFixture, ReusesTheConnectionPerHostAndPortAndSendsCookiesBack) {
    const std::string ok = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
    connector->replies = {{"HTTP/1.1 200 OK\r\nSet-Cookie: s=1; Path=/\r\nContent-Length: 2\r\n\r\nok", ok},
                          {ok},
                          {ok}};
    client.Get("http://10.1.2.3:892/a.dll", sink);
    client.Get("http://10.1.2.3:892/b c.dll", sink);  // same connection
    client.Get("http://10.1.2.3/p.jpg", sink);       // another port: a new connection
    client.Get("http://10.1.2.3:892/d.dll", sink);    // and back again
    EXPECT_EQ(connector->opened, (std::vector<std::string>{"10.1.2.3:892", "10.1.2.3:80", "10.1.2.3:892"}));
    EXPECT_EQ(std::string(body.begin(), body.end()), "okokokok");
    // the cookie set on port 892 goes to port 80 as well
    EXPECT_NE(connector->sent.at(1).find("Cookie: s=1\r\n"), std::string::npos);
}

TEST_F(ClientFixture, RequestBytesCarryTheCookieOnlyWhenOneApplies) {
    connector->replies = {{"HTTP/1.1 200 OK\r\nSet-Cookie: s=1; Path=/up\r\nContent-Length: 0\r\n\r\n",
                           "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"}};
    client.Get("http://10.1.2.3:892/up/a.dll", sink);
    client.Get("http://10.1.2.3:892/up/b.dll", sink);
    client.Get("http://10.1.2.3:892/c.dll", sink);
    const std::string tail = "Accept: text/html, */*\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n";
    EXPECT_EQ(connector->sent.at(0),
              "GET /up/a.dll HTTP/1.1\r\nHost: 10.1.2.3:892\r\n" + tail + "\r\n" +
              "GET /up/b.dll HTTP/1.1\r\nHost: 10.1.2.3:892\r\n" + tail + "Cookie: s=1\r\n\r\n" +
              "GET /c.dll HTTP/1.1\r\nHost: 10.1.2.3:892\r\n" + tail + "\r\n");
}

TEST_F(ClientFixture, OpensANewConnectionAfterCloseFailureOrStaleness) {
    connector->replies = {{"HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 1\r\n\r\nx"},
                          {"HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nabc"},
                          {"HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\ny"},
                          {"HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\nz"}};
    client.Get("http://h:892/1", sink);
    EXPECT_THROW(client.Get("http://h:892/2", sink), ReplyRefused);
    client.Get("http://h:892/3", sink);
    connector->live.back()->idle = false;  // the server has gone away meanwhile
    client.Get("http://h:892/4", sink);
    EXPECT_EQ(connector->opened.size(), 4u);
    EXPECT_EQ(std::string(body.begin(), body.end()), "xyz");
}

TEST_F(ClientFixture, ReportsProgressAsReads) {
    std::vector<std::string> events;
    client.OnWorkBegin = [&](WorkMode mode, std::int32_t n) {
        EXPECT_EQ(mode, WorkMode::Read);
        events.push_back("B" + std::to_string(n));
    };
    client.OnWork = [&](WorkMode mode, std::int32_t n) {
        EXPECT_EQ(mode, WorkMode::Read);
        events.push_back("W" + std::to_string(n));
    };
    connector->replies = {{"HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nab", "c"}};
    client.Get("http://h/x", sink);
    EXPECT_EQ(events, (std::vector<std::string>{"B3", "W2", "W3"}));
}

}  // namespace
}  // namespace qel::http
