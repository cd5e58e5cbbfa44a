#include "http/Url.h"

#include "http/Ascii.h"
#include "http/Errors.h"

namespace qel::http {

namespace {
bool StartsWithNoCase(const std::string& s, const std::string& lowerPrefix) {
    return AsciiLower(s.substr(0, lowerPrefix.size())) == lowerPrefix;
}
}  // namespace

std::string MakeUrl(const std::string& host, std::uint16_t port, const std::string& name) {
    return "http://" + HostHeader(host, port) + "/" + name;
}

Url ParseUrl(const std::string& url) {
    const std::string scheme = "http://";
    if (!StartsWithNoCase(url, "http://")) throw TransferError("Unsupported URL: " + url);
    std::size_t slash = url.find('/', scheme.size());
    std::string authority = url.substr(scheme.size(), slash == std::string::npos ? std::string::npos : slash - scheme.size());
    Url result;
    result.target = slash == std::string::npos ? "/" : url.substr(slash);
    std::size_t colon = authority.rfind(':');
    result.host = authority.substr(0, colon);
    if (colon != std::string::npos) {
        std::string digits = authority.substr(colon + 1);
        unsigned long port = 0;
        bool ok = !digits.empty() && digits.size() <= 5;
        for (char c : digits) {
            if (c < '0' || c > '9') ok = false;
            else port = port * 10 + static_cast<unsigned long>(c - '0');
        }
        if (!ok || port == 0 || port > 65535) throw TransferError("Invalid port in URL: " + url);
        result.port = static_cast<std::uint16_t>(port);
    }
    if (result.host.empty()) throw TransferError("No host in URL: " + url);
    return result;
}

std::string HostHeader(const std::string& host, std::uint16_t port) {
    return port == 80 ? host : host + ":" + std::to_string(port);
}

std::string PathOf(const std::string& target) { return target.substr(0, target.find('?')); }

}  // namespace qel::http
