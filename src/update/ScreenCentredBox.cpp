#include "update/ScreenCentredBox.h"

#include <windows.h>

#include "common/WinText.h"

namespace qel::update {

namespace {

HHOOK hook = nullptr;

// Moves the box to the centre of the screen as it is first activated, then steps aside.
LRESULT CALLBACK CentreOnActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        RECT rect{};
        GetWindowRect(box, &rect);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        SetWindowPos(box, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        HHOOK self = hook;
        hook = nullptr;
        UnhookWindowsHookEx(self);
        return 0;
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

void ShowScreenCentredErrorBox(const std::string& caption, const std::string& text) {
    hook = SetWindowsHookExW(WH_CBT, &CentreOnActivate, nullptr, GetCurrentThreadId());
    MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    if (hook) {
        UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
}

}  // namespace qel::update
