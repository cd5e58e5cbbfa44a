#pragma once
// A fetched result held in memory, with a cursor over its rows, as the query component shows it:
// the row count is known before the first row is read; Next moves to the following row, and on the
// last row sets Eof and stays there; with no rows Eof holds from the start and every field reads as
// NULL. Fields are looked up by column name when they are read, ignoring case (ASCII letters), the
// first column of that name winning. FieldByName throws DatabaseError "Field '<name>' not found".
#include <string>
#include <vector>

#include "db/Field.h"

namespace qel::db {

class RecordSet {
public:
    RecordSet() = default;  // no columns, no rows
    explicit RecordSet(std::vector<std::string> columnNames);

    // Appends a row of one field per column. Throws std::invalid_argument on another field count.
    void AddRow(std::vector<Field> row);

    int RecordCount() const { return static_cast<int>(rowCount_); }
    bool Eof() const { return rowCount_ == 0 || atEnd_; }
    void Next();
    const Field& FieldByName(const std::string& name) const;

private:
    std::vector<std::string> columnNames_;
    std::vector<Field> fields_;  // row after row
    size_t rowCount_ = 0;
    size_t current_ = 0;
    bool atEnd_ = false;
};

}  // namespace qel::db
