#include <gtest/gtest.h>

#include "update/DosDateTime.h"

namespace qel::update {
namespace {

TEST(ToDosDateTime, PacksEvenSecondsOfTheYears1980To2107) {
    struct Case { DateTime value; std::uint16_t date; std::uint16_t time; };
    const Case cases[] = {
        {{2008, 5, 12, 13, 45, 59, 999}, (28 << 9) | (5 << 5) | 12, (13 << 11) | (45 << 5) | 29},  // odd second down
        {{2008, 5, 12, 13, 45, 58, 0}, (28 << 9) | (5 << 5) | 12, (13 << 11) | (45 << 5) | 29},
        {{1980, 1, 1, 0, 0, 0, 0}, (1 << 5) | 1, 0},
        {{1980, 1, 1, 0, 0, 1, 0}, (1 << 5) | 1, 0},
        {{2107, 12, 31, 23, 59, 59, 0}, (127 << 9) | (12 << 5) | 31, (23 << 11) | (59 << 5) | 29},
        {{1979, 12, 31, 23, 59, 59, 0}, 0, 0},
        {{2108, 1, 1, 0, 0, 0, 0}, 0, 0},
        {{1, 1, 1, 0, 0, 0, 0}, 0, 0},
        {{9999, 12, 31, 23, 59, 59, 999}, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToDosDateTime(c.value), (DosDateTime{c.date, c.time}))
            << c.value.year << "-" << c.value.month << "-" << c.value.day << " " << c.value.second;
    }
}

}  // namespace
}  // namespace qel::update
