#pragma once
// ASCII text helpers for protocol text (header names and values, cookie attributes): case is
// folded for A-Z only, and "blanks" are space and horizontal tab.
#include <string>

namespace qel::http {

inline std::string AsciiLower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

inline std::string TrimBlanks(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

}  // namespace qel::http
