#include <gtest/gtest.h>

#include <limits>

#include "db/DatabaseError.h"
#include "db/Field.h"
#include "host/DateSettings.h"
#include "update/DateTimeText.h"

namespace qel::db {
namespace {

TEST(Field, ReadsAsTextAndAsInteger) {
    struct Case { Field field; const char* text; std::int64_t integer; };
    const Case cases[] = {
        {Field(), "", 0},
        {Field::Integer(2), "2", 2},
        {Field::Integer(-7), "-7", -7},
        {Field::Integer(std::numeric_limits<std::int64_t>::max()), "9223372036854775807",
         std::numeric_limits<std::int64_t>::max()},
        {Field::Text("42"), "42", 42},
        {Field::Text(" 3 "), " 3 ", 3},
        {Field::Text("+5"), "+5", 5},
        {Field::Text("-0"), "-0", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.field.AsString(), c.text);
        EXPECT_EQ(c.field.AsInteger(), c.integer) << c.text;
    }
}

TEST(Field, KeepsTextAsStored) {
    const std::string stored = "  主程序 模块\t";
    EXPECT_EQ(Field::Text(stored).AsString(), stored);
    EXPECT_EQ(Field::Text("").AsString(), "");
    EXPECT_FALSE(Field::Text("").IsNull());
    EXPECT_TRUE(Field().IsNull());
}

TEST(Field, RefusesTextThatIsNoInteger) {
    for (const char* text : {"", " ", "1.0.0.5", "12a", "0x10", "+-1", "--1", "99999999999999999999", "一"}) {
        try {
            Field::Text(text).AsInteger();
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.what(), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

TEST(Field, ReadsDateTimeUnderTheProgramsDateSettings) {
    const host::DateSettings saved = host::CurrentDateSettings();
    host::SetCurrentDateSettings(host::MakeDateSettings("yyyy-MM-dd", "-", ":", "."));
    EXPECT_EQ(Field::Text("2008-05-12 13:45:59").AsDateTime(), (update::DateTime{2008, 5, 12, 13, 45, 59, 0}));
    EXPECT_EQ(Field::Text("2008-05-12").AsDateTime(), (update::DateTime{2008, 5, 12, 0, 0, 0, 0}));
    struct Refused { Field field; std::string text; };
    const Refused refused[] = {{Field(), ""}, {Field::Text("abc"), "abc"}, {Field::Integer(2008), "2008"}};
    for (const auto& r : refused) {
        try {
            r.field.AsDateTime();
            ADD_FAILURE() << "no error for '" << r.text << "'";
        } catch (const update::DateTimeConversionError& e) {
            EXPECT_EQ(e.what(), "'" + r.text + "' is not a valid date and time");
        }
    }
    host::SetCurrentDateSettings(saved);
}

}  // namespace
}  // namespace qel::db
