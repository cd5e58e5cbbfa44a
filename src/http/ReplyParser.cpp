#include "http/ReplyParser.h"

#include <algorithm>
#include <cstring>

#include "http/Ascii.h"
#include "http/Errors.h"

namespace qel::http {

namespace {

constexpr std::size_t kMaxChunkLine = 4096;

[[noreturn]] void Invalid(const std::string& what) { throw TransferError("Invalid reply from the server: " + what); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }


int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool ReplyParser::TakeLine(const char*& p, const char* end, std::size_t limit) {
    const char* newline = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    const char* stop = newline ? newline + 1 : end;
    std::size_t n = static_cast<std::size_t>(stop - p);
    if (line_.size() + n > limit) Invalid(state_ == State::ChunkSize ? "chunk size line too long" : "head too large");
    line_.append(p, n);
    p = stop;
    if (!newline) return false;
    line_.pop_back();
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    return true;
}

std::size_t ReplyParser::Feed(const char* data, std::size_t size) {
    const char* p = data;
    const char* end = data + size;
    if (size) anyInput_ = true;
    while (p < end && state_ != State::Done) {
        switch (state_) {
        case State::StatusLine:
        case State::Fields: {
            const char* start = p;
            bool complete = TakeLine(p, end, kMaxHead - headBytes_);
            headBytes_ += static_cast<std::size_t>(p - start);
            if (!complete) break;
            if (state_ == State::StatusLine) OnStatusLine();
            else OnFieldLine();
            line_.clear();
            break;
        }
        case State::ChunkSize:
            if (TakeLine(p, end, kMaxChunkLine)) {
                OnChunkSizeLine();
                line_.clear();
            }
            break;
        case State::ChunkDataEnd:
            if (TakeLine(p, end, kMaxChunkLine)) {
                if (!line_.empty()) Invalid("chunk data longer than its size");
                state_ = State::ChunkSize;
            }
            break;
        case State::Trailer: {
            const char* start = p;
            bool complete = TakeLine(p, end, kMaxHead - headBytes_);
            headBytes_ += static_cast<std::size_t>(p - start);
            if (complete) {
                if (line_.empty()) state_ = State::Done;
                line_.clear();
            }
            break;
        }
        case State::LengthBody:
        case State::ChunkData:
        case State::UntilClose:
            Body(p, end);
            break;
        case State::Done:
            break;
        }
    }
    return static_cast<std::size_t>(p - data);
}

void ReplyParser::OnStatusLine() {
    if (line_.empty()) return;  // stray line ends before a reply are passed over
    const std::string& s = line_;
    bool ok = s.size() >= 12 && s.compare(0, 5, "HTTP/") == 0 && IsDigit(s[5]) && s[6] == '.' && IsDigit(s[7]) &&
              s[8] == ' ' && IsDigit(s[9]) && IsDigit(s[10]) && IsDigit(s[11]) && (s.size() == 12 || s[12] == ' ');
    if (!ok) Invalid("bad status line");
    head_ = ReplyHead{};
    head_.statusLine = s;
    head_.versionMajor = s[5] - '0';
    head_.versionMinor = s[7] - '0';
    head_.status = (s[9] - '0') * 100 + (s[10] - '0') * 10 + (s[11] - '0');
    state_ = State::Fields;
}

void ReplyParser::OnFieldLine() {
    if (line_.empty()) {
        OnHeadEnd();
        return;
    }
    if (line_[0] == ' ' || line_[0] == '\t') {  // continuation of the previous field
        if (head_.fields.empty()) Invalid("continuation line without a field");
        std::string more = TrimBlanks(line_);
        std::string& value = head_.fields.back().second;
        if (!more.empty()) value += value.empty() ? more : " " + more;
        return;
    }
    std::size_t colon = line_.find(':');
    if (colon == std::string::npos || colon == 0) Invalid("bad header line");
    std::string name = line_.substr(0, colon);
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 0x7F; }))
        Invalid("bad header name");
    head_.fields.emplace_back(name, TrimBlanks(line_.substr(colon + 1)));
}

void ReplyParser::OnHeadEnd() {
    handler_.OnHead(head_);
    plan_ = PlanBody(head_);
    if (head_.status >= 100 && head_.status < 200) {  // interim: another head follows
        state_ = State::StatusLine;
        return;
    }
    switch (plan_.framing) {
    case BodyFraming::None:
        state_ = State::Done;
        break;
    case BodyFraming::Length:
        remaining_ = plan_.length;
        if (remaining_ == 0) {
            state_ = State::Done;
        } else {
            handler_.OnTransferBegin(remaining_);
            state_ = State::LengthBody;
        }
        break;
    case BodyFraming::Chunked:
        state_ = State::ChunkSize;
        break;
    case BodyFraming::UntilClose:
        state_ = State::UntilClose;
        break;
    }
}

void ReplyParser::OnChunkSizeLine() {
    std::size_t i = 0;
    std::int64_t size = 0;
    while (i < line_.size() && HexValue(line_[i]) >= 0) {
        if (i >= 15) Invalid("chunk size too large");
        size = size * 16 + HexValue(line_[i]);
        ++i;
    }
    if (i == 0) Invalid("bad chunk size");
    while (i < line_.size() && (line_[i] == ' ' || line_[i] == '\t')) ++i;
    if (i < line_.size() && line_[i] != ';') Invalid("bad chunk size");
    if (size == 0) {
        state_ = State::Trailer;
        return;
    }
    remaining_ = size;
    handler_.OnTransferBegin(size);
    state_ = State::ChunkData;
}

void ReplyParser::Body(const char*& p, const char* end) {
    std::size_t available = static_cast<std::size_t>(end - p);
    if (state_ == State::UntilClose) {
        if (!untilCloseBegun_) {
            untilCloseBegun_ = true;
            handler_.OnTransferBegin(0);
        }
        const char* data = p;
        p = end;
        handler_.OnData(data, available);
        return;
    }
    std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(remaining_, static_cast<std::int64_t>(available)));
    const char* data = p;
    p += n;
    remaining_ -= static_cast<std::int64_t>(n);
    if (remaining_ == 0) state_ = state_ == State::LengthBody ? State::Done : State::ChunkDataEnd;
    handler_.OnData(data, n);
}

void ReplyParser::EndOfInput() {
    switch (state_) {
    case State::Done:
        return;
    case State::UntilClose:
        state_ = State::Done;
        return;
    case State::StatusLine:
        if (!anyInput_) throw TransferError("The server closed the connection without a reply.");
        [[fallthrough]];
    case State::Fields:
        throw TransferError("The server closed the connection before the end of the reply head.");
    case State::LengthBody:
        throw TransferError("The server closed the connection after " + std::to_string(plan_.length - remaining_) +
                            " of " + std::to_string(plan_.length) + " body bytes.");
    default:
        throw TransferError("The server closed the connection before the end of the chunked body.");
    }
}

}  // namespace qel::http
