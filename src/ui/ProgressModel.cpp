#include "ui/ProgressModel.h"

namespace qel::ui {

std::int64_t RoundHalfEven(std::int64_t n, std::int64_t d) {
    if (d < 0) {
        n = -n;
        d = -d;
    }
    std::int64_t q = n / d;  // truncated toward zero
    std::int64_t r = n % d;  // same sign as n
    if (r < 0) {              // make it floor division with 0 <= r < d
        q -= 1;
        r += d;
    }
    std::int64_t twice = 2 * r;
    if (twice > d || (twice == d && (q % 2 != 0))) q += 1;
    return q;
}

bool ProgressModel::SetTotalParts(std::int32_t value) {
    if (value == totalParts_) return false;
    totalParts_ = value;
    partsComplete_ = 0;
    return SetPercent(0);
}

bool ProgressModel::SetPartsComplete(std::int32_t value) {
    if (value == partsComplete_) return false;
    // A value above the total (compared unsigned) is stored as the total: the bar never shows
    // more than all of it, and with a total of 0 it stays where it is.
    partsComplete_ = static_cast<std::uint32_t>(value) > static_cast<std::uint32_t>(totalParts_) ? totalParts_ : value;
    if (totalParts_ == 0) return false;
    std::int64_t percent = RoundHalfEven(static_cast<std::int64_t>(partsComplete_) * 100, totalParts_);
    return SetPercent(static_cast<std::int16_t>(percent));
}

bool ProgressModel::SetPercent(std::int16_t value) {
    if (value == percent_) return false;
    percent_ = value;
    return true;
}

}  // namespace qel::ui
