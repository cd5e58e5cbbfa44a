#pragma once
// The numbers behind a progress bar: TotalParts, PartsComplete and the Percent shown.
//  - Setting TotalParts to its current value does nothing; another value is stored and resets
//    PartsComplete and Percent to 0.
//  - Setting PartsComplete to its current value does nothing. Otherwise a value above TotalParts
//    (compared as unsigned 32-bit numbers) is stored as the value of TotalParts; then, unless TotalParts is 0,
//    Percent = PartsComplete / TotalParts * 100, rounded to nearest, an exact half to even.
// Every setter tells whether Percent changed, which is when the bar must repaint.
#include <cstdint>

namespace qel::ui {

// n / d rounded to the nearest integer, an exact half to the even neighbour. d must not be 0.
std::int64_t RoundHalfEven(std::int64_t n, std::int64_t d);

class ProgressModel {
public:
    std::int32_t TotalParts() const { return totalParts_; }
    std::int32_t PartsComplete() const { return partsComplete_; }
    std::int16_t Percent() const { return percent_; }

    bool SetTotalParts(std::int32_t value);
    bool SetPartsComplete(std::int32_t value);
    bool SetPercent(std::int16_t value);

private:
    std::int32_t totalParts_ = 0;
    std::int32_t partsComplete_ = 0;
    std::int16_t percent_ = 0;
};

}  // namespace qel::ui
