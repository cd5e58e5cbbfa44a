#include "http/Request.h"

#include "http/Errors.h"

namespace qel::http {

namespace {
void CheckLineSafe(const std::string& text) {
    if (text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        throw TransferError("Invalid character in request: " + text);
}
}  // namespace

std::string BuildGetRequest(const std::string& target, const std::string& host, const std::string& cookie) {
    CheckLineSafe(target);
    CheckLineSafe(host);
    CheckLineSafe(cookie);
    std::string request = "GET " + target + " HTTP/1.1\r\n";
    request += "Host: " + host + "\r\n";
    request += "Accept: text/html, */*\r\n";
    request += "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n";
    if (!cookie.empty()) request += "Cookie: " + cookie + "\r\n";
    request += "\r\n";
    return request;
}

}  // namespace qel::http
