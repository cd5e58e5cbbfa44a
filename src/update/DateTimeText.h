#pragma once
// Reading and writing date-time texts under the launcher's date settings (host/DateSettings.h).
//
// ParseDateTimeText reads a date of three numbers joined by the date separator, in the settings'
// date order: the year with four digits, the month and day with one or two. A time of day may
// follow after at least one blank: hour and minute (one or two digits each) joined by the time
// separator, optionally the separator and the second, and after the second optionally the decimal
// separator and one to three digits giving the milliseconds as a number (".250" is 250 ms, ".5" is
// 5 ms). Without a time the value is midnight. Blanks may stand before every number and separator
// and at the end. The fields must form a valid date and time (update/DateTime.h). Nothing else is
// accepted: no two-digit years, no date of two numbers, no time without a date, no AM/PM marker,
// no other text after the time. A text that cannot be read throws DateTimeConversionError with the
// message "'<text>' is not a valid date and time".
//
// FormatTimeText writes "yyyy-mm-dd hh:mm:ss": "-" and the blank fixed, the time separator from
// the settings, a 24-hour clock; the milliseconds are cut off, not rounded. It does not throw.
#include <stdexcept>
#include <string>
#include <string_view>

#include "host/DateSettings.h"
#include "update/DateTime.h"

namespace qel::update {

class DateTimeConversionError : public std::runtime_error {
public:
    explicit DateTimeConversionError(std::string_view text);
};

DateTime ParseDateTimeText(std::string_view text, const host::DateSettings& settings);
// Under the program's current settings.
DateTime ParseDateTimeText(std::string_view text);

std::string FormatTimeText(const DateTime& value, const host::DateSettings& settings);
// Under the program's current settings.
std::string FormatTimeText(const DateTime& value);

}  // namespace qel::update
