#pragma once
// One field of a fetched row: NULL, an integer (the database's integer columns) or a text (UTF-8,
// every other column), read the way the launcher reads manifest fields.
//   AsString: the text as stored, no trimming; an integer as its decimal digits; NULL as "".
//   AsInteger: the integer; a text holding a decimal integer (blanks around it allowed) as its
//              value; NULL as 0. Throws DatabaseError "'<text>' is not a valid integer value".
//   AsDateTime: the text read as ParseDateTimeText reads it, under the program's date settings;
//              NULL reads as the empty text. Throws DateTimeConversionError
//              "'<text>' is not a valid date and time".
#include <cstdint>
#include <string>
#include <variant>

#include "update/DateTime.h"

namespace qel::db {

class Field {
public:
    Field() = default;  // NULL
    static Field Integer(std::int64_t value);
    static Field Text(std::string utf8);

    bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
    std::string AsString() const;
    std::int64_t AsInteger() const;
    update::DateTime AsDateTime() const;

private:
    std::variant<std::monostate, std::int64_t, std::string> value_;
};

}  // namespace qel::db
