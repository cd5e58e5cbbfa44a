#include <gtest/gtest.h>

#include "update/VersionText.h"

namespace qel::update {
namespace {

TEST(VersionText, JoinsTheFourNumbersWithoutPadding) {
    EXPECT_EQ(VersionText(1, 0, 12, 305), "1.0.12.305");
    EXPECT_EQ(VersionText(10, 0, 65535, 1), "10.0.65535.1");
    EXPECT_EQ(VersionText(0, 0, 0, 0), "0.0.0.0");
    EXPECT_EQ(VersionText(65535, 65535, 65535, 65535), "65535.65535.65535.65535");
}

}  // namespace
}  // namespace qel::update
