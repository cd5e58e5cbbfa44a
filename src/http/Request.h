#pragma once
// The one request the client sends: a GET with exactly these lines, each ending in CR LF:
//   "GET " target " HTTP/1.1", "Host: ...", "Accept: text/html, */*",
//   "User-Agent: Mozilla/3.0 (compatible; Indy Library)", "Cookie: ..." (only when not empty),
//   and an empty line.
#include <string>

namespace qel::http {

// Throws TransferError when the target or a header value holds CR, LF or NUL (they would end
// the line early and let the rest pass for headers of its own).
std::string BuildGetRequest(const std::string& target, const std::string& host, const std::string& cookie);

}  // namespace qel::http
