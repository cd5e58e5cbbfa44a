#include <gtest/gtest.h>

#include "host/DateSettings.h"
#include "host/EnforcedDateFormats.h"

namespace qel::host {
namespace {

TEST(DateOrderOf, FirstOfYDMInEitherCaseDecides) {
    struct Case { const char* format; DateOrder order; };
    const Case cases[] = {
        {"yyyy-MM-dd", DateOrder::YearMonthDay},
        {"YYYY/mm/dd", DateOrder::YearMonthDay},
        {"dd.MM.yyyy", DateOrder::DayMonthYear},
        {"D/M/Y", DateOrder::DayMonthYear},
        {"M/d/yyyy", DateOrder::MonthDayYear},
        {"mm-dd-yy", DateOrder::MonthDayYear},
        {"'g' gg yyyy", DateOrder::YearMonthDay},   // letters other than y, d, m do not count
        {"yyyy'年'M'月'd'日'", DateOrder::YearMonthDay},
        {"", DateOrder::MonthDayYear},
        {"--//", DateOrder::MonthDayYear},
    };
    for (const auto& c : cases) EXPECT_EQ(DateOrderOf(c.format), c.order) << c.format;
}

TEST(MakeDateSettings, TakesTheFirstCharacterOfEachSeparatorAndFallsBackWhenEmpty) {
    DateSettings s = MakeDateSettings("dd.MM.yyyy", ".-", "::", ",5");
    EXPECT_EQ(s.shortDateFormat, "dd.MM.yyyy");
    EXPECT_EQ(s.dateOrder, DateOrder::DayMonthYear);
    EXPECT_EQ(s.dateSeparator, ".");
    EXPECT_EQ(s.timeSeparator, ":");
    EXPECT_EQ(s.decimalSeparator, ",");

    DateSettings empty = MakeDateSettings("", "", "", "");
    EXPECT_EQ(empty, DateSettings{});
    EXPECT_EQ(empty.dateOrder, DateOrder::MonthDayYear);
    EXPECT_EQ(empty.dateSeparator, "/");
    EXPECT_EQ(empty.timeSeparator, ":");
    EXPECT_EQ(empty.decimalSeparator, ".");

    // A character beyond ASCII is kept whole.
    DateSettings chinese = MakeDateSettings("yyyy年M月d日", "年", "时分", "·");
    EXPECT_EQ(chinese.dateSeparator, "年");
    EXPECT_EQ(chinese.timeSeparator, "时");
    EXPECT_EQ(chinese.decimalSeparator, "·");
}

TEST(NeedsDateFormatEnforcement, OnlyTheExactFormatIsLeftAlone) {
    struct Case { const char* format; bool needed; };
    const Case cases[] = {
        {"yyyy-MM-dd", false},
        {"yyyy-mm-dd", true},
        {"YYYY-MM-DD", true},
        {"yyyy/MM/dd", true},
        {"yyyy-MM-dd ", true},
        {" yyyy-MM-dd", true},
        {"yyyy-M-d", true},
        {"", true},
    };
    for (const auto& c : cases) EXPECT_EQ(NeedsDateFormatEnforcement(c.format), c.needed) << "'" << c.format << "'";
}

}  // namespace
}  // namespace qel::host
