#include "support/TestSupport.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <iterator>

#include "common/WinText.h"

namespace qel::testing {

std::string WindowsPath(const std::string& hostPath) {
    if (hostPath.empty() || hostPath[0] != '/') return hostPath;
    std::string path = "Z:" + hostPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring full = folder + L"\\" + name;
            SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full);
            else DeleteFileW(full.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring base = temp;
    if (!base.empty() && base.back() == L'\\') base.pop_back();
    for (unsigned attempt = 0;; ++attempt) {
        std::wstring folder = base + L"\\qel 测试 " + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(attempt);
        if (CreateDirectoryW(folder.c_str(), nullptr)) {
            path_ = Narrow(folder);
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a scratch folder under " + Narrow(base));
    }
}

ScratchFolder::~ScratchFolder() { RemoveTree(Widen(path_)); }

std::string ScratchFolder::AddFile(const std::string& name, const std::string& content) {
    std::string path = path_ + "\\" + name;
    HANDLE file = ::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

HelperProcess::HelperProcess(const std::string& commandLine) {
    std::wstring line = Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
    }
}

HelperProcess::~HelperProcess() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

int HelperProcess::Wait(DWORD milliseconds) {
    if (!process_ || WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
}

MessageBoxWatcher::MessageBoxWatcher() : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this] { Watch(); });
}

MessageBoxWatcher::~MessageBoxWatcher() {
    SetEvent(stop_);
    thread_.join();
    CloseHandle(stop_);
}

std::vector<SeenBox> MessageBoxWatcher::Seen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

namespace {

std::string WindowText(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, static_cast<int>(std::size(buffer)));
    return Narrow(buffer);
}

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t className[64] = {};
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    if (pid == search->processId && std::wstring(className) == search->className && IsWindowVisible(window)) {
        search->found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM param) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, static_cast<int>(std::size(className)));
    if (std::wstring(className) == L"Button" && IsWindowVisible(child)) {
        reinterpret_cast<std::vector<int>*>(param)->push_back(GetDlgCtrlID(child));
    }
    return TRUE;
}

// The icon shown by the box's icon Static (its id differs between systems).
BOOL CALLBACK FindIcon(HWND child, LPARAM param) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, static_cast<int>(std::size(className)));
    if (std::wstring(className) == L"Static" && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HICON*>(param) = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className) {
    WindowSearch search{processId, className, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void MessageBoxWatcher::Watch() {
    std::set<HWND> answered;  // boxes already noted, until they are gone
    while (WaitForSingleObject(stop_, 20) == WAIT_TIMEOUT) {
        std::erase_if(answered, [](HWND box) { return !IsWindow(box); });
        for (HWND box : TopLevelWindows(GetCurrentProcessId(), L"#32770")) {
            if (!answered.insert(box).second) continue;
            Sleep(100);   // let it settle where it is shown
            SeenBox seen;
            seen.caption = WindowText(box);
            seen.text = WindowText(GetDlgItem(box, 0xFFFF));   // the message's Static
            HICON icon = nullptr;
            EnumChildWindows(box, &FindIcon, reinterpret_cast<LPARAM>(&icon));
            seen.errorIcon = icon != nullptr && icon == LoadIconW(nullptr, IDI_ERROR);
            EnumChildWindows(box, &CollectButton, reinterpret_cast<LPARAM>(&seen.buttonIds));
            GetWindowRect(box, &seen.rect);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                seen_.push_back(seen);
            }
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 250 && IsWindow(box); ++i) Sleep(20);
        }
    }
}

}  // namespace qel::testing
