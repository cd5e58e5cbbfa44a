// Feeds arbitrary bytes to the reply parser, whole and in pieces, and checks that both readings
// agree on every event and on the outcome.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "http/ReplyParser.h"

namespace {

class Recorder : public qel::http::ReplyHandler {
public:
    std::string log;
    void OnHead(const qel::http::ReplyHead& head) override {
        log += "H" + std::to_string(head.status) + "|" + head.statusLine + "|" + std::to_string(head.fields.size()) + "\n";
    }
    void OnTransferBegin(std::int64_t expected) override { log += "B" + std::to_string(expected) + "\n"; }
    void OnData(const char* data, std::size_t size) override { body.append(data, size); }
    std::string body;
};

std::string Read(const std::uint8_t* data, std::size_t size, std::size_t step) {
    Recorder recorder;
    qel::http::ReplyParser parser(recorder);
    std::string outcome;
    try {
        std::size_t used = 0;
        while (used < size && !parser.Done()) {
            std::size_t n = std::min(step, size - used);
            std::size_t taken = parser.Feed(reinterpret_cast<const char*>(data) + used, n);
            if (taken > n) std::abort();
            used += taken;
            if (taken < n && !parser.Done()) std::abort();  // only a finished reply leaves bytes over
        }
        if (!parser.Done()) parser.EndOfInput();
        outcome = "done " + std::to_string(used);
    } catch (const std::runtime_error& e) {
        outcome = std::string("error ") + e.what();
    }
    return recorder.log + "|" + recorder.body + "|" + outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::size_t step = data[0] % 7 + 1;
    std::string whole = Read(data + 1, size - 1, size);
    std::string pieces = Read(data + 1, size - 1, step);
    if (whole != pieces) std::abort();
    return 0;
}
