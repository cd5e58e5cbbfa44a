#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>

#include "common/WinText.h"
#include "host/DateFormats.h"
#include "host/DateSettings.h"
#include "host/LocaleDateSettings.h"
#include "ui/Application.h"
#include "update/DateTimeText.h"
#include "support/TestSupport.h"

namespace qel::host {
namespace {

std::wstring UserItem(LCTYPE item) {
    wchar_t buffer[100] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, item, buffer, static_cast<int>(std::size(buffer)));
    return buffer;
}

void SetUserItem(LCTYPE item, const std::wstring& value) {
    ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, item, value.c_str())) << Narrow(value);
}

// The user's short date, long date and time formats (and what the system derives from them)
// as they were before the test; put back afterwards.
class UserDateFormatsTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedShort_ = UserItem(LOCALE_SSHORTDATE);
        savedLong_ = UserItem(LOCALE_SLONGDATE);
        savedTime_ = UserItem(LOCALE_STIMEFORMAT);
        savedSettings_ = CurrentDateSettings();
        application_.OnSettingChange = [this] {
            ++settingChanges_;
            ReloadDateSettings();
        };
    }
    void TearDown() override {
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, savedShort_.c_str());
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, savedLong_.c_str());
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, savedTime_.c_str());
        SetCurrentDateSettings(savedSettings_);
    }

    ui::Application application_;
    int settingChanges_ = 0;

private:
    std::wstring savedShort_, savedLong_, savedTime_;
    DateSettings savedSettings_;
};

const std::wstring kLongDate = L"yyyy'\x5E74'MM'\x6708 'dd'\x65E5'";   // 年, 月 and a blank, 日

TEST_F(UserDateFormatsTest, GetShortDateFormatGivesTheUsersFormat) {
    for (const wchar_t* format : {L"yyyy-MM-dd", L"d/M/yy", L"yyyy'\x5E74'M'\x6708'd'\x65E5'"}) {
        SetUserItem(LOCALE_SSHORTDATE, format);
        EXPECT_EQ(GetShortDateFormat(), Narrow(format));
    }
}

TEST_F(UserDateFormatsTest, AnotherShortFormatLeadsToAllThreeWritesAndTheBroadcast) {
    struct Case { const wchar_t* shortDate; DateOrder orderBefore; const char* separatorBefore; };
    const Case cases[] = {
        {L"yyyy-mm-dd", DateOrder::YearMonthDay, "-"},
        {L"yyyy/MM/dd", DateOrder::YearMonthDay, "/"},
        {L"dd/MM/yyyy", DateOrder::DayMonthYear, "/"},
    };
    for (const auto& c : cases) {
        const std::string context = Narrow(c.shortDate);
        SetUserItem(LOCALE_SSHORTDATE, c.shortDate);
        SetUserItem(LOCALE_SLONGDATE, L"dddd, MMMM d, yyyy");
        SetUserItem(LOCALE_STIMEFORMAT, L"h:mm:ss tt");
        ReloadDateSettings();
        ASSERT_EQ(CurrentDateSettings().dateOrder, c.orderBefore) << context;
        ASSERT_EQ(CurrentDateSettings().dateSeparator, c.separatorBefore) << context;
        settingChanges_ = 0;

        EXPECT_TRUE(EnforceDateFormats()) << context;

        EXPECT_EQ(UserItem(LOCALE_SSHORTDATE), L"yyyy-MM-dd") << context;
        EXPECT_EQ(UserItem(LOCALE_SLONGDATE), kLongDate) << context;
        EXPECT_EQ(UserItem(LOCALE_STIMEFORMAT), L"HH:mm:ss") << context;
        // The broadcast reached the application window within the call, and the settings followed.
        EXPECT_EQ(settingChanges_, 1) << context;
        EXPECT_EQ(CurrentDateSettings().shortDateFormat, "yyyy-MM-dd") << context;
        EXPECT_EQ(CurrentDateSettings().dateOrder, DateOrder::YearMonthDay) << context;
        EXPECT_EQ(CurrentDateSettings().dateSeparator, "-") << context;
        EXPECT_EQ(update::ParseDateTimeText("2008-05-12 13:45:59"), (update::DateTime{2008, 5, 12, 13, 45, 59, 0}))
            << context;
    }
    // A second run finds the format in place.
    EXPECT_FALSE(EnforceDateFormats());
}

