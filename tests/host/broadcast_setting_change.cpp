// Test helper: announces a change of the international settings to every top-level window, as a
// settings dialog of another program does.
#include <windows.h>

int wmain() {
    // A short wait per window: windows of other busy programs hold it up only briefly. Whether
    // every window answered in time is not looked at.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(L"intl"), SMTO_ABORTIFHUNG, 200,
                        &result);
    return 0;
}
