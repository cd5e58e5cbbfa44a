#include "http/ReplyHead.h"

#include <limits>

#include "http/Ascii.h"
#include "http/Errors.h"

namespace qel::http {

namespace {

// The comma-separated elements of a list-valued field, trimmed and lowered, empty ones dropped.
std::vector<std::string> Elements(const std::string& list) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        std::string item = AsciiLower(TrimBlanks(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (!item.empty()) out.push_back(item);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return out;
}

bool HasToken(const ReplyHead& head, const std::string& field, const std::string& token) {
    for (const std::string& value : head.Values(field))
        for (const std::string& item : Elements(value))
            if (item == token) return true;
    return false;
}

}  // namespace

std::vector<std::string> ReplyHead::Values(const std::string& name) const {
    std::vector<std::string> out;
    const std::string wanted = AsciiLower(name);
    for (const auto& [fieldName, value] : fields)
        if (AsciiLower(fieldName) == wanted) out.push_back(value);
    return out;
}

std::optional<std::string> ReplyHead::Joined(const std::string& name) const {
    std::vector<std::string> values = Values(name);
    if (values.empty()) return std::nullopt;
    std::string joined = values[0];
    for (std::size_t i = 1; i < values.size(); ++i) joined += ", " + values[i];
    return joined;
}

BodyPlan PlanBody(const ReplyHead& head) {
    if ((head.status >= 100 && head.status < 200) || head.status == 204 || head.status == 304) return {};
    if (auto codings = head.Joined("Transfer-Encoding")) {
        std::vector<std::string> items = Elements(*codings);
        if (!items.empty() && items.back() == "chunked") return {BodyFraming::Chunked, 0};
        return {BodyFraming::UntilClose, 0};
    }
    std::optional<std::int64_t> length;
    bool allNumbers = true;
    for (const std::string& value : head.Values("Content-Length")) {
        for (const std::string& item : Elements(value)) {
            if (item.find_first_not_of("0123456789") != std::string::npos) {
                allNumbers = false;
                continue;
            }
            std::int64_t n = 0;
            for (char c : item) {
                if (n > (std::numeric_limits<std::int64_t>::max() - 9) / 10)
                    throw TransferError("Invalid reply from the server: Content-Length too large");
                n = n * 10 + (c - '0');
            }
            if (length && *length != n) throw TransferError("Invalid reply from the server: conflicting Content-Length");
            length = n;
        }
    }
    if (length && allNumbers) return {BodyFraming::Length, *length};
    return {BodyFraming::UntilClose, 0};
}

bool KeepsConnection(const ReplyHead& head) {
    if (HasToken(head, "Connection", "close")) return false;
    if (head.versionMajor == 1 && head.versionMinor == 0) return HasToken(head, "Connection", "keep-alive");
    return head.versionMajor == 1;
}

}  // namespace qel::http
