#include "http/CookieDate.h"

#include <vector>

namespace qel::http {

namespace {

bool IsDelimiter(unsigned char c) {
    return c == 0x09 || (c >= 0x20 && c <= 0x2F) || (c >= 0x3B && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x7E);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads minDigits..maxDigits digits at pos; the token may go on only with a non-digit.
bool ReadNumber(const std::string& token, std::size_t& pos, std::size_t minDigits, std::size_t maxDigits, int& value) {
    std::size_t start = pos;
    value = 0;
    while (pos < token.size() && IsDigit(token[pos]) && pos - start < maxDigits) value = value * 10 + (token[pos++] - '0');
    if (pos - start < minDigits) return false;
    return pos == token.size() || !IsDigit(token[pos]);
}

bool ParseTime(const std::string& token, int& h, int& m, int& s) {
    std::size_t pos = 0;
    if (!ReadNumber(token, pos, 1, 2, h) || pos >= token.size() || token[pos++] != ':') return false;
    if (!ReadNumber(token, pos, 1, 2, m) || pos >= token.size() || token[pos++] != ':') return false;
    return ReadNumber(token, pos, 1, 2, s);
}

int MonthOf(const std::string& token) {
    static const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                          "jul", "aug", "sep", "oct", "nov", "dec"};
    if (token.size() < 3) return 0;
    std::string head;
    for (int i = 0; i < 3; ++i) head += static_cast<char>(token[i] >= 'A' && token[i] <= 'Z' ? token[i] - 'A' + 'a' : token[i]);
    for (int i = 0; i < 12; ++i)
        if (head == kMonths[i]) return i + 1;
    return 0;
}

bool IsLeap(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

unsigned DaysInMonth(std::int64_t year, unsigned month) {
    static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::optional<std::int64_t> ParseCookieDate(const std::string& text) {
    std::vector<std::string> tokens;
    std::string current;
    for (char c : text) {
        if (IsDelimiter(static_cast<unsigned char>(c))) {
            if (!current.empty()) tokens.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) tokens.push_back(current);

    bool haveTime = false, haveDay = false, haveMonth = false, haveYear = false;
    int hour = 0, minute = 0, second = 0, day = 0, month = 0, year = 0;
    for (const std::string& token : tokens) {
        std::size_t pos = 0;
        int value = 0;
        if (!haveTime && ParseTime(token, hour, minute, second)) {
            haveTime = true;
        } else if (!haveDay && (pos = 0, ReadNumber(token, pos, 1, 2, value))) {
            haveDay = true;
            day = value;
        } else if (!haveMonth && MonthOf(token)) {
            haveMonth = true;
            month = MonthOf(token);
        } else if (!haveYear && (pos = 0, ReadNumber(token, pos, 2, 4, value))) {
            haveYear = true;
            year = value;
        }
    }
    if (haveYear && year >= 70 && year <= 99) year += 1900;
    if (haveYear && year >= 0 && year <= 69) year += 2000;
    if (!haveTime || !haveDay || !haveMonth || !haveYear) return std::nullopt;
    if (day < 1 || day > 31 || year < 1601 || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    if (static_cast<unsigned>(day) > DaysInMonth(year, static_cast<unsigned>(month))) return std::nullopt;
    return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 + hour * 3600 +
           minute * 60 + second;
}

}  // namespace qel::http
