#pragma once
// A local calendar date (proleptic Gregorian) with a time of day to the millisecond.
namespace qel::update {

struct DateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

// Days in a month (1-12) of a year of the Gregorian calendar; 0 for a month out of range.
int DaysInMonth(int year, int month);

// True when every field is in range: year 1-9999, a day that exists in its month, hour 0-23,
// minute and second 0-59, millisecond 0-999.
bool IsValidDateTime(const DateTime& value);

}  // namespace qel::update
