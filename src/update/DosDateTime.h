#pragma once
// The DOS form of a date and time: two 16-bit words. Date: day in bits 0-4, month in 5-8, year
// minus 1980 in 9-15. Time: second / 2 (rounded down) in bits 0-4, minute in 5-10, hour in 11-15.
// It holds whole even seconds of the years 1980-2107 only. Nothing here throws.
#include <cstdint>

#include "update/DateTime.h"

namespace qel::update {

struct DosDateTime {
    std::uint16_t date = 0;
    std::uint16_t time = 0;

    friend bool operator==(const DosDateTime&, const DosDateTime&) = default;
};

// The DOS words of a valid value; the milliseconds are dropped. A year outside 1980-2107 gives
// both words 0, which is no valid DOS date.
DosDateTime ToDosDateTime(const DateTime& value);

}  // namespace qel::update
