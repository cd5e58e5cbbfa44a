#include "net/InstallName.h"

#include <algorithm>

namespace qel {

namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool IsDeviceName(const std::string& component) {
    // The device is named by what comes before the first dot, trailing blanks dropped.
    std::string stem = Upper(component.substr(0, component.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices)
        if (stem == device) return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) && stem[3] >= '0' &&
           stem[3] <= '9';
}

}  // namespace

bool IsSafeInstallName(const std::string& name) {
    if (name.empty() || name[0] == '\\' || name[0] == '/') return false;
    if (std::any_of(name.begin(), name.end(), [](char c) { return c == ':' || (static_cast<unsigned char>(c) < 0x20); }))
        return false;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("\\/", start);
        std::string component = name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        // ".." and what Windows reads as ".." once trailing dots and blanks are dropped
        if (component.size() >= 2 && component.find_first_not_of(". ") == std::string::npos) return false;
        if (IsDeviceName(component)) return false;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return true;
}

}  // namespace qel
