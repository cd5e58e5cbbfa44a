#include "update/DosDateTime.h"

namespace qel::update {

DosDateTime ToDosDateTime(const DateTime& v) {
    if (v.year < 1980 || v.year > 2107) return {};
    DosDateTime dos;
    dos.date = static_cast<std::uint16_t>(((v.year - 1980) << 9) | ((v.month & 0x0F) << 5) | (v.day & 0x1F));
    dos.time = static_cast<std::uint16_t>(((v.hour & 0x1F) << 11) | ((v.minute & 0x3F) << 5) | ((v.second / 2) & 0x1F));
    return dos;
}

}  // namespace qel::update
