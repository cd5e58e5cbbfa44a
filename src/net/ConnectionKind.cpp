#include "net/ConnectionKind.h"

namespace qel {

std::int32_t ConnectionKindAfter(bool connected, std::uint32_t flags, std::int32_t current) {
    if (!connected) return current;
    std::int32_t kind = current;
    if (flags & 1u) kind = 1;  // INTERNET_CONNECTION_MODEM
    if (flags & 2u) kind = 2;  // INTERNET_CONNECTION_LAN
    if (flags & 4u) kind = 3;  // INTERNET_CONNECTION_PROXY
    if (flags & 8u) kind = 0;  // INTERNET_CONNECTION_MODEM_BUSY
    return kind;
}

}  // namespace qel
