#include "support/WindowFinder.h"

#include <thread>

#include "common/WinText.h"

namespace qel::testing {

namespace {

struct Search {
    DWORD processId;
    const wchar_t* className;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->processId) return TRUE;
    if (search->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (!search->className || wcscmp(name, search->className) == 0) search->found.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK ReadStatics(HWND child, LPARAM lp) {
    auto* seen = reinterpret_cast<MessageBoxSeen*>(lp);
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (wcscmp(name, L"Static") != 0) return TRUE;
    LONG style = GetWindowLongW(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
        seen->hasIcon = true;
        return TRUE;
    }
    wchar_t text[1024] = {};
    GetWindowTextW(child, text, 1024);
    if (text[0]) seen->text = text;
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className, bool visibleOnly) {
    Search search{processId, className, visibleOnly, {}};
    EnumWindows(&Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool CloseNextMessageBox(DWORD processId, MessageBoxSeen& seen, std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        auto boxes = TopLevelWindows(processId, L"#32770");
        if (!boxes.empty()) {
            HWND box = boxes.front();
            wchar_t caption[512] = {};
            GetWindowTextW(box, caption, 512);
            seen.caption = caption;
            EnumChildWindows(box, &ReadStatics, reinterpret_cast<LPARAM>(&seen));
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

std::wstring HostPath(const std::string& unixPath) {
    std::wstring path = L"Z:" + Widen(unixPath);
    for (auto& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

}  // namespace qel::testing
