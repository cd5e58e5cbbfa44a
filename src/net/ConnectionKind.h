#pragma once
// What the system's connection state means for ConnectionKind (0 none, 1 modem, 2 local network,
// 3 proxy). On a yes answer the flags are tested in the order modem (1), LAN (2), proxy (4),
// modem busy (8), each set flag writing its value (1, 2, 3, 0) over the one before; other bits
// are ignored. A no answer, or a yes without any of the four flags, keeps the current value.
#include <cstdint>

namespace qel {

std::int32_t ConnectionKindAfter(bool connected, std::uint32_t flags, std::int32_t current);

}  // namespace qel
