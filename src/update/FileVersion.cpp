#include "update/FileVersion.h"

#include <windows.h>

#include <vector>

#include "common/WinText.h"
#include "update/VersionText.h"

namespace qel::update {

bool GetFileVersionNumbers(const std::string& path, std::uint16_t& major, std::uint16_t& minor,
                           std::uint16_t& release, std::uint16_t& build) {
    const std::wstring widePath = Widen(path);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &handle);
    if (size == 0) return false;
    std::vector<unsigned char> buffer(size, 0);
    if (!GetFileVersionInfoW(widePath.c_str(), 0, size, buffer.data())) return false;
    void* block = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(buffer.data(), L"\\", &block, &length) || !block || length < sizeof(VS_FIXEDFILEINFO))
        return false;
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(block);
    major = HIWORD(info->dwFileVersionMS);
    minor = LOWORD(info->dwFileVersionMS);
    release = HIWORD(info->dwFileVersionLS);
    build = LOWORD(info->dwFileVersionLS);
    return true;
}

bool FileVersionEquals(const std::string& path, const std::string& versionText) {
    std::string text;
    std::uint16_t major = 0, minor = 0, release = 0, build = 0;
    if (GetFileVersionNumbers(path, major, minor, release, build)) text = VersionText(major, minor, release, build);
    return text == versionText;
}

}  // namespace qel::update
