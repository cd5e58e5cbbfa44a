#include "db/RecordSet.h"

#include <stdexcept>

#include "db/DatabaseError.h"

namespace qel::db {
namespace {

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

RecordSet::RecordSet(std::vector<std::string> columnNames) : columnNames_(std::move(columnNames)) {}

void RecordSet::AddRow(std::vector<Field> row) {
    if (row.size() != columnNames_.size())
        throw std::invalid_argument("row of " + std::to_string(row.size()) + " fields for " +
                                    std::to_string(columnNames_.size()) + " columns");
    for (Field& field : row) fields_.push_back(std::move(field));
    ++rowCount_;
}

void RecordSet::Next() {
    if (current_ + 1 < rowCount_) {
        ++current_;
    } else {
        atEnd_ = true;
    }
}

const Field& RecordSet::FieldByName(const std::string& name) const {
    static const Field kNull;
    for (size_t column = 0; column < columnNames_.size(); ++column) {
        if (!SameName(columnNames_[column], name)) continue;
        if (rowCount_ == 0) return kNull;
        return fields_[current_ * columnNames_.size() + column];
    }
    throw DatabaseError("Field '" + name + "' not found");
}

}  // namespace qel::db
