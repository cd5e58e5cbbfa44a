#include <winsock2.h>
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/WinText.h"
#include "http/Errors.h"
#include "net/DownloadFile.h"
#include "net/NetFixture.h"
#include "net/TargetFile.h"

namespace qel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

class Download : public NetFixture {};

std::string CannotCreate(const std::string& path, DWORD code) {
    return "Cannot create file \"" + path + "\". " + SystemErrorText(code);
}

TEST_F(Download, SendsExactRequestsReusesTheConnectionAndSendsCookiesBack) {
    files.Add(Reply::Bytes(Ok("one", "Set-Cookie: session=42; Path=/\r\n")));
    files.Add(Reply::Bytes(Ok("two")));
    pictures.Add(Reply::Bytes("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"));
    files.Add(Reply::Bytes(Ok("three")));

    DownloadFile("a.dll", "A");
    DownloadFile("b.dll", "B");
    window->ShowSplashImage("qel_start1.jpg");
    DownloadFile("c.dll", "C");

    EXPECT_THAT(files.Requests(), ElementsAre(Request("/a.dll", files.Port()), Request("/b.dll", files.Port(), "session=42"),
                                              Request("/c.dll", files.Port(), "session=42")));
    EXPECT_THAT(pictures.Requests(), ElementsAre(Request("/qel_start1.jpg", pictures.Port(), "session=42")));
    EXPECT_EQ(files.Connections(), 2);  // a and b on one; the switch to the picture port closed it
    EXPECT_EQ(pictures.Connections(), 1);
    EXPECT_EQ(ReadFile("a.dll"), "one");
    EXPECT_EQ(ReadFile("c.dll"), "three");
    EXPECT_EQ(window->rsp1.Caption(), "加载 C 模块");
}

TEST_F(Download, ANewConnectionAfterTheServerSaysClose) {
    files.Add(Reply::Bytes(Ok("1", "Connection: close\r\n"), Reply::Then::Close));
    files.Add(Reply::Bytes(Ok("2")));
    DownloadFile("a", "");
    DownloadFile("b", "");
    EXPECT_EQ(files.Connections(), 2);
    EXPECT_EQ(window->rsp1.Caption(), "加载  模块");
}

TEST_F(Download, LengthBodyProgressAndTwoSameSizeFilesInARow) {
    const std::string body(100000, 'x');
    files.Add(Reply::WithBody(OkHead(body.size()), body));
    files.Add(Reply::WithBody(OkHead(body.size()), body));
    DownloadFile("a.bin", "A");
    ASSERT_FALSE(events.empty());
    EXPECT_TRUE(events.front().begin);
    EXPECT_EQ(events.front().count, 100000);
    EXPECT_EQ(events.front().percent, 0);
    std::int32_t last = 0;
    for (std::size_t i = 1; i < events.size(); ++i) {
        EXPECT_FALSE(events[i].begin);
        EXPECT_GT(events[i].count, last);
        EXPECT_LE(events[i].count - last, 32768);
        last = events[i].count;
    }
    EXPECT_EQ(last, 100000);
    EXPECT_EQ(window->rpb1.Percent(), 100);

    events.clear();
    DownloadFile("b.bin", "B");
    ASSERT_GE(events.size(), 2u);
    EXPECT_TRUE(events[0].begin);
    EXPECT_EQ(events[0].percent, 100);  // same total: no drop to 0 % at the start
    EXPECT_LT(events[1].percent, 100);
    EXPECT_EQ(window->rpb1.Percent(), 100);
    EXPECT_EQ(ReadFile("b.bin"), body);
}

TEST_F(Download, FirstProgressBlockIsTheBodyThatCameWithTheHead) {
    Reply reply;
    reply.parts.push_back({OkHead(10) + "abc", 1000, 300});  // head and 3 body bytes in one send
    reply.parts.push_back({"defghij", 1, 0});
    files.Add(reply);
    DownloadFile("a", "A");
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[1].count, 3);
    EXPECT_EQ(events[1].percent, 30);
}

