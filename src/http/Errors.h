#pragma once
// The errors of an HTTP transfer. Their messages are what the user sees.
#include <stdexcept>
#include <string>

namespace qel::http {

// The transfer could not be carried out: no connection, a broken or stalled connection, a reply
// that is not HTTP or that ends too early.
class TransferError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The server's reply was refused; the message is its status line exactly as received.
class ReplyRefused : public std::runtime_error {
public:
    ReplyRefused(const std::string& statusLine, int status) : std::runtime_error(statusLine), status_(status) {}
    int Status() const { return status_; }

private:
    int status_;
};

}  // namespace qel::http
