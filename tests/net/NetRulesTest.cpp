#include <gtest/gtest.h>

#include "net/ConnectionKind.h"
#include "net/InstallName.h"

namespace qel {
namespace {

TEST(ConnectionKind, LastSetFlagDecides) {
    struct Case {
        bool connected;
        std::uint32_t flags;
        std::int32_t before, after;
    } cases[] = {
        {false, 2, 0, 0},   // no answer: flags not looked at
        {false, 2, 3, 3},   // ... and the earlier value survives
        {true, 1, 0, 1},    {true, 2, 0, 2},    {true, 4, 0, 3},    {true, 8, 2, 0},
        {true, 6, 0, 3},    // LAN and proxy
        {true, 3, 0, 2},    // modem and LAN
        {true, 10, 0, 0},   // LAN but modem busy
        {true, 18, 0, 2},   // Wine's LAN | configured
        {true, 16, 0, 0},   {true, 32, 1, 1},   {true, 64, 0, 0},  // bits outside the four: unchanged
        {true, 0xFFFFFFF7u, 0, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConnectionKindAfter(c.connected, c.flags, c.before), c.after) << c.connected << " " << c.flags;
}

TEST(InstallName, StaysInsideTheInstallFolder) {
    struct Case {
        const char* name;
        bool safe;
    } cases[] = {
        {"qel.exe", true},
        {"my file \xE6\x9B\xB4\xE6\x96\xB0.dll", true},
        {"sub\\dir/a.dll", true},
        {"./a.dll", true},
        {"a..b.dll", true},
        {"console.dll", true},
        {"com10", true},
        {"", false},
        {"..\\evil.dll", false},
        {"sub\\..\\..\\evil.dll", false},
        {"../evil.dll", false},
        {"sub/..", false},
        {".. \\evil.dll", false},  // Windows drops the trailing blank
        {"...\\evil.dll", false},
        {"\\windows\\evil.dll", false},
        {"/etc/evil", false},
        {"c:\\evil.dll", false},
        {"c:evil.dll", false},
        {"a.dll:stream", false},
        {"a\r\nb.dll", false},
        {"CON", false},
        {"sub\\nul.txt", false},
        {"Com1.dll", false},
        {"lpt9", false},
        {"aux .log", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsSafeInstallName(c.name), c.safe) << c.name;
}

}  // namespace
}  // namespace qel
