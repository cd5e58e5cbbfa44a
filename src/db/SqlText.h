#pragma once
// The SQL text of the query component: a list of lines, sent as one statement with the lines
// joined by line breaks. Throws nothing beyond std::bad_alloc.
#include <string>
#include <vector>

namespace qel::db {

class SqlText {
public:
    void Clear() { lines_.clear(); }
    void Add(const std::string& line) { lines_.push_back(line); }

    std::string Text() const {
        std::string text;
        for (size_t i = 0; i < lines_.size(); ++i) text += (i ? "\r\n" : "") + lines_[i];
        return text;
    }

private:
    std::vector<std::string> lines_;
};

}  // namespace qel::db
