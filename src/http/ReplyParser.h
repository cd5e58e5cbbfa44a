#pragma once
// Reads one HTTP reply from the bytes of a connection, fed in pieces as they arrive: interim
// (1xx) heads, the final head and its body (by length, chunked, or until the server closes).
// Lines may end in CR LF or LF alone. Throws TransferError for a reply that is not HTTP, a head
// larger than 64 KiB, a malformed chunk, and a connection closed before the reply is complete;
// errors thrown by the handler pass through.
#include <cstddef>
#include <cstdint>
#include <string>

#include "http/ReplyHead.h"

namespace qel::http {

class ReplyHandler {
public:
    virtual ~ReplyHandler() = default;
    // Every head, interim ones included; a 1xx head is followed by another head.
    virtual void OnHead(const ReplyHead& head) = 0;
    // A counted part of the body begins: the whole body when its length is known, each chunk of
    // a chunked body, or the body read until the server closes (expected 0). Never for 0 bytes.
    virtual void OnTransferBegin(std::int64_t expected) = 0;
    virtual void OnData(const char* data, std::size_t size) = 0;
};

class ReplyParser {
public:
    static constexpr std::size_t kMaxHead = 64 * 1024;

    explicit ReplyParser(ReplyHandler& handler) : handler_(handler) {}

    // Takes bytes; returns how many belong to the reply (fewer than size only once it is done).
    std::size_t Feed(const char* data, std::size_t size);
    // The server closed the connection: ends a body read until close, or throws.
    void EndOfInput();
    bool Done() const { return state_ == State::Done; }
    // The last head read.
    const ReplyHead& Head() const { return head_; }
    BodyFraming Framing() const { return plan_.framing; }

private:
    enum class State { StatusLine, Fields, LengthBody, ChunkSize, ChunkData, ChunkDataEnd, Trailer, UntilClose, Done };

    bool TakeLine(const char*& p, const char* end, std::size_t limit);
    void OnStatusLine();
    void OnFieldLine();
    void OnHeadEnd();
    void OnChunkSizeLine();
    void Body(const char*& p, const char* end);

    ReplyHandler& handler_;
    State state_ = State::StatusLine;
    std::string line_;
    std::size_t headBytes_ = 0;
    bool anyInput_ = false;
    bool untilCloseBegun_ = false;
    ReplyHead head_;
    BodyPlan plan_;
    std::int64_t remaining_ = 0;
};

}  // namespace qel::http
