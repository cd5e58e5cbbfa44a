#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "common/WinText.h"

namespace qel {
namespace {

TEST(ToCodePageExact, GivesTheCodePagesOwnBytesOrNothing) {
    struct Case { const char* utf8; unsigned codePage; std::optional<std::string> bytes; };
    const Case cases[] = {
        {"\xE6\x9B\xB4\xE6\x96\xB0", 936, "\xB8\xFC\xD0\xC2"},      // 更新
        {"a b.dll", 936, "a b.dll"},
        {"caf\xC3\xA9", 1252, "caf\xE9"},
        {"\xE6\x9B\xB4", 1252, std::nullopt},                        // no Chinese in 1252
        {"\xE0\xB8\x81", 936, std::nullopt},                         // no Thai in 936
        {"\xC4\x81", 1252, std::nullopt},                            // a-macron: no best-fit "a"
        {"", 936, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ToCodePageExact(c.utf8, c.codePage), c.bytes) << c.utf8 << " in " << c.codePage;
}

TEST(WidenAnyText, ReadsUtf8AndFallsBackToTheAnsiCodePage) {
    EXPECT_EQ(WidenAnyText("HTTP/1.1 404 \xE6\x89\xBE\xE4\xB8\x8D\xE5\x88\xB0"), L"HTTP/1.1 404 \u627E\u4E0D\u5230");
    // Not UTF-8: the bytes are read in the system's code page, as the system would show them.
    const std::string latin = "HTTP/1.1 404 Introuv\xE9";
    wchar_t expected[64] = {};
    int n = MultiByteToWideChar(CP_ACP, 0, latin.data(), static_cast<int>(latin.size()), expected, 64);
    EXPECT_EQ(WidenAnyText(latin), std::wstring(expected, static_cast<size_t>(n)));
    EXPECT_EQ(WidenAnyText(""), L"");
}

}  // namespace
}  // namespace qel
