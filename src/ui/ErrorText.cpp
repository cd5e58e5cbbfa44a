#include "ui/ErrorText.h"

namespace qel::ui {

std::string WithFullStop(const std::string& message) {
    if (message.empty()) return message;
    auto last = static_cast<unsigned char>(message.back());
    // A UTF-8 sequence ends in a byte >= 0x80: a character beyond ASCII, which sorts after ".".
    if (last >= 0x80 || last > '.') return message + ".";
    return message;
}

}  // namespace qel::ui
