#include "http/CookieJar.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "http/Ascii.h"
#include "http/CookieDate.h"

namespace qel::http {

namespace {

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kLongAgo = std::numeric_limits<std::int64_t>::min();



bool HasControl(const std::string& s) {
    return std::any_of(s.begin(), s.end(), [](char c) {
        unsigned char u = static_cast<unsigned char>(c);
        return (u < 0x20 && u != 0x09) || u == 0x7F;
    });
}

bool IsIpAddress(const std::string& host) {
    return !host.empty() && host.find_first_not_of("0123456789.") == std::string::npos;
}

std::optional<std::int64_t> ParseMaxAge(const std::string& value, std::int64_t now) {
    if (value.empty() || !(value[0] == '-' || (value[0] >= '0' && value[0] <= '9'))) return std::nullopt;
    if (value.find_first_not_of("0123456789", 1) != std::string::npos) return std::nullopt;
    if (value[0] == '-') return kLongAgo;
    std::int64_t seconds = 0;
    for (char c : value) {
        if (seconds > (kNever - 9) / 10) return kNever;
        seconds = seconds * 10 + (c - '0');
    }
    if (seconds == 0) return kLongAgo;
    return seconds > kNever - now ? kNever : now + seconds;
}

}  // namespace

bool DomainMatches(const std::string& host, const std::string& domain) {
    if (host == domain) return true;
    if (IsIpAddress(host) || domain.empty() || host.size() <= domain.size()) return false;
    return host.compare(host.size() - domain.size(), domain.size(), domain) == 0 &&
           host[host.size() - domain.size() - 1] == '.';
}

bool PathMatches(const std::string& requestPath, const std::string& cookiePath) {
    if (requestPath == cookiePath) return true;
    if (cookiePath.empty() || requestPath.compare(0, cookiePath.size(), cookiePath) != 0) return false;
    return cookiePath.back() == '/' || requestPath[cookiePath.size()] == '/';
}

std::string DefaultCookiePath(const std::string& requestPath) {
    if (requestPath.empty() || requestPath[0] != '/') return "/";
    std::size_t last = requestPath.rfind('/');
    return last == 0 ? "/" : requestPath.substr(0, last);
}

void CookieJar::Store(const std::string& setCookie, const std::string& rawHost, const std::string& path,
                      std::int64_t now) {
    const std::string host = AsciiLower(rawHost);
    std::size_t semicolon = setCookie.find(';');
    std::string pair = setCookie.substr(0, semicolon);
    std::size_t equals = pair.find('=');
    if (equals == std::string::npos) return;
    Cookie cookie;
    cookie.name = TrimBlanks(pair.substr(0, equals));
    cookie.value = TrimBlanks(pair.substr(equals + 1));
    if (cookie.name.empty() || HasControl(cookie.name) || HasControl(cookie.value)) return;

    std::optional<std::int64_t> maxAge, expires;
    std::optional<std::string> domain, cookiePath;
    while (semicolon != std::string::npos) {
        std::size_t next = setCookie.find(';', semicolon + 1);
        std::string attribute = setCookie.substr(semicolon + 1, next == std::string::npos ? std::string::npos : next - semicolon - 1);
        semicolon = next;
        std::size_t eq = attribute.find('=');
        std::string name = AsciiLower(TrimBlanks(attribute.substr(0, eq)));
        std::string value = eq == std::string::npos ? std::string() : TrimBlanks(attribute.substr(eq + 1));
        if (name == "expires") {
            if (auto t = ParseCookieDate(value)) expires = *t;
        } else if (name == "max-age") {
            if (auto t = ParseMaxAge(value, now)) maxAge = *t;
        } else if (name == "domain") {
            if (!value.empty()) domain = AsciiLower(value[0] == '.' ? value.substr(1) : value);
        } else if (name == "path") {
            cookiePath = value.empty() || value[0] != '/' ? DefaultCookiePath(path) : value;
        } else if (name == "secure") {
            cookie.secureOnly = true;
        }
    }

    cookie.expiry = maxAge ? *maxAge : expires ? *expires : kNever;
    if (domain && !domain->empty()) {
        if (!DomainMatches(host, *domain)) return;
        cookie.hostOnly = false;
        cookie.domain = *domain;
    } else {
        cookie.domain = host;
    }
    cookie.path = cookiePath ? *cookiePath : DefaultCookiePath(path);
    cookie.creation = now;
    cookie.order = nextOrder_++;

    auto same = std::find_if(cookies_.begin(), cookies_.end(), [&](const Cookie& c) {
        return c.name == cookie.name && c.domain == cookie.domain && c.path == cookie.path;
    });
    if (same != cookies_.end()) {
        cookie.creation = same->creation;
        cookie.order = same->order;
        cookies_.erase(same);
    }
    if (cookie.expiry > now) cookies_.push_back(cookie);
}

std::string CookieJar::HeaderFor(const std::string& rawHost, const std::string& path, std::int64_t now) const {
    const std::string host = AsciiLower(rawHost);
    std::vector<const Cookie*> matching;
    for (const Cookie& c : cookies_) {
        bool domainOk = c.hostOnly ? host == c.domain : DomainMatches(host, c.domain);
        // Requests go over plain HTTP, so Secure cookies are never sent.
        if (domainOk && PathMatches(path, c.path) && !c.secureOnly && c.expiry > now) matching.push_back(&c);
    }
    std::sort(matching.begin(), matching.end(), [](const Cookie* a, const Cookie* b) {
        if (a->path.size() != b->path.size()) return a->path.size() > b->path.size();
        if (a->creation != b->creation) return a->creation < b->creation;
        return a->order < b->order;
    });
    std::string header;
    for (const Cookie* c : matching) {
        if (!header.empty()) header += "; ";
        header += c->name + "=" + c->value;
    }
    return header;
}

}  // namespace qel::http
