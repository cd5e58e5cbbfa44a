#include <gtest/gtest.h>

#include <windows.h>

#include "common/WinText.h"
#include "update/FileVersion.h"
#include "support/TestSupport.h"

namespace qel::update {
namespace {

using qel::testing::ScratchFolder;
using qel::testing::WindowsPath;

const std::string kVersion10 = WindowsPath(QEL_FIXTURE_VERSION_10);   // 10.0.65535.1
const std::string kVersion1 = WindowsPath(QEL_FIXTURE_VERSION_1);     // 1.0.0.0
const std::string kNoVersion = WindowsPath(QEL_FIXTURE_NO_VERSION);   // a DLL without the resource

TEST(GetFileVersionNumbers, ReadsTheFileVersionWordsOrGivesFalse) {
    ScratchFolder scratch;
    const std::string chineseCopy = scratch.Path() + "\\组件 版本.dll";
    ASSERT_TRUE(CopyFileW(Widen(kVersion10).c_str(), Widen(chineseCopy).c_str(), FALSE));
    const std::string textFile = scratch.AddFile("readme.txt", "not a program");

    struct Case { std::string path; bool found; std::uint16_t major, minor, release, build; };
    const Case cases[] = {
        {kVersion10, true, 10, 0, 65535, 1},
        {chineseCopy, true, 10, 0, 65535, 1},
        {kVersion1, true, 1, 0, 0, 0},
        {kNoVersion, false, 0, 0, 0, 0},
        {textFile, false, 0, 0, 0, 0},
        {scratch.Path() + "\\missing.dll", false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        std::uint16_t major = 7, minor = 7, release = 7, build = 7;
        ASSERT_EQ(GetFileVersionNumbers(c.path, major, minor, release, build), c.found) << c.path;
        if (!c.found) continue;
        EXPECT_EQ(major, c.major) << c.path;
        EXPECT_EQ(minor, c.minor) << c.path;
        EXPECT_EQ(release, c.release) << c.path;
        EXPECT_EQ(build, c.build) << c.path;
    }
}

TEST(FileVersionEquals, ComparesTheVersionTextExactly) {
    ScratchFolder scratch;
    const std::string missing = scratch.Path() + "\\missing.dll";
    struct Case { std::string path; const char* text; bool equal; };
    const Case cases[] = {
        {kVersion10, "10.0.65535.1", true},
        {kVersion10, "10.0.65535.1 ", false},
        {kVersion10, " 10.0.65535.1", false},
        {kVersion10, "10.0.65535", false},
        {kVersion10, "010.0.65535.1", false},
        {kVersion10, "9.8.7.6", false},      // the product version does not count
        {kVersion10, "3.3.3.3", false},      // nor the version string
        {kVersion10, "", false},
        {kVersion1, "1.0.0.0", true},
        {kVersion1, "1.0.0", false},
        {kVersion1, "01.0.0.0", false},
        {kNoVersion, "", true},
        {kNoVersion, "1.0.0.0", false},
        {kNoVersion, " ", false},
        {missing, "", true},
        {missing, "1.0.0.0", false},
    };
    for (const auto& c : cases) EXPECT_EQ(FileVersionEquals(c.path, c.text), c.equal) << c.path << " '" << c.text << "'";
}

}  // namespace
}  // namespace qel::update
