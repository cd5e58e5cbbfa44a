#include "db/ConnectionString.h"

#include <array>
#include <cctype>
#include <optional>
#include <string_view>
#include <utility>

#include "db/DatabaseError.h"

namespace qel::db {
namespace {

std::string Trimmed(std::string_view text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    size_t end = text.find_last_not_of(" \t");
    return std::string(text.substr(begin, end - begin + 1));
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Where the pair starting at `pos` ends: its ";" or the end of the text.
size_t PairEnd(const std::string& text, size_t pos) {
    size_t end = text.find(';', pos);
    return end == std::string::npos ? text.size() : end;
}

// One keyword=value pair starting at `pos`; moves `pos` past the ";" that ends it.
std::pair<std::string, std::string> NextPair(const std::string& text, size_t& pos) {
    const std::string_view view(text);
    size_t end = PairEnd(text, pos);
    size_t equals = text.find('=', pos);
    if (equals == std::string::npos || equals > end)
        throw DatabaseError("Connection string pair without '=': '" + Trimmed(view.substr(pos, end - pos)) + "'");
    std::string keyword = Trimmed(view.substr(pos, equals - pos));
    pos = equals + 1;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;

    std::string value;
    if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
        const char quote = text[pos++];
        for (;; ++pos) {
            if (pos >= text.size()) throw DatabaseError("Connection string value of '" + keyword + "' is not closed");
            if (text[pos] != quote) {
                value += text[pos];
            } else if (pos + 1 < text.size() && text[pos + 1] == quote) {
                value += quote;
                ++pos;
            } else {
                ++pos;
                break;
            }
        }
        end = PairEnd(text, pos);
        if (!Trimmed(view.substr(pos, end - pos)).empty())
            throw DatabaseError("Connection string value of '" + keyword + "' goes on after its closing quote");
    } else {
        end = PairEnd(text, pos);
        value = Trimmed(view.substr(pos, end - pos));
    }
    pos = end + 1;
    return {keyword, value};
}

// A value as ODBC reads it back unchanged: in braces (with "}" doubled) when it holds a character
// that ends or opens something, or blanks at its ends.
std::string OdbcValue(const std::string& value) {
    bool plain = value.find_first_of(";{}=") == std::string::npos && value == Trimmed(value);
    if (plain) return value;
    std::string out = "{";
    for (char c : value) {
        out += c;
        if (c == '}') out += '}';
    }
    return out + "}";
}

}  // namespace

std::string OdbcConnectionString(const std::string& oleDbConnectionString) {
    enum Slot { Server, Database, User, Password, SlotCount };
    static constexpr std::array<const char*, SlotCount> kOdbcKeyword = {"SERVER", "DATABASE", "UID", "PWD"};
    struct Synonym { const char* keyword; int slot; };
    static constexpr Synonym kSynonyms[] = {
        {"data source", Server}, {"server", Server}, {"address", Server},
        {"initial catalog", Database}, {"database", Database},
        {"user id", User}, {"uid", User},
        {"password", Password}, {"pwd", Password},
    };

    std::array<std::optional<std::string>, SlotCount> values;
    const std::string& text = oleDbConnectionString;
    for (size_t pos = 0; pos < text.size();) {
        const size_t end = PairEnd(text, pos);
        if (Trimmed(std::string_view(text).substr(pos, end - pos)).empty()) {  // an empty pair, as after a last ";"
            pos = end + 1;
            continue;
        }
        auto [keyword, value] = NextPair(text, pos);
        const std::string key = Lower(keyword);
        if (key == "provider") {
            std::string provider = Lower(value);
            if (provider != "sqloledb" && provider.rfind("sqloledb.", 0) != 0)
                throw DatabaseError("Provider '" + value + "' is not supported");
            continue;
        }
        if (key == "persist security info") continue;  // only governs what the string reads back as
        bool known = false;
        for (const Synonym& s : kSynonyms) {
            if (key == s.keyword) {
                values[static_cast<size_t>(s.slot)] = value;
                known = true;
            }
        }
        if (!known) throw DatabaseError("Unknown connection string keyword '" + keyword + "'");
    }

    std::string odbc = "DRIVER={SQL Server}";
    for (size_t slot = 0; slot < SlotCount; ++slot) {
        if (values[slot]) odbc += std::string(";") + kOdbcKeyword[slot] + "=" + OdbcValue(*values[slot]);
    }
    return odbc;
}

}  // namespace qel::db
