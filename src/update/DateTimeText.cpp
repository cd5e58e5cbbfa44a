#include "update/DateTimeText.h"

#include <cstdio>
#include <optional>

namespace qel::update {

namespace {

// Walks a text left to right; every step skips the blanks before what it reads.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    // Skips blanks; gives how many.
    size_t SkipBlanks() {
        size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
        return pos_ - start;
    }

    // A run of digits whose length lies within [minDigits, maxDigits].
    std::optional<int> Number(size_t minDigits, size_t maxDigits) {
        SkipBlanks();
        size_t start = pos_;
        int value = 0;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            if (pos_ - start < maxDigits) value = value * 10 + (text_[pos_] - '0');
            ++pos_;
        }
        size_t digits = pos_ - start;
        if (digits < minDigits || digits > maxDigits) return std::nullopt;
        return value;
    }

    // The separator itself; a blank separator is any run of blanks.
    bool Separator(std::string_view separator) {
        size_t blanks = SkipBlanks();
        if (separator == " ") return blanks > 0;
        if (separator.empty() || text_.substr(pos_, separator.size()) != separator) return false;
        pos_ += separator.size();
        return true;
    }

    // True when only blanks are left; leaves the position where the blanks began otherwise.
    bool AtEndAfterBlanks() {
        size_t start = pos_;
        SkipBlanks();
        if (pos_ == text_.size()) return true;
        pos_ = start;
        return false;
    }

    bool NextIsBlank() const { return pos_ < text_.size() && text_[pos_] == ' '; }

    // Consumes the separator when it comes next (after blanks); otherwise leaves the position.
    bool OptionalSeparator(std::string_view separator) {
        size_t start = pos_;
        if (Separator(separator)) return true;
        pos_ = start;
        return false;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

std::optional<DateTime> Read(std::string_view text, const host::DateSettings& settings) {
    using host::DateOrder;
    Scanner scan(text);
    const DateOrder order = settings.dateOrder;
    auto field = [&](int position) -> std::optional<int> {
        // The year has four digits; month and day one or two.
        bool isYear = (order == DateOrder::YearMonthDay && position == 0) || (order != DateOrder::YearMonthDay && position == 2);
        return isYear ? scan.Number(4, 4) : scan.Number(1, 2);
    };
    std::optional<int> first = field(0);
    if (!first || !scan.Separator(settings.dateSeparator)) return std::nullopt;
    std::optional<int> second = field(1);
    if (!second || !scan.Separator(settings.dateSeparator)) return std::nullopt;
    std::optional<int> third = field(2);
    if (!third) return std::nullopt;

    DateTime value;
    switch (order) {
    case DateOrder::YearMonthDay: value.year = *first; value.month = *second; value.day = *third; break;
    case DateOrder::DayMonthYear: value.day = *first; value.month = *second; value.year = *third; break;
    case DateOrder::MonthDayYear: value.month = *first; value.day = *second; value.year = *third; break;
    }

    if (!scan.AtEndAfterBlanks()) {
        if (!scan.NextIsBlank()) return std::nullopt;
        std::optional<int> hour = scan.Number(1, 2);
        if (!hour || !scan.Separator(settings.timeSeparator)) return std::nullopt;
        std::optional<int> minute = scan.Number(1, 2);
        if (!minute) return std::nullopt;
        value.hour = *hour;
        value.minute = *minute;
        if (scan.OptionalSeparator(settings.timeSeparator)) {
            std::optional<int> second = scan.Number(1, 2);
            if (!second) return std::nullopt;
            value.second = *second;
            if (scan.OptionalSeparator(settings.decimalSeparator)) {
                std::optional<int> millisecond = scan.Number(1, 3);
                if (!millisecond) return std::nullopt;
                value.millisecond = *millisecond;
            }
        }
        if (!scan.AtEndAfterBlanks()) return std::nullopt;
    }
    if (!IsValidDateTime(value)) return std::nullopt;
    return value;
}

}  // namespace

DateTimeConversionError::DateTimeConversionError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' is not a valid date and time") {}

DateTime ParseDateTimeText(std::string_view text, const host::DateSettings& settings) {
    std::optional<DateTime> value = Read(text, settings);
    if (!value) throw DateTimeConversionError(text);
    return *value;
}

DateTime ParseDateTimeText(std::string_view text) {
    return ParseDateTimeText(text, host::CurrentDateSettings());
}

std::string FormatTimeText(const DateTime& v, const host::DateSettings& settings) {
    char date[48];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d ", v.year, v.month, v.day);
    char hour[16], minute[16], second[16];
    std::snprintf(hour, sizeof hour, "%02d", v.hour);
    std::snprintf(minute, sizeof minute, "%02d", v.minute);
    std::snprintf(second, sizeof second, "%02d", v.second);
    const std::string& sep = settings.timeSeparator;
    return std::string(date) + hour + sep + minute + sep + second;
}

std::string FormatTimeText(const DateTime& value) {
    return FormatTimeText(value, host::CurrentDateSettings());
}

}  // namespace qel::update
