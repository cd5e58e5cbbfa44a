#include <gtest/gtest.h>

#include "http/Errors.h"
#include "http/Request.h"
#include "http/Url.h"

namespace qel::http {
namespace {

TEST(Url, MakeAndParse) {
    struct Case {
        std::string host;
        std::uint16_t port;
        std::string name, url, hostHeader, target;
    } cases[] = {
        {"10.1.2.3", 892, "qel.exe", "http://10.1.2.3:892/qel.exe", "10.1.2.3:892", "/qel.exe"},
        {"10.1.2.3", 80, "qel_start1.jpg", "http://10.1.2.3/qel_start1.jpg", "10.1.2.3", "/qel_start1.jpg"},
        // names go in unchanged: blanks, ANSI (GBK) bytes, "?", "#", "\" and case
        {"10.1.2.3", 892, "My Dir\\\xB8\xFC\xD0\xC2 a.DLL?x#y", "http://10.1.2.3:892/My Dir\\\xB8\xFC\xD0\xC2 a.DLL?x#y",
         "10.1.2.3:892", "/My Dir\\\xB8\xFC\xD0\xC2 a.DLL?x#y"},
        {"127.0.0.1", 50123, "", "http://127.0.0.1:50123/", "127.0.0.1:50123", "/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(MakeUrl(c.host, c.port, c.name), c.url);
        Url url = ParseUrl(c.url);
        EXPECT_EQ(url.host, c.host);
        EXPECT_EQ(url.port, c.port);
        EXPECT_EQ(url.target, c.target);
        EXPECT_EQ(HostHeader(url.host, url.port), c.hostHeader);
    }
    EXPECT_EQ(ParseUrl("HTTP://h").target, "/");
    for (const char* bad : {"https://h/x", "ftp://h/", "http://:80/x", "http://h:0/", "http://h:65536/", "http://h:8a/"})
        EXPECT_THROW(ParseUrl(bad), TransferError) << bad;
    EXPECT_EQ(PathOf("/a/b?c/d"), "/a/b");
}

TEST(Request, ExactBytes) {
    EXPECT_EQ(BuildGetRequest("/a b.dll", "10.1.2.3:892", ""),
              "GET /a b.dll HTTP/1.1\r\nHost: 10.1.2.3:892\r\nAccept: text/html, */*\r\n"
              "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n\r\n");
    EXPECT_EQ(BuildGetRequest("/p.jpg", "10.1.2.3", "a=1; b=2"),
              "GET /p.jpg HTTP/1.1\r\nHost: 10.1.2.3\r\nAccept: text/html, */*\r\n"
              "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\nCookie: a=1; b=2\r\n\r\n");
    // a line end in a name would smuggle headers of its own
    EXPECT_THROW(BuildGetRequest("/a\r\nX-Evil: 1", "h", ""), TransferError);
    EXPECT_THROW(BuildGetRequest("/a\n", "h", ""), TransferError);
    EXPECT_THROW(BuildGetRequest(std::string("/a\0b", 4), "h", ""), TransferError);
}

}  // namespace
}  // namespace qel::http
