#include "http/Exchange.h"

#include <algorithm>

#include "http/Errors.h"
#include "http/ReplyParser.h"
#include "http/ReplyPolicy.h"

namespace qel::http {

namespace {

class Receiver : public ReplyHandler {
public:
    Receiver(const std::function<void(const ReplyHead&)>& onHead, BodySink& sink, const ProgressEvents& progress)
        : onHead_(onHead), sink_(sink), progress_(progress) {}

    void OnHead(const ReplyHead& head) override {
        if (onHead_) onHead_(head);
        if (Judge(head) == Verdict::Refuse) throw ReplyRefused(head.statusLine, head.status);
    }

    void OnTransferBegin(std::int64_t expected) override {
        count_ = 0;
        if (progress_.begin) progress_.begin(static_cast<std::int32_t>(expected));
    }

    void OnData(const char* data, std::size_t size) override {
        sink_.Write(data, size);
        while (size > 0) {
            std::size_t step = std::min(size, kProgressBlock);
            size -= step;
            count_ += static_cast<std::int64_t>(step);
            if (progress_.work) progress_.work(static_cast<std::int32_t>(count_));
        }
    }

private:
    const std::function<void(const ReplyHead&)>& onHead_;
    BodySink& sink_;
    const ProgressEvents& progress_;
    std::int64_t count_ = 0;
};

}  // namespace

bool Exchange(Connection& connection, const std::string& request, std::vector<char>& buffer,
              const std::function<void(const ReplyHead&)>& onHead, BodySink& sink, const ProgressEvents& progress) {
    Receiver receiver(onHead, sink, progress);
    ReplyParser parser(receiver);
    connection.Send(request);
    bool leftover = false;
    while (!parser.Done()) {
        std::size_t n = connection.Receive(buffer.data(), buffer.size());
        if (n == 0) {
            parser.EndOfInput();
            return false;
        }
        leftover = parser.Feed(buffer.data(), n) < n;
    }
    // Bytes after the reply were not asked for: the connection cannot be trusted with another.
    return !leftover && parser.Framing() != BodyFraming::UntilClose && KeepsConnection(parser.Head());
}

}  // namespace qel::http
