// Runs on a Chinese system (Wine started with a zh_CN locale: ANSI code page 936), as the
// launcher's users have it.
#include <winsock2.h>
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "net/DownloadFile.h"
#include "net/NetFixture.h"

namespace qel::testing {
namespace {

using ::testing::ElementsAre;

class DownloadOnChineseSystem : public NetFixture {};

TEST_F(DownloadOnChineseSystem, NameWithBlanksAndChineseGoesOutAsAnsiBytes) {
    ASSERT_EQ(GetACP(), 936u);
    const std::string name = " \xE6\x9B\xB4\xE6\x96\xB0 \xE7\xA8\x8B\xE5\xBA\x8F.dll";  // " 更新 程序.dll"
    files.Add(Reply::Bytes(Ok("data")));
    DownloadFile(name, "模块");
    // 更新 = B8 FC D0 C2, 程序 = B3 CC D0 F2; blanks as they are, nothing percent-encoded.
    EXPECT_THAT(files.Requests(), ElementsAre(Request("/ \xB8\xFC\xD0\xC2 \xB3\xCC\xD0\xF2.dll", files.Port())));
    EXPECT_EQ(ReadFile(name), "data");
    EXPECT_THAT(Listing(), ElementsAre(name));
    EXPECT_EQ(window->rsp1.Caption(), "加载 模块 模块");
}

}  // namespace
}  // namespace qel::testing
