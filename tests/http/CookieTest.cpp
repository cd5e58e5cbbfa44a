#include <gtest/gtest.h>

#include "http/CookieDate.h"
#include "http/CookieJar.h"

namespace qel::http {
namespace {

constexpr std::int64_t kNow = 1700000000;  // 2023-11-14 22:13:20 UTC

TEST(CookieDate, LenientFormats) {
    const std::int64_t t1994 = 784111777;  // Sun, 06 Nov 1994 08:49:37 GMT
    struct Case {
        const char* text;
        std::optional<std::int64_t> expected;
    } cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", t1994},
        {"Sunday, 06-Nov-94 08:49:37 GMT", t1994},
        {"Sun Nov  6 08:49:37 1994", t1994},
        {"6 nov 1994 8:49:37", t1994},
        {"Thu, 01 Jan 1970 00:00:00 GMT", 0},
        {"Tue, 29 Feb 2000 00:00:00 GMT", 951782400},
        {"Wed, 29 Feb 2023 00:00:00 GMT", std::nullopt},  // no such day
        {"Sun, 06 Nov 1994 24:00:00 GMT", std::nullopt},
        {"Sun, 06 Nov 1600 08:49:37 GMT", std::nullopt},
        {"Sun, 32 Nov 1994 08:49:37 GMT", std::nullopt},
        {"06 Nov 1994", std::nullopt},  // no time
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseCookieDate(c.text), c.expected) << c.text;
    EXPECT_EQ(DaysFromCivil(1969, 12, 31), -1);
}

TEST(CookieRules, DomainAndPathMatching) {
    EXPECT_TRUE(DomainMatches("www.example.com", "example.com"));
    EXPECT_TRUE(DomainMatches("example.com", "example.com"));
    EXPECT_FALSE(DomainMatches("badexample.com", "example.com"));
    EXPECT_FALSE(DomainMatches("10.1.2.3", "2.3"));  // addresses match only themselves
    EXPECT_TRUE(PathMatches("/a/b", "/a"));
    EXPECT_TRUE(PathMatches("/a/b", "/a/"));
    EXPECT_TRUE(PathMatches("/a", "/a"));
    EXPECT_FALSE(PathMatches("/ab", "/a"));
    EXPECT_FALSE(PathMatches("/", "/a"));
    EXPECT_EQ(DefaultCookiePath("/a/b/c.dll"), "/a/b");
    EXPECT_EQ(DefaultCookiePath("/c.dll"), "/");
    EXPECT_EQ(DefaultCookiePath(""), "/");
}

struct JarCase {
    const char* what;
    std::vector<std::string> setCookies;  // from a reply to host 10.1.2.3, path /dir/file
    std::string host, path;
    std::int64_t at;
    std::string expected;
};

TEST(CookieJar, StoresAndSendsBack) {
    const JarCase cases[] = {
        {"plain", {"a=1"}, "10.1.2.3", "/dir/x", kNow, "a=1"},
        {"any port: cookies do not depend on it", {"a=1"}, "10.1.2.3", "/dir/y", kNow + 5, "a=1"},
        {"default path is the request's folder", {"a=1"}, "10.1.2.3", "/other", kNow, ""},
        {"host-only", {"a=1"}, "10.1.2.4", "/dir/x", kNow, ""},
        {"explicit path", {"a=1; Path=/"}, "10.1.2.3", "/other", kNow, "a=1"},
        {"relative path falls back to the default", {"a=1; Path=x"}, "10.1.2.3", "/other", kNow, ""},
        {"domain not covering the host is refused", {"a=1; Domain=10.1.2.4"}, "10.1.2.3", "/dir/x", kNow, ""},
        {"domain equal to the address", {"a=1; Domain=10.1.2.3"}, "10.1.2.3", "/dir/x", kNow, "a=1"},
        {"secure never goes over http", {"a=1; Secure"}, "10.1.2.3", "/dir/x", kNow, ""},
        {"max-age", {"a=1; Max-Age=10"}, "10.1.2.3", "/dir/x", kNow + 9, "a=1"},
        {"max-age run out", {"a=1; Max-Age=10"}, "10.1.2.3", "/dir/x", kNow + 10, ""},
        {"max-age wins over expires", {"a=1; Expires=Thu, 01 Jan 1970 00:00:00 GMT; Max-Age=100"}, "10.1.2.3", "/dir/x", kNow, "a=1"},
        {"expires in the past", {"a=1; Expires=Thu, 01 Jan 1970 00:00:00 GMT"}, "10.1.2.3", "/dir/x", kNow, ""},
        {"bad max-age ignored", {"a=1; Max-Age=1x"}, "10.1.2.3", "/dir/x", kNow + 99999, "a=1"},
        {"replaced by name, domain and path", {"a=1", "a=2"}, "10.1.2.3", "/dir/x", kNow, "a=2"},
        {"removed by an expired copy", {"a=1", "b=2", "a=; Max-Age=0"}, "10.1.2.3", "/dir/x", kNow, "b=2"},
        {"longer path first", {"a=1; Path=/", "b=2; Path=/dir"}, "10.1.2.3", "/dir/x", kNow, "b=2; a=1"},
        {"same path: older first", {"b=2", "a=1"}, "10.1.2.3", "/dir/x", kNow, "b=2; a=1"},
        {"no '=': not a cookie", {"junk", "=v", "a=1"}, "10.1.2.3", "/dir/x", kNow, "a=1"},
        {"blanks trimmed, value may hold '='", {"  a =  x=y ; path=/"}, "10.1.2.3", "/", kNow, "a=x=y"},
        {"control characters refused", {"a=1\r2", "b=2"}, "10.1.2.3", "/dir/x", kNow, "b=2"},
        {"host case ignored", {"a=1"}, "10.1.2.3", "/dir/x", kNow, "a=1"},
    };
    for (const JarCase& c : cases) {
        SCOPED_TRACE(c.what);
        CookieJar jar;
        for (const std::string& s : c.setCookies) jar.Store(s, "10.1.2.3", "/dir/file", kNow);
        EXPECT_EQ(jar.HeaderFor(c.host, c.path, c.at), c.expected);
    }
}

TEST(CookieJar, DomainCookieCoversSubdomains) {
    CookieJar jar;
    jar.Store("a=1; Domain=.Example.com; Path=/", "www.example.com", "/", kNow);
    jar.Store("b=2; Domain=other.com", "www.example.com", "/", kNow);
    EXPECT_EQ(jar.HeaderFor("img.example.com", "/p", kNow), "a=1");
    EXPECT_EQ(jar.HeaderFor("example.com", "/p", kNow), "a=1");
    EXPECT_EQ(jar.HeaderFor("other.com", "/p", kNow), "");
    EXPECT_EQ(jar.Size(), 1u);
}

}  // namespace
}  // namespace qel::http
