#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/ProgressModel.h"

namespace qel::ui {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    struct Case { std::int64_t n, d, expected; };
    const std::vector<Case> cases = {
        {25, 2, 12}, {27, 2, 14}, {5, 2, 2}, {1, 2, 0}, {3, 2, 2}, {-5, 2, -2}, {-3, 2, -2},
        {7, 3, 2}, {8, 3, 3}, {-7, 3, -2}, {100, 1, 100}, {5, -2, -2}, {0, 7, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.n, c.d), c.expected) << c.n << "/" << c.d;
}

struct Step {
    enum Kind { Total, Complete, Percent } kind;
    std::int32_t value;
    std::int32_t total, complete;
    std::int16_t percent;
    bool repaint;
};

void Play(const std::vector<Step>& steps) {
    ProgressModel m;
    int i = 0;
    for (const auto& s : steps) {
        bool changed = s.kind == Step::Total      ? m.SetTotalParts(s.value)
                       : s.kind == Step::Complete ? m.SetPartsComplete(s.value)
                                                  : m.SetPercent(static_cast<std::int16_t>(s.value));
        EXPECT_EQ(m.TotalParts(), s.total) << "step " << i;
        EXPECT_EQ(m.PartsComplete(), s.complete) << "step " << i;
        EXPECT_EQ(m.Percent(), s.percent) << "step " << i;
        EXPECT_EQ(changed, s.repaint) << "step " << i;
        ++i;
    }
}

TEST(ProgressModel, ClimbsOverATransfer) {
    Play({{Step::Total, 1000, 1000, 0, 0, false},
         {Step::Complete, 333, 1000, 333, 33, true},
         {Step::Complete, 1000, 1000, 1000, 100, true}});
}

TEST(ProgressModel, SameValueDoesNothing) {
    Play({{Step::Total, 200, 200, 0, 0, false},
         {Step::Complete, 100, 200, 100, 50, true},
         {Step::Total, 200, 200, 100, 50, false},      // same total: no reset
         {Step::Complete, 100, 200, 100, 50, false},   // same parts: nothing
         {Step::Total, 400, 400, 0, 0, true}});        // a new total resets to 0
}

TEST(ProgressModel, RoundsExactHalvesToEven) {
    Play({{Step::Total, 8, 8, 0, 0, false},
         {Step::Complete, 1, 8, 1, 12, true},          // 12.5 -> 12
         {Step::Complete, 3, 8, 3, 38, true},          // 37.5 -> 38
         {Step::Total, 200, 200, 0, 0, true},
         {Step::Complete, 1, 200, 1, 0, false},        // 0.5 -> 0: no change
         {Step::Complete, 3, 200, 3, 2, true}});       // 1.5 -> 2
}

TEST(ProgressModel, PartsAboveTotalAreHeldAtTheTotalComparedUnsigned) {
    Play({{Step::Total, 100, 100, 0, 0, false},
         {Step::Complete, 150, 100, 100, 100, true},   // above the total: stored as the total
         {Step::Complete, -1, 100, 100, 100, false},   // 0xFFFFFFFF > 100 unsigned: the total again
         {Step::Total, -5, -5, 0, 0, true},
         {Step::Complete, 5, -5, 5, -100, true}});     // 5 < 0xFFFFFFFB unsigned: total stays
}

TEST(ProgressModel, BodyWithoutLengthStaysAtZero) {
    // a transfer of unknown length: total 0, then running counts
    Play({{Step::Total, 10, 10, 0, 0, false},
         {Step::Complete, 10, 10, 10, 100, true},
         {Step::Total, 0, 0, 0, 0, true},
         {Step::Complete, 4096, 0, 0, 0, false},
         {Step::Complete, 8192, 0, 0, 0, false}});
}

TEST(ProgressModel, TotalZeroLeavesPercentAlone) {
    Play({{Step::Total, 10, 10, 0, 0, false},
         {Step::Complete, 5, 10, 5, 50, true},
         {Step::Total, 0, 0, 0, 0, true},              // drop to 0
         {Step::Percent, 7, 0, 0, 7, true},
         {Step::Complete, 0, 0, 0, 7, false},          // same value
         {Step::Complete, 3, 0, 0, 7, false}});        // 3 > 0 unsigned: held at 0, Percent left alone
}

}  // namespace
}  // namespace qel::ui
