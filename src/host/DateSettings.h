#pragma once
// The launcher's date and time settings: the short date format, the date order taken from it, and
// the date, time and decimal separators. Every date-time text is read and written under them.
// The program holds one set (CurrentDateSettings), read from the user's locale at start and again
// on every settings-change message (host/LocaleDateSettings.h). Nothing here throws.
#include <string>
#include <string_view>

namespace qel::host {

enum class DateOrder { YearMonthDay, DayMonthYear, MonthDayYear };

struct DateSettings {
    std::string shortDateFormat;             // UTF-8; empty when the locale gave none
    DateOrder dateOrder = DateOrder::MonthDayYear;
    std::string dateSeparator = "/";         // each separator: one character, UTF-8
    std::string timeSeparator = ":";
    std::string decimalSeparator = ".";

    friend bool operator==(const DateSettings&, const DateSettings&) = default;
};

// The order of the first of the letters y, d and m (either case) in a short date format:
// y year-month-day, d day-month-year, m month-day-year; month-day-year when there is none.
DateOrder DateOrderOf(std::string_view shortDateFormat);

// Settings from the texts of the locale's items (UTF-8): the short date format as it is, each
// separator as the first character of its item. An empty item gives the separator "/", ":" or ".".
DateSettings MakeDateSettings(std::string_view shortDateFormat, std::string_view dateSeparator,
                              std::string_view timeSeparator, std::string_view decimalSeparator);

// The program's one set of settings; a default DateSettings until first set.
const DateSettings& CurrentDateSettings();
void SetCurrentDateSettings(const DateSettings& settings);

}  // namespace qel::host
