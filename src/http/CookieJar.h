#pragma once
// The cookies that the server's replies set, kept for the run and sent back with the requests
// they apply to (RFC 6265: host-only and domain cookies, paths, Max-Age and Expires, Secure).
// Times are seconds since 1970-01-01 UTC, given by the caller.
#include <cstdint>
#include <string>
#include <vector>

namespace qel::http {

class CookieJar {
public:
    // Takes one "Set-Cookie" value from a reply to a request for host and path. A value that
    // cannot be a cookie, or one whose Domain does not cover the host, is ignored. An expired
    // cookie removes the one it replaces.
    void Store(const std::string& setCookie, const std::string& host, const std::string& path, std::int64_t now);
    // The "Cookie" header value for a request to host and path ("" when none applies):
    // "name=value" pairs joined by "; ", longer paths first, then older ones first.
    std::string HeaderFor(const std::string& host, const std::string& path, std::int64_t now) const;

    std::size_t Size() const { return cookies_.size(); }

private:
    struct Cookie {
        std::string name, value, domain, path;
        std::int64_t expiry = 0;
        std::int64_t creation = 0;
        std::uint64_t order = 0;  // tie-breaker for cookies created in the same second
        bool hostOnly = true;
        bool secureOnly = false;
    };
    std::vector<Cookie> cookies_;
    std::uint64_t nextOrder_ = 0;
};

// The rules the jar is built on, for tests.
bool DomainMatches(const std::string& host, const std::string& domain);
bool PathMatches(const std::string& requestPath, const std::string& cookiePath);
std::string DefaultCookiePath(const std::string& requestPath);

}  // namespace qel::http
