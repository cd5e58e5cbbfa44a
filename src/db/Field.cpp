#include "db/Field.h"

#include <charconv>

#include "db/DatabaseError.h"
#include "update/DateTimeText.h"

namespace qel::db {

Field Field::Integer(std::int64_t value) {
    Field field;
    field.value_ = value;
    return field;
}

Field Field::Text(std::string utf8) {
    Field field;
    field.value_ = std::move(utf8);
    return field;
}

std::string Field::AsString() const {
    if (const auto* text = std::get_if<std::string>(&value_)) return *text;
    if (const auto* number = std::get_if<std::int64_t>(&value_)) return std::to_string(*number);
    return {};
}

std::int64_t Field::AsInteger() const {
    if (const auto* number = std::get_if<std::int64_t>(&value_)) return *number;
    const auto* text = std::get_if<std::string>(&value_);
    if (!text) return 0;

    const char* begin = text->data();
    const char* end = begin + text->size();
    while (begin < end && *begin == ' ') ++begin;
    while (end > begin && end[-1] == ' ') --end;
    const bool plus = begin < end && *begin == '+';  // from_chars takes only "-"
    if (plus) ++begin;
    std::int64_t value = 0;
    auto [stop, error] = std::from_chars(begin, end, value);
    if (begin == end || (plus && *begin == '-') || error != std::errc() || stop != end)
        throw DatabaseError("'" + *text + "' is not a valid integer value");
    return value;
}

update::DateTime Field::AsDateTime() const { return update::ParseDateTimeText(AsString()); }

}  // namespace qel::db
