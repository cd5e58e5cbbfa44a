#include <gtest/gtest.h>

#include <string>

#include "host/DateSettings.h"
#include "update/DateTimeText.h"

namespace qel::update {
namespace {

using host::DateOrder;
using host::DateSettings;
using host::MakeDateSettings;

const DateSettings kEnforced = MakeDateSettings("yyyy-MM-dd", "-", ":", ".");

TEST(ParseDateTimeText, ReadsTheStatedForms) {
    struct Case { const char* text; DateTime value; };
    const Case cases[] = {
        {"2008-05-12 13:45:59", {2008, 5, 12, 13, 45, 59, 0}},
        {"2008-05-12", {2008, 5, 12, 0, 0, 0, 0}},                       // date alone: midnight
        {"2008-05-12 13:45:00.250", {2008, 5, 12, 13, 45, 0, 250}},
        {"2008-05-12 13:45:00.5", {2008, 5, 12, 13, 45, 0, 5}},          // milliseconds as a number
        {"2008-05-12 13:45", {2008, 5, 12, 13, 45, 0, 0}},               // no second
        {"2008-5-2 3:4:5", {2008, 5, 2, 3, 4, 5, 0}},                    // one-digit fields
        {" 2008 - 05 - 12   13 : 45 : 59 . 250", {2008, 5, 12, 13, 45, 59, 250}},  // blanks before each part
        {"2008-05-12   ", {2008, 5, 12, 0, 0, 0, 0}},                    // trailing blanks
        {"2008-05-12 13:45:59  ", {2008, 5, 12, 13, 45, 59, 0}},
        {"2000-02-29 23:59:59.999", {2000, 2, 29, 23, 59, 59, 999}},     // leap day of a 400th year
        {"0001-01-01", {1, 1, 1, 0, 0, 0, 0}},
        {"9999-12-31 23:59:59", {9999, 12, 31, 23, 59, 59, 0}},
        {"1979-12-31 23:59:59", {1979, 12, 31, 23, 59, 59, 0}},
        {"2108-01-01", {2108, 1, 1, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseDateTimeText(c.text, kEnforced), c.value) << c.text;
}

TEST(ParseDateTimeText, RefusesEverythingElseWithTheConversionError) {
    const char* texts[] = {
        "abc", "", "   ",
        "2008-02-30", "1900-02-29", "2008-04-31", "2008-13-01", "2008-00-10", "2008-05-00", "0000-01-01",
        "2008-05-12 24:00", "2008-05-12 13:60", "2008-05-12 13:45:60",
        "2008-05-12 13:45:00.1000",      // more than three digits of milliseconds
        "08-05-12", "12345-05-12",       // the year has four digits
        "2008-005-12", "2008-05",        // three numbers, one or two digits each
        "2008/05/12",                    // not the settings' separator
        "13:45:59",                      // no time without a date
        "2008-05-1213:45",               // no blank before the time
        "2008-05-12 13", "2008-05-12 13:", "2008-05-12 13:45:", "2008-05-12 13:45:00.",
        "2008-05-12 1:45 PM", "2008-05-12 13:45:59 x", "2008-05-12T13:45:59",
        "2008-05-12 13:45.250",          // milliseconds only after the second
        "-2008-05-12", "+2008-05-12", "2008-05-12\t", "２００８-05-12",
    };
    for (const char* text : texts) {
        try {
            ParseDateTimeText(text, kEnforced);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const DateTimeConversionError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + std::string(text) + "' is not a valid date and time");
        }
    }
    // A NUL ends nothing: the text after it is refused as well.
    EXPECT_THROW(ParseDateTimeText(std::string_view("2008-05-12\0", 11), kEnforced), DateTimeConversionError);
}

TEST(ParseDateTimeText, FollowsTheOrderAndSeparatorsOfTheSettings) {
    struct Case { DateSettings settings; const char* text; DateTime value; };
    const Case cases[] = {
        {MakeDateSettings("dd.MM.yyyy", ".", ":", ","), "12.05.2008 13:45:59,250", {2008, 5, 12, 13, 45, 59, 250}},
        {MakeDateSettings("M/d/yyyy", "/", ":", "."), "5/12/2008 1:45:59", {2008, 5, 12, 1, 45, 59, 0}},
        {MakeDateSettings("yyyy/MM/dd", "/", ".", "."), "2008/05/12 13.45.59.250", {2008, 5, 12, 13, 45, 59, 250}},
        {MakeDateSettings("yyyy年M月d日", "年", "时", "."), "2008年5年12 13时45", {2008, 5, 12, 13, 45, 0, 0}},
        {MakeDateSettings("yyyy MM dd", " ", ":", "."), "2008 05  12 13:45", {2008, 5, 12, 13, 45, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseDateTimeText(c.text, c.settings), c.value) << c.text;

    // The enforced text is refused under settings whose separator or order differ.
    EXPECT_THROW(ParseDateTimeText("2008-05-12", MakeDateSettings("yyyy/MM/dd", "/", ":", ".")), DateTimeConversionError);
    EXPECT_THROW(ParseDateTimeText("2008-05-12", MakeDateSettings("dd-MM-yyyy", "-", ":", ".")), DateTimeConversionError);
    EXPECT_THROW(ParseDateTimeText("2008-05-12 13.45", kEnforced), DateTimeConversionError);
}

TEST(FormatTimeText, WritesNineteenCharactersWithTheSettingsTimeSeparator) {
    struct Case { DateTime value; DateSettings settings; const char* text; };
    const Case cases[] = {
        {{2008, 5, 12, 13, 45, 58, 0}, kEnforced, "2008-05-12 13:45:58"},
        {{2008, 5, 12, 13, 45, 59, 999}, kEnforced, "2008-05-12 13:45:59"},   // cut, not rounded
        {{1, 1, 1, 0, 0, 0, 0}, kEnforced, "0001-01-01 00:00:00"},
        {{2008, 5, 12, 1, 2, 3, 0}, MakeDateSettings("dd/MM/yyyy", "/", ".", ","), "2008-05-12 01.02.03"},
        {{2008, 5, 12, 13, 45, 58, 0}, MakeDateSettings("yyyy", "-", "时", "."), "2008-05-12 13时45时58"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatTimeText(c.value, c.settings), c.text) << c.text;
}

TEST(DateTimeText, OneArgumentFormsUseTheProgramsSettings) {
    const DateSettings before = host::CurrentDateSettings();
    host::SetCurrentDateSettings(MakeDateSettings("dd.MM.yyyy", ".", ".", ","));
    EXPECT_EQ(ParseDateTimeText("12.05.2008 13.45.59,250"), (DateTime{2008, 5, 12, 13, 45, 59, 250}));
    EXPECT_EQ(FormatTimeText(DateTime{2008, 5, 12, 13, 45, 59, 250}), "2008-05-12 13.45.59");
    EXPECT_THROW(ParseDateTimeText("2008-05-12"), DateTimeConversionError);
    host::SetCurrentDateSettings(before);
}

}  // namespace
}  // namespace qel::update
