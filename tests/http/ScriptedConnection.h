#pragma once
// A connection whose incoming bytes are scripted piece by piece: each Receive hands out the next
// piece (at most the buffer's size of it), then 0 as if the server had closed. Records what is sent.
#include <deque>
#include <string>

#include "http/Connection.h"
#include "http/Errors.h"

namespace qel::http::testing {

class ScriptedConnection : public Connection {
public:
    std::deque<std::string> pieces;
    std::string sent;
    bool idle = true;
    bool stallAtEnd = false;  // silence instead of a close once the pieces are used up
    std::string* log = nullptr;  // also gets what is sent, and outlives the connection

    void Send(const std::string& bytes) override {
        sent += bytes;
        if (log) *log += bytes;
    }
    std::size_t Receive(char* buffer, std::size_t size) override {
        if (pieces.empty()) {
            if (stallAtEnd) throw TransferError("Read timed out");
            return 0;
        }
        std::string& piece = pieces.front();
        std::size_t n = std::min(size, piece.size());
        piece.copy(buffer, n);
        piece.erase(0, n);
        if (piece.empty()) pieces.pop_front();
        return n;
    }
    bool Idle() override { return idle; }
    void SetReadTimeout(int) override {}
};

}  // namespace qel::http::testing
