#pragma once
// Dates of the "Expires" cookie attribute, read with the lenient algorithm browsers use
// (RFC 6265, section 5.1.1): tokens for the time, day of month, month and year, in any order.
#include <cstdint>
#include <optional>
#include <string>

namespace qel::http {

// Seconds since 1970-01-01 00:00:00 UTC, or nothing when the text is not a valid cookie date.
std::optional<std::int64_t> ParseCookieDate(const std::string& text);
// Days from 1970-01-01 to the given day of the proleptic Gregorian calendar (negative before).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day);

}  // namespace qel::http
