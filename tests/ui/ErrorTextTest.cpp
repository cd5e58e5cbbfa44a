#include <gtest/gtest.h>

#include "ui/ErrorText.h"

namespace qel::ui {
namespace {

TEST(WithFullStop, FollowsTheFullStopRule) {
    struct Case { const char* message; const char* shown; };
    const Case cases[] = {
        {"", ""},
        {"Disk full", "Disk full."},
        {"Done.", "Done."},
        {"trailing blank ", "trailing blank "},
        {"Stop!", "Stop!"},
        {"a, b,", "a, b,"},
        {"dash -", "dash -"},
        {"line\n", "line\n"},
        {"HTTP/1.1 404 Not Found", "HTTP/1.1 404 Not Found."},
        {"under_", "under_."},  // '_' sorts after '.'
        {"slash/", "slash/."},
        {"未能建立文件夹c:\\qel.请可手工建立.", "未能建立文件夹c:\\qel.请可手工建立."},
        {"日期修改操作失败", "日期修改操作失败."},
        {"结束。", "结束。."},   // a Chinese full stop still gets "."
    };
    for (const auto& c : cases) EXPECT_EQ(WithFullStop(c.message), c.shown) << c.message;
}

}  // namespace
}  // namespace qel::ui
