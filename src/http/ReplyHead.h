#pragma once
// The status line and header fields of one HTTP reply, and what they say about its body and
// its connection.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qel::http {

struct ReplyHead {
    std::string statusLine;  // exactly as received, without its line end
    int versionMajor = 1;
    int versionMinor = 1;
    int status = 0;
    std::vector<std::pair<std::string, std::string>> fields;  // name as received, value trimmed

    // Values of every field of that name (compared without regard to case), in order.
    std::vector<std::string> Values(const std::string& name) const;
    // The values of every field of that name joined by ", ", or nothing when there is none.
    std::optional<std::string> Joined(const std::string& name) const;
};

enum class BodyFraming { None, Length, Chunked, UntilClose };

struct BodyPlan {
    BodyFraming framing = BodyFraming::None;
    std::int64_t length = 0;  // for BodyFraming::Length
};

// How the body of a reply to a GET is delimited: none for 1xx, 204 and 304; chunked when the last
// transfer coding is "chunked"; else "Content-Length" when it holds a number; else until the
// server closes. Throws TransferError for conflicting or oversized "Content-Length" values.
BodyPlan PlanBody(const ReplyHead& head);
// Whether the connection may carry another request after this reply: HTTP/1.1 unless
// "Connection" says "close"; HTTP/1.0 only when it says "keep-alive".
bool KeepsConnection(const ReplyHead& head);

}  // namespace qel::http
