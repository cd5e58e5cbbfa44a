#include <gtest/gtest.h>

#include "http/Errors.h"
#include "http/Exchange.h"
#include "http/ReplyHead.h"
#include "http/ReplyParser.h"
#include "http/ReplyPolicy.h"
#include "http/ScriptedConnection.h"

namespace qel::http {
namespace {

using testing::ScriptedConnection;

ReplyHead Head(int status, std::vector<std::pair<std::string, std::string>> fields = {}, int minor = 1) {
    ReplyHead head;
    head.status = status;
    head.versionMinor = minor;
    head.fields = std::move(fields);
    return head;
}

TEST(ReplyPolicy, AcceptsRefusesAndPassesOver) {
    struct Case {
        ReplyHead head;
        Verdict verdict;
    } cases[] = {
        {Head(200), Verdict::Accept},
        {Head(204), Verdict::Accept},
        {Head(299), Verdict::Accept},
        {Head(100), Verdict::PassOver},
        {Head(101), Verdict::Refuse},
        {Head(302, {{"Location", "http://x/"}}), Verdict::Refuse},
        {Head(302), Verdict::Refuse},
        {Head(304), Verdict::Refuse},
        {Head(401), Verdict::Refuse},
        {Head(404), Verdict::Refuse},
        {Head(200, {{"location", "/elsewhere"}}), Verdict::Refuse},
        {Head(200, {{"Location", ""}}), Verdict::Accept},
        {Head(199), Verdict::Refuse},
        {Head(300), Verdict::Refuse},
    };
    for (const Case& c : cases) EXPECT_EQ(Judge(c.head), c.verdict) << c.head.status;
}

TEST(ReplyHead, BodyPlanAndConnection) {
    struct Case {
        ReplyHead head;
        BodyFraming framing;
        std::int64_t length;
    } cases[] = {
        {Head(200, {{"Content-Length", "12"}}), BodyFraming::Length, 12},
        {Head(200, {{"Content-Length", "12, 12"}, {"content-length", "12"}}), BodyFraming::Length, 12},
        {Head(200, {{"Content-Length", "0"}}), BodyFraming::Length, 0},
        {Head(200, {{"Transfer-Encoding", "Chunked"}, {"Content-Length", "12"}}), BodyFraming::Chunked, 0},
        {Head(200, {{"Transfer-Encoding", "gzip"}, {"Transfer-Encoding", "chunked"}}), BodyFraming::Chunked, 0},
        {Head(200, {{"Transfer-Encoding", "chunked, gzip"}}), BodyFraming::UntilClose, 0},
        {Head(200, {{"Content-Length", "abc"}}), BodyFraming::UntilClose, 0},
        {Head(200, {{"Content-Length", "-1"}}), BodyFraming::UntilClose, 0},
        {Head(200), BodyFraming::UntilClose, 0},
        {Head(204, {{"Content-Length", "12"}}), BodyFraming::None, 0},
        {Head(100), BodyFraming::None, 0},
    };
    for (const Case& c : cases) {
        BodyPlan plan = PlanBody(c.head);
        EXPECT_EQ(plan.framing, c.framing) << c.head.fields.size();
        EXPECT_EQ(plan.length, c.length);
    }
    EXPECT_THROW(PlanBody(Head(200, {{"Content-Length", "12"}, {"Content-Length", "13"}})), TransferError);
    EXPECT_THROW(PlanBody(Head(200, {{"Content-Length", "99999999999999999999"}})), TransferError);

    EXPECT_TRUE(KeepsConnection(Head(200)));
    EXPECT_FALSE(KeepsConnection(Head(200, {{"Connection", "Keep-Alive, Close"}})));
    EXPECT_FALSE(KeepsConnection(Head(200, {}, 0)));
    EXPECT_TRUE(KeepsConnection(Head(200, {{"Connection", "keep-alive"}}, 0)));
}

// Records what the client would see of one exchange.
struct Outcome {
    std::string body;
    std::vector<std::string> events;  // "B<n>" for begin, "W<n>" for work
    std::vector<int> heads;
    bool keep = false;
    std::string error;
    std::string sent;
};

class StringSink : public BodySink {
public:
    explicit StringSink(std::string& out) : out_(out) {}
    void Write(const char* data, std::size_t size) override { out_.append(data, size); }

private:
    std::string& out_;
};

Outcome RunExchange(std::deque<std::string> pieces, std::size_t bufferSize = 1 << 20) {
    ScriptedConnection connection;
    connection.pieces = std::move(pieces);
    Outcome out;
    StringSink sink(out.body);
    std::vector<char> buffer(bufferSize);
    ProgressEvents progress{[&](std::int32_t n) { out.events.push_back("B" + std::to_string(n)); },
                            [&](std::int32_t n) { out.events.push_back("W" + std::to_string(n)); }};
    try {
        out.keep = Exchange(connection, "GET / HTTP/1.1\r\n\r\n", buffer,
                            [&](const ReplyHead& h) { out.heads.push_back(h.status); }, sink, progress);
    } catch (const std::exception& e) {
        out.error = e.what();
    }
    out.sent = connection.sent;
    return out;
}

using Events = std::vector<std::string>;

TEST(Exchange, BodiesAndTheirProgress) {
    // The first block is what came in with the head; then each piece taken from the connection,
    // in steps of at most 32768 bytes.
    Outcome o = RunExchange({"HTTP/1.1 200 OK\r\nContent-Length: 70003\r\n\r\nabc", std::string(70000, 'x')});
    EXPECT_EQ(o.error, "");
    EXPECT_EQ(o.body, "abc" + std::string(70000, 'x'));
    EXPECT_EQ(o.events, (Events{"B70003", "W3", "W32771", "W65539", "W70003"}));
    EXPECT_TRUE(o.keep);
    EXPECT_EQ(o.sent, "GET / HTTP/1.1\r\n\r\n");

    // Head and body split across pieces, with nothing of the body in the head's piece.
    o = RunExchange({"HTTP/1.1 200 OK\r\nContent-Len", "gth: 5\r\n\r", "\n", "12", "345"});
    EXPECT_EQ(o.body, "12345");
    EXPECT_EQ(o.events, (Events{"B5", "W2", "W5"}));

    // Chunked: each chunk is a counted part of its own; extensions and trailers are passed over.
    o = RunExchange({"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5;x=y\r\nhello\r\n3\r\nabc\r\n", "A\r\n0123456789\r\n0\r\nT: 1\r\n\r\n"});
    EXPECT_EQ(o.error, "");
    EXPECT_EQ(o.body, "helloabc0123456789");
    EXPECT_EQ(o.events, (Events{"B5", "W5", "B3", "W3", "B10", "W10"}));
    EXPECT_TRUE(o.keep);

    // Until the server closes: expected count 0, and the connection is not kept.
    o = RunExchange({"HTTP/1.1 200 OK\r\n\r\nab", "cd"});
    EXPECT_EQ(o.body, "abcd");
    EXPECT_EQ(o.events, (Events{"B0", "W2", "W4"}));
    EXPECT_FALSE(o.keep);

    // Empty bodies fire no events.
    for (const char* reply : {"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", "HTTP/1.1 204 No Content\r\n\r\n",
                              "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", "HTTP/1.1 200 OK\r\n\r\n"}) {
        o = RunExchange({reply});
        EXPECT_EQ(o.error, "") << reply;
        EXPECT_EQ(o.body, "") << reply;
        EXPECT_TRUE(o.events.empty()) << reply;
    }

    // 100 is passed over, the reply after it counts; bare LF line ends are read too.
    o = RunExchange({"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\nContent-Length: 2\n\nok"});
    EXPECT_EQ(o.error, "");
    EXPECT_EQ(o.heads, (std::vector<int>{100, 200}));
    EXPECT_EQ(o.body, "ok");

    // Reads never need more than the buffer holds.
    o = RunExchange({"HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nabcd"}, 3);
    EXPECT_EQ(o.body, "abcd");
    EXPECT_EQ(o.events, (Events{"B4", "W1", "W4"}));
}

TEST(Exchange, RefusedRepliesKeepTheirBody) {
    struct Case {
        const char* reply;
        const char* error;
    } cases[] = {
        {"HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found", "HTTP/1.1 404 Not Found"},
        {"HTTP/1.1 302 Found\r\nLocation: http://x/\r\nContent-Length: 0\r\n\r\n", "HTTP/1.1 302 Found"},
        {"HTTP/1.1 200 OK\r\nLocation: /x\r\nContent-Length: 2\r\n\r\nok", "HTTP/1.1 200 OK"},
        {"HTTP/1.0 500  Odd  reason \t\r\n\r\nbody", "HTTP/1.0 500  Odd  reason \t"},
        {"HTTP/1.1 304 Not Modified\r\n\r\n", "HTTP/1.1 304 Not Modified"},
        {"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 401 Unauthorized\r\n\r\n", "HTTP/1.1 401 Unauthorized"},
        {"HTTP/1.1 404\r\n\r\n", "HTTP/1.1 404"},
    };
    for (const Case& c : cases) {
        Outcome o = RunExchange({c.reply});
        EXPECT_EQ(o.error, c.error) << c.reply;
        EXPECT_EQ(o.body, "") << c.reply;
        EXPECT_TRUE(o.events.empty()) << c.reply;
    }
}

TEST(Exchange, BrokenReplies) {
    struct Case {
        std::deque<std::string> pieces;
        const char* error;
    } cases[] = {
        {{}, "The server closed the connection without a reply."},
        {{"HTTP/1.1 200 OK\r\nContent-"}, "The server closed the connection before the end of the reply head."},
        {{"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n12345"}, "The server closed the connection after 5 of 10 body bytes."},
        {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n"},
         "The server closed the connection before the end of the chunked body."},
        {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhel"},
         "The server closed the connection before the end of the chunked body."},
        {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhelloX\r\n"}, "Invalid reply from the server: chunk data longer than its size"},
        {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n"}, "Invalid reply from the server: bad chunk size"},
        {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1000000000000000\r\n"}, "Invalid reply from the server: chunk size too large"},
        {{"<html>hello</html>\r\n"}, "Invalid reply from the server: bad status line"},
        {{"HTTP/1.1 20 OK\r\n\r\n"}, "Invalid reply from the server: bad status line"},
        {{"HTTP/1.1 200 OK\r\nno colon\r\n\r\n"}, "Invalid reply from the server: bad header line"},
        {{"HTTP/1.1 200 OK\r\nBad Name: x\r\n\r\n"}, "Invalid reply from the server: bad header name"},
        {{"HTTP/1.1 200 OK\r\nX: " + std::string(70000, 'a')}, "Invalid reply from the server: head too large"},
    };
    for (const Case& c : cases) {
        Outcome o = RunExchange(c.pieces);
        EXPECT_EQ(o.error, c.error) << (c.pieces.empty() ? "" : c.pieces.front().substr(0, 60));
    }
}

TEST(Exchange, ConnectionIsNotKeptAfterUnaskedBytesOrClose) {
    EXPECT_FALSE(RunExchange({"HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\nxEXTRA"}).keep);
    EXPECT_FALSE(RunExchange({"HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 1\r\n\r\nx"}).keep);
    EXPECT_TRUE(RunExchange({"HTTP/1.0 200 OK\r\nConnection: Keep-Alive\r\nContent-Length: 1\r\n\r\nx"}).keep);
    // Continuation lines join their field; stray line ends before the status line are passed over.
    Outcome o = RunExchange({"\r\nHTTP/1.1 200 OK\r\nConnection: keep-alive,\r\n  close\r\nContent-Length: 1\r\n\r\nx"});
    EXPECT_EQ(o.body, "x");
    EXPECT_FALSE(o.keep);
}

}  // namespace
}  // namespace qel::http
