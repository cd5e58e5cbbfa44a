#include <gtest/gtest.h>

#include <windows.h>

#include "common/WinText.h"
#include "host/DateSettings.h"
#include "update/DateTimeText.h"
#include "update/FileTimes.h"
#include "support/TestSupport.h"

namespace qel::update {
namespace {

using qel::testing::HelperProcess;
using qel::testing::MessageBoxWatcher;
using qel::testing::ScratchFolder;
using qel::testing::SeenBox;
using qel::testing::WindowsPath;

struct Times {
    DateTime creation, access, write;
};

HANDLE OpenForAttributes(const std::string& path, DWORD access) {
    return CreateFileW(Widen(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

Times LocalTimesOf(const std::string& path) {
    HANDLE file = OpenForAttributes(path, FILE_READ_ATTRIBUTES);
    FILETIME c{}, a{}, w{};
    EXPECT_TRUE(GetFileTime(file, &c, &a, &w)) << path;
    CloseHandle(file);
    return {FileTimeToLocalDateTime(c), FileTimeToLocalDateTime(a), FileTimeToLocalDateTime(w)};
}

// The value's fields as a file time, in whatever zone the value is meant.
FILETIME FileTimeOfFields(const DateTime& v) {
    SYSTEMTIME fields{};
    fields.wYear = static_cast<WORD>(v.year);
    fields.wMonth = static_cast<WORD>(v.month);
    fields.wDay = static_cast<WORD>(v.day);
    fields.wHour = static_cast<WORD>(v.hour);
    fields.wMinute = static_cast<WORD>(v.minute);
    fields.wSecond = static_cast<WORD>(v.second);
    fields.wMilliseconds = static_cast<WORD>(v.millisecond);
    FILETIME time{};
    SystemTimeToFileTime(&fields, &time);
    return time;
}

FILETIME UtcOfLocal(const DateTime& v) {
    const FILETIME local = FileTimeOfFields(v);
    FILETIME utc{};
    LocalFileTimeToFileTime(&local, &utc);
    return utc;
}

std::uint64_t Ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::uint64_t WriteTimeUtc(const std::string& path) {
    HANDLE file = OpenForAttributes(path, FILE_READ_ATTRIBUTES);
    FILETIME written{};
    GetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    return Ticks(written);
}

// A local time as UTC, worked out from the zone's present bias (local + bias = UTC).
std::uint64_t UtcAtCurrentOffset(const DateTime& v) {
    TIME_ZONE_INFORMATION zone{};
    const DWORD state = GetTimeZoneInformation(&zone);
    const LONG bias = zone.Bias + (state == TIME_ZONE_ID_DAYLIGHT ? zone.DaylightBias : zone.StandardBias);
    return Ticks(FileTimeOfFields(v)) + static_cast<std::int64_t>(bias) * 60 * 10000000;
}

void SetLocalTimes(const std::string& path, const DateTime& value) {
    HANDLE file = OpenForAttributes(path, FILE_WRITE_ATTRIBUTES);
    const FILETIME utc = UtcOfLocal(value);
    ASSERT_TRUE(SetFileTime(file, &utc, &utc, &utc)) << path;
    CloseHandle(file);
}

void ExpectAllTimes(const std::string& path, const DateTime& expected, const std::string& context) {
    const Times times = LocalTimesOf(path);
    EXPECT_EQ(times.creation, expected) << context << ": creation";
    EXPECT_EQ(times.access, expected) << context << ": last access";
    EXPECT_EQ(times.write, expected) << context << ": last write";
}

class FileTimesTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = host::CurrentDateSettings();
        host::SetCurrentDateSettings(host::MakeDateSettings("yyyy-MM-dd", "-", ":", "."));
    }
    void TearDown() override { host::SetCurrentDateSettings(saved_); }

    ScratchFolder scratch_;
    host::DateSettings saved_;
};

TEST_F(FileTimesTest, StampingSetsAllThreeTimesToTheEvenSecondBelow) {
    struct Case { const char* text; DateTime local; };
    const Case cases[] = {
        {"2008-05-12 13:45:59", {2008, 5, 12, 13, 45, 58, 0}},
        {"2008-05-12", {2008, 5, 12, 0, 0, 0, 0}},
        {"2008-05-12 13:45:00.250", {2008, 5, 12, 13, 45, 0, 0}},
        {"1980-01-01 00:00:01", {1980, 1, 1, 0, 0, 0, 0}},
        {"2107-12-31 23:59:59.999", {2107, 12, 31, 23, 59, 58, 0}},
    };
    MessageBoxWatcher boxes;
    for (const auto& c : cases) {
        const std::string path = scratch_.AddFile("stamp.dll");
        SetFileTimesFromText(path, c.text);
        ExpectAllTimes(path, c.local, c.text);
        EXPECT_EQ(GetFileWriteTimeText(path), FormatTimeText(c.local)) << c.text;
    }
    EXPECT_TRUE(boxes.Seen().empty());

    // The update pass compares the first 16 characters: a stamped file then counts as current.
    const std::string path = scratch_.AddFile("current.dll");
    SetFileTimesFromText(path, "2008-05-12 13:45:59");
    EXPECT_EQ(GetFileWriteTimeText(path), "2008-05-12 13:45:58");
    // Stored in UTC with the offset in force now (the tests run at UTC+8), so a reader under
    // another offset sees the time shifted by the difference.
    EXPECT_EQ(WriteTimeUtc(path), UtcAtCurrentOffset(DateTime{2008, 5, 12, 13, 45, 58, 0}));
    EXPECT_EQ(GetFileWriteTimeText(path).substr(0, 16), FormatTimeText(ParseDateTimeText("2008-05-12 13:45:59")).substr(0, 16));
}

TEST_F(FileTimesTest, YearsOutsideTheDosRangeLeaveTheTimesAloneWithoutABox) {
    const DateTime before{2010, 6, 15, 8, 30, 0, 0};
    MessageBoxWatcher boxes;
    for (const char* text : {"1979-12-31 23:59:59", "2108-01-01 00:00:00", "0001-01-01"}) {
        const std::string path = scratch_.AddFile("old.dll");
        SetLocalTimes(path, before);
        SetFileTimesFromText(path, text);
        ExpectAllTimes(path, before, text);
        // The file was closed again: it opens without sharing.
        HANDLE again = CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(again, INVALID_HANDLE_VALUE) << text;
        CloseHandle(again);
    }
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST_F(FileTimesTest, AnUnreadableTextFailsBeforeTheFileIsOpened) {
    MessageBoxWatcher boxes;
    // Were the missing file opened first, the failure box would show.
    const std::string missing = scratch_.Path() + "\\missing.dll";
    try {
        SetFileTimesFromText(missing, "abc");
        ADD_FAILURE() << "no conversion error";
    } catch (const DateTimeConversionError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid date and time");
    }
    EXPECT_THROW(SetFileTimesFromText(missing, "2008/05/12 13:45:59"), DateTimeConversionError);
    EXPECT_TRUE(boxes.Seen().empty());
}

void ExpectOneFailureBox(const std::vector<SeenBox>& seen, const std::string& context) {
    ASSERT_EQ(seen.size(), 1u) << context;
    const SeenBox& box = seen[0];
    EXPECT_EQ(box.caption, "Error") << context;
    EXPECT_EQ(box.text, "日期修改操作失败！") << context;
    EXPECT_TRUE(box.errorIcon) << context;
    EXPECT_EQ(box.buttonIds, std::vector<int>{IDOK}) << context;
    const int centreX = (box.rect.left + box.rect.right) / 2;
    const int centreY = (box.rect.top + box.rect.bottom) / 2;
    EXPECT_NEAR(centreX, GetSystemMetrics(SM_CXSCREEN) / 2, 1) << context;
    EXPECT_NEAR(centreY, GetSystemMetrics(SM_CYSCREEN) / 2, 1) << context;
}

TEST_F(FileTimesTest, AReadOnlyOrMissingFileShowsTheBoxOnceAndKeepsItsTimes) {
    const DateTime before{2010, 6, 15, 8, 30, 0, 0};
    const std::string readOnly = scratch_.AddFile("readonly.dll");
    SetLocalTimes(readOnly, before);
    ASSERT_TRUE(SetFileAttributesW(Widen(readOnly).c_str(), FILE_ATTRIBUTE_READONLY));
    {
        MessageBoxWatcher boxes;
        SetFileTimesFromText(readOnly, "2008-05-12 13:45:59");   // returns once OK is pressed
        ExpectOneFailureBox(boxes.Seen(), "read-only");
    }
    ExpectAllTimes(readOnly, before, "read-only");
    SetFileAttributesW(Widen(readOnly).c_str(), FILE_ATTRIBUTE_NORMAL);

    MessageBoxWatcher boxes;
    SetFileTimesFromText(scratch_.Path() + "\\missing.dll", "2008-05-12 13:45:59");
    ExpectOneFailureBox(boxes.Seen(), "missing");
}

TEST_F(FileTimesTest, AFileHeldOpenByAnotherProcessShowsTheBoxOnceAndKeepsItsTimes) {
    const DateTime before{2010, 6, 15, 8, 30, 0, 0};
    const std::string held = scratch_.AddFile("held.dll");
    SetLocalTimes(held, before);

    const std::string suffix = std::to_string(GetCurrentProcessId());
    const std::string readyName = "qel-hold-ready-" + suffix;
    const std::string releaseName = "qel-hold-release-" + suffix;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, Widen(readyName).c_str());
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, Widen(releaseName).c_str());
    {
        HelperProcess holder("\"" + WindowsPath(QEL_HOLD_FILE_OPEN) + "\" \"" + held + "\" " + readyName + " " + releaseName);
        ASSERT_TRUE(holder.Started());
        HANDLE waits[] = {ready, holder.Handle()};
        ASSERT_EQ(WaitForMultipleObjects(2, waits, FALSE, 30000), WAIT_OBJECT_0) << "the helper did not open the file";

        MessageBoxWatcher boxes;
        SetFileTimesFromText(held, "2008-05-12 13:45:59");
        ExpectOneFailureBox(boxes.Seen(), "held open");

        SetEvent(release);
        EXPECT_EQ(holder.Wait(30000), 0);
    }
    CloseHandle(ready);
    CloseHandle(release);
    ExpectAllTimes(held, before, "held open");
}

TEST_F(FileTimesTest, WriteTimeTextOfWhatThePathNames) {
    const std::string folder = scratch_.Path() + "\\子目录";
    ASSERT_TRUE(CreateDirectoryW(Widen(folder).c_str(), nullptr));
    SetLocalTimes(folder, DateTime{2011, 3, 4, 5, 6, 7, 890});
    const std::string file = scratch_.AddFile("a.dll");
    SetLocalTimes(file, DateTime{2009, 12, 31, 23, 59, 59, 999});

    EXPECT_EQ(GetFileWriteTimeText(folder), "2011-03-04 05:06:07");
    EXPECT_EQ(GetFileWriteTimeText(file), "2009-12-31 23:59:59");   // milliseconds cut
    EXPECT_EQ(GetFileWriteTimeText(scratch_.Path() + "\\missing.dll"), "");
    EXPECT_EQ(GetFileWriteTimeText(scratch_.Path() + "\\*.dll"), "");   // names no one file
    EXPECT_EQ(GetFileWriteTimeText(scratch_.Path() + "\\a.dl?"), "");

    host::SetCurrentDateSettings(host::MakeDateSettings("dd.MM.yyyy", ".", ".", ","));
    EXPECT_EQ(GetFileWriteTimeText(file), "2009-12-31 23.59.59");
}

TEST(FileTimeToLocalDateTime, KeepsTheMillisecondsOfTheLocalTime) {
    const DateTime local{2008, 5, 12, 13, 45, 59, 250};
    EXPECT_EQ(FileTimeToLocalDateTime(UtcOfLocal(local)), local);
}

}  // namespace
}  // namespace qel::update
