#pragma once
// One field of a fetched row: NULL, an integer (the database's integer columns) or a text (UTF-8,
// every other column), read the way the launcher reads manifest fields.
//   AsString: the text as stored, no trimming; an integer as its decimal digits; NULL as "".
//   AsInteger: the integer; a text holding a decimal integer (blanks around it allowed) as its
//              value; NULL as 0. Throws DatabaseError "'<text>' is not a valid integer value".
// The date-time read (AsDateTime, the text read as ParseDateTimeText reads it) joins these once
// that reader is part of the program.
#include <cstdint>
#include <string>
#include <variant>

namespace qel::db {

class Field {
public:
    Field() = default;  // NULL
    static Field Integer(std::int64_t value);
    static Field Text(std::string utf8);

    bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
    std::string AsString() const;
    std::int64_t AsInteger() const;

private:
    std::variant<std::monostate, std::int64_t, std::string> value_;
};

}  // namespace qel::db
