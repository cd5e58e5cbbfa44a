#pragma once
// The URLs of the update server and how a request reaches it. Names are carried byte for byte:
// no percent-encoding, no trimming, no change of case.
#include <cstdint>
#include <string>

namespace qel::http {

struct Url {
    std::string host;
    std::uint16_t port = 80;
    std::string target;  // "/" and everything after the authority, unchanged
};

// "http://" + host + (":" + port unless 80) + "/" + name.
std::string MakeUrl(const std::string& host, std::uint16_t port, const std::string& name);
// Splits an "http://host[:port][/rest]" URL. Throws TransferError for anything else.
Url ParseUrl(const std::string& url);
// The "Host" header value: the host, with ":" + port unless the port is 80.
std::string HostHeader(const std::string& host, std::uint16_t port);
// The path of a request target, for cookie matching: the target up to a "?".
std::string PathOf(const std::string& target);

}  // namespace qel::http
