#include <gtest/gtest.h>

#include "ui/Scaling.h"

namespace qel::ui {
namespace {

TEST(Scaling, FollowsTheTextHeightOfTheDensity) {
    struct Case { int value, dpi, expected; };
    const Case cases[] = {
        {601, 96, 601}, {362, 96, 362}, {19, 96, 19},
        {601, 120, 740},  // text height 16: 601 * 16 / 13 = 739.7
        {601, 144, 925},  // text height 20 (19.5 rounded): 601 * 20 / 13 = 924.6
        {19, 192, 38},    // text height 26: exactly double
    };
    for (const auto& c : cases) EXPECT_EQ(ScaleForDpi(c.value, c.dpi), c.expected) << c.value << "@" << c.dpi;
}

}  // namespace
}  // namespace qel::ui
