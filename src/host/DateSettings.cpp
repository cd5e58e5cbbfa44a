#include "host/DateSettings.h"

namespace qel::host {

namespace {

DateSettings current;

// The first UTF-8 character of a text (all its bytes), or the fallback when the text is empty.
std::string FirstCharacter(std::string_view text, std::string_view fallback) {
    if (text.empty()) return std::string(fallback);
    const auto lead = static_cast<unsigned char>(text[0]);
    size_t length = 1;
    if (lead >= 0xF0) length = 4;
    else if (lead >= 0xE0) length = 3;
    else if (lead >= 0xC0) length = 2;
    return std::string(text.substr(0, length));
}

}  // namespace

DateOrder DateOrderOf(std::string_view shortDateFormat) {
    for (char c : shortDateFormat) {
        switch (c) {
        case 'y': case 'Y': return DateOrder::YearMonthDay;
        case 'd': case 'D': return DateOrder::DayMonthYear;
        case 'm': case 'M': return DateOrder::MonthDayYear;
        default: break;
        }
    }
    return DateOrder::MonthDayYear;
}

DateSettings MakeDateSettings(std::string_view shortDateFormat, std::string_view dateSeparator,
                              std::string_view timeSeparator, std::string_view decimalSeparator) {
    DateSettings settings;
    settings.shortDateFormat = std::string(shortDateFormat);
    settings.dateOrder = DateOrderOf(shortDateFormat);
    settings.dateSeparator = FirstCharacter(dateSeparator, "/");
    settings.timeSeparator = FirstCharacter(timeSeparator, ":");
    settings.decimalSeparator = FirstCharacter(decimalSeparator, ".");
    return settings;
}

const DateSettings& CurrentDateSettings() { return current; }

void SetCurrentDateSettings(const DateSettings& settings) { current = settings; }

}  // namespace qel::host