TEST_F(Download, ChunkedBodyCountsEachChunk) {
    files.Add(Reply::Bytes("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                           "4\r\nabcd\r\n2\r\nef\r\n2\r\ngh\r\n0\r\n\r\n"));
    DownloadFile("c.txt", "C");
    EXPECT_EQ(ReadFile("c.txt"), "abcdefgh");
    std::vector<std::int32_t> begins;
    for (const BarEvent& e : events)
        if (e.begin) begins.push_back(e.count);
    EXPECT_THAT(begins, ElementsAre(4, 2, 2));
    // the second chunk drops the bar to 0 %; the third, of the same size, does not
    auto beginAt = [&](std::size_t n) {
        std::size_t seen = 0;
        for (const BarEvent& e : events)
            if (e.begin && seen++ == n) return e;
        return BarEvent{};
    };
    EXPECT_EQ(beginAt(1).percent, 0);
    EXPECT_EQ(beginAt(2).percent, 100);
    EXPECT_EQ(events.back().count, 2);
    EXPECT_EQ(window->rpb1.Percent(), 100);
    EXPECT_EQ(files.Connections(), 1);
}

TEST_F(Download, BodyUntilCloseKeepsTheBarAtZero) {
    files.Add(Reply::Bytes(Ok("12")));
    files.Add(Reply::Bytes("HTTP/1.1 200 OK\r\n\r\nuntil the end", Reply::Then::Close));
    DownloadFile("a", "A");
    ASSERT_EQ(window->rpb1.Percent(), 100);
    events.clear();
    DownloadFile("b", "B");
    EXPECT_EQ(ReadFile("b"), "until the end");
    ASSERT_FALSE(events.empty());
    EXPECT_TRUE(events[0].begin);
    EXPECT_EQ(events[0].count, 0);
    for (const BarEvent& e : events) EXPECT_EQ(e.percent, 0);
    EXPECT_EQ(events.back().count, 13);
}

TEST_F(Download, EmptyBodiesMakeEmptyFilesWithoutMovingTheBar) {
    files.Add(Reply::Bytes(Ok("1234")));
    files.Add(Reply::Bytes("HTTP/1.1 204 No Content\r\n\r\n"));
    files.Add(Reply::Bytes(Ok("")));
    DownloadFile("a", "A");
    const int repaints = window->rpb1.ImmediateRepaints();
    events.clear();
    WriteFile("b", "old");
    DownloadFile("b", "B");
    EXPECT_EQ(ReadFile("b"), "");
    EXPECT_EQ(window->rsp1.Caption(), "加载 B 模块");
    DownloadFile("c", "C");
    EXPECT_EQ(ReadFile("c"), "");
    EXPECT_EQ(window->rsp1.Caption(), "加载 C 模块");
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(window->rpb1.ImmediateRepaints(), repaints);
    EXPECT_EQ(window->rpb1.Percent(), 100);
}

TEST_F(Download, ContinueThenOk) {
    files.Add(Reply::Bytes("HTTP/1.1 100 Continue\r\n\r\n" + Ok("body")));
    DownloadFile("a", "A");
    EXPECT_EQ(ReadFile("a"), "body");
}

TEST_F(Download, RefusedRepliesKeepTheOldFile) {
    struct Case {
        std::string reply, error;
    } cases[] = {
        {"HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found", "HTTP/1.1 404 Not Found"},
        {"HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1/elsewhere\r\nContent-Length: 5\r\n\r\nmoved", "HTTP/1.1 302 Found"},
        {Ok("new", "Location: /elsewhere\r\n"), "HTTP/1.1 200 OK"},
    };
    WriteFile("a.dll", "old");
    window->rsp1.SetCaption("before");
    for (const Case& c : cases) {
        files.Add(Reply::Bytes(c.reply));
        EXPECT_EQ(ErrorOf([] { DownloadFile("a.dll", "A"); }), c.error);
        EXPECT_EQ(ReadFile("a.dll"), "old");
        EXPECT_THAT(Listing(), ElementsAre("a.dll"));
    }
    EXPECT_EQ(window->rsp1.Caption(), "before");
    EXPECT_TRUE(events.empty());
}

TEST_F(Download, BrokenTransfersKeepTheOldFileAndLeaveNoTemporaryFile) {
    WriteFile("a.dll", "old");
    files.Add(Reply::WithBody(OkHead(10), "12345", 1, Reply::Then::Close));
    EXPECT_EQ(ErrorOf([] { DownloadFile("a.dll", "A"); }), "The server closed the connection after 5 of 10 body bytes.");
    EXPECT_EQ(ReadFile("a.dll"), "old");
    EXPECT_THAT(Listing(), ElementsAre("a.dll"));

    files.Add(Reply::Bytes("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n", Reply::Then::Close));
    EXPECT_THAT(ErrorOf([] { DownloadFile("a.dll", "A"); }), ::testing::HasSubstr("chunked body"));
    EXPECT_EQ(ReadFile("a.dll"), "old");
    EXPECT_THAT(Listing(), ElementsAre("a.dll"));

    window->IdHTTP1.ReadTimeout = 500;
    files.Add(Reply::WithBody(OkHead(10), "123", 1, Reply::Then::Stall));
    EXPECT_THAT(ErrorOf([] { DownloadFile("a.dll", "A"); }), ::testing::HasSubstr("timed out"));
    EXPECT_EQ(ReadFile("a.dll"), "old");
    EXPECT_THAT(Listing(), ElementsAre("a.dll"));
}

TEST_F(Download, TargetsThatCannotBeReplacedFailBeforeAnythingIsSent) {
    WriteFile("held.dll", "old");
    HANDLE held = CreateFileW(Widen(PathOf("held.dll")).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ErrorOf([] { DownloadFile("held.dll", "A"); }), CannotCreate(PathOf("held.dll"), ERROR_SHARING_VIOLATION));
    CloseHandle(held);

    WriteFile("ro.dll", "old");
    SetFileAttributesW(Widen(PathOf("ro.dll")).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ErrorOf([] { DownloadFile("ro.dll", "A"); }), CannotCreate(PathOf("ro.dll"), ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadFile("ro.dll"), "old");

    EXPECT_EQ(ErrorOf([] { DownloadFile("missing\\a.dll", "A"); }), CannotCreate(PathOf("missing\\a.dll"), ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(ErrorOf([] { DownloadFile("", "A"); }), CannotCreate(PathOf(""), ERROR_INVALID_NAME));
    for (const char* name : {"..\\evil.dll", "sub\\..\\..\\evil.dll", "c:\\evil.dll", "a.dll:stream", "\\evil.dll", "NUL"})
        EXPECT_EQ(ErrorOf([&] { DownloadFile(name, "A"); }), CannotCreate(PathOf(name), ERROR_INVALID_NAME)) << name;

    EXPECT_TRUE(files.Requests().empty());
    EXPECT_EQ(files.Connections(), 0);
    EXPECT_THAT(Listing(), UnorderedElementsAre("held.dll", "ro.dll"));
}

TEST_F(Download, TargetHeldOpenAtTheSwapKeepsTheOldFile) {
    WriteFile("a.dll", "old");
    HANDLE held = INVALID_HANDLE_VALUE;
    Reply reply = Reply::Bytes(Ok("new"));
    // Another program opens the target after the checks passed, while the body is on its way.
    reply.onRequest = [&] {
        held = CreateFileW(Widen(PathOf("a.dll")).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    };
    files.Add(reply);
    window->rsp1.SetCaption("before");
    std::string error = ErrorOf([] { DownloadFile("a.dll", "A"); });
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    CloseHandle(held);
    // Windows refuses to replace a file that is open without sharing
    EXPECT_THAT(error, ::testing::AnyOf(CannotCreate(PathOf("a.dll"), ERROR_SHARING_VIOLATION),
                                        CannotCreate(PathOf("a.dll"), ERROR_ACCESS_DENIED)));
    EXPECT_EQ(ReadFile("a.dll"), "old");
    EXPECT_THAT(Listing(), ElementsAre("a.dll"));
    EXPECT_EQ(window->rsp1.Caption(), "before");
}

TEST_F(Download, NameWithAccentGoesOutAsAnsiBytes) {
    const std::string name = "caf\xC3\xA9 menu.dll";  // "café menu.dll"
    char ansi[32] = {};
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(GetACP(), 0, L"caf\u00E9 menu.dll", -1, ansi, sizeof ansi, nullptr,
                                GetACP() == CP_UTF8 ? nullptr : &lossy);
    if (lossy) GTEST_SKIP() << "the system's code page " << GetACP() << " has no byte for e-acute";
    const std::string expected(ansi, static_cast<std::size_t>(n - 1));
    if (GetACP() == 1252) {
        EXPECT_EQ(expected, "caf\xE9 menu.dll");
    }

    files.Add(Reply::Bytes(Ok("data")));
    DownloadFile(name, "A");
    EXPECT_THAT(files.Requests(), ElementsAre(Request("/" + expected, files.Port())));
    EXPECT_EQ(ReadFile(name), "data");
}

TEST_F(Download, NameTheCodePageCannotCarryFailsBeforeAnythingIsSent) {
    // Thai and emoji have no bytes in the Western or the Chinese code page: such a name is refused
    // rather than sent with "?" in place of a character.
    int refused = 0;
    for (const std::string name : {"\xE0\xB8\x81.dll", "a\xF0\x9F\x98\x80.dll"}) {
        if (ToCodePageExact(name, CP_ACP)) continue;  // a UTF-8 system carries everything
        EXPECT_EQ(ErrorOf([&] { DownloadFile(name, "A"); }), CannotCreate(PathOf(name), ERROR_NO_UNICODE_TRANSLATION));
        ++refused;
    }
    if (GetACP() != CP_UTF8) {
        EXPECT_EQ(refused, 2);
    }
    EXPECT_TRUE(files.Requests().empty());
    EXPECT_TRUE(Listing().empty());
}

TEST_F(Download, HiddenTargetFailsBeforeAnythingIsSent) {
    WriteFile("hidden.dll", "old");
    const std::wstring path = Widen(PathOf("hidden.dll"));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    if (!(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN)) GTEST_SKIP() << "the file system keeps no hidden flag";
    EXPECT_EQ(ErrorOf([] { DownloadFile("hidden.dll", "A"); }), CannotCreate(PathOf("hidden.dll"), ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadFile("hidden.dll"), "old");
    EXPECT_TRUE(files.Requests().empty());
}

TEST_F(Download, ServerThatNeverAcceptsTimesOut) {
    // A listener whose queue is full: further connection attempts get no answer at all.
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener, 0);
    int length = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    std::vector<SOCKET> queued;
    for (int i = 0; i < 4; ++i) {
        SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        u_long nonBlocking = 1;
        ioctlsocket(s, FIONBIO, &nonBlocking);
        connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
        queued.push_back(s);
    }
    Sleep(200);

    Site site = window->site();
    site.filePort = ntohs(address.sin_port);
    window = std::make_unique<Tf_inst>(site, Tf_inst::StartUp::Skip);
    window->Timer1.SetEnabled(false);
    window->IdHTTP1.ConnectTimeout = 500;
    EXPECT_EQ(ErrorOf([] { DownloadFile("a", "A"); }),
              "Connecting to 127.0.0.1:" + std::to_string(site.filePort) + " timed out after 0.500 seconds.");
    for (SOCKET s : queued) closesocket(s);
    closesocket(listener);
}

TEST_F(Download, NoServerIsANetworkError) {
    Site site = window->site();
    window.reset();
    site.filePort = 1;  // nothing listens on port 1 of the loopback address
    window = std::make_unique<Tf_inst>(site, Tf_inst::StartUp::Skip);
    window->Timer1.SetEnabled(false);
    window->IdHTTP1.ConnectTimeout = 3000;
    EXPECT_THAT(ErrorOf([] { DownloadFile("a", "A"); }), ::testing::StartsWith("Cannot connect to 127.0.0.1:1: "));
    EXPECT_TRUE(Listing().empty());
}

}  // namespace
}  // namespace qel::testing
