#pragma once
// One GET over an open connection: sends the request, reads the reply, refuses what the launcher
// does not take (ReplyRefused, before any of its body is read) and writes the body of an accepted
// reply to the sink, reporting its progress:
//  - at the start of each counted part (ReplyHandler::OnTransferBegin) `begin` gets its expected
//    size, 0 when not known;
//  - then, after each block of at most 32768 bytes, `work` gets the bytes received so far within
//    that part; the first block is what came in with the head.
// Counts travel as 32-bit numbers (the low 32 bits of larger ones).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "http/BodySink.h"
#include "http/Connection.h"
#include "http/ReplyHead.h"

namespace qel::http {

constexpr std::size_t kProgressBlock = 32768;

struct ProgressEvents {
    std::function<void(std::int32_t)> begin;
    std::function<void(std::int32_t)> work;
};

// Returns whether the connection can carry another request. `onHead` sees every head (also the
// refused and passed-over ones). `buffer` is the receive buffer; its size is the read size.
// Throws ReplyRefused, TransferError, and whatever the sink throws.
bool Exchange(Connection& connection, const std::string& request, std::vector<char>& buffer,
              const std::function<void(const ReplyHead&)>& onHead, BodySink& sink, const ProgressEvents& progress);

}  // namespace qel::http
