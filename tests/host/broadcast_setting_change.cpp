// Test helper: announces a change of the international settings to every top-level window, as a
// settings dialog of another program does. Exit code 0 when the broadcast was sent.
#include <windows.h>

int wmain() {
    DWORD_PTR result = 0;
    LRESULT sent = SendMessageTimeoutW(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(L"intl"),
                                       SMTO_ABORTIFHUNG, 5000, &result);
    return sent ? 0 : 1;
}
