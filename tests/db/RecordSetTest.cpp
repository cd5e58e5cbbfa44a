#include <gtest/gtest.h>

#include "db/DatabaseError.h"
#include "db/RecordSet.h"

namespace qel::db {
namespace {

RecordSet ThreeRows() {
    RecordSet set({"filename", "sort"});
    set.AddRow({Field::Text("a.dll"), Field::Integer(0)});
    set.AddRow({Field::Text("b.dll"), Field()});
    set.AddRow({Field::Text("c.dll"), Field::Integer(2)});
    return set;
}

TEST(RecordSet, CountsRowsFirstAndStopsOnTheLastRow) {
    RecordSet set = ThreeRows();
    EXPECT_EQ(set.RecordCount(), 3);
    std::string seen;
    for (int i = 0; i < set.RecordCount(); ++i) {
        EXPECT_FALSE(set.Eof());
        seen += set.FieldByName("filename").AsString() + std::to_string(set.FieldByName("sort").AsInteger()) + " ";
        set.Next();
    }
    EXPECT_EQ(seen, "a.dll0 b.dll0 c.dll2 ");
    EXPECT_TRUE(set.Eof());
    set.Next();
    EXPECT_TRUE(set.Eof());
    EXPECT_EQ(set.FieldByName("filename").AsString(), "c.dll");  // the last row stays current
}

TEST(RecordSet, WithoutRowsIsAtEndAndReadsNull) {
    RecordSet set({"filename"});
    EXPECT_EQ(set.RecordCount(), 0);
    EXPECT_TRUE(set.Eof());
    EXPECT_TRUE(set.FieldByName("filename").IsNull());
    EXPECT_THROW(set.FieldByName("ver"), DatabaseError);
    EXPECT_EQ(RecordSet().RecordCount(), 0);
}

TEST(RecordSet, FindsColumnsIgnoringCaseAndNamesTheMissingOne) {
    RecordSet set = ThreeRows();
    EXPECT_EQ(set.FieldByName("FileName").AsString(), "a.dll");
    EXPECT_EQ(set.FieldByName("SORT").AsInteger(), 0);
    try {
        set.FieldByName("modulename");
        ADD_FAILURE() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_STREQ(e.what(), "Field 'modulename' not found");
    }
    EXPECT_THROW(set.FieldByName("filename "), DatabaseError);
}

TEST(RecordSet, RefusesARowOfTheWrongWidth) {
    RecordSet set({"a", "b"});
    EXPECT_THROW(set.AddRow({Field()}), std::invalid_argument);
    EXPECT_EQ(set.RecordCount(), 0);
}

}  // namespace
}  // namespace qel::db
