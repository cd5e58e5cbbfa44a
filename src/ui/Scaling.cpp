#include "ui/Scaling.h"

#include <cstdint>

namespace qel::ui {

namespace {
int MulDivRounded(int value, int numerator, int denominator) {
    std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    std::int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}
}  // namespace

int TextHeightAt(int dpi) { return MulDivRounded(13, dpi, 96); }

int ScaleForDpi(int value, int dpi) {
    int textHeight = TextHeightAt(dpi);
    if (textHeight == 13) return value;
    return MulDivRounded(value, textHeight, 13);
}

}  // namespace qel::ui
