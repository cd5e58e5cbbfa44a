#include "net/TargetFile.h"

#include <cwctype>

#include "common/WinText.h"
#include "net/InstallName.h"

namespace qel {

namespace {

std::wstring FullPath(const std::wstring& path) {
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return {};
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
    full.resize(n);
    return full;
}

std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

bool Inside(const std::wstring& folder, const std::wstring& path) {
    std::wstring base = Lower(FullPath(folder));
    std::wstring full = Lower(FullPath(path));
    if (base.empty() || full.empty()) return false;
    if (base.back() != L'\\') base += L'\\';
    return full.size() > base.size() && full.compare(0, base.size(), base) == 0;
}

std::wstring FolderOf(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

}  // namespace

FileCreateError::FileCreateError(const std::string& path, unsigned long code)
    : std::runtime_error("Cannot create file \"" + path + "\". " + SystemErrorText(code)), code_(code) {}

void CheckTargetReplaceable(const Site& site, const std::string& name, const std::string& path) {
    const std::wstring target = Widen(path);
    if (!IsSafeInstallName(name) || !Inside(Widen(site.installFolder), target)) throw FileCreateError(path, ERROR_INVALID_NAME);
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND) return;  // a new file
        throw FileCreateError(path, code);
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
        throw FileCreateError(path, ERROR_ACCESS_DENIED);
    // Held open by another program? Open it as the download would, without sharing, and let go.
    HANDLE h = CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) throw FileCreateError(path, GetLastError());
    CloseHandle(h);
}

ReplacementFile::ReplacementFile(const std::string& targetPath) : targetPath_(targetPath) {
    wchar_t temp[MAX_PATH];
    if (!GetTempFileNameW(FolderOf(Widen(targetPath)).c_str(), L"qel", 0, temp)) throw FileCreateError(targetPath, GetLastError());
    tempPath_ = temp;
    file_ = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        DeleteFileW(temp);
        throw FileCreateError(targetPath, code);
    }
}

ReplacementFile::~ReplacementFile() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    if (!committed_) DeleteFileW(tempPath_.c_str());
}

void ReplacementFile::Write(const char* data, std::size_t size) {
    while (size > 0) {
        DWORD step = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file_, data, step, &written, nullptr) || written == 0)
            throw std::runtime_error("Cannot write file \"" + targetPath_ + "\". " + SystemErrorText(GetLastError()));
        data += written;
        size -= written;
    }
}

void ReplacementFile::Commit() {
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    if (!MoveFileExW(tempPath_.c_str(), Widen(targetPath_).c_str(), MOVEFILE_REPLACE_EXISTING))
        throw FileCreateError(targetPath_, GetLastError());  // the destructor removes the temporary file
    committed_ = true;
}

}  // namespace qel