TEST_F(UserDateFormatsTest, TheEnforcedShortFormatLeadsToNoWriteAndNoBroadcast) {
    SetUserItem(LOCALE_SSHORTDATE, L"yyyy-MM-dd");
    SetUserItem(LOCALE_SLONGDATE, L"dddd, MMMM d, yyyy");
    SetUserItem(LOCALE_STIMEFORMAT, L"h:mm:ss tt");
    settingChanges_ = 0;

    EXPECT_FALSE(EnforceDateFormats());
    application_.ProcessMessages();

    EXPECT_EQ(settingChanges_, 0);
    EXPECT_EQ(UserItem(LOCALE_SLONGDATE), L"dddd, MMMM d, yyyy");
    EXPECT_EQ(UserItem(LOCALE_STIMEFORMAT), L"h:mm:ss tt");
}

TEST_F(UserDateFormatsTest, ApplyWritesTheLongDateAsUtf16WhateverTheCodePage) {
    SetUserItem(LOCALE_SSHORTDATE, L"yyyy-MM-dd");
    ApplyDateFormats();   // writes even when the short format is already in place
    EXPECT_EQ(UserItem(LOCALE_SLONGDATE), kLongDate);
    // As stored in the user's settings, where every other program reads it.
    wchar_t stored[100] = {};
    DWORD size = sizeof(stored);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\International", L"sLongDate", RRF_RT_REG_SZ, nullptr,
                           stored, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(stored), kLongDate);
    EXPECT_EQ(settingChanges_, 1);
}

TEST_F(UserDateFormatsTest, DateSettingsFollowABroadcastFromAnotherProcess) {
    SetUserItem(LOCALE_SSHORTDATE, L"yyyy-MM-dd");
    ReloadDateSettings();
    ASSERT_EQ(CurrentDateSettings().dateOrder, DateOrder::YearMonthDay);

    // Changed without an announcement: the settings stay as they are until one comes.
    SetUserItem(LOCALE_SSHORTDATE, L"dd.MM.yyyy");
    application_.ProcessMessages();
    EXPECT_EQ(CurrentDateSettings().shortDateFormat, "yyyy-MM-dd");

    qel::testing::HelperProcess announcer("\"" + qel::testing::WindowsPath(QEL_BROADCAST_SETTING_CHANGE) + "\"");
    ASSERT_TRUE(announcer.Started());
    EXPECT_TRUE(qel::testing::PumpUntil([] { return CurrentDateSettings().shortDateFormat == "dd.MM.yyyy"; }, 20000));
    EXPECT_EQ(CurrentDateSettings().dateOrder, DateOrder::DayMonthYear);
    EXPECT_EQ(CurrentDateSettings().dateSeparator, ".");
    EXPECT_GE(settingChanges_, 1);
    EXPECT_TRUE(qel::testing::PumpUntil([&] { return announcer.Wait(0) == 0; }, 20000));
}

TEST_F(UserDateFormatsTest, LoadReadsTheThreadsLocaleAndReloadTheUsersDefault) {
    SetUserItem(LOCALE_SSHORTDATE, L"M/d/yyyy");
    LoadDateSettings();
    EXPECT_EQ(CurrentDateSettings(), ReadDateSettings());
    EXPECT_EQ(CurrentDateSettings().dateOrder, DateOrder::MonthDayYear);

    // Under another thread locale the reload goes back to the user's.
    SetThreadLocale(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT));
    ReloadDateSettings();
    EXPECT_EQ(GetThreadLocale(), GetUserDefaultLCID());
    EXPECT_EQ(CurrentDateSettings().shortDateFormat, "M/d/yyyy");
}

}  // namespace
}  // namespace qel::host
