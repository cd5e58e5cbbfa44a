#pragma once
// The date formats the launcher enforces in the user's locale, and the rule that decides whether
// it must: only a short date format other than exactly "yyyy-MM-dd" (same bytes, case-sensitive)
// leads to the writes. Nothing here throws.
#include <string_view>

namespace qel::host {

inline constexpr std::string_view kEnforcedShortDateFormat = "yyyy-MM-dd";
// The month number, 月 and a blank, then the day.
inline constexpr std::string_view kEnforcedLongDateFormat = "yyyy'年'MM'月 'dd'日'";
inline constexpr std::string_view kEnforcedTimeFormat = "HH:mm:ss";

inline bool NeedsDateFormatEnforcement(std::string_view shortDateFormat) {
    return shortDateFormat != kEnforcedShortDateFormat;
}

}  // namespace qel::host
